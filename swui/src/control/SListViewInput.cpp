// SListView: the mouse, the wheel, keys, focus, the cursor, the tooltip and the capture that
// the rows ask for.
#include "control/SItemPanelRoot.h"
#include "control/SListView.h"

namespace SWUI {

namespace {

bool IsButtonDown(UINT uMsg) {
  return uMsg == WM_LBUTTONDOWN || uMsg == WM_RBUTTONDOWN || uMsg == WM_MBUTTONDOWN;
}

bool IsButtonUp(UINT uMsg) {
  return uMsg == WM_LBUTTONUP || uMsg == WM_RBUTTONUP || uMsg == WM_MBUTTONUP;
}

LPARAM PointToLParam(POINT pt) {
  return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

}  // namespace

// ---- capture -----------------------------------------------------------------------------

void SListView::OnItemSetCapture(SItemPanel* pItem, BOOL bCapture) {
  if (bCapture) {
    SetCapture();
    m_pCapturedItem = pItem;
  } else if (m_pCapturedItem != nullptr) {
    // Only a capture a row asked for is given back: the view's own press keeps its own.
    m_pCapturedItem = nullptr;
    ReleaseCapture();
  }
}

// ---- mouse -------------------------------------------------------------------------------

LRESULT SListView::OnMouseEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (m_adapter == nullptr) {
    SetMsgHandled(FALSE);
    return 0;
  }
  LRESULT lResult = 0;
  if (m_pCapturedItem != nullptr) {
    SendToPanel(m_pCapturedItem, uMsg, wParam, lParam);
  } else {
    // Focus and the view's own capture first.
    if (IsButtonDown(uMsg)) SPanel::ProcessSwndMessage(uMsg, wParam, lParam, lResult);
    POINT pt = PointFromLParam(lParam);
    SAutoRefPtr<SItemPanel> hit(HitTest(pt));
    if (hit != m_pHoverItem) {
      SAutoRefPtr<SItemPanel> old(m_pHoverItem);
      m_pHoverItem = hit;
      if (old != nullptr) {
        old->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
        InvalidatePanel(old);
      }
      if (hit != nullptr) {
        hit->DoFrameEvent(WM_MOUSEHOVER, wParam, PointToLParam(pt));
        InvalidatePanel(hit);
      }
    }
    // A handler may have replaced the rows meanwhile.
    if (hit != nullptr && hit == m_pHoverItem) hit->DoFrameEvent(uMsg, wParam, PointToLParam(pt));
  }
  if (IsButtonUp(uMsg)) SPanel::ProcessSwndMessage(uMsg, wParam, lParam, lResult);
  SetMsgHandled(TRUE);
  return 0;
}

void SListView::OnMouseLeave() {
  SPanel::OnMouseLeave();
  if (m_pHoverItem == nullptr) return;
  SAutoRefPtr<SItemPanel> hover(m_pHoverItem);
  m_pHoverItem = nullptr;
  hover->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
  InvalidatePanel(hover);
}

LRESULT SListView::OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (SItemPanel* sel = GetItemPanel(m_iSelItem)) {
    const LRESULT answer = SendToPanel(sel, uMsg, wParam, lParam);
    if (answer != 0) return answer;
  }
  return SPanel::OnMouseWheel(uMsg, wParam, lParam);
}

LRESULT SListView::SendToPanel(SItemPanel* pItem, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  SAutoRefPtr<SItemPanel> hold(pItem);  // a handler may drop it
  RECT rc;
  OnItemGetRect(pItem, rc);
  const POINT pt = PointFromLParam(lParam);
  return pItem->DoFrameEvent(uMsg, wParam, PointToLParam(POINT{pt.x - rc.left, pt.y - rc.top}));
}

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

LRESULT SListView::OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (m_adapter == nullptr) {
    SetMsgHandled(FALSE);
    return 0;
  }
  const UINT vk = static_cast<UINT>(wParam);
  SAutoRefPtr<SItemPanel> sel(GetItemPanel(m_iSelItem));
  if (m_bWantTab && sel != nullptr) {
    sel->DoFrameEvent(uMsg, wParam, lParam);
    if (sel->IsFrameMsgHandled()) return 0;
  }
  if (m_pOwner != nullptr && (vk == VK_ESCAPE || vk == VK_RETURN)) {
    m_pOwner->SSendMessage(WM_KEYDOWN, wParam, lParam);
    return 0;
  }
  if (HandleKey(vk)) return 0;
  // A key the view leaves goes to the selected row (unless it had it already).
  if (sel == nullptr || m_bWantTab) {
    SetMsgHandled(FALSE);
    return 0;
  }
  sel->DoFrameEvent(uMsg, wParam, lParam);
  SetMsgHandled(sel->IsFrameMsgHandled());
  return 0;
}

LRESULT SListView::OnKeyEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  SItemPanel* sel = uMsg != WM_KEYDOWN ? GetItemPanel(m_iSelItem) : nullptr;
  if (sel == nullptr) {
    SetMsgHandled(FALSE);
    return 0;
  }
  SAutoRefPtr<SItemPanel> hold(sel);
  sel->DoFrameEvent(uMsg, wParam, lParam);
  SetMsgHandled(sel->IsFrameMsgHandled());
  return 0;
}

UINT SListView::OnGetDlgCode() { return m_bWantTab ? 0xFFFF : 0x80000001; }

// ---- focus, cursor, tooltip --------------------------------------------------------------

void SListView::OnSetFocus(SwndHandle swndOld) {
  SPanel::OnSetFocus(swndOld);
  if (SItemPanel* sel = GetItemPanel(m_iSelItem)) sel->DoFrameEvent(WM_SETFOCUS, 0, 0);
}

void SListView::OnKillFocus(SwndHandle swndNew) {
  SPanel::OnKillFocus(swndNew);
  if (SItemPanel* sel = GetItemPanel(m_iSelItem)) sel->DoFrameEvent(WM_KILLFOCUS, 0, 0);
}

BOOL SListView::OnSetCursor(const POINT& pt) {
  SItemPanel* item = m_pCapturedItem != nullptr ? m_pCapturedItem : m_pHoverItem;
  if (item == nullptr) return SPanel::OnSetCursor(pt);
  SendToPanel(item, WM_SETCURSOR, 0, PointToLParam(pt));
  return TRUE;
}

BOOL SListView::UpdateToolTip(POINT pt, SwndToolTipInfo& tipInfo) {
  if (m_pHoverItem == nullptr) return SPanel::UpdateToolTip(pt, tipInfo);
  return m_pHoverItem->GetItemRoot()->UpdateToolTip(pt, tipInfo);
}

}  // namespace SWUI
