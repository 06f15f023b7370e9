// A panel whose content, the view, has a size and an origin of its own ("scrollview"): the
// children are laid out in the view and move with it when the bars scroll. The bars show only
// when the view does not fit the client area.
//
// Attributes, besides the panel's: "origin-x", "origin-y" (stored as they are), "viewSize"
// ("w,h"; a width or height below 1 makes the view follow the measured size of the children
// on every resize), "leastViewSize" ("w,h"; with an automatic view size, the view fills the
// client area less the bars it needs and is never smaller than this; "0,0" measures the
// children again).
//
// Events: EventScrollViewOriginChanged, EventScrollViewSizeChanged and EventScroll (after
// every scroll step that moved the view). UI thread only.
#pragma once
#include "control/SPanel.h"

namespace SWUI {

class SScrollView : public SPanel {
  SWUI_CLASS_NAME(SPanel, L"scrollview")

 public:
  SScrollView();

  // Stores the size and updates the bars; nothing when unchanged.
  void SetViewSize(SIZE szView);
  SIZE GetViewSize() const { return m_szView; }
  // Moves the content: both bars follow and the children are placed again; nothing when
  // unchanged.
  void SetViewOrigin(POINT pt);
  POINT GetViewOrigin() const { return m_ptOrigin; }
  BOOL IsAutoViewSize() const { return m_bAutoViewSize; }

  BOOL OnScroll(BOOL bVertical, UINT uCode, int nPos) override;
  // The base layout rectangle moved by minus the origin and sized to the view.
  void GetChildrenLayoutRect(RECT* prc) const override;
  // With an automatic view size the children are measured first.
  void UpdateChildrenPosition() override;

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SPanel::SetAttribute;

 protected:
  virtual void OnViewSizeChanged(SIZE szOld, SIZE szNew);
  // Places the children again and fires EventScrollViewOriginChanged.
  virtual void OnViewOriginChanged(POINT ptOld, POINT ptNew);
  // Shows the bars the view needs, sets their ranges and pages and keeps the origin inside.
  virtual void UpdateScrollBar();

  SWND_BEGIN_MSG_MAP()
  MSG_WM_SIZE(OnSize)
  SWND_END_MSG_MAP(SPanel)

  void OnSize(UINT nType, SIZE size);

  BOOL m_bAutoViewSize = FALSE;
  SIZE m_szView = {0, 0};
  POINT m_ptOrigin = {0, 0};

 private:
  // The children's measured size in the client area less padding, padding added back.
  SIZE MeasureView();
  // The client area less the bars a view of the least size needs, never below that size.
  SIZE StretchView() const;
  // The view's automatic size: stretched from the least size when one is given, else measured.
  SIZE AutoViewSize();
  // Measures the view again when its size is automatic, then updates the bars.
  void RefreshView();

  SIZE m_szLeast = {0, 0};
};

}  // namespace SWUI
