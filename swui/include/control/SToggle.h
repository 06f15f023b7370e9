// A two-state toggle ("toggle"), as a tree's expand button: a skin of six states (normal,
// hover, pushed; then the same three toggled), built-in "_skin.sys.tree.toggle" by default; a
// click flips it.
#pragma once
#include "core/SWindow.h"

namespace SWUI {

class SToggle : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"toggle")

 public:
  SToggle();

  // "toggled" (integer) and "skin" (a name no pool knows is refused), then SWindow's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SWindow::SetAttribute;

  void SetToggle(BOOL bToggle, BOOL bUpdate = TRUE);
  BOOL GetToggle() const { return m_bToggled; }
  ISkinObj* GetSkin() const { return m_pSkin; }

  void OnColorize(COLORREF cr) override;
  BOOL NeedRedrawWhenStateChange() override { return TRUE; }
  // The skin's size on the axes that wrap content (0 x 0 without a skin).
  SIZE GetDesiredSize(LPCRECT pRcContainer) override;
  using SWindow::GetDesiredSize;

 protected:
  void OnPaint(IRenderTarget* pRT);
  void OnLButtonUp(UINT nFlags, POINT pt);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  SWND_END_MSG_MAP(SWindow)

  BOOL m_bToggled = FALSE;
  SAutoRefPtr<ISkinObj> m_pSkin;
};

}  // namespace SWUI
