// SWindow: painting, invalidation, borrowed render targets, the cache and the layer.
#include <cwchar>

#include "RenderFactoryUtil.h"
#include "core/EventSwndSize.h"
#include "core/SLog.h"
#include "core/SWindow.h"

namespace SWUI {

namespace {

constexpr UINT kZorderEnd = 0xFFFFFFFF;
// The widest and highest surface an element's cache or layer may have. A rectangle that
// still holds a layout sentinel (an edge no rule resolved) is far beyond it, so no gigantic
// surface is ever attempted for it.
constexpr LONG kMaxSurfaceExtent = 0x7FFF;

bool SurfaceFits(const RECT& rc) {
  const LONG width = rc.right - rc.left;
  const LONG height = rc.bottom - rc.top;
  return width > 0 && height > 0 && width <= kMaxSurfaceExtent && height <= kMaxSurfaceExtent;
}

bool IsMarginEmpty(const RECT& margin) {
  return margin.left == 0 && margin.top == 0 && margin.right == 0 && margin.bottom == 0;
}

}  // namespace

// ---- the painting pass -------------------------------------------------------------------

void SWindow::RedrawRegion(IRenderTarget* pRT, IRegion* pRgn, StaticPass pass) {
  PaintRegionRange(pRT, pRgn, 0, kZorderEnd, pass);
}

void SWindow::PaintRegionFrom(IRenderTarget* pRT, IRegion* pRgn, UINT iZorderBegin,
                              UINT iZorderEnd) {
  BeforePaintEx(pRT);
  PaintRegionRange(pRT, pRgn, iZorderBegin, iZorderEnd);
}

void SWindow::PaintRegionRange(IRenderTarget* pRT, IRegion* pRgn, UINT iZorderBegin,
                               UINT iZorderEnd, StaticPass pass) {
  if (m_dwState & WndState_Invisible) return;
  // The cached background holds static elements under static parents only.
  if (pass == StaticPass::kOnlyStatic && m_staticParts == kStaticNone) return;
  RECT rcClient;
  GetClientRect(&rcClient);
  const bool hasRgn = pRgn != nullptr && !pRgn->IsEmpty();
  RECT rcArea = m_rcWindow;
  if (hasRgn) pRgn->GetRgnBox(&rcArea);
  RECT rcUnion;
  UnionRect(&rcUnion, &rcClient, &rcArea);
  const bool clientOnly = EqualRect(&rcUnion, &rcClient) != FALSE;

  IRenderTarget* pRTOuter = nullptr;
  bool layerClip = false;
  if (IsLayeredWindow()) {
    IRenderTarget* layer = GetLayerRenderTarget();
    if (layer == nullptr) return;  // a rectangle no layer can cover: nothing to show
    if (layer != pRT) {
      layer->SelectObject(pRT->GetCurrentObject(OT_FONT), nullptr);
      layer->SetTextColor(pRT->GetTextColor());
      if (hasRgn) {
        layer->PushClipRegion(pRgn, RGN_COPY);
        layerClip = true;
      }
      layer->ClearRect(&m_rcWindow, 0);
      pRTOuter = pRT;
      pRT = layer;
    }
  }
  if (m_shapeRgn != nullptr) {
    m_shapeRgn->Offset(POINT{m_rcWindow.left, m_rcWindow.top});
    pRT->PushClipRegion(m_shapeRgn, RGN_AND);
    m_shapeRgn->Offset(POINT{-m_rcWindow.left, -m_rcWindow.top});
  }
  const BOOL clipClient = IsClipClient();
  if (clipClient) pRT->PushClipRect(&rcClient, RGN_AND);

  const bool inRange = iZorderBegin <= m_uZorder && m_uZorder < iZorderEnd;
  if (inRange && DrawsPart(pass, kStaticClient) && (!hasRgn || pRgn->RectInRegion(&rcClient))) {
    PaintClient(pRT);
  }

  SPainter painter;
  BeforePaint(pRT, painter);
  for (SWindow* child = m_pFirstChild; child != nullptr && child->m_uZorder < iZorderEnd;
       child = child->m_pNextSibling) {
    // Nothing of a subtree wholly outside the area would show: an element paints its client
    // and frame only where they meet the region.
    RECT touched;
    if (hasRgn && child->m_bSubtreeKnown &&
        !IntersectRect(&touched, &child->m_rcSubtree, &rcArea)) {
      continue;
    }
    bool paint = child->m_uZorder >= iZorderBegin;
    if (!paint && child->m_pNextSibling != nullptr) {
      paint = child->m_pNextSibling->m_uZorder > iZorderBegin;
    } else if (!paint) {
      // The last child: its subtree reaches as far as its deepest last descendant.
      const SWindow* deepest = child;
      while (deepest->m_pLastChild != nullptr) deepest = deepest->m_pLastChild;
      paint = deepest->m_uZorder >= iZorderBegin;
    }
    if (paint) child->PaintRegionRange(pRT, pRgn, iZorderBegin, iZorderEnd, pass);
  }
  AfterPaint(pRT, painter);

  if (clipClient) pRT->PopClip();
  if (m_shapeRgn != nullptr) pRT->PopClip();
  if (inRange && !clientOnly && DrawsPart(pass, kStaticNonClient) &&
      (!hasRgn || pRgn->RectInRegion(&m_rcWindow))) {
    PaintNonClient(pRT);
  }
  if (pRTOuter != nullptr) {
    if (layerClip) pRT->PopClip();
    pRTOuter->AlphaBlend(&m_rcWindow, pRT, &m_rcWindow, m_style.GetAlpha());
    pRTOuter->SelectObject(pRT->GetCurrentObject(OT_FONT), nullptr);
  }
}

bool SWindow::DrawsPart(StaticPass pass, StaticPart part) const {
  const bool cached = (m_staticParts & part) != 0;
  if (pass == StaticPass::kOnlyStatic) return cached;
  if (pass == StaticPass::kSkipStatic) return !cached;
  return true;
}

BOOL SWindow::IsStaticContent() const {
  // A plain window (not a subclass, whose drawing may depend on more) that cannot show focus.
  return std::wcscmp(GetObjectClass(), SWindow::ClassName()) == 0 && !IsFocusable();
}

void SWindow::PaintClient(IRenderTarget* pRT) {
  if (!IsDrawToCache()) {
    SSendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(pRT));
    SSendMessage(WM_PAINT, reinterpret_cast<WPARAM>(pRT));
    return;
  }
  if (m_cacheRT == nullptr) return;
  if (m_dwFlags & SWF_CACHEDIRTY) {
    IRenderTarget* cache = m_cacheRT;
    cache->ClearRect(&m_rcWindow, 0);
    SAutoRefPtr<IRenderObj> oldFont;
    IRenderObj* old = nullptr;
    cache->SelectObject(pRT->GetCurrentObject(OT_FONT), &old);
    oldFont.Attach(old);
    const COLORREF oldColor = cache->SetTextColor(pRT->GetTextColor());
    SSendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(cache));
    SSendMessage(WM_PAINT, reinterpret_cast<WPARAM>(cache));
    cache->SelectObject(oldFont, nullptr);
    cache->SetTextColor(oldColor);
    m_dwFlags &= ~SWF_CACHEDIRTY;
  }
  RECT rcClip;
  pRT->GetClipBox(&rcClip);
  if (IntersectRect(&rcClip, &rcClip, &m_rcWindow)) {
    pRT->AlphaBlend(&rcClip, m_cacheRT, &rcClip, IsLayeredWindow() ? 0xFF : m_style.GetAlpha());
  }
}

