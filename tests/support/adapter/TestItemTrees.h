// What every test adapter shares: it builds each item's element tree once from the view's
// template and counts the trees it built and saw destroyed (one per panel the view made).
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "core/SWindow.h"

class TestItemTrees {
 public:
  virtual ~TestItemTrees() = default;

  // Item trees built (one per panel the view made) and destroyed with their panels.
  int panelsCreated = 0;
  int panelsDestroyed = 0;
  int PanelsAlive() const { return panelsCreated - panelsDestroyed; }

 protected:
  // Builds the item's tree once from the template (its attributes and children; rowXml when it
  // has no children) and counts it; true when it was built now.
  bool BuildOnce(SWUI::SWindow* pItem, pugi::xml_node xmlTemplate, const wchar_t* rowXml);

 private:
  bool OnItemDestroyed(SWUI::EventArgs*);
};
