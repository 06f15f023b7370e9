// SListView: the keys that move the selection (the rest of the input is the adapter views'
// own, in SAdapterViewBase).
#include "control/SListView.h"

namespace SWUI {

// ---- keys --------------------------------------------------------------------------------

void SListView::MoveSelTo(int iItem) {
  EnsureVisible(iItem);
  SetSel(iItem, FALSE);
}

BOOL SListView::HandleKey(UINT vk) {
  const int count = m_adapter->GetCount();
  switch (vk) {
    case VK_DOWN:
      if (m_iSelItem < count - 1) MoveSelTo(m_iSelItem + 1);
      return TRUE;
    case VK_UP:
      if (m_iSelItem > 0) MoveSelTo(m_iSelItem - 1);
      return TRUE;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END: {
      static const struct {
        UINT vk;
        UINT code;
        bool toFirst;
      } kPageKeys[] = {{VK_PRIOR, SB_PAGEUP, true},
                       {VK_NEXT, SB_PAGEDOWN, false},
                       {VK_HOME, SB_TOP, true},
                       {VK_END, SB_BOTTOM, false}};
      for (const auto& key : kPageKeys) {
        if (key.vk != vk) continue;
        OnScroll(TRUE, key.code, 0);
        if (!m_visible.empty()) {
          MoveSelTo(key.toFirst ? m_iFirstVisible : m_iFirstVisible + GetVisibleCount() - 1);
        }
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace SWUI
