// The drawing surface that elements, skins and controls paint into. Colours are 0xAABBGGRR;
// rectangles, points and sizes are in logical coordinates (the viewport origin applies).
// Unless a comment says otherwise an operation answers S_OK.
#pragma once
#include <windows.h>

#include <cstddef>

#include "IBitmap.h"
#include "IBrush.h"
#include "IFont.h"
#include "IPen.h"
#include "IRegion.h"
#include "IRenderObj.h"
#include "base/IObjRef.h"

namespace SWUI {

// How DrawBitmapEx fills its destination (low 16 bits of the mode; the high 16 bits carry a
// FilterLevel).
enum ExpandMode {
  EM_NULL = 0,     // 1:1 from the source's top-left corner
  EM_STRETCH = 1,  // the source stretched over the destination
  EM_TILE = 2,     // the source repeated from the destination's top-left corner
};

struct IRenderTarget : public IObjRef {
  virtual HRESULT CreateCompatibleRenderTarget(SIZE szTarget, IRenderTarget** ppRenderTarget) = 0;
  virtual HRESULT CreatePen(int iStyle, COLORREF cr, int cWidth, IPen** ppPen) = 0;
  virtual HRESULT CreateSolidColorBrush(COLORREF cr, IBrush** ppBrush) = 0;
  virtual HRESULT CreateBitmapBrush(IBitmap* pBmp, IBrush** ppBrush) = 0;
  // E_OUTOFMEMORY when the factory cannot make a region.
  virtual HRESULT CreateRegion(IRegion** ppRegion) = 0;
  // Re-initialises the selected bitmap to the new size, all pixels zero.
  virtual HRESULT Resize(SIZE sz) = 0;

  virtual HRESULT OffsetViewportOrg(int xOff, int yOff, LPPOINT lpPoint) = 0;
  virtual HRESULT GetViewportOrg(LPPOINT lpPoint) = 0;
  virtual HRESULT SetViewportOrg(POINT pt) = 0;

  // Saves the device context's state, then combines the clip with the rectangle or region.
  virtual HRESULT PushClipRect(LPCRECT pRect, UINT mode) = 0;
  virtual HRESULT PushClipRegion(IRegion* pRegion, UINT mode) = 0;
  // Restores the state saved by the matching push.
  virtual HRESULT PopClip() = 0;
  virtual HRESULT ExcludeClipRect(LPCRECT pRc) = 0;
  virtual HRESULT IntersectClipRect(LPCRECT pRc) = 0;
  virtual HRESULT SaveClip(int* pnState) = 0;
  virtual HRESULT RestoreClip(int nState) = 0;
  virtual HRESULT GetClipRegion(IRegion** ppRegion) = 0;
  virtual HRESULT GetClipBox(LPRECT prc) = 0;

  virtual HRESULT DrawText(LPCWSTR pszText, int cchLen, LPRECT pRc, UINT uFormat) = 0;
  // cchLen < 0 means up to the terminating NUL.
  virtual HRESULT MeasureText(LPCWSTR pszText, int cchLen, SIZE* psz) = 0;
  virtual HRESULT TextOut(int x, int y, LPCWSTR lpszString, int nCount) = 0;

