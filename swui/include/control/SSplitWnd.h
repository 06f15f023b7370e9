// A split window ("splitwnd"): its panes (SSplitPane) side by side ("vertical" 1: vertical
// bars, sizes are widths) or stacked ("vertical" 0: horizontal bars, sizes are heights), with a
// bar of "sepSize" pixels between each two shown panes that the user can drag ("adjustable").
// A hidden pane takes no room and has no bar.
//
// Space is handed out by priority: on every layout the panes of higher priority grow or shrink
// toward their ideal sizes first, then the panes of lower priority absorb what is left, within
// their minimum and maximum sizes. A dragged bar moves space from the panes on one side to the
// panes on the other: the pane next to the bar first, the rest of its side as the layout does.
//
// XML: the "pane" children become the panes, in their order; other children are not read.
// Lengths are clamped to kMaxLength pixels (a larger "sepSize", a pane's larger ideal, minimum
// or maximum size) and laid out in wide integers, so that no sum leaves int; painting draws
// only the bars' parts inside the client area.
//
// Attributes, besides the element's: "sepSize" (pixels, not negative), "sepSkin" (drawn in
// state 0 over each bar; an unknown name fails with E_FAIL and keeps the skin), "adjustable",
// "vertical". UI thread only.
#pragma once
#include <vector>

#include "control/SSplitPane.h"
#include "core/SWindow.h"

namespace SWUI {

class SSplitWnd : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"splitwnd")

 public:
  static constexpr int kMaxLength = 1 << 20;

  SSplitWnd();
  ~SSplitWnd() override;

  // Inserts a pane that is already a child of this split window at a display index (outside
  // [0, count]: appended) and, when the client area is not empty, lays the panes out with the
  // new pane at its ideal size. The index used; -1 for a null pane, a pane that is not a child
  // and a pane inserted before.
  int InsertPane(SSplitPane* pane, int index = -1);
  // The pane at a display index, or null.
  SSplitPane* GetPane(int index) const;
  int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
  // The display index of the pane of that name, or of the pane itself; -1 when none.
  int PaneIndex(const SStringW& name) const;
  int PaneIndex(const SSplitPane* pane) const;
  BOOL IsVertical() const { return m_bVertical; }

  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  // The resize cursor of the axis over the bars while they can be dragged.
  BOOL OnSetCursor(const POINT& pt) override;
  // Lays the panes out from their current sizes.
  void UpdateChildrenPosition() override;

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;

  // The size record of one pane, along the split axis: an invisible pane's is all zeros.
  struct PaneSize {
    int size;
    int ideal;
    int min;
    int max;
    int index;  // the pane's display index
  };
  // Hands out remaining (negative: a shortage) over records in priority order: toward the
  // ideal sizes front to back, then toward the limits back to front. Answers what is left.
  static int AdjustSizes(std::vector<PaneSize>& records, int remaining);

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SWindow)

  void OnPaint(IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnDestroy();

  int m_nSepSize = 5;
  SAutoRefPtr<ISkinObj> m_pSepSkin;
  BOOL m_bAdjustable = TRUE;
  BOOL m_bVertical = TRUE;
  // In display order; each held by a reference.
  std::vector<SAutoRefPtr<SSplitPane>> m_panes;
  // The bar being dragged: the display index of the shown pane before it; -1 none.
  int m_iDragSep = -1;
  POINT m_ptDragPrev = {0, 0};

 private:
  friend class SSplitPane;
  // A pane being destroyed leaves the panes.
  void ForgetPane(SSplitPane* pane);
  // A pane was shown or hidden by its own setting: the panes are laid out again.
  void OnPaneShown(SSplitPane* pane);

  // Display indexes by descending priority; equal priorities in display order.
  std::vector<int> PriorityOrder() const;
  // The size records in that order, from the panes' current sizes (a shown pane of size 0
  // counts its minimum).
  std::vector<PaneSize> BuildSizes(const std::vector<int>& order) const;
  // Distributes the client length over the records and places the panes.
  void Layout(std::vector<PaneSize>& sizes);
  // Moves the shown panes, in display order from the client's near edge, to the sizes of the
  // records; each fires EventSplitPaneMoved.
  void PlacePanes(const std::vector<PaneSize>& sizes);
  // Moves one bar by delta pixels along the axis.
  void DragBar(int delta);
  // Changes the size of a group's record by change within its limits; what passes them goes
  // to the group's other records.
  static void ChangeNextToBar(std::vector<PaneSize>& group, size_t next, int change);

  BOOL IsShown(int index) const;
  // Along the axis: a point's coordinate, a rectangle's near edge and length.
  int AxisPos(POINT pt) const { return m_bVertical ? pt.x : pt.y; }
  int NearEdge(const RECT& rc) const { return m_bVertical ? rc.left : rc.top; }
  int Length(const RECT& rc) const { return m_bVertical ? rc.right - rc.left : rc.bottom - rc.top; }
};

}  // namespace SWUI
