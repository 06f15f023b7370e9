// One button of a menu bar (class name "menuItem", made only by the bar): a push button that
// owns a skinned popup menu loaded from a resource ("menuName", a named string) and pops it up
// below itself. See SMenuBar.
#pragma once
#include "control/SButton.h"
#include "control/SMenuEx.h"

namespace SWUI {

class SMenuBar;

class SMenuItem : public SButton {
  SWUI_CLASS_NAME(SButton, L"menuItem")

 public:
  // The element timer that opens this button's menu after another one was ended.
  static constexpr char kTimerPopup = 10;
  static constexpr UINT kPopupDelay = 10;

  // No focus rectangle; loads the menu (without owner window).
  SMenuItem(SMenuBar* pMenuBar, LPCWSTR pszMenuName);
  ~SMenuItem() override;

  BOOL IsMenuLoaded() const { return m_bMenuLoaded; }
  SMenuEx* GetMenu() { return &m_menu; }
  const SStringW& GetMenuName() const { return m_strMenuName; }
  // Runs the menu below the button (the bar holding it as shown, the button checked) and
  // answers the command: 0 when dismissed, -1 when the host lost the foreground. A chosen
  // command fires EventSelectMenu unless another button took over meanwhile.
  UINT PopupMenu();

  // "menuName", then the button's.
  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SButton::SetAttribute;

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_TIMER_EX(OnTimer)
  SWND_END_MSG_MAP(SButton)

  // Its bar forgets it.
  void OnDestroy();
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnTimer(char cTimerId);

 private:
  // Whether a press on this button waits in the host's queue (the press that ended its menu).
  bool PressWaits() const;

  SMenuBar* m_pMenuBar;
  SStringW m_strMenuName;
  BOOL m_bMenuLoaded = FALSE;
  SMenuEx m_menu;
};

}  // namespace SWUI
