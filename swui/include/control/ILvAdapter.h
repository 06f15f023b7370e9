// The contract between an adapter view (list view, combo view's list, and the views built on
// them) and the application's data. The framework has no adapter of its own: an application
// implements this interface and hands the adapter to a view, which holds one reference.
//
// The view asks for the count, fills one small element tree per visible item (GetView, on
// the item's root element, from the view's "template" element), recycles those trees by view
// type, and asks for an item's size only when its rows have heights of their own. UI thread
// only; the adapter notifies its observers on the UI thread.
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "base/IObjRef.h"
#include "base/SString.h"

namespace SWUI {

class SWindow;
struct ILvDataSetObserver;

struct ILvAdapter : public IObjRef {
  // The view's observer, registered when the adapter is set and unregistered when it is
  // replaced or the view is destroyed.
  virtual void RegisterObserver(ILvDataSetObserver* observer) = 0;
  virtual void UnregisterObserver(ILvDataSetObserver* observer) = 0;
  virtual int GetCount() = 0;
  // Fills or refreshes the item's element tree for a position. pItem is the item's root
  // element (empty the first time); xmlTemplate the view's "template" element.
  virtual void GetView(int position, SWindow* pItem, pugi::xml_node xmlTemplate) = 0;
  // The item's view type, 0 .. GetViewTypeCount() - 1, for its state (WndState bits: hover,
  // checked). Trees are reused only for items of the same type.
  virtual int GetItemViewType(int position, DWORD dwState) = 0;
  virtual int GetViewTypeCount() = 0;
  // The item's size when laid out in the container rectangle (the list view passes 0, 0, its
  // client width, 0); its cy becomes the item's height in views whose rows differ in height.
  virtual SIZE GetViewDesiredSize(int position, SWindow* pItem, LPCRECT prcContainer) = 0;
  // No view calls these two; what they answer is the application's.
  virtual bool IsEmpty() = 0;
  virtual ULONG_PTR GetItemData(int position) = 0;
  // The item's text (the combo view shows the selected item's).
  virtual SStringW GetItemDesc(int position) = 0;
  // Called once when the adapter is set, before its observer is registered.
  virtual void InitByTemplate(pugi::xml_node xmlTemplate) = 0;

 protected:
  ~ILvAdapter() = default;
};

}  // namespace SWUI
