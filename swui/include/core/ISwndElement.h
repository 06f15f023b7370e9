// What the host services ask of an element of the tree, and nothing more: the window manager
// maps handles to it, the element timer service sends it UM_TIMER2, the caret clips itself to
// the element and its ancestors, and the drop-target dispatcher hit-tests the root. SWindow
// implements it; tests implement it over a small fake tree.
#pragma once
#include <windows.h>

#include "core/SwndHandle.h"

namespace SWUI {

struct ISwndElement {
  // Sends an element message to the element (SWindow::SSendMessage); pbHandled may be null.
  virtual LRESULT SSendMessage(UINT msg, WPARAM wParam, LPARAM lParam, BOOL* pbHandled) = 0;
  // The client rectangle in the container's coordinates.
  virtual void GetClientRect(LPRECT prc) const = 0;
  // The parent element, null for the root.
  virtual ISwndElement* GetParentElement() const = 0;
  // The handle of the deepest element under the point (container coordinates), 0 for none;
  // SWindow::SwndFromPoint.
  virtual SwndHandle SwndFromPoint(const POINT& pt, BOOL textOnly) = 0;
  // Converts a rectangle from the element's container into its host window's client
  // coordinates (the container's FrameToHost: no change in a top-level host).
  virtual void ContainerFrameToHost(RECT& rc) const = 0;
  // The native window of the element's container, null before the tree has one.
  virtual HWND ContainerHostHwnd() const = 0;

 protected:
  ~ISwndElement() = default;
};

}  // namespace SWUI
