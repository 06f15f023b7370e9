#include "SRenderTarget_GDI.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <optional>
#include <vector>

#include "SBitmap_GDI.h"
#include "SBrush_GDI.h"
#include "SFont_GDI.h"
#include "SGdiAlphaLayer.h"
#include "SPen_GDI.h"
#include "SRegion_GDI.h"
#include "base/AlphaChannelBackup.h"

namespace SWUI {

namespace {

constexpr COLORREF kOutside = 0x00FFFFFF;

SPen_GDI* PenOf(IRenderObj* obj) { return static_cast<SPen_GDI*>(static_cast<IPen*>(obj)); }
SBrush_GDI* BrushOf(IRenderObj* obj) {
  return static_cast<SBrush_GDI*>(static_cast<IBrush*>(obj));
}
SBitmap_GDI* BitmapOf(IRenderObj* obj) {
  return static_cast<SBitmap_GDI*>(static_cast<IBitmap*>(obj));
}
SFont_GDI* FontOf(IRenderObj* obj) { return static_cast<SFont_GDI*>(static_cast<IFont*>(obj)); }

// The alpha a brush draws with: opaque for a bitmap brush, the colour's alpha for a solid one.
BYTE BrushAlpha(IBrush* brush) {
  if (brush == nullptr) return 0xFF;
  SBrush_GDI* b = BrushOf(brush);
  return b->IsBitmap() ? 0xFF : GetAValue(b->GetColor());
}

BYTE PenAlpha(IPen* pen) { return pen == nullptr ? 0xFF : GetAValue(PenOf(pen)->GetColor()); }
int PenWidth(IPen* pen) { return pen == nullptr ? 1 : PenOf(pen)->GetWidth(); }

// Selects a GDI object for the lifetime of the scope.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
  ~ScopedSelect() {
    if (old_ != nullptr) ::SelectObject(dc_, old_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A solid brush of a colour's low 24 bits and the null pen, selected into a device context
// for the lifetime of the scope: a shape filled in one colour without an outline.
class SolidFill {
 public:
  SolidFill(HDC dc, COLORREF cr) : brush_(::CreateSolidBrush(cr & 0x00FFFFFF)) {
    if (brush_ == nullptr) return;
    dc_ = dc;
    oldBrush_ = ::SelectObject(dc, brush_);
    oldPen_ = ::SelectObject(dc, GetStockObject(NULL_PEN));
  }
  ~SolidFill() {
    if (brush_ == nullptr) return;
    if (oldPen_ != nullptr) ::SelectObject(dc_, oldPen_);
    if (oldBrush_ != nullptr) ::SelectObject(dc_, oldBrush_);
    DeleteObject(brush_);
  }
  SolidFill(const SolidFill&) = delete;
  SolidFill& operator=(const SolidFill&) = delete;
  bool Ready() const { return brush_ != nullptr; }

 private:
  HBRUSH brush_;
  HDC dc_ = nullptr;
  HGDIOBJ oldBrush_ = nullptr;
  HGDIOBJ oldPen_ = nullptr;
};

// A bitmap selected for reading into the target's source device context for the lifetime of
// the scope. A bitmap is selected into one device context at a time: when it is another
// target's surface (or this target's own), the context gets a copy of its pixels instead, so
// that it is drawn from its bits all the same.
class SourceDC {
 public:
  SourceDC(HDC dc, IBitmap* bmp) : dc_(dc) {
    if (dc_ == nullptr) return;
    old_ = ::SelectObject(dc_, BitmapOf(bmp)->GetBitmap());
    if (old_ == nullptr) SelectCopy(bmp);
  }
  ~SourceDC() {
    if (old_ != nullptr) ::SelectObject(dc_, old_);
    if (copy_ != nullptr) DeleteObject(copy_);
  }
  SourceDC(const SourceDC&) = delete;
  SourceDC& operator=(const SourceDC&) = delete;
  // Null when the bitmap has no pixels or there is no source context.
  HDC Get() const { return old_ != nullptr ? dc_ : nullptr; }

 private:
  void SelectCopy(IBitmap* bmp) {
    const void* pixels = bmp->GetPixelBits();
    if (pixels == nullptr) return;
    void* bits = nullptr;
    copy_ = SBitmap_GDI::CreateDIB32(static_cast<int>(bmp->Width()),
                                     static_cast<int>(bmp->Height()), &bits);
    if (copy_ == nullptr) return;
    memcpy(bits, pixels, static_cast<size_t>(bmp->Width()) * bmp->Height() * 4);
    old_ = ::SelectObject(dc_, copy_);
  }

  HDC dc_;
  HGDIOBJ old_ = nullptr;
  HBITMAP copy_ = nullptr;
};

// Saves the alpha bytes of an area for the lifetime of the scope, so that a GDI call made
// meanwhile changes colour only.
class ScopedAlphaBackup {
 public:
  ScopedAlphaBackup(HDC dc, const RECT& rc) { BackupAlphaChannel(dc, &rc, &backup_); }
  ~ScopedAlphaBackup() {
    GdiFlush();
    RestoreAlphaChannel(&backup_);
  }
  ScopedAlphaBackup(const ScopedAlphaBackup&) = delete;
  ScopedAlphaBackup& operator=(const ScopedAlphaBackup&) = delete;

 private:
  AlphaChannelBackup backup_{};
};

RECT Inflated(const RECT& rc, int d) { return RECT{rc.left - d, rc.top - d, rc.right + d, rc.bottom + d}; }

}  // namespace

SRenderTarget_GDI::SRenderTarget_GDI(IRenderFactory* pRenderFactory, int nWid, int nHei)
    : factory_(pRenderFactory) {
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ != nullptr) {
    SetBkMode(dc_, TRANSPARENT);
    SetGraphicsMode(dc_, GM_ADVANCED);
    original_[OT_PEN] = ::GetCurrentObject(dc_, OBJ_PEN);
    original_[OT_BRUSH] = ::GetCurrentObject(dc_, OBJ_BRUSH);
    original_[OT_BITMAP] = ::GetCurrentObject(dc_, OBJ_BITMAP);
    original_[OT_FONT] = ::GetCurrentObject(dc_, OBJ_FONT);
  }
  srcDC_ = CreateCompatibleDC(nullptr);

  IPen* pen = nullptr;
  if (SUCCEEDED(CreatePen(PS_SOLID, 0xFF000000, 1, &pen)) && pen != nullptr) {
    defPen_.Attach(pen);
    SelectObject(pen, nullptr);
  }
  IBrush* brush = nullptr;
  if (SUCCEEDED(CreateSolidColorBrush(0xFF000000, &brush)) && brush != nullptr) {
    defBrush_.Attach(brush);
    SelectObject(brush, nullptr);
  }
  if (pRenderFactory != nullptr) {
    LOGFONTW lf{};
    lf.lfHeight = 20;
    wcscpy(lf.lfFaceName, L"\x5B8B\x4F53");
    IFont* font = nullptr;
    if (pRenderFactory->CreateFont(&font, lf) && font != nullptr) {
      defFont_.Attach(font);
      SelectObject(font, nullptr);
    }
    IBitmap* bmp = nullptr;
    if (pRenderFactory->CreateBitmap(&bmp) && bmp != nullptr) {
      defBmp_.Attach(bmp);
      bmp->Init(nWid, nHei, nullptr);
      SelectObject(bmp, nullptr);
    }
  }
}

SRenderTarget_GDI::~SRenderTarget_GDI() {
  // The device context goes first, so that no selected object is still in use when the
  // counted references below release it.
  if (dc_ != nullptr) DeleteDC(dc_);
  if (srcDC_ != nullptr) DeleteDC(srcDC_);
}

HGDIOBJ SRenderTarget_GDI::SelectableHandle(IRenderObj* pObj) const {
  HGDIOBJ handle = HandleOf(pObj);
  if (handle != nullptr) return handle;
  const int type = pObj->ObjectType();
  return type >= OT_PEN && type <= OT_FONT ? original_[type] : nullptr;
}

HGDIOBJ SRenderTarget_GDI::HandleOf(IRenderObj* pObj) {
  switch (pObj->ObjectType()) {
    case OT_PEN:
      return PenOf(pObj)->GetPen();
    case OT_BRUSH:
      return BrushOf(pObj)->GetBrush();
    case OT_BITMAP:
      return BitmapOf(pObj)->GetBitmap();
    case OT_FONT:
      return FontOf(pObj)->GetFont();
    default:
      return nullptr;
  }
}

HRESULT SRenderTarget_GDI::CreateCompatibleRenderTarget(SIZE szTarget,
                                                        IRenderTarget** ppRenderTarget) {
  if (ppRenderTarget == nullptr) return E_INVALIDARG;
  *ppRenderTarget = new SRenderTarget_GDI(factory_, szTarget.cx, szTarget.cy);
  return S_OK;
}

HRESULT SRenderTarget_GDI::CreatePen(int iStyle, COLORREF cr, int cWidth, IPen** ppPen) {
  if (ppPen == nullptr) return E_INVALIDARG;
  *ppPen = new SPen_GDI(factory_, iStyle, cr, cWidth);
  return S_OK;
}

HRESULT SRenderTarget_GDI::CreateSolidColorBrush(COLORREF cr, IBrush** ppBrush) {
  if (ppBrush == nullptr) return E_INVALIDARG;
  *ppBrush = SBrush_GDI::CreateSolidBrush(factory_, cr);
  return *ppBrush != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT SRenderTarget_GDI::CreateBitmapBrush(IBitmap* pBmp, IBrush** ppBrush) {
  if (ppBrush == nullptr || pBmp == nullptr) return E_INVALIDARG;
  *ppBrush = SBrush_GDI::CreateBitmapBrush(factory_, BitmapOf(pBmp)->GetBitmap());
  return *ppBrush != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT SRenderTarget_GDI::CreateRegion(IRegion** ppRegion) {
  if (ppRegion == nullptr) return E_INVALIDARG;
  *ppRegion = nullptr;
  if (!factory_ || !factory_->CreateRegion(ppRegion) || *ppRegion == nullptr) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT SRenderTarget_GDI::Resize(SIZE sz) {
  writer_.Forget();
  if (!curBmp_) return E_UNEXPECTED;
  // The bitmap cannot be remade while selected: hold a placeholder meanwhile.
  HBITMAP placeholder = CreateCompatibleBitmap(dc_, 0, 0);
  ::SelectObject(dc_, placeholder);
  const HRESULT hr = curBmp_->Init(sz.cx, sz.cy, nullptr);
  ::SelectObject(dc_, SelectableHandle(curBmp_));
  if (placeholder != nullptr) DeleteObject(placeholder);
  // The layers' scratch surface grows again to what the new size needs.
  scratch_.Free();
  return hr;
}

HRESULT SRenderTarget_GDI::OffsetViewportOrg(int xOff, int yOff, LPPOINT lpPoint) {
  writer_.Forget();
  if (lpPoint != nullptr) *lpPoint = origin_;
  origin_.x += xOff;
  origin_.y += yOff;
  ::SetViewportOrgEx(dc_, origin_.x, origin_.y, nullptr);
  return S_OK;
}

HRESULT SRenderTarget_GDI::GetViewportOrg(LPPOINT lpPoint) {
  if (lpPoint != nullptr) *lpPoint = origin_;
  return S_OK;
}

HRESULT SRenderTarget_GDI::SetViewportOrg(POINT pt) {
  writer_.Forget();
  origin_ = pt;
  ::SetViewportOrgEx(dc_, origin_.x, origin_.y, nullptr);
  return S_OK;
}

int SRenderTarget_GDI::SaveState() {
  const int level = ::SaveDC(dc_);
  if (level == 0) return 0;
  SavedState state{level, curBmp_, curPen_, curBrush_, curFont_, textColor_, origin_};
  saved_.push_back(state);
  return level;
}

void SRenderTarget_GDI::RestoreState(int level) {
  writer_.Forget();
  const int newest = saved_.empty() ? 0 : saved_.back().level;
  const int target = level < 0 ? newest + level + 1 : level;
  if (target <= 0 || !::RestoreDC(dc_, target)) return;
  // The device context is back in the state saved at that level: so are the records.
  while (!saved_.empty() && saved_.back().level > target) saved_.pop_back();
  if (saved_.empty() || saved_.back().level != target) return;
  SavedState& state = saved_.back();
  curBmp_ = state.bmp;
  curPen_ = state.pen;
  curBrush_ = state.brush;
  curFont_ = state.font;
  textColor_ = state.textColor;
  origin_ = state.origin;
  saved_.pop_back();
}

// Every push saves first, even when it then fails, so that the caller's PopClip always
// matches a save of its own.
HRESULT SRenderTarget_GDI::PushClipRect(LPCRECT pRect, UINT mode) {
  writer_.Forget();
  SaveState();
  if (pRect == nullptr) return E_INVALIDARG;
  RECT rc = *pRect;
  OffsetRect(&rc, origin_.x, origin_.y);
  HRGN rgn = CreateRectRgnIndirect(&rc);
  if (rgn == nullptr) return E_OUTOFMEMORY;
  ExtSelectClipRgn(dc_, rgn, static_cast<int>(mode));
  DeleteObject(rgn);
  return S_OK;
}

HRESULT SRenderTarget_GDI::PushClipRegion(IRegion* pRegion, UINT mode) {
  writer_.Forget();
  SaveState();
  if (pRegion == nullptr) return E_INVALIDARG;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  if (rgn == nullptr) return E_OUTOFMEMORY;
  ::CombineRgn(rgn, static_cast<SRegion_GDI*>(pRegion)->GetRegion(), nullptr, RGN_COPY);
  OffsetRgn(rgn, origin_.x, origin_.y);
  ExtSelectClipRgn(dc_, rgn, static_cast<int>(mode));
  DeleteObject(rgn);
  return S_OK;
}

HRESULT SRenderTarget_GDI::PopClip() {
  RestoreState(-1);
  return S_OK;
}

HRESULT SRenderTarget_GDI::ExcludeClipRect(LPCRECT pRc) {
  writer_.Forget();
  if (pRc == nullptr) return E_INVALIDARG;
  ::ExcludeClipRect(dc_, pRc->left, pRc->top, pRc->right, pRc->bottom);
  return S_OK;
}

HRESULT SRenderTarget_GDI::IntersectClipRect(LPCRECT pRc) {
  writer_.Forget();
  if (pRc == nullptr) return E_INVALIDARG;
  ::IntersectClipRect(dc_, pRc->left, pRc->top, pRc->right, pRc->bottom);
  return S_OK;
}

HRESULT SRenderTarget_GDI::SaveClip(int* pnState) {
  const int state = SaveState();
  if (pnState != nullptr) *pnState = state;
  return S_OK;
}

HRESULT SRenderTarget_GDI::RestoreClip(int nState) {
  RestoreState(nState);
  return S_OK;
}

HRESULT SRenderTarget_GDI::GetClipRegion(IRegion** ppRegion) {
  if (ppRegion == nullptr) return E_INVALIDARG;
  IRegion* region = nullptr;
  HRESULT hr = CreateRegion(&region);
  if (FAILED(hr)) return hr;
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  if (clip != nullptr && ::GetClipRgn(dc_, clip) == 1) {
    region->CopyFromHRGN(clip);
    region->Offset(POINT{-origin_.x, -origin_.y});
  }
  if (clip != nullptr) DeleteObject(clip);
  *ppRegion = region;
  return S_OK;
}

HRESULT SRenderTarget_GDI::GetClipBox(LPRECT prc) {
  if (prc == nullptr) return E_INVALIDARG;
  ::GetClipBox(dc_, prc);
  return S_OK;
}

HRESULT SRenderTarget_GDI::DrawText(LPCWSTR pszText, int cchLen, LPRECT pRc, UINT uFormat) {
  if (pszText == nullptr || pRc == nullptr) return E_INVALIDARG;
  if (uFormat & DT_CALCRECT) {
    if (::DrawTextW(dc_, pszText, cchLen, pRc, uFormat) == 0) {
      pRc->right = pRc->left;
      pRc->bottom = pRc->top;
    }
    return S_OK;
  }
  if (cchLen == 0) return S_OK;
  if (DrawTextDirect(pszText, cchLen, pRc, uFormat)) return S_OK;
  SGdiAlphaLayer layer(dc_, scratch_, Writer(), *pRc, GetAValue(textColor_), true);
  if (layer.GetDC() != nullptr) ::DrawTextW(layer.GetDC(), pszText, cchLen, pRc, uFormat);
  return S_OK;
}

bool SRenderTarget_GDI::DrawTextDirect(LPCWSTR pszText, int cchLen, LPRECT pRc, UINT uFormat) {
  // The layer clips what it draws to the rectangle; DrawText clips its glyphs to it only
  // without DT_NOCLIP, and never the underline of a prefix character, which is drawn apart.
  if (GetAValue(textColor_) != 0xFF || (uFormat & DT_NOCLIP)) return false;
  if (!(uFormat & DT_NOPREFIX)) {
    const size_t len = cchLen < 0 ? wcslen(pszText) : static_cast<size_t>(cchLen);
    if (std::find(pszText, pszText + len, L'&') != pszText + len) return false;
  }
  const SDibDirectWriter& writer = Writer();
  const RECT visible = writer.VisiblePart(*pRc);
  if (IsRectEmpty(&visible)) return true;
  // The layer's own context draws with the defaults; the target's must draw alike.
  if (::GetTextAlign(dc_) != 0 || ::GetTextCharacterExtra(dc_) != 0 ||
      ::GetBkMode(dc_) != TRANSPARENT || !writer.AllOpaque(visible)) {
    return false;
  }
  const int mode = ::SetGraphicsMode(dc_, GM_COMPATIBLE);
  ::DrawTextW(dc_, pszText, cchLen, pRc, uFormat);
  if (mode != 0) ::SetGraphicsMode(dc_, mode);
  GdiFlush();
  // GDI left the alpha of what it drew at 0; everything under the text was opaque.
  writer.MakeOpaque(visible);
  return true;
}

HRESULT SRenderTarget_GDI::MeasureText(LPCWSTR pszText, int cchLen, SIZE* psz) {
  if (pszText == nullptr || psz == nullptr) return E_INVALIDARG;
  if (cchLen < 0) cchLen = static_cast<int>(wcslen(pszText));
  psz->cx = psz->cy = 0;
  ::GetTextExtentPoint32W(dc_, pszText, cchLen, psz);
  return S_OK;
}

HRESULT SRenderTarget_GDI::TextOut(int x, int y, LPCWSTR lpszString, int nCount) {
  if (lpszString == nullptr) return E_INVALIDARG;
  if (nCount < 0) nCount = static_cast<int>(wcslen(lpszString));
  SIZE sz = {0, 0};
  MeasureText(lpszString, nCount, &sz);
  RECT rc = {x, y, x + sz.cx, y + sz.cy};
  return DrawText(lpszString, nCount, &rc, DT_SINGLELINE);
}

HRESULT SRenderTarget_GDI::DrawRectangle(LPCRECT pRect) {
  if (pRect == nullptr) return E_INVALIDARG;
  if (!curPen_) return E_INVALIDARG;
  RECT rc = *pRect;
  const int width = PenWidth(curPen_);
  if (width <= 1) {
    rc.right -= 1;
    rc.bottom -= 1;
  } else {
    rc = Inflated(rc, -(width / 2));
  }
  ScopedSelect nullBrush(dc_, GetStockObject(NULL_BRUSH));
  // The alpha bytes of the rectangle (and one more column and row) are kept; an outline
  // drawn where the rectangle's numbers say reaches no deeper than its pen is wide.
  POINT viewport = {0, 0};
  GetViewportOrgEx(dc_, &viewport);
  POINT offset;
  if (Writer().Offset(&offset) && offset.x == viewport.x && offset.y == viewport.y &&
      ::GetCurrentObject(dc_, OBJ_PEN) == PenOf(curPen_)->GetPen()) {
    RECT area = {pRect->left, pRect->top, pRect->right + 1, pRect->bottom + 1};
    OffsetRect(&area, offset.x, offset.y);
    frameBackup_.Save(SelectedSurface(), area, std::max(width, 1) + 2);
    ::Rectangle(dc_, rc.left, rc.top, rc.right, rc.bottom);
    GdiFlush();
    frameBackup_.Restore();
    return S_OK;
  }
  ScopedAlphaBackup keepAlpha(dc_, *pRect);
  ::Rectangle(dc_, rc.left, rc.top, rc.right, rc.bottom);
  return S_OK;
}

HRESULT SRenderTarget_GDI::FillRectangle(LPCRECT pRect) {
  if (pRect == nullptr) return E_INVALIDARG;
  // A solid brush covers the whole rectangle in its colour.
  if (curBrush_ && !BrushOf(curBrush_)->IsBitmap()) {
    HBRUSH brush = BrushOf(curBrush_)->GetBrush();
    if (brush != nullptr && ::GetCurrentObject(dc_, OBJ_BRUSH) == brush) {
      return FillUniform(*pRect, BrushOf(curBrush_)->GetColor());
    }
  }
  SGdiAlphaLayer layer(dc_, scratch_, Writer(), *pRect, BrushAlpha(curBrush_), false);
  if (layer.GetDC() != nullptr) {
    // Without a pen GDI's Rectangle leaves the right column and the bottom row out.
    ScopedSelect nullPen(layer.GetDC(), GetStockObject(NULL_PEN));
    ::Rectangle(layer.GetDC(), pRect->left, pRect->top, pRect->right + 1, pRect->bottom + 1);
  }
  return S_OK;
}

HRESULT SRenderTarget_GDI::FillSolidRect(LPCRECT pRect, COLORREF cr) {
  if (pRect == nullptr) return E_INVALIDARG;
  return FillUniform(*pRect, cr);
}

SDibDirectWriter::Surface SRenderTarget_GDI::SelectedSurface() const {
  SDibDirectWriter::Surface surface = {nullptr, 0, 0};
  if (!curBmp_) return surface;
  SBitmap_GDI* bmp = BitmapOf(curBmp_);
  // Another bitmap may have been selected through the device context itself.
  if (bmp->GetBitmap() == nullptr || ::GetCurrentObject(dc_, OBJ_BITMAP) != bmp->GetBitmap()) {
    return surface;
  }
  surface.bits = static_cast<DWORD*>(const_cast<void*>(bmp->GetPixelBits()));
  surface.width = static_cast<LONG>(bmp->Width());
  surface.height = static_cast<LONG>(bmp->Height());
  return surface;
}

const SDibDirectWriter& SRenderTarget_GDI::Writer() {
  // While the device context is lent out nothing read of it can be relied on.
  if (lentDCs_ > 0 || !writer_.Captured()) writer_.Capture(dc_, SelectedSurface());
  return writer_;
}

HRESULT SRenderTarget_GDI::FillUniform(const RECT& rc, COLORREF cr) {
  const BYTE alpha = static_cast<BYTE>(cr >> 24);
  // A blend at constant alpha 0 changes no pixel.
  if (alpha == 0) return S_OK;
  const SDibDirectWriter& writer = Writer();
  const RECT visible = writer.VisiblePart(rc);
  if (IsRectEmpty(&visible)) return S_OK;
  // An opaque layer's pixels replace the surface's: written in place where they can be.
  if (alpha == 0xFF && writer.Fill(visible, SGdiAlphaLayer::OpaquePixel(cr))) return S_OK;
  SGdiAlphaLayer::BlendSolid(dc_, scratch_, visible, cr);
  return S_OK;
}

HRESULT SRenderTarget_GDI::DrawRoundRect(LPCRECT pRect, POINT pt) {
  if (pRect == nullptr) return E_INVALIDARG;
  if (!curPen_) return E_INVALIDARG;
  SGdiAlphaLayer layer(dc_, scratch_, Writer(), Inflated(*pRect, PenWidth(curPen_) / 2),
                       PenAlpha(curPen_), true);
  if (layer.GetDC() != nullptr) {
    ScopedSelect nullBrush(layer.GetDC(), GetStockObject(NULL_BRUSH));
    ::RoundRect(layer.GetDC(), pRect->left, pRect->top, pRect->right, pRect->bottom, pt.x * 2,
                pt.y * 2);
  }
  return S_OK;
}

HRESULT SRenderTarget_GDI::FillRoundRect(LPCRECT pRect, POINT pt) {
  if (pRect == nullptr) return E_INVALIDARG;
  SGdiAlphaLayer layer(dc_, scratch_, Writer(), *pRect, BrushAlpha(curBrush_), true);
  if (layer.GetDC() != nullptr) {
    ScopedSelect nullPen(layer.GetDC(), GetStockObject(NULL_PEN));
    ::RoundRect(layer.GetDC(), pRect->left, pRect->top, pRect->right, pRect->bottom, pt.x,
                pt.y);
  }
  return S_OK;
}

HRESULT SRenderTarget_GDI::FillSolidRoundRect(LPCRECT pRect, POINT pt, COLORREF cr) {
  if (pRect == nullptr) return E_INVALIDARG;
  SGdiAlphaLayer layer(dc_, scratch_, Writer(), *pRect, GetAValue(cr), false);
  if (layer.GetDC() == nullptr) return S_OK;
  SolidFill fill(layer.GetDC(), cr);
  if (fill.Ready()) {
    ::RoundRect(layer.GetDC(), pRect->left, pRect->top, pRect->right, pRect->bottom, pt.x * 2,
                pt.y * 2);
  }
  return S_OK;
}

HRESULT SRenderTarget_GDI::ClearRect(LPCRECT pRect, COLORREF cr) {
  if (pRect == nullptr) return E_INVALIDARG;
  // Only what can show is written.
  const SDibDirectWriter& writer = Writer();
  const RECT rc = writer.VisiblePart(*pRect);
  if (IsRectEmpty(&rc)) return S_OK;
  // The colour's own bytes reordered to B, G, R, A, not premultiplied.
  const DWORD pixel = (cr & 0xFF000000u) | ((cr & 0xFFu) << 16) | (cr & 0xFF00u) |
                      ((cr >> 16) & 0xFFu);
  if (writer.Fill(rc, pixel)) return S_OK;
  return SGdiAlphaLayer::CopySolid(dc_, scratch_, rc, pixel) ? S_OK : E_OUTOFMEMORY;
}

HRESULT SRenderTarget_GDI::InvertRect(LPCRECT pRect) {
  if (pRect == nullptr) return E_INVALIDARG;
  ScopedAlphaBackup keepAlpha(dc_, *pRect);
  return ::InvertRect(dc_, pRect) ? S_OK : E_UNEXPECTED;
}

HRESULT SRenderTarget_GDI::DrawEllipse(LPCRECT pRect) {
  if (pRect == nullptr) return E_INVALIDARG;
  if (!curPen_) return E_INVALIDARG;
  SGdiAlphaLayer layer(dc_, scratch_, Writer(), Inflated(*pRect, PenWidth(curPen_) / 2),
                       PenAlpha(curPen_), true);
  if (layer.GetDC() != nullptr) {
    ScopedSelect nullBrush(layer.GetDC(), GetStockObject(NULL_BRUSH));
    ::Ellipse(layer.GetDC(), pRect->left, pRect->top, pRect->right, pRect->bottom);
  }
  return S_OK;
}

HRESULT SRenderTarget_GDI::FillEllipse(LPCRECT pRect) {
  if (pRect == nullptr) return E_INVALIDARG;
  SGdiAlphaLayer layer(dc_, scratch_, Writer(), *pRect, BrushAlpha(curBrush_), true);
  if (layer.GetDC() != nullptr) {
    ::Ellipse(layer.GetDC(), pRect->left, pRect->top, pRect->right, pRect->bottom);
  }
  return S_OK;
}

HRESULT SRenderTarget_GDI::FillSolidEllipse(LPCRECT pRect, COLORREF cr) {
  if (pRect == nullptr) return E_INVALIDARG;
  SGdiAlphaLayer layer(dc_, scratch_, Writer(), *pRect, GetAValue(cr), false);
  if (layer.GetDC() == nullptr) return S_OK;
  SolidFill fill(layer.GetDC(), cr);
  if (fill.Ready()) ::Ellipse(layer.GetDC(), pRect->left, pRect->top, pRect->right, pRect->bottom);
  return S_OK;
}

namespace {

// The two radial points of an arc of a rectangle, in single precision as GDI callers expect.
void ArcPoints(const RECT& rc, float startAngle, float sweepAngle, POINT* first, POINT* second) {
  const float pi = 3.1415925025939941f;
  const float a1 = startAngle * pi / 180.0f;
  const float a2 = (startAngle + sweepAngle) * pi / 180.0f;
  const int cx = (rc.left + rc.right) / 2;
  const int cy = (rc.top + rc.bottom) / 2;
  const int rx = cx - rc.left;
  const int ry = cy - rc.top;
  first->x = cx + static_cast<int>(std::cos(a2) * static_cast<float>(rx));
  first->y = cy + static_cast<int>(std::sin(a2) * static_cast<float>(ry));
  second->x = cx + static_cast<int>(std::cos(a1) * static_cast<float>(rx));
  second->y = cy + static_cast<int>(std::sin(a1) * static_cast<float>(ry));
}

}  // namespace

HRESULT SRenderTarget_GDI::DrawArc(LPCRECT pRect, float startAngle, float sweepAngle,
                                   BOOL useCenter) {
  if (pRect == nullptr) return E_INVALIDARG;
  if (!curPen_) return E_INVALIDARG;
  SGdiAlphaLayer layer(dc_, scratch_, Writer(), Inflated(*pRect, PenWidth(curPen_) / 2),
                       PenAlpha(curPen_), true);
  if (layer.GetDC() != nullptr) {
    ScopedSelect nullBrush(layer.GetDC(), GetStockObject(NULL_BRUSH));
    POINT p1;
    POINT p2;
    ArcPoints(*pRect, startAngle, sweepAngle, &p1, &p2);
    if (useCenter) {
      ::Pie(layer.GetDC(), pRect->left, pRect->top, pRect->right, pRect->bottom, p1.x, p1.y,
            p2.x, p2.y);
    } else {
      ::Arc(layer.GetDC(), pRect->left, pRect->top, pRect->right, pRect->bottom, p1.x, p1.y,
            p2.x, p2.y);
    }
  }
  return S_OK;
}

HRESULT SRenderTarget_GDI::FillArc(LPCRECT pRect, float startAngle, float sweepAngle) {
  if (pRect == nullptr) return E_INVALIDARG;
  SGdiAlphaLayer layer(dc_, scratch_, Writer(), *pRect, BrushAlpha(curBrush_), true);
  if (layer.GetDC() != nullptr) {
    ScopedSelect nullPen(layer.GetDC(), GetStockObject(NULL_PEN));
    POINT p1;
    POINT p2;
    ArcPoints(*pRect, startAngle, sweepAngle, &p1, &p2);
    ::Pie(layer.GetDC(), pRect->left, pRect->top, pRect->right, pRect->bottom, p1.x, p1.y,
          p2.x, p2.y);
  }
  return S_OK;
}

HRESULT SRenderTarget_GDI::DrawLines(LPPOINT pPt, size_t nCount) {
  if (pPt == nullptr || nCount == 0) return E_INVALIDARG;
  if (!curPen_) return E_INVALIDARG;
  RECT box = {100000, 100000, 0, 0};
  for (size_t i = 0; i < nCount; ++i) {
    if (pPt[i].x < box.left) box.left = pPt[i].x;
    if (pPt[i].y < box.top) box.top = pPt[i].y;
    if (pPt[i].x > box.right) box.right = pPt[i].x;
    if (pPt[i].y > box.bottom) box.bottom = pPt[i].y;
  }
  const int w = PenWidth(curPen_);
  const RECT rc = {box.left - 1, box.top - 1, box.right + w, box.bottom + w};
  SGdiAlphaLayer layer(dc_, scratch_, Writer(), rc, PenAlpha(curPen_), true);
  if (layer.GetDC() != nullptr) ::Polyline(layer.GetDC(), pPt, static_cast<int>(nCount));
  return S_OK;
}

HRESULT SRenderTarget_GDI::GradientFill(LPCRECT pRect, BOOL bVert, COLORREF crBegin,
                                        COLORREF crEnd, BYTE byAlpha) {
  if (pRect == nullptr) return E_INVALIDARG;
  TRIVERTEX v[2] = {};
  v[0].x = pRect->left;
  v[0].y = pRect->top;
  v[0].Red = static_cast<COLOR16>(GetRValue(crBegin) << 8);
  v[0].Green = static_cast<COLOR16>(GetGValue(crBegin) << 8);
  v[0].Blue = static_cast<COLOR16>(GetBValue(crBegin) << 8);
  v[0].Alpha = 0xFF00;
  v[1].x = pRect->right;
  v[1].y = pRect->bottom;
  v[1].Red = static_cast<COLOR16>(GetRValue(crEnd) << 8);
  v[1].Green = static_cast<COLOR16>(GetGValue(crEnd) << 8);
  v[1].Blue = static_cast<COLOR16>(GetBValue(crEnd) << 8);
  v[1].Alpha = 0xFF00;
  GRADIENT_RECT gr = {0, 1};
  const ULONG mode = bVert ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H;
  if (byAlpha == 0xFF) {
    ::GradientFill(dc_, v, 2, &gr, 1, mode);
    return S_OK;
  }
  // The layer takes the pixels whose alpha GDI left at 0 as drawn: the vertices carry alpha 0
  // so that the gradient shows at byAlpha.
  v[0].Alpha = v[1].Alpha = 0;
  SGdiAlphaLayer layer(dc_, scratch_, Writer(), *pRect, byAlpha, false);
  if (layer.GetDC() != nullptr) ::GradientFill(layer.GetDC(), v, 2, &gr, 1, mode);
  return S_OK;
}

namespace {

// What DrawIconEx will cover of an icon and whether its colour bitmap carries an alpha
// channel of its own (any alpha byte not 0); icons without one make GDI write alpha 0.
struct IconShape {
  SIZE size = {0, 0};
  bool hasAlpha = false;
};

IconShape ShapeOf(const ICONINFO& info, int cx, int cy, UINT flags) {
  IconShape shape;
  BITMAP bm{};
  HBITMAP sizer = info.hbmColor != nullptr ? info.hbmColor : info.hbmMask;
  if (sizer != nullptr && GetObjectW(sizer, sizeof(bm), &bm) != 0) {
    shape.size.cx = bm.bmWidth;
    // A monochrome icon stacks its AND and XOR masks in one bitmap.
    shape.size.cy = info.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2;
  }
  if (flags & DI_DEFAULTSIZE) {
    shape.size.cx = GetSystemMetrics(SM_CXICON);
    shape.size.cy = GetSystemMetrics(SM_CYICON);
  }
  if (cx != 0) shape.size.cx = cx;
  if (cy != 0) shape.size.cy = cy;
  if (info.hbmColor == nullptr || bm.bmBitsPixel != 32 || bm.bmWidth <= 0) return shape;
  const int height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  // Icons of up to 64 x 64 are read without an allocation.
  constexpr size_t kStackPixels = 64 * 64;
  DWORD stackPixels[kStackPixels];
  std::vector<DWORD> heapPixels;
  const size_t count = static_cast<size_t>(bm.bmWidth) * height;
  if (count > kStackPixels) heapPixels.resize(count);
  DWORD* px = count > kStackPixels ? heapPixels.data() : stackPixels;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = bm.bmWidth;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  HDC screen = ::GetDC(nullptr);
  const int rows = GetDIBits(screen, info.hbmColor, 0, height, px, &bmi, DIB_RGB_COLORS);
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  if (rows != height) return shape;
  for (size_t i = 0; i < count && !shape.hasAlpha; ++i) shape.hasAlpha = (px[i] >> 24) != 0;
  return shape;
}

}  // namespace

HRESULT SRenderTarget_GDI::DrawIconEx(int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth,
                                      UINT diFlags) {
  if (hIcon == nullptr) return E_INVALIDARG;
  ICONINFO info{};
  if (!GetIconInfo(hIcon, &info)) return S_FALSE;
  const IconShape shape = ShapeOf(info, cxWidth, cyWidth, diFlags);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  BOOL drawn;
  {
    std::optional<ScopedAlphaBackup> keepAlpha;
    if (!shape.hasAlpha) {
      const RECT rc = {xLeft, yTop, xLeft + shape.size.cx, yTop + shape.size.cy};
      keepAlpha.emplace(dc_, rc);
    }
    drawn = ::DrawIconEx(dc_, xLeft, yTop, hIcon, cxWidth, cyWidth, 0, nullptr, diFlags);
  }
  return drawn ? S_OK : S_FALSE;
}

HRESULT SRenderTarget_GDI::Blend1To1(HDC src, IBitmap* pBitmap, const RECT& dest,
                                     const RECT& source, BYTE byAlpha) {
  int xs = source.left;
  int ys = source.top;
  int xd = dest.left;
  int yd = dest.top;
  // Destination columns and rows that face no pixel of the bitmap stay untouched.
  if (xs < 0) {
    xd -= xs;
    xs = 0;
  }
  if (ys < 0) {
    yd -= ys;
    ys = 0;
  }
  const int right = std::min<int>(source.right, static_cast<int>(pBitmap->Width()));
  const int bottom = std::min<int>(source.bottom, static_cast<int>(pBitmap->Height()));
  const int w = std::min<int>(dest.right - xd, right - xs);
  const int h = std::min<int>(dest.bottom - yd, bottom - ys);
  if (w <= 0 || h <= 0) return S_OK;
  const RECT cell = {xs, ys, xs + w, ys + h};
  const RECT out = {xd, yd, xd + w, yd + h};
  if (DrawCellDirect(src, pBitmap, cell, out, CellFit::kOneToOne, byAlpha)) return S_OK;
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, byAlpha, AC_SRC_ALPHA};
  return ::AlphaBlend(dc_, xd, yd, w, h, src, xs, ys, w, h, bf) ? S_OK : E_FAIL;
}

const ChannelMaps* SRenderTarget_GDI::BlendMapsOf(DWORD pixel) {
  for (const KnownMaps& known : blendMaps_) {
    if (known.pixel == pixel) return &known.maps;
  }
  KnownMaps made;
  made.pixel = pixel;
  if (!SGdiAlphaLayer::UniformBlendMaps(pixel, &made.maps)) return nullptr;
  constexpr size_t kKnownMaps = 8;
  if (blendMaps_.size() >= kKnownMaps) blendMaps_.erase(blendMaps_.begin());
  blendMaps_.push_back(made);
  return &blendMaps_.back().maps;
}

bool SRenderTarget_GDI::DrawCellDirect(HDC src, IBitmap* pBitmap, const RECT& cell,
                                       const RECT& out, CellFit fit, BYTE byAlpha) {
  if (byAlpha != 0xFF || out.right <= out.left || out.bottom <= out.top) return false;
  const SDibDirectWriter& writer = Writer();
  POINT offset;
  if (!writer.Offset(&offset)) return false;
  const SBitmap_GDI::PixelSummary summary = BitmapOf(pBitmap)->Summarize(cell);
  if (summary.uniform) {
    const DWORD alpha = summary.pixel >> 24;
    // A clear premultiplied pixel leaves every pixel under it as it was.
    if (summary.pixel == 0) return true;
    // Premultiplied colour never exceeds its alpha; anything else is left to the blend.
    if ((summary.pixel & 0xFF) > alpha || ((summary.pixel >> 8) & 0xFF) > alpha ||
        ((summary.pixel >> 16) & 0xFF) > alpha) {
      return false;
    }
    const RECT visible = writer.VisiblePart(out);
    if (alpha == 0xFF) return writer.Fill(visible, summary.pixel);
    const ChannelMaps* maps = BlendMapsOf(summary.pixel);
    return maps != nullptr && writer.Map(visible, *maps);
  }
  if (!summary.opaque) return false;
  // Opaque pixels blended at full strength replace what is under them.
  const int sw = cell.right - cell.left;
  const int sh = cell.bottom - cell.top;
  switch (fit) {
    case CellFit::kOneToOne:
      ::BitBlt(dc_, out.left, out.top, sw, sh, src, cell.left, cell.top, SRCCOPY);
      break;
    case CellFit::kStretch: {
      // The blend stretches by taking the nearest source pixel, as this mode does.
      const int oldMode = ::SetStretchBltMode(dc_, COLORONCOLOR);
      ::StretchBlt(dc_, out.left, out.top, out.right - out.left, out.bottom - out.top, src,
                   cell.left, cell.top, sw, sh, SRCCOPY);
      if (oldMode != 0) ::SetStretchBltMode(dc_, oldMode);
      break;
    }
    case CellFit::kTile: {
      const int saved = ::SaveDC(dc_);
      ::IntersectClipRect(dc_, out.left, out.top, out.right, out.bottom);
      for (int y = out.top; y < out.bottom; y += sh) {
        for (int x = out.left; x < out.right; x += sw) {
          ::BitBlt(dc_, x, y, sw, sh, src, cell.left, cell.top, SRCCOPY);
        }
      }
      ::RestoreDC(dc_, saved);
      break;
    }
  }
  return true;
}

HRESULT SRenderTarget_GDI::DrawBitmap(LPCRECT pRcDest, IBitmap* pBitmap, int xSrc, int ySrc,
                                      BYTE byAlpha) {
  if (pRcDest == nullptr || pBitmap == nullptr) return E_INVALIDARG;
  SourceDC src(srcDC_, pBitmap);
  if (src.Get() == nullptr) return E_FAIL;
  const RECT source = {xSrc, ySrc, static_cast<LONG>(pBitmap->Width()),
                       static_cast<LONG>(pBitmap->Height())};
  return Blend1To1(src.Get(), pBitmap, *pRcDest, source, byAlpha);
}

HRESULT SRenderTarget_GDI::DrawBitmapEx(LPCRECT pRcDest, IBitmap* pBitmap, LPCRECT pRcSrc,
                                        UINT expandMode, BYTE byAlpha) {
  if (pRcDest == nullptr || pBitmap == nullptr || pRcSrc == nullptr) return E_INVALIDARG;
  SourceDC src(srcDC_, pBitmap);
  if (src.Get() == nullptr) return E_FAIL;
  return DrawBitmapFrom(src.Get(), pBitmap, *pRcDest, *pRcSrc, expandMode, byAlpha);
}

HRESULT SRenderTarget_GDI::DrawBitmapFrom(HDC src, IBitmap* pBitmap, const RECT& dest,
                                          const RECT& source, UINT expandMode, BYTE byAlpha) {
  const UINT mode = LOWORD(expandMode);
  if (mode == EM_NULL) return Blend1To1(src, pBitmap, dest, source, byAlpha);
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, byAlpha, AC_SRC_ALPHA};
  const int sw = source.right - source.left;
  const int sh = source.bottom - source.top;
  if (mode == EM_STRETCH) {
    if (sw > 0 && sh > 0 &&
        DrawCellDirect(src, pBitmap, source, dest, CellFit::kStretch, byAlpha)) {
      return S_OK;
    }
    ::AlphaBlend(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, src,
                 source.left, source.top, sw, sh, bf);
    return S_OK;
  }
  // Tiles of an empty source would never advance: nothing to draw.
  if (sw <= 0 || sh <= 0) return S_OK;
  if (DrawCellDirect(src, pBitmap, source, dest, CellFit::kTile, byAlpha)) return S_OK;
  const int saved = ::SaveDC(dc_);
  ::IntersectClipRect(dc_, dest.left, dest.top, dest.right, dest.bottom);
  for (int y = dest.top; y < dest.bottom; y += sh) {
    for (int x = dest.left; x < dest.right; x += sw) {
      ::AlphaBlend(dc_, x, y, sw, sh, src, source.left, source.top, sw, sh, bf);
    }
  }
  ::RestoreDC(dc_, saved);
  return S_OK;
}

namespace {

// Shrinks one axis of a nine-patch whose two margins exceed the destination's extent.
void FitMargins(LONG* x, LONG* u, LONG marginLow, LONG marginHigh, LONG extent) {
  if (marginLow + marginHigh <= extent) return;
  if (marginLow >= extent) {
    u[1] = u[2] = u[3] = u[0] + extent;
    x[1] = x[2] = x[3] = x[0] + extent;
  } else if (marginHigh < extent) {
    u[2] = u[3] - (extent - marginLow);
    x[2] = x[1];
  } else {
    u[0] = u[1] = u[2] = u[3] - extent;
    x[0] = x[1] = x[2] = x[3] - extent;
  }
}

}  // namespace

HRESULT SRenderTarget_GDI::DrawBitmap9Patch(LPCRECT pRcDest, IBitmap* pBitmap, LPCRECT pRcSrc,
                                            LPCRECT pRcSourMargin, UINT expandMode,
                                            BYTE byAlpha) {
  if (pRcDest == nullptr || pBitmap == nullptr || pRcSrc == nullptr || pRcSourMargin == nullptr) {
    return E_INVALIDARG;
  }
  const RECT& d = *pRcDest;
  const RECT& s = *pRcSrc;
  const RECT& m = *pRcSourMargin;
  LONG x[4] = {d.left, d.left + m.left, d.right - m.right, d.right};
  LONG u[4] = {s.left, s.left + m.left, s.right - m.right, s.right};
  LONG y[4] = {d.top, d.top + m.top, d.bottom - m.bottom, d.bottom};
  LONG v[4] = {s.top, s.top + m.top, s.bottom - m.bottom, s.bottom};
  if (!(u[0] <= u[1] && u[1] <= u[2] && u[2] <= u[3] && v[0] <= v[1] && v[1] <= v[2] &&
        v[2] <= v[3])) {
    return S_FALSE;
  }
  FitMargins(x, u, m.left, m.right, d.right - d.left);
  FitMargins(y, v, m.top, m.bottom, d.bottom - d.top);
  // One source context serves all nine parts.
  SourceDC srcDC(srcDC_, pBitmap);
  if (srcDC.Get() == nullptr) return E_FAIL;
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) {
      if (u[i + 1] <= u[i] || v[j + 1] <= v[j]) continue;
      const bool corner = (i != 1) && (j != 1);
      const RECT src = {u[i], v[j], u[i + 1], v[j + 1]};
      const RECT dst = {x[i], y[j], x[i + 1], y[j + 1]};
      DrawBitmapFrom(srcDC.Get(), pBitmap, dst, src,
                     corner ? static_cast<UINT>(EM_NULL) : expandMode, byAlpha);
    }
  }
  return S_OK;
}

HRESULT SRenderTarget_GDI::BitBlt(LPCRECT pRcDest, IRenderTarget* pRTSour, int xSrc, int ySrc,
                                  DWORD dwRop) {
  if (pRcDest == nullptr || pRTSour == nullptr) return E_INVALIDARG;
  HDC src = pRTSour->GetDC(0);
  {
    std::optional<ScopedAlphaBackup> keepAlpha;
    if (dwRop != SRCCOPY) keepAlpha.emplace(dc_, *pRcDest);
    ::BitBlt(dc_, pRcDest->left, pRcDest->top, pRcDest->right - pRcDest->left,
             pRcDest->bottom - pRcDest->top, src, xSrc, ySrc, dwRop);
  }
  pRTSour->ReleaseDC(src);
  return S_OK;
}

HRESULT SRenderTarget_GDI::AlphaBlend(LPCRECT pRcDest, IRenderTarget* pRTSrc, LPCRECT pRcSrc,
                                      BYTE byAlpha) {
  if (pRcDest == nullptr || pRTSrc == nullptr || pRcSrc == nullptr) return E_INVALIDARG;
  HDC src = pRTSrc->GetDC(0);
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, byAlpha, AC_SRC_ALPHA};
  const BOOL ok = ::AlphaBlend(dc_, pRcDest->left, pRcDest->top, pRcDest->right - pRcDest->left,
                               pRcDest->bottom - pRcDest->top, src, pRcSrc->left, pRcSrc->top,
                               pRcSrc->right - pRcSrc->left, pRcSrc->bottom - pRcSrc->top, bf);
  pRTSrc->ReleaseDC(src);
  return ok ? S_OK : E_FAIL;
}