void SWindow::PaintNonClient(IRenderTarget* pRT) {
  RECT rcClient;
  GetClientRect(&rcClient);
  if (EqualRect(&rcClient, &m_rcWindow)) return;
  if (IsDrawToCache()) {
    if (m_cacheRT == nullptr) return;
    SSendMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(m_cacheRT.Get()));
    int saved = 0;
    pRT->SaveClip(&saved);
    pRT->ExcludeClipRect(&rcClient);
    if (m_shapeRgn != nullptr) {
      m_shapeRgn->Offset(POINT{m_rcWindow.left, m_rcWindow.top});
      pRT->PushClipRegion(m_shapeRgn, RGN_AND);
      m_shapeRgn->Offset(POINT{-m_rcWindow.left, -m_rcWindow.top});
    }
    pRT->AlphaBlend(&m_rcWindow, m_cacheRT, &m_rcWindow,
                    IsLayeredWindow() ? 0xFF : m_style.GetAlpha());
    pRT->RestoreClip(saved);
    return;
  }
  if (m_shapeRgn != nullptr) {
    m_shapeRgn->Offset(POINT{m_rcWindow.left, m_rcWindow.top});
    pRT->PushClipRegion(m_shapeRgn, RGN_AND);
    m_shapeRgn->Offset(POINT{-m_rcWindow.left, -m_rcWindow.top});
  }
  SSendMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(pRT));
  if (m_shapeRgn != nullptr) pRT->PopClip();
}

