// One tab of a tab strip (SChromeTabCtrl), made by the strip. It slides to the place the strip
// gives it (MoveTo: 200 ms on the strip's timeline), can be dragged along the strip to another
// place while the strip allows it, and raises EventChromeTabDbClick on a double-click.
//
// It knows its place in the strip (position, left to right or top to bottom) and its ordinal
// (the order of creation, kept dense when tabs go, unchanged by dragging).
//
// Attribute "allowClose" (integer, default 1): whether the strip puts a close button on it.
#pragma once
#include <windows.h>

#include "controls/SAnimator.h"
#include "core/SWindow.h"

namespace SWUI {

class SChromeTabCtrl;

class SChromeTab : public SWindow, public SAnimator {
  SWUI_CLASS_NAME(SWindow, L"chromeTab")

 public:
  static constexpr DWORD kMoveDuration = 200;

  // Clips its children (the close button) to itself.
  explicit SChromeTab(SChromeTabCtrl* owner);

  // The strip that made it; null once the tab is destroyed.
  SChromeTabCtrl* GetOwnerCtrl() const { return m_pOwnerCtrl; }
  int GetIndex() const { return m_iIndex; }
  void SetIndex(int index) { m_iIndex = index; }
  int GetOrdinal() const { return m_iOrdinal; }
  void SetOrdinal(int ordinal) { m_iOrdinal = ordinal; }
  BOOL GetAllowClose() const { return m_bAllowClose != 0; }

  // Slides from where it is to target over 200 ms, starting again from where it is when a
  // slide runs.
  void MoveTo(const RECT& target);
  // Goes to rc at once; a running slide ends where it is.
  void MoveNow(const RECT& rc);
  // Moves to the point percent of the way of the running slide (integer, truncated).
  void OnAnimatorState(int percent) override;

  // Applies the attributes of a style node (a "tabStyle"), nothing else.
  void ApplyStyle(pugi::xml_node style);

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;

 protected:
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnLButtonDblClk(UINT nFlags, POINT pt);
  void OnDestroy();

  SWND_BEGIN_MSG_MAP()
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_LBUTTONDBLCLK(OnLButtonDblClk)
  SWND_END_MSG_MAP(SWindow)

 private:
  SChromeTabCtrl* m_pOwnerCtrl;
  int m_bAllowClose = 1;
  POINT m_ptDragOrigin = {0, 0};
  int m_iIndex = -1;
  int m_iOrdinal = -1;
  bool m_bDragging = false;
  RECT m_rcFrom = {0, 0, 0, 0};
  RECT m_rcTo = {0, 0, 0, 0};
};

}  // namespace SWUI