IRenderObj* SRenderTarget_GDI::GetCurrentObject(int uType) {
  switch (uType) {
    case OT_PEN:
      return curPen_;
    case OT_BRUSH:
      return curBrush_;
    case OT_BITMAP:
      return curBmp_;
    case OT_FONT:
      return curFont_;
    default:
      return nullptr;
  }
}

HRESULT SRenderTarget_GDI::SelectDefaultObject(int objType, IRenderObj** pOldObj) {
  if (pOldObj != nullptr) *pOldObj = nullptr;
  IRenderObj* def = nullptr;
  switch (objType) {
    case OT_PEN:
      def = defPen_;
      break;
    case OT_BRUSH:
      def = defBrush_;
      break;
    case OT_BITMAP:
      def = defBmp_;
      break;
    case OT_FONT:
      def = defFont_;
      break;
    default:
      return E_INVALIDARG;
  }
  if (def == nullptr) return E_INVALIDARG;
  if (GetCurrentObject(objType) == def) return S_FALSE;
  return SelectObject(def, pOldObj);
}

HRESULT SRenderTarget_GDI::SelectObject(IRenderObj* pObj, IRenderObj** pOldObj) {
  if (pOldObj != nullptr) *pOldObj = nullptr;
  if (pObj == nullptr) return E_INVALIDARG;
  RefPtrAssign<IRenderObj> previous;
  switch (pObj->ObjectType()) {
    case OT_PEN:
      previous = curPen_.Get();
      curPen_ = static_cast<IPen*>(pObj);
      break;
    case OT_BRUSH:
      previous = curBrush_.Get();
      curBrush_ = static_cast<IBrush*>(pObj);
      break;
    case OT_BITMAP:
      previous = curBmp_.Get();
      curBmp_ = static_cast<IBitmap*>(pObj);
      // Drawn into from now on: its pixels change behind its back.
      BitmapOf(pObj)->MarkSurface();
      writer_.Forget();
      break;
    case OT_FONT:
      previous = curFont_.Get();
      curFont_ = static_cast<IFont*>(pObj);
      break;
    default:
      return S_OK;
  }
  HGDIOBJ handle = SelectableHandle(pObj);
  if (handle != nullptr) ::SelectObject(dc_, handle);
  if (pOldObj != nullptr) *pOldObj = previous.Detach();
  return S_OK;
}