void SWindow::BeforePaintEx(IRenderTarget* pRT) {
  if (m_pParent != nullptr) m_pParent->BeforePaintEx(pRT);
  SPainter painter;
  BeforePaint(pRT, painter);
}

void SWindow::BeforePaint(IRenderTarget* pRT, SPainter& painter) {
  SelectStateStyle(pRT, GetStateIndex(), painter);
}

void SWindow::SelectStateStyle(IRenderTarget* pRT, int state, SPainter& painter) const {
  if (IFont* font = m_style.GetTextFont(state)) {
    IRenderObj* old = nullptr;
    pRT->SelectObject(font, &old);
    painter.oldFont.Attach(old);
  }
  const COLORREF color = m_style.GetTextColor(state);
  if (color != CR_INVALID) painter.oldTextColor = pRT->SetTextColor(color);
}

void SWindow::AfterPaint(IRenderTarget* pRT, SPainter& painter) {
  if (painter.oldFont != nullptr) pRT->SelectObject(painter.oldFont, nullptr);
  if (painter.oldTextColor != CR_INVALID) pRT->SetTextColor(painter.oldTextColor);
}

// ---- the default handlers ----------------------------------------------------------------

BOOL SWindow::OnEraseBkgnd(IRenderTarget* pRT) {
  RECT rc;
  GetClientRect(&rc);
  if (m_pBgSkin != nullptr) {
    int state = GetStateIndex();
    if (state >= m_pBgSkin->GetStates()) state = 0;
    m_pBgSkin->Draw(pRT, &rc, state);
  } else if (m_style.GetBkgndColor() != CR_INVALID) {
    pRT->FillSolidRect(&rc, m_style.GetBkgndColor());
  }
  return TRUE;
}

void SWindow::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  RECT rc;
  GetTextRect(&rc);
  const SStringW text = GetWindowText(FALSE);
  DrawText(pRT, text, text.GetLength(), &rc, GetTextAlign());
  if (IsFocused()) DrawFocus(pRT);
  AfterPaint(pRT, painter);
}

void SWindow::OnNcPaint(IRenderTarget* pRT) {
  if (!IsVisible(TRUE)) return;
  RECT margin;
  m_style.GetMargin(&margin);
  if (IsMarginEmpty(margin)) return;
  RECT rcClient;
  GetClientRect(&rcClient);
  int saved = 0;
  pRT->SaveClip(&saved);
  pRT->ExcludeClipRect(&rcClient);
  if (m_pNcSkin != nullptr) {
    int state = (m_dwState & WndState_Hover) ? 1 : 0;
    if (state >= m_pNcSkin->GetStates()) state = 0;
    m_pNcSkin->Draw(pRT, &m_rcWindow, state);
  } else if (m_style.GetBorderColor() != CR_INVALID) {
    pRT->FillSolidRect(&m_rcWindow, m_style.GetBorderColor());
  }
  pRT->RestoreClip(saved);
}

void SWindow::DrawText(IRenderTarget* pRT, LPCWSTR pszBuf, int cchText, LPRECT pRect,
                       UINT uFormat) {
  pRT->DrawText(pszBuf, cchText, pRect, uFormat);
}

void SWindow::DrawFocus(IRenderTarget* pRT) {
  if (!IsFocusable() || !(m_dwFlags & SWF_DRAWFOCUSRECT)) return;
  RECT rc;
  GetTextRect(&rc);
  DrawDefFocusRect(pRT, rc);
}

