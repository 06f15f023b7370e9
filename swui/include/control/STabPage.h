// One page of a tab control: an ordinary element holding the page's content, with the title
// and icon its tab shows. A page starts hidden; the tab control shows the current one. Its
// "tip" is shown over its tab by the tab control, never over the page itself.
//
// Attributes (names in any letter case): "title" (text, "@string/" resolved, translated in
// the tree's context), "iconIndex" (state of the tab control's icon skin, -1 = the page's
// own index). Neither repaints. Other names go to SWindow.
#pragma once
#include "core/STrText.h"
#include "core/SWindow.h"

namespace SWUI {

class STabPage : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"page")

 public:
  STabPage();

  // The translated title, or the raw one.
  SStringW GetTitle(BOOL bRaw = FALSE) const { return m_strTitle.GetText(bRaw); }
  // Stores the raw title and translates it.
  void SetTitle(LPCWSTR title);
  // Translates the raw title again (after a language change).
  void TranslateTitle() { m_strTitle.TranslateText(); }
  int GetIconIndex() const { return m_iIconIndex; }
  void SetIconIndex(int index) { m_iIconIndex = index; }

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  // The page has no tip of its own area: FALSE.
  BOOL UpdateToolTip(POINT pt, SwndToolTipInfo& tipInfo) override;

 protected:
  STrText m_strTitle;
  int m_iIconIndex = -1;
};

}  // namespace SWUI
