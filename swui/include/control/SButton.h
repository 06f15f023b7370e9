// A push button ("button"): drawn by its background skin (built-in "_skin.sys.btn.normal" by
// default) and its text, focusable, clicked by the mouse, Space or Enter, or a key
// combination ("accel", or Alt with the letter of a trailing "(&X)" in its text). With
// "animate" the hover image fades in and out over the container's timeline.
#pragma once
#include "core/IAcceleratorTarget.h"
#include "core/ITimelineHandler.h"
#include "core/SWindow.h"

namespace SWUI {

class SButton : public SWindow, public IAcceleratorTarget, public ITimelineHandler {
  SWUI_CLASS_NAME(SWindow, L"button")

 public:
  // The fade's first alpha, and the alpha that means no fade runs.
  static constexpr WORD kFadeStart = 50;
  static constexpr WORD kNoFade = 255;

  SButton();

  // "accel" (S_OK when the text gives a combination with a key, else S_FALSE; any earlier
  // one is given up first), "animate", "animateStep" (its low 8 bits; 0 means no fade), "skin"
  // (a name no pool knows is refused and keeps the skin; the rest is SWindow's), then
  // SWindow's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SWindow::SetAttribute;
  // SWindow's, then the combination of a text ending in "(&X)".
  BOOL InitFromXml(pugi::xml_node xmlNode) override;

  DWORD GetAccelerator() const { return m_accel; }
  // The fade's alpha: kNoFade while none runs.
  WORD GetFadeAlpha() const { return m_byAlphaAni; }

  // Fires the command unless the button is disabled (its own or an ancestor's setting).
  BOOL OnAcceleratorPressed(const CAccelerator& acc) override;
  // One fade step; the fade ends above 254.
  void OnNextFrame() override;

  // Dialog code 8: the button wants characters.
  UINT OnGetDlgCode() override { return 8; }
  BOOL NeedRedrawWhenStateChange() override { return TRUE; }
  // The background skin's size on the axes that wrap content, when it has both a width and a
  // height; otherwise SWindow's.
  SIZE GetDesiredSize(LPCRECT pRcContainer) override;
  using SWindow::GetDesiredSize;

 protected:
  void OnStateChanged(DWORD dwOldState, DWORD dwNewState) override;

  void OnPaint(IRenderTarget* pRT);
  void OnLButtonDblClk(UINT nFlags, POINT pt) { SWindow::OnLButtonDown(nFlags, pt); }
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnDestroy();
  void OnSize(UINT nType, SIZE size);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_MSG_ENTRY(WM_ERASEBKGND, 1)
  MSG_WM_LBUTTONDBLCLK(OnLButtonDblClk)
  MSG_WM_KEYDOWN(OnKeyDown)
  MSG_WM_KEYUP(OnKeyUp)
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_SIZE(OnSize)
  SWND_END_MSG_MAP(SWindow)

  DWORD m_accel = 0;
  BOOL m_bAnimate = FALSE;
  WORD m_byAlphaAni = kNoFade;
  BYTE m_byAniStep = 25;

 private:
  // Gives up the stored combination, stores acc and registers it when it is not 0.
  void SetAccel(DWORD acc);
  void StopFade();
  void PaintSkin(IRenderTarget* pRT, const RECT& rc);
  static bool IsClickKey(UINT nChar) { return nChar == VK_SPACE || nChar == VK_RETURN; }
};

}  // namespace SWUI
