// The GDI render target: a memory device context holding a 32-bit DIB section (the selected
// bitmap), the selected pen, brush and font as counted references, default objects of each
// kind, a text colour with alpha and a viewport origin mirrored from the device context.
#pragma once
#include <windows.h>

#include <vector>

#include "IRenderFactory.h"
#include "IRenderTarget.h"
#include "RefPtrAssign.h"
#include "SAlphaFrameBackup.h"
#include "SDibDirectWriter.h"
#include "SGdiScratchSurface.h"
#include "base/SObjectImpl.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SBitmap_GDI;

class SRenderTarget_GDI : public TObjRefImpl<IRenderTarget>, public SObjectImpl<IObject> {
 public:
  // A target of nWid x nHei, all pixels zero, with the default objects selected. When the
  // surface cannot be made (for instance a size of 0) the default bitmap stays empty.
  SRenderTarget_GDI(IRenderFactory* pRenderFactory, int nWid, int nHei);
  ~SRenderTarget_GDI() override;

  HRESULT CreateCompatibleRenderTarget(SIZE szTarget, IRenderTarget** ppRenderTarget) override;
  HRESULT CreatePen(int iStyle, COLORREF cr, int cWidth, IPen** ppPen) override;
  HRESULT CreateSolidColorBrush(COLORREF cr, IBrush** ppBrush) override;
  HRESULT CreateBitmapBrush(IBitmap* pBmp, IBrush** ppBrush) override;
  HRESULT CreateRegion(IRegion** ppRegion) override;
  HRESULT Resize(SIZE sz) override;

  HRESULT OffsetViewportOrg(int xOff, int yOff, LPPOINT lpPoint) override;
  HRESULT GetViewportOrg(LPPOINT lpPoint) override;
  HRESULT SetViewportOrg(POINT pt) override;

  HRESULT PushClipRect(LPCRECT pRect, UINT mode) override;
  HRESULT PushClipRegion(IRegion* pRegion, UINT mode) override;
  HRESULT PopClip() override;
  HRESULT ExcludeClipRect(LPCRECT pRc) override;
  HRESULT IntersectClipRect(LPCRECT pRc) override;
  HRESULT SaveClip(int* pnState) override;
  HRESULT RestoreClip(int nState) override;
  HRESULT GetClipRegion(IRegion** ppRegion) override;
  HRESULT GetClipBox(LPRECT prc) override;

  HRESULT DrawText(LPCWSTR pszText, int cchLen, LPRECT pRc, UINT uFormat) override;
  HRESULT MeasureText(LPCWSTR pszText, int cchLen, SIZE* psz) override;
  HRESULT TextOut(int x, int y, LPCWSTR lpszString, int nCount) override;

  HRESULT DrawRectangle(LPCRECT pRect) override;
  HRESULT FillRectangle(LPCRECT pRect) override;
  HRESULT FillSolidRect(LPCRECT pRect, COLORREF cr) override;
  HRESULT DrawRoundRect(LPCRECT pRect, POINT pt) override;
  HRESULT FillRoundRect(LPCRECT pRect, POINT pt) override;
  HRESULT FillSolidRoundRect(LPCRECT pRect, POINT pt, COLORREF cr) override;
  HRESULT ClearRect(LPCRECT pRect, COLORREF cr) override;
  HRESULT InvertRect(LPCRECT pRect) override;
  HRESULT DrawEllipse(LPCRECT pRect) override;
  HRESULT FillEllipse(LPCRECT pRect) override;
  HRESULT FillSolidEllipse(LPCRECT pRect, COLORREF cr) override;
  HRESULT DrawArc(LPCRECT pRect, float startAngle, float sweepAngle, BOOL useCenter) override;
  HRESULT FillArc(LPCRECT pRect, float startAngle, float sweepAngle) override;
  HRESULT DrawLines(LPPOINT pPt, size_t nCount) override;
  HRESULT GradientFill(LPCRECT pRect, BOOL bVert, COLORREF crBegin, COLORREF crEnd,
                       BYTE byAlpha) override;
  HRESULT Reserved39(LPCRECT, int, int, COLORREF, COLORREF, BYTE) override { return E_NOTIMPL; }
  HRESULT Reserved40(LPCRECT, int, COLORREF, COLORREF, COLORREF, float, float, float, int,
                     BYTE) override {
    return E_NOTIMPL;
  }
  HRESULT DrawIconEx(int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth,
                     UINT diFlags) override;
  HRESULT DrawBitmap(LPCRECT pRcDest, IBitmap* pBitmap, int xSrc, int ySrc,
                     BYTE byAlpha) override;
  HRESULT DrawBitmapEx(LPCRECT pRcDest, IBitmap* pBitmap, LPCRECT pRcSrc, UINT expandMode,
                       BYTE byAlpha) override;
  HRESULT DrawBitmap9Patch(LPCRECT pRcDest, IBitmap* pBitmap, LPCRECT pRcSrc,
                           LPCRECT pRcSourMargin, UINT expandMode, BYTE byAlpha) override;
  HRESULT BitBlt(LPCRECT pRcDest, IRenderTarget* pRTSour, int xSrc, int ySrc,
                 DWORD dwRop) override;
  HRESULT AlphaBlend(LPCRECT pRcDest, IRenderTarget* pRTSrc, LPCRECT pRcSrc,
                     BYTE byAlpha) override;

  IRenderObj* GetCurrentObject(int uType) override;
  HRESULT SelectDefaultObject(int objType, IRenderObj** pOldObj) override;
  HRESULT SelectObject(IRenderObj* pObj, IRenderObj** pOldObj) override;
  COLORREF GetTextColor() override { return textColor_; }
  COLORREF SetTextColor(COLORREF color) override;

