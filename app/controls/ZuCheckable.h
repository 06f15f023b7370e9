// What the application's check button and radio button share over their framework bases
// (SCheckBox, SRadioBox): the skin drawn over the whole button with the text centred on it,
// and a text, tooltip and text colour of their own for each check state.
//
// Attributes, besides the base's (flags are on unless exactly "0"; texts follow the language):
// "autoCheck" (the button changes its own check state on a click), "text1"/"text2",
// "tip1"/"tip2", "colortext1"/"colortext2" (unchecked/checked) and the flags "multitext",
// "multitip", "multicolor" that make the window text, tooltip or text colour follow the check
// state. A value of the current state is applied at once while its flag is on.
#pragma once
#include <windows.h>

#include "core/STrText.h"
#include "core/SWindow.h"

template <class Base>
class ZuCheckable : public Base {
 public:
  // Text centred; focusable.
  ZuCheckable();

  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using Base::SetAttribute;

  BOOL IsAutoCheck() const { return m_nAutoCheck != 0; }
  // The raw texts (unchecked, checked) and their translations.
  SWUI::SStringW GetStateText(BOOL checked, BOOL bRaw = FALSE) const;
  SWUI::SStringW GetStateTip(BOOL checked, BOOL bRaw = FALSE) const;

  // The text lies over the skin: the client rectangle less the padding.
  void GetTextRect(LPRECT prect) const override;
  // The focus skin over the client rectangle; without one the element's focus rectangle.
  void DrawFocus(SWUI::IRenderTarget* pRT) override;
  // The skin's size when it has a width and a height (on the axes that wrap their content),
  // else the base's.
  SIZE GetDesiredSize(LPCRECT pRcContainer) override;
  using Base::GetDesiredSize;
  // The state texts follow the language too.
  BOOL OnLanguageChanged() override;

 protected:
  using Base::IsMsgHandled;
  using Base::SetMsgHandled;

  void OnStateChanged(DWORD dwOldState, DWORD dwNewState) override;
  // The skin over the client rectangle in the check state's index, then the text.
  void OnPaint(SWUI::IRenderTarget* pRT);
  // The text, tooltip and colour of a check state, each under its flag.
  void ApplyCheckState(BOOL checked);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(Base)

  SWUI::STrText m_strText1;  // unchecked
  SWUI::STrText m_strText2;  // checked
  SWUI::STrText m_strTip1;
  SWUI::STrText m_strTip2;
  int m_nMultiText = 0;
  int m_nMultiTip = 0;
  int m_nMultiColor = 0;
  COLORREF m_crText1 = 0;
  COLORREF m_crText2 = 0;
  int m_nAutoCheck = 0;
};