COLORREF SRenderTarget_GDI::SetTextColor(COLORREF color) {
  const COLORREF old = textColor_;
  textColor_ = color;
  ::SetTextColor(dc_, color & 0x00FFFFFF);
  return old;
}

HDC SRenderTarget_GDI::GetDC(UINT uFlag) {
  getDCFlags_ = uFlag;
  // Whoever holds the device context may change its clip, mapping or bitmap.
  ++lentDCs_;
  writer_.Forget();
  return dc_;
}

void SRenderTarget_GDI::ReleaseDC(HDC hdc) {
  if (hdc != dc_) return;
  getDCFlags_ = 0;
  if (lentDCs_ > 0) --lentDCs_;
  writer_.Forget();
}

HRESULT SRenderTarget_GDI::SetTransform(const float matrix[6], float oldMatrix[6]) {
  writer_.Forget();
  if (matrix == nullptr) return E_INVALIDARG;
  if (oldMatrix != nullptr && FAILED(GetTransform(oldMatrix))) return E_FAIL;
  const XFORM xf = {matrix[0], matrix[1], matrix[2], matrix[3], matrix[4], matrix[5]};
  return ::SetWorldTransform(dc_, &xf) ? S_OK : E_FAIL;
}

HRESULT SRenderTarget_GDI::GetTransform(float matrix[6]) const {
  if (matrix == nullptr) return E_INVALIDARG;
  XFORM xf{};
  if (!::GetWorldTransform(dc_, &xf)) return E_FAIL;
  matrix[0] = xf.eM11;
  matrix[1] = xf.eM12;
  matrix[2] = xf.eM21;
  matrix[3] = xf.eM22;
  matrix[4] = xf.eDx;
  matrix[5] = xf.eDy;
  return S_OK;
}

