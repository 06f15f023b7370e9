// What an item panel asks of the view that holds it: the view's mouse capture on the panel's
// behalf, where the panel lies in the view (host coordinates of the view's container), whether
// its redraws become invalidations of the view, and a relayout request. Adapter views implement
// it beside their element base; it is not reference counted.
#pragma once
#include <windows.h>

namespace SWUI {

class SItemPanel;

struct IItemContainer {
  // TRUE: the view takes its container's capture and remembers the panel as capture item;
  // FALSE: the view gives its capture back and forgets the capture item.
  virtual void OnItemSetCapture(SItemPanel* pItem, BOOL bCapture) = 0;
  // FALSE (and an empty rectangle) for a panel that shows no item.
  virtual BOOL OnItemGetRect(const SItemPanel* pItem, RECT& rcItem) const = 0;
  virtual BOOL IsItemRedrawDelay() const = 0;
  virtual void OnItemRequestRelayout(SItemPanel* pItem) = 0;

 protected:
  ~IItemContainer() = default;
};

}  // namespace SWUI
