// The plain-text edit: a rich edit without rich text that selects all of its text when it
// takes the focus, and shows a cue text (in cueColor, vertically centred in the client
// rectangle less the inset) while it is empty and not focused.
#pragma once
#include "control/SRichEdit.h"
#include "core/STrText.h"

namespace SWUI {

class SEdit : public SRichEdit {
  SWUI_CLASS_NAME(SRichEdit, L"edit")

 public:
  SEdit();

  // The cue text as translated (bRawText FALSE) or as given.
  SStringW GetCueText(BOOL bRawText = FALSE) const { return m_strCue.GetText(bRawText); }
  COLORREF GetCueColor() const { return m_crCue; }

  // "cueText" (a named string or the text itself, translated) and "cueColor" (an empty value
  // is refused with E_FAIL); both repaint. Other names go to the rich edit.
  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SRichEdit::SetAttribute;
  // The base's handling, then the cue text translated again.
  BOOL OnLanguageChanged() override;

 protected:
  void OnPaint(IRenderTarget* pRT);
  void OnSetFocus(SwndHandle swndOld);
  void OnKillFocus(SwndHandle swndNew);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_SETFOCUS_EX(OnSetFocus)
  MSG_WM_KILLFOCUS_EX(OnKillFocus)
  SWND_END_MSG_MAP(SRichEdit)

 private:
  // Whether the cue text shows now.
  BOOL IsCueShown();

  COLORREF m_crCue = 0xFFCCCCCC;
  STrText m_strCue;
};

}  // namespace SWUI