  HDC GetDC(UINT uFlag) override;
  void ReleaseDC(HDC hdc) override;

  HRESULT SetTransform(const float matrix[6], float oldMatrix[6]) override;
  HRESULT GetTransform(float matrix[6]) const override;
  HRESULT QueryInterface(REFGUID, IObjRef**) override { return E_NOINTERFACE; }

  COLORREF GetPixel(int x, int y) override;
  COLORREF SetPixel(int x, int y, COLORREF cr) override;

  HRESULT Reserved59(LPCRECT, int, int) override { return E_NOTIMPL; }
  HRESULT Reserved60(LPCRECT, int) override { return E_NOTIMPL; }

 private:
  // What a SaveDC keeps of the target's own records, so that a restore brings back the
  // objects, text colour and origin the device context goes back to. The saved objects stay
  // referenced while their handles may be selected again.
  struct SavedState {
    int level;
    RefPtrAssign<IBitmap> bmp;
    RefPtrAssign<IPen> pen;
    RefPtrAssign<IBrush> brush;
    RefPtrAssign<IFont> font;
    COLORREF textColor;
    POINT origin;
  };

  // SaveDC and a record of the target's state; the saved level (0 when GDI failed).
  int SaveState();
  // RestoreDC to a level (negative: relative to the newest save) and the records with it.
  void RestoreState(int level);

  // A rectangle covered in one colour (0xAABBGGRR) as a layer at the colour's alpha draws
  // it: an opaque colour straight into the surface where it can be, else through the scratch.
  HRESULT FillUniform(const RECT& rc, COLORREF cr);
  // The direct writer, with what it read of the device context up to date.
  const SDibDirectWriter& Writer();
  // The pixels of the selected bitmap while it is the one selected in the device context
  // (always a top-down section); no bits otherwise.
  SDibDirectWriter::Surface SelectedSurface() const;
  // The selected bitmap's bits, locked, and the index of the pixel at a logical point in
  // *index; null (nothing locked) outside the bitmap or without one.
  DWORD* PixelAt(int x, int y, size_t* index);
  // The GDI handle of a render object of this back-end.
  static HGDIOBJ HandleOf(IRenderObj* pObj);
  // The handle to select for an object: its own, or the device context's original object of
  // that kind when it has none, so that the context never keeps a released handle.
  HGDIOBJ SelectableHandle(IRenderObj* pObj) const;
  // Draws a part of a bitmap held by the memory device context src.
  HRESULT DrawBitmapFrom(HDC src, IBitmap* pBitmap, const RECT& dest, const RECT& source,
                         UINT expandMode, BYTE byAlpha);
  // 1:1 from source (clipped to the bitmap; a negative offset leaves the destination's
  // matching columns or rows out) to the destination's top-left corner.
  HRESULT Blend1To1(HDC src, IBitmap* pBitmap, const RECT& dest, const RECT& source,
                    BYTE byAlpha);
  // How a cell of a bitmap covers its destination.
  enum class CellFit { kOneToOne, kStretch, kTile };
  // A cell drawn at full strength the way the blend would leave it, without the blend: an
  // opaque cell copied, a cell of one pixel value filled (or mapped through the blend's
  // tables when translucent, left out when clear). out is what the cell covers (its tiles,
  // or the stretched or copied area). False, with nothing drawn, when it cannot be done so.
  bool DrawCellDirect(HDC src, IBitmap* pBitmap, const RECT& cell, const RECT& out, CellFit fit,
                      BYTE byAlpha);
  // Text at full strength over pixels that are all opaque, drawn with GDI straight onto the
  // surface: the layer would give the same. False, with nothing drawn, otherwise.
  bool DrawTextDirect(LPCWSTR pszText, int cchLen, LPRECT pRc, UINT uFormat);
  // The blend tables of a premultiplied pixel (a few remembered); null when the platform
  // could not be asked.
  const ChannelMaps* BlendMapsOf(DWORD pixel);

  HDC dc_ = nullptr;
  COLORREF textColor_ = 0xFF000000;
  RefPtrAssign<IBitmap> curBmp_;
  RefPtrAssign<IPen> curPen_;
  RefPtrAssign<IBrush> curBrush_;
  RefPtrAssign<IFont> curFont_;
  POINT origin_ = {0, 0};
  RefPtrAssign<IBitmap> defBmp_;
  RefPtrAssign<IPen> defPen_;
  RefPtrAssign<IBrush> defBrush_;
  RefPtrAssign<IFont> defFont_;
  RefPtrAssign<IRenderFactory> factory_;
  UINT getDCFlags_ = 0;
  // Holds the bitmaps drawn from, one at a time, for the length of a drawing call.
  HDC srcDC_ = nullptr;
  // The device context's own pen, brush, bitmap and font from its creation, by OBJTYPE.
  HGDIOBJ original_[OT_FONT + 1] = {};
  std::vector<SavedState> saved_;
  // What the alpha layers draw on, kept from call to call.
  SGdiScratchSurface scratch_;
  // What fills and layers read of the device context, kept until the target changes its
  // clip, mapping or bitmap, or lends the context out.
  SDibDirectWriter writer_;
  // The alpha bytes a rectangle outline keeps.
  SAlphaFrameBackup frameBackup_;
  // GetDC calls not yet matched by ReleaseDC.
  unsigned lentDCs_ = 0;
  struct KnownMaps {
    DWORD pixel;
    ChannelMaps maps;
  };
  std::vector<KnownMaps> blendMaps_;
};

}  // namespace SWUI
