// A radio box ("radio"): the radio skin (built-in "_skin.sys.radio") placed by "iconAlign" and
// "iconValign", the text beside it. The radio boxes of one parent (every child whose class
// test answers "radio") form a group with at most one checked: checking one unchecks the
// other, whose events are muted meanwhile. A click or any focus arrival checks the box,
// except the focus given back when the host window becomes active again.
#pragma once
#include "control/SCheckableWnd.h"
#include "core/SwndStyle.h"

namespace SWUI {

class SRadioBox : public SCheckableWnd {
  SWUI_CLASS_NAME(SWindow, L"radio")

 public:
  // The focus reason of a focus given back when the host window becomes active again.
  static constexpr LPARAM kFocusRestored = 2;

  SRadioBox();

  // "checked" (while loading with the events muted), "iconAlign" ("left", "center", "right")
  // and "iconValign" ("top", "middle", "bottom"; other words E_FAIL), then the check box's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SCheckableWnd::SetAttribute;

  UINT GetIconAlign() const { return m_uIconAlign; }
  UINT GetIconVAlign() const { return m_uIconVAlign; }

  UINT OnGetDlgCode() override { return 0; }
  BOOL IsSiblingsAutoGroupped() override { return TRUE; }
  // The parent's first child that is a checked radio box; null without a parent.
  SWindow* GetSelectedSiblingInGroup() override;
  // The client rectangle less the icon's side (and 4 pixels) where the icon sits at an edge.
  void GetTextRect(LPRECT prect) const override;
  // The focus skin over the icon when there is one and the element is focusable and draws
  // focus; else SWindow's.
  void DrawFocus(IRenderTarget* pRT) override;

 protected:
  RECT GetIconRect() const override;
  // Checking this box unchecks the checked sibling, its events muted.
  void OnStateChanging(DWORD dwOldState, DWORD dwNewState) override;

  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnSetFocus(UINT uMsg, WPARAM wParam, LPARAM lParam);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_LBUTTONUP(OnLButtonUp)
  SWND_MSG_ENTRY(WM_SETFOCUS, (OnSetFocus(uMsg, wParam, lParam), 0))
  SWND_END_MSG_MAP(SCheckableWnd)

  UINT m_uIconAlign = SwndStyle::kAlignLeft;
  UINT m_uIconVAlign = SwndStyle::kVAlignMiddle;
};

}  // namespace SWUI
