// STreeView: the keys that expand, collapse and move the selection, and what the tree view
// does otherwise than the other adapter views with the mouse.
#include "control/STreeView.h"

namespace SWUI {

void STreeView::OnPressOverNoItem() {
  if (SItemPanel* sel = GetSelPanel()) sel->DoFrameEvent(WM_KILLFOCUS, 0, 0);
}

void STreeView::SendMouseHover(SItemPanel* pItem, WPARAM, POINT) {
  pItem->DoFrameEvent(WM_MOUSEHOVER, 0, 0);
}

void STreeView::MoveSelTo(HSTREEITEM hItem) {
  if (hItem != 0 && Reveal(hItem)) SetSel(hItem, TRUE);
}

BOOL STreeView::HandleKey(UINT vk) {
  const HSTREEITEM sel = m_hSelItem;
  switch (vk) {
    case VK_PRIOR: OnScroll(TRUE, SB_PAGEUP, 0); return TRUE;
    case VK_NEXT: OnScroll(TRUE, SB_PAGEDOWN, 0); return TRUE;
    case VK_HOME: OnScroll(TRUE, SB_TOP, 0); return TRUE;
    case VK_END: OnScroll(TRUE, SB_BOTTOM, 0); return TRUE;
    case VK_LEFT:
      if (sel == 0) return TRUE;
      if (m_adapter->HasChildren(sel) && m_adapter->IsItemExpanded(sel)) {
        m_adapter->ExpandItem(sel, TVC_COLLAPSE);
      } else {
        MoveSelTo(m_adapter->GetPrevVisibleItem(sel));
      }
      return TRUE;
    case VK_RIGHT:
      if (sel == 0) return TRUE;
      if (m_adapter->HasChildren(sel) && !m_adapter->IsItemExpanded(sel)) {
        m_adapter->ExpandItem(sel, TVC_EXPAND);
      } else {
        MoveSelTo(m_adapter->GetNextVisibleItem(sel));
      }
      return TRUE;
    case VK_UP:
      MoveSelTo(sel != 0 ? m_adapter->GetPrevVisibleItem(sel) : m_adapter->GetFirstVisibleItem());
      return TRUE;
    case VK_DOWN:
      MoveSelTo(sel != 0 ? m_adapter->GetNextVisibleItem(sel) : m_adapter->GetFirstVisibleItem());
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace SWUI
