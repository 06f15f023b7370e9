// The seven week-day titles of a calendar, Sunday first: translatable texts in their owner's
// context ("日" .. "六" until a layout names others), drawn centred in seven equal columns.
#pragma once
#include <windows.h>

#include "IRenderTarget.h"
#include "core/ITrCtxProvider.h"
#include "core/STrText.h"

namespace SWUI {

class SWeekTitles {
 public:
  static constexpr int kDays = 7;

  explicit SWeekTitles(ITrCtxProvider* owner);

  // FALSE for a day outside 0..6.
  BOOL SetTitle(int iDay, const SStringW& text);
  // The translated title; empty outside 0..6.
  SStringW GetTitle(int iDay) const;
  // Translates every title again (the owner's context or the language changed).
  void Translate();
  // Each title centred in its seventh of rc (columns rc width / 7 wide), Sunday and Saturday in
  // crWeekend unless it is CR_INVALID, the others in the target's text colour.
  void Draw(IRenderTarget* pRT, const RECT& rc, COLORREF crWeekend) const;

  // Draws one line of text in a colour (CR_INVALID: the target's), restoring the colour.
  static void DrawTextIn(IRenderTarget* pRT, const SStringW& text, RECT rc, UINT uFormat,
                         COLORREF cr);

 private:
  STrText m_titles[kDays];
};

}  // namespace SWUI