  // Outlines answer E_INVALIDARG when no pen is selected.
  virtual HRESULT DrawRectangle(LPCRECT pRect) = 0;
  virtual HRESULT FillRectangle(LPCRECT pRect) = 0;
  virtual HRESULT FillSolidRect(LPCRECT pRect, COLORREF cr) = 0;
  virtual HRESULT DrawRoundRect(LPCRECT pRect, POINT pt) = 0;
  virtual HRESULT FillRoundRect(LPCRECT pRect, POINT pt) = 0;
  virtual HRESULT FillSolidRoundRect(LPCRECT pRect, POINT pt, COLORREF cr) = 0;
  // Writes cr, alpha included and not blended, into every pixel of the rectangle.
  virtual HRESULT ClearRect(LPCRECT pRect, COLORREF cr) = 0;
  // E_UNEXPECTED when GDI fails.
  virtual HRESULT InvertRect(LPCRECT pRect) = 0;
  virtual HRESULT DrawEllipse(LPCRECT pRect) = 0;
  virtual HRESULT FillEllipse(LPCRECT pRect) = 0;
  virtual HRESULT FillSolidEllipse(LPCRECT pRect, COLORREF cr) = 0;
  // Angles in degrees.
  virtual HRESULT DrawArc(LPCRECT pRect, float startAngle, float sweepAngle, BOOL useCenter) = 0;
  virtual HRESULT FillArc(LPCRECT pRect, float startAngle, float sweepAngle) = 0;
  virtual HRESULT DrawLines(LPPOINT pPt, size_t nCount) = 0;
  virtual HRESULT GradientFill(LPCRECT pRect, BOOL bVert, COLORREF crBegin, COLORREF crEnd,
                               BYTE byAlpha) = 0;
  // Reserved: E_NOTIMPL.
  virtual HRESULT Reserved39(LPCRECT a1, int a2, int a3, COLORREF a4, COLORREF a5, BYTE a6) = 0;
  // Reserved for gradients of shape skins over a rectangle: type (0 linear, 1 radial, 2 sweep),
  // start, centre and end colours, angle in degrees, centre as fractions of the rectangle,
  // radius in pixels, alpha. The GDI back-end does not draw them: E_NOTIMPL.
  virtual HRESULT Reserved40(LPCRECT pRect, int type, COLORREF crStart, COLORREF crCenter,
                             COLORREF crEnd, float angle, float centerX, float centerY,
                             int radius, BYTE byAlpha) = 0;
  // S_FALSE when GDI could not draw the icon.
  virtual HRESULT DrawIconEx(int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth,
                             UINT diFlags) = 0;
  // E_FAIL when the blend fails.
  virtual HRESULT DrawBitmap(LPCRECT pRcDest, IBitmap* pBitmap, int xSrc, int ySrc,
                             BYTE byAlpha) = 0;
  // expandMode: ExpandMode in the low 16 bits, FilterLevel in the high 16 bits.
  virtual HRESULT DrawBitmapEx(LPCRECT pRcDest, IBitmap* pBitmap, LPCRECT pRcSrc,
                               UINT expandMode, BYTE byAlpha) = 0;
  // S_FALSE when the margins do not fit the source.
  virtual HRESULT DrawBitmap9Patch(LPCRECT pRcDest, IBitmap* pBitmap, LPCRECT pRcSrc,
                                   LPCRECT pRcSourMargin, UINT expandMode, BYTE byAlpha) = 0;
  virtual HRESULT BitBlt(LPCRECT pRcDest, IRenderTarget* pRTSour, int xSrc, int ySrc,
                         DWORD dwRop) = 0;
  // E_FAIL when the blend fails.
  virtual HRESULT AlphaBlend(LPCRECT pRcDest, IRenderTarget* pRTSrc, LPCRECT pRcSrc,
                             BYTE byAlpha) = 0;

  // The selected object of an OBJTYPE, no reference added; null for other types.
  virtual IRenderObj* GetCurrentObject(int uType) = 0;
  // S_FALSE when the default is already selected; E_INVALIDARG for a type without default.
  virtual HRESULT SelectDefaultObject(int objType, IRenderObj** pOldObj) = 0;
  // The previous object, when wanted, comes with a reference added.
  virtual HRESULT SelectObject(IRenderObj* pObj, IRenderObj** pOldObj) = 0;
  virtual COLORREF GetTextColor() = 0;
  virtual COLORREF SetTextColor(COLORREF color) = 0;

  // The memory device context behind the target; the flags are only remembered.
  virtual HDC GetDC(UINT uFlag) = 0;
  virtual void ReleaseDC(HDC hdc) = 0;

  // World transform as six values m11, m12, m21, m22, dx, dy; E_FAIL when GDI fails.
  virtual HRESULT SetTransform(const float matrix[6], float oldMatrix[6]) = 0;
  virtual HRESULT GetTransform(float matrix[6]) const = 0;

  // E_NOINTERFACE.
  virtual HRESULT QueryInterface(REFGUID iid, IObjRef** ppObj) = 0;

  // Raw premultiplied pixel of the selected bitmap (0xAARRGGBB); 0xFFFFFF outside it.
  virtual COLORREF GetPixel(int x, int y) = 0;
  // Writes the raw pixel; returns the previous one (0xFFFFFF and no write outside).
  virtual COLORREF SetPixel(int x, int y, COLORREF cr) = 0;

  // Reserved: E_NOTIMPL.
  virtual HRESULT Reserved59(LPCRECT a1, int a2, int a3) = 0;
  virtual HRESULT Reserved60(LPCRECT a1, int a2) = 0;
  virtual ~IRenderTarget() = default;
};

}  // namespace SWUI
