// SHostWnd: painting into the memory target, pushing to the screen (BitBlt or the layered
// update), borrowed render targets, the caret and the translucent window's animation.
#include <algorithm>

#include "RenderFactoryUtil.h"
#include "core/SApplication.h"
#include "core/SHostWnd.h"

namespace SWUI {

// ---- painting ----------------------------------------------------------------------------

void SHostWnd::OnPrint(HDC dc, UINT flags) {
  m_lstNativeInvalid.clear();
  if (m_memRT == nullptr || m_rgnInvalidate == nullptr) return;
  SRootWindow* root = GetRoot();
  root->UpdateLayout();
  const RECT rcRoot = root->GetWindowRect();
  if (m_bNeedAllRepaint) {
    m_rgnInvalidate->Clear();
    m_bNeedAllRepaint = FALSE;
    m_bNeedRepaint = TRUE;
  }
  RECT rcInvalid = {0, 0, 0, 0};
  if (m_bNeedRepaint) {
    m_bNeedRepaint = FALSE;
    SPainter painter;
    root->BeforePaint(m_memRT, painter);
    SAutoRefPtr<IRegion> rgn = m_rgnInvalidate;
    m_rgnInvalidate = RenderFactoryUtil::NewRegion();
    if (m_rgnInvalidate == nullptr) m_rgnInvalidate = rgn;  // keep a region to collect into
    const bool whole = rgn->IsEmpty() != FALSE;
    if (whole) {
      rcInvalid = rcRoot;
      m_memRT->PushClipRect(&rcInvalid, RGN_COPY);
    } else {
      rgn->GetRgnBox(&rcInvalid);
      IntersectRect(&rcInvalid, &rcInvalid, &rcRoot);
      m_memRT->PushClipRegion(rgn, RGN_COPY);
    }
    m_memRT->ClearRect(&rcInvalid, 0);
    if (m_bCaretActive) DrawCaret(false);
    BuildWndTreeZorder();
    IRegion* area = whole ? nullptr : rgn.Get();
    if (IRenderTarget* background = m_staticBackground.Prepare(root, GetTreeStamp())) {
      m_memRT->BitBlt(&rcInvalid, background, rcInvalid.left, rcInvalid.top, SRCCOPY);
      root->RedrawRegion(m_memRT, area, SWindow::StaticPass::kSkipStatic);
    } else {
      root->RedrawRegion(m_memRT, area);
    }
    if (m_bCaretActive) DrawCaret(false);
    m_memRT->PopClip();
    root->AfterPaint(m_memRT, painter);
    if (rgn == m_rgnInvalidate) m_rgnInvalidate->Clear();
  } else {
    m_rgnInvalidate->GetRgnBox(&rcInvalid);
    m_rgnInvalidate->Clear();
  }
  if (flags != kPaintFromDummy) rcInvalid = rcRoot;

  // Elements that repaint themselves alone: what they push joins the dirty rectangle.
  m_bRendering = TRUE;
  for (size_t i = 0; i < m_lstUpdateSwnd.size(); ++i) {
    if (SWindow* wnd = SWindow::GetSwndFromHandle(m_lstUpdateSwnd[i])) wnd->Update();
  }
  for (const RECT& rc : m_lstUpdatedRect) UnionRect(&rcInvalid, &rcInvalid, &rc);
  m_lstUpdateSwnd.clear();
  m_lstUpdatedRect.clear();
  m_bRendering = FALSE;

  PushToScreen(dc, rcInvalid);
}

BOOL SHostWnd::PushToScreen(HDC dc, const RECT& rc) {
  if (m_memRT == nullptr || m_hWnd == nullptr) return FALSE;
  if (IsTranslucent() && dc == nullptr) return UpdateLayered(m_memRT, &rc, m_hostAttr.GetAlpha());
  if (IsRectEmpty(&rc)) return TRUE;
  HDC target = dc != nullptr ? dc : ::GetDC(m_hWnd);
  if (target == nullptr) return FALSE;
  HDC src = m_memRT->GetDC(0);
  const BOOL ok = ::BitBlt(target, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, src,
                           rc.left, rc.top, SRCCOPY);
  m_memRT->ReleaseDC(src);
  if (dc == nullptr) ::ReleaseDC(m_hWnd, target);
  return ok;
}

BOOL SHostWnd::UpdateLayered(IRenderTarget* surface, const RECT* rc, BYTE alpha) {
  SApplication* app = SApplication::getSingletonPtr();
  PFN_UpdateLayeredWindowIndirect update =
      app != nullptr ? app->GetUpdateLayeredWindowIndirect() : nullptr;
  if (update == nullptr || surface == nullptr) return FALSE;
  RECT rcWnd;
  ::GetWindowRect(m_hWnd, &rcWnd);
  POINT ptDst = {rcWnd.left, rcWnd.top};
  SIZE size = {rcWnd.right - rcWnd.left, rcWnd.bottom - rcWnd.top};
  POINT ptSrc = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  HDC src = surface->GetDC(0);
  UPDATELAYEREDWINDOWINFO info = {};
  info.cbSize = sizeof(info);
  info.pptDst = &ptDst;
  info.psize = &size;
  info.hdcSrc = src;
  info.pptSrc = &ptSrc;
  info.pblend = &blend;
  info.dwFlags = ULW_ALPHA;
  RECT dirty = {0, 0, size.cx, size.cy};
  if (rc != nullptr) IntersectRect(&dirty, &dirty, rc);
  info.prcDirty = &dirty;
  const BOOL ok = update(m_hWnd, &info);
  surface->ReleaseDC(src);
  return ok;
}

// ---- borrowed render targets -------------------------------------------------------------

IRenderTarget* SHostWnd::OnGetRenderTarget(const RECT& rc, DWORD gdcFlags) {
  if (gdcFlags != GRT_NODRAW && m_memRT != nullptr) {
    // What is drawn shows: the surface itself, clipped to the rectangle, serves as the copy
    // of its pixels that would be drawn on and copied back. The push saves the surface's
    // state (objects, colour, origin, clip), which the release brings back.
    if (m_bCaretActive) DrawCaret(false);  // the borrower sees the pixels without the caret
    m_memRT->PushClipRect(&rc, RGN_AND);
    m_memRT->AddRef();
    return m_memRT;
  }
  SAutoRefPtr<IRenderTarget> rt =
      RenderFactoryUtil::NewRenderTarget(rc.right - rc.left, rc.bottom - rc.top);
  if (rt == nullptr) return nullptr;
  rt->SetViewportOrg(POINT{-rc.left, -rc.top});
  return rt.Detach();
}

void SHostWnd::OnReleaseRenderTarget(IRenderTarget* pRT, const RECT& rc, DWORD gdcFlags) {
  if (gdcFlags != GRT_NODRAW && pRT == m_memRT) {
    m_memRT->PopClip();
    if (m_bCaretActive) DrawCaret(false);
    if (m_bRendering) {
      m_lstUpdatedRect.push_back(rc);
    } else {
      PushToScreen(nullptr, rc);
    }
  }
  pRT->Release();
}

// ---- caret -------------------------------------------------------------------------------

void SHostWnd::DrawCaret(bool push) {
  if (m_caret == nullptr || m_memRT == nullptr) return;
  const RECT rc = m_caret->Draw(m_memRT, m_ptCaret.x, m_ptCaret.y);
  if (push) {
    m_bCaretActive = !m_bCaretActive;
    if (!IsRectEmpty(&rc)) PushToScreen(nullptr, rc);
  }
}

BOOL SHostWnd::CreateCaret(SwndHandle owner, HBITMAP hBmp, int nWidth, int nHeight) {
  if (m_hWnd == nullptr) return FALSE;
  ::CreateCaret(m_hWnd, hBmp, nWidth, nHeight);
  ::HideCaret(m_hWnd);
  if (m_bCaretActive) DrawCaret(true);  // the old caret leaves no inverted pixels behind
  m_caret.Attach(new SCaret(owner, hBmp, nWidth, nHeight));
  return TRUE;
}

BOOL SHostWnd::ShowCaret(BOOL bShow) {
  m_bCaretShowing = bShow;
  if (m_hWnd == nullptr) return FALSE;
  if (bShow) {
    CSimpleWnd::SetTimer(RootTimerId(kTimerCaret), ::GetCaretBlinkTime());
    if (!m_bCaretActive) DrawCaret(true);
  } else {
    CSimpleWnd::KillTimer(RootTimerId(kTimerCaret));
    if (m_bCaretActive) DrawCaret(true);
  }
  return TRUE;
}

BOOL SHostWnd::SetCaretPos(int x, int y) {
  if (m_caret == nullptr) return FALSE;
  ::SetCaretPos(x, y);
  const bool redraw = m_bCaretShowing && m_bCaretActive;
  if (redraw) DrawCaret(true);
  m_ptCaret = POINT{x, y};
  if (redraw) DrawCaret(true);
  return TRUE;
}

// ---- animation ---------------------------------------------------------------------------

BOOL SHostWnd::AnimateHostWindow(DWORD dwTime, DWORD dwFlags) {
  if (!IsTranslucent()) return ::AnimateWindow(m_hWnd, dwTime, dwFlags);
  return AnimateTranslucent(dwTime, dwFlags);
}

BOOL SHostWnd::AnimateTranslucent(DWORD dwTime, DWORD dwFlags) {
  const bool slide = (dwFlags & AW_SLIDE) != 0;
  const bool center = (dwFlags & AW_CENTER) != 0;
  const bool blend = (dwFlags & AW_BLEND) != 0;
  if (!slide && !center && !blend) return FALSE;
  RECT rcClient;
  ::GetClientRect(m_hWnd, &rcClient);
  const int cx = rcClient.right;
  const int cy = rcClient.bottom;
  SAutoRefPtr<IRenderTarget> content = RenderFactoryUtil::NewRenderTarget(cx, cy);
  SAutoRefPtr<IRenderTarget> frame = RenderFactoryUtil::NewRenderTarget(cx, cy);
  if (content == nullptr || frame == nullptr) return FALSE;
  {
    SRootWindow* root = GetRoot();
    root->UpdateLayout();
    BuildWndTreeZorder();
    SPainter painter;
    root->BeforePaint(content, painter);
    root->RedrawRegion(content, nullptr);
    root->AfterPaint(content, painter);
  }
  const bool hide = (dwFlags & AW_HIDE) != 0;
  if (!hide) {
    UINT swp = SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW;
    if (!(dwFlags & AW_ACTIVATE)) swp |= SWP_NOACTIVATE;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, swp | SWP_NOZORDER);
  }
  // A time under one frame still runs one frame.
  const int frames = std::max<int>(1, static_cast<int>(dwTime / kFrameInterval));
  const BYTE alpha = m_hostAttr.GetAlpha();
  for (int i = 1; i <= frames; ++i) {
    // Showing runs the steps forward, hiding backwards (the last frame shows nothing).
    const int step = hide ? frames - i : i;
    RECT visible = rcClient;
    if (slide) {
      const int w = cx * step / frames;
      const int h = cy * step / frames;
      if (dwFlags & AW_HOR_POSITIVE) visible.right = w;
      if (dwFlags & AW_HOR_NEGATIVE) visible.left = cx - w;
      if (dwFlags & AW_VER_POSITIVE) visible.bottom = h;
      if (dwFlags & AW_VER_NEGATIVE) visible.top = cy - h;
    } else if (center) {
      const int dx = (cx / 2) * (frames - step) / frames;
      const int dy = (cy / 2) * (frames - step) / frames;
      InflateRect(&visible, -dx, -dy);
    }
    frame->ClearRect(&rcClient, 0);
    if (!IsRectEmpty(&visible))
      frame->BitBlt(&visible, content, visible.left, visible.top, SRCCOPY);
    const BYTE frameAlpha = blend ? static_cast<BYTE>(alpha * step / frames) : alpha;
    UpdateLayered(frame, nullptr, (!hide && i == frames) ? alpha : frameAlpha);
    if (i < frames) ::Sleep(kFrameInterval);
  }
  if (hide) ::ShowWindow(m_hWnd, SW_HIDE);
  return TRUE;
}

}  // namespace SWUI
