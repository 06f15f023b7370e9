// An image ("img"): one state of a skin, or a bitmap stretched, at its natural size or tiled.
// Lets the mouse through.
#pragma once
#include "IBitmap.h"
#include "core/SWindow.h"

namespace SWUI {

class SImageWnd : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"img")

 public:
  // "tile" values.
  enum { kTileStretch = 0, kTileNone = 1, kTileRepeat = 2 };

  SImageWnd();

  // "skin" (a name no pool knows is refused), "iconIndex", "tile", then SWindow's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SWindow::SetAttribute;

  // Shows state iFrame of the skin in place of any image; FALSE for a null skin, which
  // changes nothing. The element keeps a reference to the skin whatever bAutoFree says.
  BOOL SetSkin(ISkinObj* pSkin, int iFrame = 0, BOOL bAutoFree = TRUE);
  ISkinObj* GetSkin() const { return m_pSkin; }
  // Shows the bitmap (a reference is kept), drawn with the filter level.
  void SetImage(IBitmap* pBitmap, int nFilterLevel = 0);
  IBitmap* GetImage() const { return m_pImg; }
  // Another state of the skin: FALSE without a skin or for a state it lacks.
  BOOL SetIcon(int iFrame);
  BOOL IsStaticContent() const override;
  int GetIconIndex() const { return m_iIcon; }

  void OnColorize(COLORREF cr) override;
  void OnScaleChanged(int scale) override;
  // The image's size, else the skin's, else 0 x 0, on the axes that wrap content.
  SIZE GetDesiredSize(LPCRECT pRcContainer) override;
  using SWindow::GetDesiredSize;

 protected:
  void OnPaint(IRenderTarget* pRT);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWindow)

  int m_fl = kTileStretch;
  int m_iIcon = 0;
  SAutoRefPtr<ISkinObj> m_pSkin;
  SAutoRefPtr<IBitmap> m_pImg;
  int m_nFilterLevel = 0;
};

}  // namespace SWUI
