// A group frame ("group"): a rounded double line around its children with the title set into
// the top line; the children are laid out below a header of "headerHeight".
#pragma once
#include "core/SLayoutSize.h"
#include "core/SWindow.h"

namespace SWUI {

class SGroup : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"group")

 public:
  SGroup();

  // "colorLine1", "colorLine2" (an empty value E_FAIL), "round", "headerHeight", then
  // SWindow's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SWindow::SetAttribute;

  // SWindow's, below the header.
  void GetChildrenLayoutRect(RECT* prc) const override;
  // SWindow's, with the header added to a height that wraps the content.
  SIZE GetDesiredSize(int nParentWid, int nParentHei) override;
  using SWindow::GetDesiredSize;

 protected:
  void OnPaint(IRenderTarget* pRT);
  void DrawFrame(IRenderTarget* pRT, const RECT& rc, COLORREF cr, int round);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWindow)

  COLORREF m_crLine1 = 0xFFF0F0F0;
  COLORREF m_crLine2 = 0xFFA0A0A0;
  SLayoutSize m_nRound{4.0f, dp};
  SLayoutSize m_nHeaderHeight{20.0f, dp};
};

}  // namespace SWUI
