// SHeaderCtrl: the mouse, sort clicks, resize and swap drags and the drag picture.
#include <algorithm>

#include "control/CDragWnd.h"
#include "control/CMemDC.h"
#include "control/EventHeaderClick.h"
#include "control/EventHeaderItemChanged.h"
#include "control/EventHeaderItemChanging.h"
#include "control/EventHeaderItemSwap.h"
#include "control/SHeaderCtrl.h"
#include "core/SApplication.h"

namespace SWUI {

bool SHeaderCtrl::IsSwapDrag() const {
  return IsItemHover(m_dwHitTest) && m_bItemSwapEnable;
}

bool SHeaderCtrl::IsResizeDrag() const {
  return m_dwHitTest != kHitNone && !IsItemHover(m_dwHitTest) && !m_bFixWidth;
}

void SHeaderCtrl::OnLButtonDown(UINT, POINT pt) {
  SetCapture();
  m_ptClick = pt;
  m_dwHitTest = HitTest(pt);
  if (IsItemHover(m_dwHitTest)) {
    if (m_bSortHeader) SetItemState(m_dwHitTest, 2);
  } else if (m_dwHitTest != kHitNone) {
    m_nAdjItemOldWidth = GetItemWidth(LOWORD(m_dwHitTest));
  }
}

void SHeaderCtrl::OnMouseMove(UINT nFlags, POINT pt) {
  if (m_bDragging || (nFlags & MK_LBUTTON)) {
    if (!m_bDragging) {
      // Only a press on this header starts a drag.
      if (GetCapture() != m_swnd) return;
      BeginDragging();
    }
    if (IsSwapDrag()) {
      SwapDragTo(pt);
    } else if (IsResizeDrag()) {
      ResizeTo(pt);
    }
    return;
  }
  const DWORD hit = HitTest(pt);
  if (hit == m_dwHitTest) return;
  if (m_bSortHeader) {
    SetItemState(m_dwHitTest, 0);
    SetItemState(hit, 1);
  }
  m_dwHitTest = hit;
}

void SHeaderCtrl::BeginDragging() {
  m_bDragging = TRUE;
  if (!IsSwapDrag()) return;
  m_dwDragTo = m_dwHitTest;
  Invalidate();
  const int item = LOWORD(m_dwHitTest);
  m_hDragImg = MakeDragBitmap(item);
  if (m_hDragImg == nullptr) return;
  const RECT rcItem = GetItemRect(item);
  const POINT hotSpot = {m_ptClick.x - rcItem.left, m_ptClick.y - rcItem.top};
  m_bDragImgShown = CDragWnd::BeginDrag(m_hDragImg, hotSpot, 0, 128, LWA_COLORKEY | LWA_ALPHA);
}

void SHeaderCtrl::SwapDragTo(POINT pt) {
  const DWORD hit = HitTest(pt);
  if (m_bDragImgShown) {
    // The picture slides along the strip at the height it was taken.
    RECT rc = {pt.x, m_ptClick.y, pt.x, m_ptClick.y};
    ContainerFrameToHost(rc);
    POINT screen = {rc.left, rc.top};
    if (HWND host = ContainerHostHwnd()) ::ClientToScreen(host, &screen);
    CDragWnd::DragMove(screen);
  }
  if (IsItemHover(hit) && hit != m_dwDragTo) {
    m_dwDragTo = hit;
    Invalidate();
  }
}

void SHeaderCtrl::ResizeTo(POINT pt) {
  const int item = LOWORD(m_dwHitTest);
  if (!IsIndex(item)) return;
  const long long wanted = static_cast<long long>(m_nAdjItemOldWidth) + pt.x - m_ptClick.x;
  const int width =
      static_cast<int>(std::min<long long>(std::max<long long>(wanted, 0), kMaxExtent));
  SLayoutSize& size = m_arrItems[item]->width;
  // The unit stays; a scaled unit holds the value that gives back this pixel width.
  if (size.unit == px) {
    size.fSize = static_cast<float>(width);
  } else {
    size.fSize = static_cast<float>(width) * 100.0f / static_cast<float>(GetScale());
  }
  Invalidate();
  UpdateWindow();
  EventHeaderItemChanging evt(this);
  evt.iItem = item;
  evt.nWidth = width;
  FireEvent(evt);
}

void SHeaderCtrl::OnLButtonUp(UINT, POINT pt) {
  const DWORD hit = m_dwHitTest;
  const BOOL dragged = m_bDragging;
  m_bDragging = FALSE;
  EndDragPicture();
  if (IsItemHover(hit)) {
    const int item = LOWORD(hit);
    if (dragged && m_bItemSwapEnable) {
      SetItemState(hit, 0);
      const DWORD to = m_dwDragTo;
      m_dwDragTo = kHitNone;
      m_dwHitTest = HitTest(pt);
      Invalidate();
      if (IsItemHover(to) && to != hit && IsIndex(item) && IsIndex(LOWORD(to))) {
        ItemPtr moved = std::move(m_arrItems[item]);
        m_arrItems.erase(m_arrItems.begin() + item);
        m_arrItems.insert(m_arrItems.begin() + LOWORD(to), std::move(moved));
        EventHeaderItemSwap evt(this);
        evt.iOldIndex = item;
        evt.iNewIndex = LOWORD(to);
        FireEvent(evt);
      }
    } else if (!dragged && m_bSortHeader) {
      SetItemState(hit, 1);
      EventHeaderClick evt(this);
      evt.iItem = item;
      FireEvent(evt);
    } else {
      // A drag that could not move the caption leaves it unpressed.
      SetItemState(hit, 0);
    }
  } else if (hit != kHitNone) {
    EventHeaderItemChanged evt(this);
    evt.iItem = LOWORD(hit);
    evt.nWidth = GetItemWidth(LOWORD(hit));
    FireEvent(evt);
  }
  ReleaseOwnCapture();
}

void SHeaderCtrl::OnMouseLeave() {
  if (m_bDragging) return;
  if (m_bSortHeader) SetItemState(m_dwHitTest, 0);
  m_dwHitTest = kHitNone;
}

void SHeaderCtrl::OnActivateApp() {
  if (m_bDragging) CancelDrag();
}

void SHeaderCtrl::OnDestroy() {
  // Else the picture would stay on the screen, and no later drag could start.
  if (m_bDragging) CancelDrag();
  DeleteAllItems();
  SWindow::OnDestroy();
}

void SHeaderCtrl::CancelDrag() {
  if (m_bSortHeader) SetItemState(m_dwHitTest, 0);
  m_dwHitTest = kHitNone;
  m_dwDragTo = kHitNone;
  EndDragPicture();
  m_bDragging = FALSE;
  ReleaseOwnCapture();
  Invalidate();
}

void SHeaderCtrl::ReleaseOwnCapture() {
  if (GetCapture() == m_swnd) ReleaseCapture();
}

void SHeaderCtrl::EndDragPicture() {
  if (m_bDragImgShown) CDragWnd::EndDrag();
  m_bDragImgShown = FALSE;
  if (m_hDragImg != nullptr) ::DeleteObject(m_hDragImg);
  m_hDragImg = nullptr;
}

HBITMAP SHeaderCtrl::MakeDragBitmap(int iItem) {
  SApplication* app = SApplication::getSingletonPtr();
  const RECT rcClient = GetClientRect();
  const int width = GetItemWidth(iItem);
  const int height = rcClient.bottom - rcClient.top;
  if (app == nullptr || app->GetRenderFactory() == nullptr || width <= 0 || height <= 0) {
    return nullptr;
  }
  IRenderTarget* made = nullptr;
  if (!app->GetRenderFactory()->CreateRenderTarget(&made, width, height)) return nullptr;
  SAutoRefPtr<IRenderTarget> rt;
  rt.Attach(made);
  BeforePaintEx(rt);
  const RECT rc = {0, 0, width, height};
  DrawItem(rt, rc, *m_arrItems[iItem]);

  HBITMAP bitmap = ::CreateBitmap(width, height, 1, 32, nullptr);
  if (bitmap == nullptr) return nullptr;
  HDC screen = ::GetDC(nullptr);
  HDC src = rt->GetDC(0);
  BOOL copied = FALSE;
  if (screen != nullptr && src != nullptr) {
    CMemDC mem(screen, bitmap);
    copied = mem.IsValid() && ::BitBlt(mem.GetDC(), 0, 0, width, height, src, 0, 0, SRCCOPY);
  }
  if (src != nullptr) rt->ReleaseDC(src);
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  if (!copied) {
    ::DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

}  // namespace SWUI
