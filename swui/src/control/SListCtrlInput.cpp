// SListCtrl: the mouse and the selection.
#include <algorithm>

#include "control/EventLCDbClick.h"
#include "control/EventLCSelChanged.h"
#include "control/EventLCSelChanging.h"
#include "control/SControlSkin.h"
#include "control/SListCtrl.h"

namespace SWUI {

namespace {

bool KeyHeld(int vk) {
  return (::GetKeyState(vk) & 0x8000) != 0;
}

}  // namespace

bool SListCtrl::HitCheckBox(POINT pt) const {
  // Below the last row there is no box to hit: that is a click on empty space.
  if (!m_bCheckBox || HitTest(pt) == -1) return false;
  const int left = GetListRect().left + kCheckBoxLeft - m_ptOrigin.x;
  return pt.x >= left && pt.x < left + SControlSkin::SizeOf(m_pCheckSkin).cx;
}

void SListCtrl::OnLButtonDown(UINT nFlags, POINT pt) {
  SPanel::OnLButtonDown(nFlags, pt);
  m_nHoverItem = HitTest(pt);
  if (HitCheckBox(pt)) {
    NotifySelChange(m_nSelectItem, m_nHoverItem, TRUE);
  } else if (m_nHoverItem != -1 || m_nSelectItem != -1) {
    NotifySelChange(m_nSelectItem, m_nHoverItem, FALSE);
  }
}

void SListCtrl::OnLButtonDbClick(UINT, POINT pt) {
  const int hit = HitTest(pt);
  if (hit != m_nSelectItem) NotifySelChange(m_nSelectItem, hit, FALSE);
  EventLCDbClick evt(this);
  evt.nCurSel = hit;
  FireEvent(evt);
}

void SListCtrl::OnMouseMove(UINT, POINT pt) {
  if (!m_bHotTrack) return;
  const int hit = HitTest(pt);
  if (hit == m_nHoverItem) return;
  m_nHoverItem = hit;
  Invalidate();
}

void SListCtrl::OnMouseLeave() {
  SPanel::OnMouseLeave();
  if (!m_bHotTrack) return;
  m_nHoverItem = -1;
  Invalidate();
}

void SListCtrl::SetSelectedItem(int nItem) {
  if (nItem == m_nSelectItem || (nItem != -1 && !IsRow(nItem))) return;
  NotifySelChange(m_nSelectItem, nItem, FALSE);
}

void SListCtrl::NotifySelChange(int nOldSel, int nNewSel, BOOL byCheckBox) {
  EventLCSelChanging changing(this);
  changing.nNewSel = nNewSel;
  changing.nOldSel = nOldSel;
  FireEvent(changing);
  if (changing.bCancel) return;
  // A handler may have removed rows meanwhile.
  const int target = IsRow(nNewSel) ? nNewSel : -1;
  const bool several = m_bMultiSelection || m_bCheckBox;
  if (byCheckBox) {
    if (target != -1) {
      SetChecked(target, !m_arrItems[target]->bChecked, true);
      m_nSelectItem = target;
    }
  } else if (several && KeyHeld(VK_CONTROL)) {
    if (target != -1) {
      SetChecked(target, !m_arrItems[target]->bChecked, true);
      m_nSelectItem = target;
    }
  } else if (several && KeyHeld(VK_SHIFT)) {
    if (target != -1) {
      const int anchor = IsRow(nOldSel) ? nOldSel : 0;
      const int low = std::min(anchor, target);
      const int high = std::max(anchor, target);
      for (int i = 0; i < static_cast<int>(m_arrItems.size()); ++i) {
        const BOOL want = i >= low && i <= high;
        if (m_arrItems[i]->bChecked != want) SetChecked(i, want, true);
      }
    }
  } else {
    m_nSelectItem = -1;
    for (int i = 0; i < static_cast<int>(m_arrItems.size()); ++i) {
      if (i != target && m_arrItems[i]->bChecked) SetChecked(i, FALSE, true);
    }
    if (target != -1) {
      SetChecked(target, TRUE, true);
      m_nSelectItem = target;
    }
  }
  EventLCSelChanged changed(this);
  changed.nNewSel = nNewSel;
  changed.nOldSel = nOldSel;
  FireEvent(changed);
}

}  // namespace SWUI