void SWindow::DrawDefFocusRect(IRenderTarget* pRT, const RECT& rcFocus) {
  // Until the keyboard is used, the host hides focus rectangles.
  HWND host = ContainerHostHwnd();
  if (host != nullptr && (::SendMessageW(host, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) return;
  RECT rc = rcFocus;
  InflateRect(&rc, -2, -2);
  SAutoRefPtr<IPen> pen;
  IPen* made = nullptr;
  pRT->CreatePen(PS_DOT, 0xFF585858, 1, &made);
  pen.Attach(made);
  if (pen == nullptr) return;
  IRenderObj* old = nullptr;
  pRT->SelectObject(pen, &old);
  SAutoRefPtr<IRenderObj> oldPen;
  oldPen.Attach(old);
  pRT->DrawRectangle(&rc);
  pRT->SelectObject(oldPen, nullptr);
}

BOOL SWindow::IsDrawToCache() const {
  if (m_dwFlags & SWF_CACHE) return TRUE;
  return !IsLayeredWindow() && m_style.GetAlpha() < 0xFF;
}

// ---- invalidation ------------------------------------------------------------------------

void SWindow::InvalidateRect(const RECT& rect, BOOL bFromThis) {
  if (bFromThis) m_dwFlags |= SWF_CACHEDIRTY;
  if ((m_dwState & WndState_Invisible) || IsUpdateLocked()) return;
  RECT rc;
  if (!IntersectRect(&rc, &rect, &m_rcWindow)) return;
  if (m_style.IsBkgndBlend()) {
    // What lies below shows through: only the parent (finally the host) can repaint it.
    if (m_pParent != nullptr) {
      m_pParent->InvalidateRect(rc, FALSE);
    } else if (m_pContainer != nullptr) {
      m_pContainer->OnRedraw(rc);
    }
    return;
  }
  if (m_invalidRgn == nullptr) m_invalidRgn = RenderFactoryUtil::NewRegion();
  if (m_invalidRgn == nullptr) return;
  m_invalidRgn->CombineRect(&rc, RGN_OR);
  if (HWND host = ContainerHostHwnd()) ::SendMessageW(host, UM_UPDATESWND, m_swnd, 0);
}

void SWindow::InvalidateRect(LPCRECT lprect) {
  InvalidateRect(lprect != nullptr ? *lprect : m_rcWindow);
}

void SWindow::Invalidate() { InvalidateRect(GetClientRect()); }

void SWindow::Update() {
  if (m_style.IsBkgndBlend() || m_invalidRgn == nullptr || m_invalidRgn->IsEmpty()) return;
  SAutoRefPtr<IRegion> rgn;
  rgn.Attach(m_invalidRgn.Detach());
  RECT box;
  rgn->GetRgnBox(&box);
  if (!IsVisible(TRUE)) return;
  IRenderTarget* pRT = GetRenderTarget(&box, GRT_OFFSCREEN, TRUE);
  if (pRT == nullptr) return;
  pRT->PushClipRegion(rgn, RGN_AND);
  SSendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(pRT));
  SSendMessage(WM_PAINT, reinterpret_cast<WPARAM>(pRT));
  PaintForegroundFromRoot(pRT, &box);
  pRT->PopClip();
  ReleaseRenderTarget(pRT);
}

void SWindow::UpdateWindow() {
  if (m_pContainer != nullptr) m_pContainer->UpdateWindow();
}

// ---- borrowed render targets -------------------------------------------------------------

IRenderTarget* SWindow::GetRenderTarget(LPCRECT pRc, DWORD gdcFlags, BOOL bClientRT) {
  RECT rc = bClientRT ? GetClientRect() : m_rcWindow;
  if (pRc != nullptr) IntersectRect(&rc, &rc, pRc);
  SAutoRefPtr<IRegion> rgn = RenderFactoryUtil::NewRegion();
  if (rgn == nullptr) return nullptr;
  rgn->CombineRect(&rc, RGN_COPY);
  for (const SWindow* p = m_pParent; p != nullptr; p = p->m_pParent) {
    RECT box;
    rgn->GetRgnBox(&box);
    RECT rcParent;
    p->GetClientRect(&rcParent);
    IntersectRect(&box, &box, &rcParent);
    rgn->CombineRect(&box, RGN_AND);
  }
  RECT box;
  rgn->GetRgnBox(&box);
  return BeginRenderTarget(box, gdcFlags, rgn);
}

IRenderTarget* SWindow::BeginRenderTarget(const RECT& rcBox, DWORD gdcFlags, IRegion* pRgn) {
  if (m_paintRecord != nullptr) {
    // A second borrow would lose the first record and unbalance the lent target's clips.
    SLog::Write(LOG_LEVEL_WARN, "swui", __FILE__, __LINE__, "SWUI::SWindow::GetRenderTarget",
                "GetRenderTarget refused: the element's render target is still borrowed");
    return nullptr;
  }
  if (m_pContainer == nullptr) return nullptr;
  SWindow* layered = GetLayeredAncestor();
  m_pContainer->BuildWndTreeZorder();
  IRenderTarget* pRT = layered != nullptr ? layered->GetLayerRenderTarget()
                                          : m_pContainer->OnGetRenderTarget(rcBox, gdcFlags);
  if (pRT == nullptr) return nullptr;
  m_paintRecord.reset(new PaintRecord{rcBox, gdcFlags, pRgn, pRT, layered});
  pRT->PushClipRegion(pRgn, RGN_COPY);
  if (gdcFlags == GRT_PAINTBKGND) {
    pRT->ClearRect(&rcBox, 0);
    SWindow* from = layered != nullptr ? layered : GetTopLevelParent();
    from->PaintRegionFrom(pRT, pRgn, 0, m_uZorder);
  }
  BeforePaintEx(pRT);
  return pRT;
}

void SWindow::ReleaseRenderTarget(IRenderTarget* pRT) {
  if (m_paintRecord == nullptr || m_paintRecord->pRT != pRT) return;
  std::unique_ptr<PaintRecord> record = std::move(m_paintRecord);
  if (record->gdcFlags == GRT_PAINTBKGND) {
    SWindow* from = record->pLayered != nullptr ? record->pLayered : GetTopLevelParent();
    from->PaintRegionRange(pRT, record->rgn, m_uZorder + 1, kZorderEnd);
  }
  pRT->PopClip();
  if (record->pLayered == nullptr) {
    if (m_pContainer != nullptr)
      m_pContainer->OnReleaseRenderTarget(pRT, record->rcBox, record->gdcFlags);
  } else if (record->gdcFlags != GRT_NODRAW) {
    ComposeLayer(record->pLayered, *record);
  }
}

// Puts a layer whose content changed back into the host: what lies below the layered
// element, the layer at the element's alpha, and what lies above.
void SWindow::ComposeLayer(SWindow* pLayered, const PaintRecord& record) {
  if (m_pContainer == nullptr) return;
  bool hasNext = false;
  UINT nextZorder = 0;
  for (const SWindow* p = pLayered; p != nullptr; p = p->m_pParent) {
    if (p->m_pNextSibling != nullptr) {
      hasNext = true;
      nextZorder = p->m_pNextSibling->m_uZorder;
      break;
    }
  }
  IRenderTarget* host = m_pContainer->OnGetRenderTarget(record.rcBox, GRT_OFFSCREEN);
  if (host == nullptr) return;
  host->PushClipRegion(record.rgn, RGN_AND);
  host->ClearRect(&record.rcBox, 0);
  SWindow* root = GetTopLevelParent();
  root->PaintRegionFrom(host, record.rgn, 0, pLayered->m_uZorder);
  host->AlphaBlend(&record.rcBox, pLayered->m_layerRT, &record.rcBox, pLayered->m_style.GetAlpha());
  if (hasNext) root->PaintRegionFrom(host, record.rgn, nextZorder, kZorderEnd);
  host->PopClip();
  m_pContainer->OnReleaseRenderTarget(host, record.rcBox, GRT_OFFSCREEN);
}

void SWindow::PaintFromRoot(IRenderTarget* pRT, LPCRECT pRc, SWindow* pFrom, UINT iBegin, UINT iEnd,
                            bool bClear) {
  RECT rc = m_rcWindow;
  if (pRc != nullptr) IntersectRect(&rc, &rc, pRc);
  pRT->PushClipRect(&rc, RGN_AND);
  if (bClear) pRT->ClearRect(&rc, 0);
  SAutoRefPtr<IRegion> rgn = RenderFactoryUtil::NewRegion();
  if (rgn != nullptr) rgn->CombineRect(&rc, RGN_COPY);
  pFrom->PaintRegionFrom(pRT, rgn, iBegin, iEnd);
  pRT->PopClip();
}

// The tree is numbered before the element's own number is read: an element inserted since
// the last numbering (a page switch's slider) would otherwise paint from a stale place.
void SWindow::PaintBackground(IRenderTarget* pRT, LPCRECT pRc) {
  if (m_pContainer != nullptr) m_pContainer->BuildWndTreeZorder();
  PaintFromRoot(pRT, pRc, GetTopLevelParent(), 0, m_uZorder, true);
}

void SWindow::PaintForeground(IRenderTarget* pRT, LPCRECT pRc) {
  if (m_pContainer != nullptr) m_pContainer->BuildWndTreeZorder();
  SWindow* from = m_pParent != nullptr ? m_pParent : this;
  PaintFromRoot(pRT, pRc, from, m_uZorder + 1, kZorderEnd, false);
}

void SWindow::PaintForegroundFromRoot(IRenderTarget* pRT, LPCRECT pRc) {
  if (m_pContainer != nullptr) m_pContainer->BuildWndTreeZorder();
  PaintFromRoot(pRT, pRc, GetTopLevelParent(), m_uZorder + 1, kZorderEnd, false);
}

void SWindow::RedrawNonClient() {
  if (m_pContainer == nullptr) return;
  RECT rcClient;
  GetClientRect(&rcClient);
  if (EqualRect(&rcClient, &m_rcWindow)) return;
  SAutoRefPtr<IRegion> rgn = RenderFactoryUtil::NewRegion();
  if (rgn == nullptr) return;
  rgn->CombineRect(&m_rcWindow, RGN_COPY);
  rgn->CombineRect(&rcClient, RGN_DIFF);
  if (m_shapeRgn != nullptr) {
    m_shapeRgn->Offset(POINT{m_rcWindow.left, m_rcWindow.top});
    rgn->CombineRgn(m_shapeRgn, RGN_AND);
    m_shapeRgn->Offset(POINT{-m_rcWindow.left, -m_rcWindow.top});
  }
  if (rgn->IsEmpty()) return;
  RECT box;
  rgn->GetRgnBox(&box);
  IRenderTarget* pRT = BeginRenderTarget(box, GRT_OFFSCREEN, rgn);
  if (pRT == nullptr) return;
  PaintBackground(pRT, &m_rcWindow);
  SSendMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(pRT));
  PaintForegroundFromRoot(pRT, &m_rcWindow);
  ReleaseRenderTarget(pRT);
}

