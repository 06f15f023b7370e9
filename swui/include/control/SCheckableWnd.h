// What check boxes and radio boxes share: a state skin drawn as an icon beside the text (a
// state for each of normal, hover, pushed, disabled, and four more when checked), a focus
// skin, and the "checked" attribute. Not an element of its own: its class test is SWindow's.
#pragma once
#include "core/SWindow.h"

namespace SWUI {

class SCheckableWnd : public SWindow {
 public:
  // Pixels between the icon and the text.
  static constexpr int kIconGap = 4;

  // "skin" and "focusSkin" (a name no pool knows is refused and keeps the skin), "checked"
  // (checked unless exactly "0"), then SWindow's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SWindow::SetAttribute;

  ISkinObj* GetIconSkin() const { return m_pSkin; }
  ISkinObj* GetFocusSkin() const { return m_pFocusSkin; }
  // The icon skin's state for the element's state; -1 without a skin.
  int GetDrawState() const;

  void OnColorize(COLORREF cr) override;
  void OnScaleChanged(int scale) override;
  BOOL NeedRedrawWhenStateChange() override { return TRUE; }
  // On the axes that wrap content: SWindow's width plus the skin's and 4, and the larger of
  // SWindow's height and the skin's.
  SIZE GetDesiredSize(LPCRECT pRcContainer) override;
  using SWindow::GetDesiredSize;

 protected:
  // The skin made of the built-in skins of these indexes; align left, focusable.
  SCheckableWnd(int skinIndex, int focusSkinIndex);

  // Where the icon goes in the client rectangle.
  virtual RECT GetIconRect() const = 0;
  // The icon skin's state, then SWindow's painting (text, focus).
  void OnPaint(IRenderTarget* pRT);
  // The focus skin in the icon rectangle.
  void DrawFocusSkin(IRenderTarget* pRT);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWindow)

  SAutoRefPtr<ISkinObj> m_pSkin;
  SAutoRefPtr<ISkinObj> m_pFocusSkin;
};

}  // namespace SWUI
