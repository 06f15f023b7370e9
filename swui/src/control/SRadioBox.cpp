#include "control/SRadioBox.h"

#include "control/SControlSkin.h"
#include "control/SKeyword.h"
#include "core/SAttrParse.h"
#include "core/SMuteEvents.h"

namespace SWUI {

namespace {

constexpr int kRadioSkin = 1;
constexpr int kFocusRadioSkin = 3;

using AlignWord = SKeyword<UINT>;

constexpr AlignWord kAligns[] = {{L"left", SwndStyle::kAlignLeft},
                                 {L"center", SwndStyle::kAlignCenter},
                                 {L"right", SwndStyle::kAlignRight}};
constexpr AlignWord kVAligns[] = {{L"top", SwndStyle::kVAlignTop},
                                  {L"middle", SwndStyle::kVAlignMiddle},
                                  {L"bottom", SwndStyle::kVAlignBottom}};

}  // namespace

SRadioBox::SRadioBox() : SCheckableWnd(kRadioSkin, kFocusRadioSkin) {}

HRESULT SRadioBox::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"checked") && bLoading) {
    SMuteEvents mute(this);
    return SCheckableWnd::SetAttribute(name, value, bLoading);
  }
  const bool isAlign = SAttrParse::IsName(name, L"iconAlign");
  if (isAlign || SAttrParse::IsName(name, L"iconValign")) {
    const BOOL ok = isAlign ? AlignWord::Parse(kAligns, value, &m_uIconAlign)
                            : AlignWord::Parse(kVAligns, value, &m_uIconVAlign);
    if (!ok) return E_FAIL;
    return AfterAttribute(name, value, bLoading, S_OK);
  }
  return SCheckableWnd::SetAttribute(name, value, bLoading);
}

SWindow* SRadioBox::GetSelectedSiblingInGroup() {
  if (m_pParent == nullptr) return nullptr;
  for (SWindow* sibling = m_pParent->GetWindow(GSW_FIRSTCHILD); sibling != nullptr;
       sibling = sibling->GetWindow(GSW_NEXTSIBLING)) {
    if (sibling->IsClass(ClassName()) && sibling->IsChecked()) return sibling;
  }
  return nullptr;
}

RECT SRadioBox::GetIconRect() const {
  const RECT client = GetClientRect();
  const SIZE skin = SControlSkin::SizeOf(m_pSkin);
  RECT rc = {client.left, client.top, 0, 0};
  if (m_uIconAlign == SwndStyle::kAlignCenter) {
    rc.left += (client.right - client.left - skin.cx) / 2;
  } else if (m_uIconAlign == SwndStyle::kAlignRight) {
    rc.left = client.right - skin.cx;
  }
  if (m_uIconVAlign == SwndStyle::kVAlignMiddle) {
    rc.top += (client.bottom - client.top - skin.cy) / 2;
  } else if (m_uIconVAlign == SwndStyle::kVAlignBottom) {
    rc.top = client.bottom - skin.cy;
  }
  rc.right = rc.left + skin.cx;
  rc.bottom = rc.top + skin.cy;
  return rc;
}

void SRadioBox::GetTextRect(LPRECT prect) const {
  GetClientRect(prect);
  const SIZE skin = SControlSkin::SizeOf(m_pSkin);
  if (m_uIconAlign == SwndStyle::kAlignLeft) prect->left += skin.cx + kIconGap;
  if (m_uIconAlign == SwndStyle::kAlignRight) prect->right -= skin.cx + kIconGap;
  if (m_uIconVAlign == SwndStyle::kVAlignTop) prect->top += skin.cy + kIconGap;
  if (m_uIconVAlign == SwndStyle::kVAlignBottom) prect->bottom -= skin.cy + kIconGap;
}

void SRadioBox::DrawFocus(IRenderTarget* pRT) {
  if (m_pFocusSkin != nullptr && (m_dwFlags & SWF_DRAWFOCUSRECT) && IsFocusable()) {
    DrawFocusSkin(pRT);
  } else {
    SWindow::DrawFocus(pRT);
  }
}

void SRadioBox::OnStateChanging(DWORD dwOldState, DWORD dwNewState) {
  SCheckableWnd::OnStateChanging(dwOldState, dwNewState);
  if (!(dwNewState & WndState_Check) || (dwOldState & WndState_Check)) return;
  // Runs before the new state is stored, so the box cannot find itself.
  SWindow* checked = GetSelectedSiblingInGroup();
  if (checked == nullptr) return;
  SMuteEvents mute(checked);
  checked->SetCheck(FALSE);
}

void SRadioBox::OnLButtonUp(UINT nFlags, POINT pt) {
  SWindow::OnLButtonUp(nFlags, pt);
  if (!IsChecked()) SetCheck(TRUE);
}

void SRadioBox::OnSetFocus(UINT, WPARAM, LPARAM lParam) {
  if (lParam != kFocusRestored && !IsChecked()) SetCheck(TRUE);
  Invalidate();
}

}  // namespace SWUI