// ---- cache and layer ---------------------------------------------------------------------

bool SWindow::PrepareSurface(SAutoRefPtr<IRenderTarget>& surface) {
  if (!SurfaceFits(m_rcWindow)) {
    surface.Reset();
    return false;
  }
  const SIZE size = {m_rcWindow.right - m_rcWindow.left, m_rcWindow.bottom - m_rcWindow.top};
  if (surface == nullptr) {
    surface = RenderFactoryUtil::NewRenderTarget(size.cx, size.cy);
    if (surface == nullptr) return false;
  } else {
    surface->Resize(size);
  }
  surface->SetViewportOrg(POINT{-m_rcWindow.left, -m_rcWindow.top});
  return true;
}

void SWindow::UpdateCacheMode() {
  if (IsDrawToCache() && m_cacheRT == nullptr) {
    if (PrepareSurface(m_cacheRT)) m_dwFlags |= SWF_CACHEDIRTY;
  } else if (!IsDrawToCache() && m_cacheRT != nullptr) {
    m_cacheRT.Reset();
  }
}

void SWindow::UpdateLayeredWindowMode() {
  if (IsLayeredWindow() && m_layerRT == nullptr) {
    PrepareSurface(m_layerRT);
  } else if (!IsLayeredWindow() && m_layerRT != nullptr) {
    m_layerRT.Reset();
  }
}