DWORD* SRenderTarget_GDI::PixelAt(int x, int y, size_t* index) {
  if (!curBmp_) return nullptr;
  x += origin_.x;
  y += origin_.y;
  const int width = static_cast<int>(curBmp_->Width());
  const int height = static_cast<int>(curBmp_->Height());
  if (x < 0 || y < 0 || x >= width || y >= height) return nullptr;
  auto* bits = static_cast<DWORD*>(curBmp_->LockPixelBits());
  if (bits == nullptr) return nullptr;
  *index = static_cast<size_t>(y) * width + x;
  return bits;
}

COLORREF SRenderTarget_GDI::GetPixel(int x, int y) {
  GdiFlush();
  size_t index = 0;
  DWORD* bits = PixelAt(x, y, &index);
  if (bits == nullptr) return kOutside;
  const COLORREF value = bits[index];
  curBmp_->UnlockPixelBits(bits);
  return value;
}

COLORREF SRenderTarget_GDI::SetPixel(int x, int y, COLORREF cr) {
  GdiFlush();
  size_t index = 0;
  DWORD* bits = PixelAt(x, y, &index);
  if (bits == nullptr) return kOutside;
  const COLORREF old = bits[index];
  bits[index] = cr;
  curBmp_->UnlockPixelBits(bits);
  return old;
}

}  // namespace SWUI
