#include "FocusSearch.h"

#include "core/SWindow.h"

namespace SWUI {

namespace {

bool IsCandidate(SWindow* wnd) {
  return wnd != nullptr && wnd->IsFocusable() && wnd->IsVisible(TRUE) && !wnd->IsDisabled(TRUE);
}

SWindow* DeepestLast(SWindow* wnd) {
  while (SWindow* last = wnd->GetWindow(GSW_LASTCHILD)) wnd = last;
  return wnd;
}

}  // namespace

SWindow* FocusSearch::FindNextFocusableView(SWindow* start, BOOL reverse, BOOL checkStart) {
  if (m_root == nullptr || m_root->GetWindow(GSW_FIRSTCHILD) == nullptr) return nullptr;
  m_skipGroupOf =
      start != nullptr && start->IsSiblingsAutoGroupped() ? start->GetParent() : nullptr;
  SWindow* found = reverse ? SearchReverse(start, checkStart) : SearchForward(start, checkStart);
  if (found == nullptr && m_cycle && start != nullptr) {
    m_cycle = FALSE;
    return FindNextFocusableView(nullptr, reverse, TRUE);
  }
  return found;
}

SWindow* FocusSearch::Take(SWindow* wnd) const {
  if (!IsCandidate(wnd)) return nullptr;
  if (m_skipGroupOf != nullptr && wnd->IsSiblingsAutoGroupped() &&
      wnd->GetParent() == m_skipGroupOf) {
    return nullptr;
  }
  SWindow* selected = wnd->GetSelectedSiblingInGroup();
  if (selected == nullptr) return wnd;
  return IsCandidate(selected) ? selected : nullptr;
}

SWindow* FocusSearch::ForwardSubtree(SWindow* wnd) const {
  if (SWindow* taken = Take(wnd)) return taken;
  for (SWindow* child = wnd->GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    if (SWindow* found = ForwardSubtree(child)) return found;
  }
  return nullptr;
}

SWindow* FocusSearch::ReverseSubtree(SWindow* wnd, BOOL checkSelf) const {
  for (SWindow* child = wnd->GetWindow(GSW_LASTCHILD); child != nullptr;
       child = child->GetWindow(GSW_PREVSIBLING)) {
    if (SWindow* found = ReverseSubtree(child, TRUE)) return found;
  }
  return checkSelf ? Take(wnd) : nullptr;
}

SWindow* FocusSearch::SearchForward(SWindow* start, BOOL checkStart) const {
  if (start == nullptr) {
    start = m_root->GetWindow(GSW_FIRSTCHILD);
    checkStart = TRUE;
  }
  if (checkStart) {
    if (SWindow* found = ForwardSubtree(start)) return found;
  } else {
    for (SWindow* child = start->GetWindow(GSW_FIRSTCHILD); child != nullptr;
         child = child->GetWindow(GSW_NEXTSIBLING)) {
      if (SWindow* found = ForwardSubtree(child)) return found;
    }
  }
  for (SWindow* wnd = start; wnd != nullptr && wnd != m_root; wnd = wnd->GetParent()) {
    for (SWindow* sib = wnd->GetWindow(GSW_NEXTSIBLING); sib != nullptr;
         sib = sib->GetWindow(GSW_NEXTSIBLING)) {
      if (SWindow* found = ForwardSubtree(sib)) return found;
    }
  }
  return nullptr;
}

SWindow* FocusSearch::SearchReverse(SWindow* start, BOOL checkStart) const {
  if (start == nullptr) {
    start = DeepestLast(m_root);
    checkStart = TRUE;
  }
  if (start == m_root) return nullptr;
  // The start's own subtree comes after it in tree order: going back never enters it (a
  // focusable container and its child would otherwise hand Shift+Tab to each other for
  // ever).
  if (checkStart) {
    if (SWindow* taken = Take(start)) return taken;
  }
  for (SWindow* wnd = start; wnd != nullptr && wnd != m_root; wnd = wnd->GetParent()) {
    for (SWindow* sib = wnd->GetWindow(GSW_PREVSIBLING); sib != nullptr;
         sib = sib->GetWindow(GSW_PREVSIBLING)) {
      if (SWindow* found = ReverseSubtree(sib, TRUE)) return found;
    }
    SWindow* parent = wnd->GetParent();
    if (parent != nullptr && parent != m_root) {
      if (SWindow* taken = Take(parent)) return taken;
    }
  }
  return nullptr;
}

}  // namespace SWUI