IRenderTarget* SWindow::GetLayerRenderTarget() {
  if (m_layerRT == nullptr) PrepareSurface(m_layerRT);
  return m_layerRT;
}

SWindow* SWindow::GetLayeredAncestor() const {
  for (const SWindow* p = this; p != nullptr; p = p->m_pParent) {
    if (p->IsLayeredWindow()) return const_cast<SWindow*>(p);
  }
  return nullptr;
}

void SWindow::OnSize(UINT, SIZE size) {
  if (IsDrawToCache() && PrepareSurface(m_cacheRT)) m_dwFlags |= SWF_CACHEDIRTY;
  if (IsLayeredWindow()) PrepareSurface(m_layerRT);
  EventSwndSize evt(this);
  evt.width = size.cx;
  evt.height = size.cy;
  FireEvent(evt);
}

void SWindow::SetShapeRegion(IRegion* pRgn, BOOL bUpdate) {
  m_shapeRgn.Reset();
  if (pRgn != nullptr) {
    m_shapeRgn = RenderFactoryUtil::NewRegion();
    if (m_shapeRgn != nullptr) m_shapeRgn->CombineRgn(pRgn, RGN_COPY);
  }
  if (bUpdate) InvalidateRect(m_rcWindow);
}

BOOL SWindow::CopyShapeRegion(IRegion* pDest) const {
  if (m_shapeRgn == nullptr || pDest == nullptr) return FALSE;
  pDest->CombineRgn(m_shapeRgn, RGN_COPY);
  return TRUE;
}

}  // namespace SWUI
