#include "controls/ZuCheckable.h"

#include "control/SCheckBox.h"
#include "control/SControlSkin.h"
#include "control/SRadioBox.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

using namespace SWUI;

template <class Base>
ZuCheckable<Base>::ZuCheckable()
    : m_strText1(this), m_strText2(this), m_strTip1(this), m_strTip2(this) {
  this->m_style.SetAttribute(L"align", L"center", TRUE);
  this->m_dwFlags |= SWF_FOCUSABLE;
}

template <class Base>
HRESULT ZuCheckable<Base>::SetAttribute(const SStringW& name, const SStringW& value,
                                        BOOL bLoading) {
  using P = SAttrParse;
  const BOOL checked = this->IsChecked();
  struct Flag {
    LPCWSTR name;
    int ZuCheckable::*field;
  };
  static const Flag kFlags[] = {{L"autoCheck", &ZuCheckable::m_nAutoCheck},
                                {L"multitext", &ZuCheckable::m_nMultiText},
                                {L"multitip", &ZuCheckable::m_nMultiTip},
                                {L"multicolor", &ZuCheckable::m_nMultiColor}};
  for (const Flag& flag : kFlags) {
    if (!P::IsName(name, flag.name)) continue;
    this->*flag.field = P::Bool(value);
    if (flag.field != &ZuCheckable::m_nAutoCheck) ApplyCheckState(checked);
    return this->AfterAttribute(name, value, bLoading, S_FALSE);
  }
  struct Text {
    LPCWSTR name;
    STrText ZuCheckable::*field;
    BOOL checked;
    bool tip;
  };
  static const Text kTexts[] = {{L"text1", &ZuCheckable::m_strText1, FALSE, false},
                                {L"text2", &ZuCheckable::m_strText2, TRUE, false},
                                {L"tip1", &ZuCheckable::m_strTip1, FALSE, true},
                                {L"tip2", &ZuCheckable::m_strTip2, TRUE, true}};
  for (const Text& text : kTexts) {
    if (!P::IsName(name, text.name)) continue;
    (this->*text.field).SetText(GetNamedString(value));
    const int multi = text.tip ? m_nMultiTip : m_nMultiText;
    if (multi != 0 && !text.checked == !checked) {
      const SStringW raw = (this->*text.field).GetText(TRUE);
      if (text.tip) {
        this->SetToolTipText(raw);
      } else {
        this->SetWindowText(raw);
      }
    }
    return this->AfterAttribute(name, value, bLoading, S_FALSE);
  }
  const bool isColor1 = P::IsName(name, L"colortext1");
  if (isColor1 || P::IsName(name, L"colortext2")) {
    (isColor1 ? m_crText1 : m_crText2) = GetNamedColor(value);
    const bool shown = m_nMultiColor != 0 && isColor1 == !checked;
    if (shown) ApplyCheckState(checked);
    return this->AfterAttribute(name, value, bLoading, shown ? S_OK : S_FALSE);
  }
  return Base::SetAttribute(name, value, bLoading);
}

template <class Base>
SStringW ZuCheckable<Base>::GetStateText(BOOL checked, BOOL bRaw) const {
  return (checked ? m_strText2 : m_strText1).GetText(bRaw);
}

template <class Base>
SStringW ZuCheckable<Base>::GetStateTip(BOOL checked, BOOL bRaw) const {
  return (checked ? m_strTip2 : m_strTip1).GetText(bRaw);
}

template <class Base>
void ZuCheckable<Base>::ApplyCheckState(BOOL checked) {
  if (m_nMultiText != 0) this->SetWindowText(GetStateText(checked, TRUE));
  if (m_nMultiTip != 0) this->SetToolTipText(GetStateTip(checked, TRUE));
  if (m_nMultiColor != 0) {
    this->m_style.SetTextColor(SwndStyle::kStateNormal, checked ? m_crText2 : m_crText1);
    this->Invalidate();
  }
}

template <class Base>
void ZuCheckable<Base>::OnStateChanged(DWORD dwOldState, DWORD dwNewState) {
  Base::OnStateChanged(dwOldState, dwNewState);
  if ((dwOldState ^ dwNewState) & WndState_Check) {
    ApplyCheckState((dwNewState & WndState_Check) != 0);
  }
}

template <class Base>
void ZuCheckable<Base>::GetTextRect(LPRECT prect) const {
  SWindow::GetTextRect(prect);
}

template <class Base>
void ZuCheckable<Base>::DrawFocus(IRenderTarget* pRT) {
  if (this->GetFocusSkin() == nullptr) {
    SWindow::DrawFocus(pRT);
    return;
  }
  SControlSkin::DrawState(this->GetFocusSkin(), pRT, this->GetClientRect(), 0);
}

template <class Base>
SIZE ZuCheckable<Base>::GetDesiredSize(LPCRECT pRcContainer) {
  const SIZE skin = SControlSkin::SizeOf(this->GetIconSkin());
  if (skin.cx == 0 || skin.cy == 0) return Base::GetDesiredSize(pRcContainer);
  return SControlSkin::WrapContent(this, SWindow::GetDesiredSize(pRcContainer), skin);
}

template <class Base>
BOOL ZuCheckable<Base>::OnLanguageChanged() {
  for (STrText* text : {&m_strText1, &m_strText2, &m_strTip1, &m_strTip2}) text->TranslateText();
  return Base::OnLanguageChanged();
}

template <class Base>
void ZuCheckable<Base>::OnPaint(IRenderTarget* pRT) {
  SControlSkin::DrawState(this->GetIconSkin(), pRT, this->GetClientRect(), this->GetDrawState());
  SWindow::OnPaint(pRT);
}

template class ZuCheckable<SCheckBox>;
template class ZuCheckable<SRadioBox>;
