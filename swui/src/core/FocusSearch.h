// One Tab search over an element tree: the next (or previous) element that can take the
// focus, in tree order, from a start element. Short-lived; made by the focus manager.
#pragma once
#include <windows.h>

namespace SWUI {

class SWindow;

class FocusSearch {
 public:
  // cycle: when nothing is found after the start, search once more from the tree's start.
  FocusSearch(SWindow* root, BOOL cycle) : m_root(root), m_cycle(cycle) {}
  virtual ~FocusSearch() = default;
  FocusSearch(const FocusSearch&) = delete;
  FocusSearch& operator=(const FocusSearch&) = delete;

  // Forward: the start (when checkStart), its subtree, its next siblings' subtrees, then up
  // through the parents to their next siblings. Reverse goes back in the same order: the
  // previous siblings' subtrees (deepest last first), then the parent. Without a start the
  // search begins at the first (reverse: deepest last) element and checks it. Siblings of a
  // grouped start are passed over, and a grouped element stands for its group's selected
  // member.
  SWindow* FindNextFocusableView(SWindow* start, BOOL reverse, BOOL checkStart);

 private:
  // The element to focus for wnd, or null: focusable, visible and enabled, not in the start's
  // group, and its group's selected member in its place.
  SWindow* Take(SWindow* wnd) const;
  SWindow* SearchForward(SWindow* start, BOOL checkStart) const;
  SWindow* SearchReverse(SWindow* start, BOOL checkStart) const;
  // wnd and its subtree in pre-order.
  SWindow* ForwardSubtree(SWindow* wnd) const;
  // wnd's subtree last child first, each child's subtree before the child, then wnd.
  SWindow* ReverseSubtree(SWindow* wnd, BOOL checkSelf) const;

  SWindow* m_root;
  BOOL m_cycle;
  // The parent of a grouped start: its grouped children are one stop, passed over.
  SWindow* m_skipGroupOf = nullptr;
};

}  // namespace SWUI
