// What every test adapter shares: its observers (notified on request) and the count of the
// item trees it built and saw destroyed. The adapters of the list, multi-column and tree views
// stand on it.
#pragma once
#include <windows.h>

#include <pugixml.hpp>
#include <vector>

#include "base/SAutoRefPtr.h"
#include "control/ILvDataSetObserver.h"
#include "core/SWindow.h"

class TestAdapterBase {
 public:
  virtual ~TestAdapterBase() = default;

  // Tells every registered observer.
  void NotifyChanged();
  void NotifyInvalidated();
  void NotifyItemChanged(int position);
  size_t ObserverCount() const { return observers_.size(); }

  // Item trees built (one per panel the view made) and destroyed with their panels.
  int panelsCreated = 0;
  int panelsDestroyed = 0;
  int PanelsAlive() const { return panelsCreated - panelsDestroyed; }

 protected:
  void AddObserver(SWUI::ILvDataSetObserver* observer);
  void RemoveObserver(SWUI::ILvDataSetObserver* observer);
  // Builds the item's tree once from the template (its attributes and children; rowXml when it
  // has no children) and counts it; true when it was built now.
  bool BuildOnce(SWUI::SWindow* pItem, pugi::xml_node xmlTemplate, const wchar_t* rowXml);

 private:
  bool OnItemDestroyed(SWUI::EventArgs*);

  std::vector<SWUI::SAutoRefPtr<SWUI::ILvDataSetObserver>> observers_;
};
