#include "control/SEdit.h"

#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

SEdit::SEdit() : m_strCue(this) {
  m_fFlags &= ~REF_RICH;
  m_fFlags |= REF_AUTOSEL;
}

HRESULT SEdit::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"cueText")) {
    m_strCue.SetText(GetNamedString(value));
    return S_OK;
  }
  if (SAttrParse::IsName(name, L"cueColor")) {
    if (value.IsEmpty()) return E_FAIL;
    m_crCue = GetNamedColor(value);
    return S_OK;
  }
  return SRichEdit::SetAttribute(name, value, bLoading);
}

BOOL SEdit::OnLanguageChanged() {
  const BOOL result = SRichEdit::OnLanguageChanged();
  m_strCue.TranslateText();
  return result;
}

BOOL SEdit::IsCueShown() {
  return !m_strCue.GetText(FALSE).IsEmpty() && !IsFocused() && GetWindowTextLength() == 0;
}

void SEdit::OnPaint(IRenderTarget* pRT) {
  SRichEdit::OnPaint(pRT);
  if (!IsCueShown()) return;
  const RECT inset = ScaledInset();
  RECT rc = GetClientRect();
  rc.left += inset.left;
  rc.top += inset.top;
  rc.right -= inset.right;
  rc.bottom -= inset.bottom;
  SPainter painter;
  BeforePaint(pRT, painter);
  const COLORREF oldColor = pRT->SetTextColor(m_crCue);
  const SStringW cue = m_strCue.GetText(FALSE);
  pRT->DrawText(cue, cue.GetLength(), &rc, DT_SINGLELINE | DT_VCENTER);
  pRT->SetTextColor(oldColor);
  AfterPaint(pRT, painter);
}

void SEdit::OnSetFocus(SwndHandle swndOld) {
  SRichEdit::OnSetFocus(swndOld);
  if (!m_strCue.GetText(FALSE).IsEmpty() && GetWindowTextLength() == 0) Invalidate();
}

void SEdit::OnKillFocus(SwndHandle swndNew) {
  SRichEdit::OnKillFocus(swndNew);
  if (!m_strCue.GetText(FALSE).IsEmpty() && GetWindowTextLength() == 0) Invalidate();
}

}  // namespace SWUI
