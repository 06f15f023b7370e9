#include "control/SWeekTitles.h"

#include "core/SwndStyle.h"

namespace SWUI {

namespace {

const wchar_t* const kDefaultTitles[SWeekTitles::kDays] = {L"日", L"一", L"二", L"三",
                                                           L"四", L"五", L"六"};

constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

}  // namespace

SWeekTitles::SWeekTitles(ITrCtxProvider* owner) {
  for (int i = 0; i < kDays; ++i) {
    m_titles[i].SetOwner(owner);
    m_titles[i].SetText(kDefaultTitles[i]);
  }
}

BOOL SWeekTitles::SetTitle(int iDay, const SStringW& text) {
  if (iDay < 0 || iDay >= kDays) return FALSE;
  m_titles[iDay].SetText(text);
  return TRUE;
}

SStringW SWeekTitles::GetTitle(int iDay) const {
  if (iDay < 0 || iDay >= kDays) return SStringW();
  return m_titles[iDay].GetText(FALSE);
}

void SWeekTitles::Translate() {
  for (STrText& title : m_titles) title.TranslateText();
}

void SWeekTitles::Draw(IRenderTarget* pRT, const RECT& rc, COLORREF crWeekend) const {
  const int width = (rc.right - rc.left) / kDays;
  for (int i = 0; i < kDays; ++i) {
    const RECT cell = {rc.left + i * width, rc.top, rc.left + (i + 1) * width, rc.bottom};
    const bool weekend = i == 0 || i == kDays - 1;
    DrawTextIn(pRT, m_titles[i].GetText(FALSE), cell, kCentred, weekend ? crWeekend : CR_INVALID);
  }
}

void SWeekTitles::DrawTextIn(IRenderTarget* pRT, const SStringW& text, RECT rc, UINT uFormat,
                             COLORREF cr) {
  if (cr == CR_INVALID) {
    pRT->DrawText(text, text.GetLength(), &rc, uFormat);
    return;
  }
  const COLORREF old = pRT->SetTextColor(cr);
  pRT->DrawText(text, text.GetLength(), &rc, uFormat);
  pRT->SetTextColor(old);
}

}  // namespace SWUI
