// One pane of a split window ("pane"): an element whose size along the split axis the split
// window decides from the pane's ideal, minimum and maximum sizes and its priority.
//
// Attributes, besides the element's (integers decimal or 0x hex, pixels along the axis; they do
// not repaint): "idealSize" (20), "minSize" (0), "maxSize" (10000), "priority" (0; panes of
// larger priority reach their ideal sizes first, panes of smaller priority absorb surplus and
// shortage first).
//
// Event: EventSplitPaneMoved, each time the split window places the pane. UI thread only.
#pragma once
#include "core/SWindow.h"

namespace SWUI {

class SSplitPane : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"pane")

 public:
  SSplitPane();

  int GetIdealSize() const { return m_nSizeIdeal; }
  int GetMinSize() const { return m_nSizeMin; }
  int GetMaxSize() const { return m_nSizeMax; }
  int GetPriority() const { return m_nPriority; }

  // Moves the pane to a rectangle (host coordinates) and fires EventSplitPaneMoved.
  void Place(const RECT& rc);

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_SHOWWINDOW(OnShowWindow)
  SWND_END_MSG_MAP(SWindow)

  // Its split window forgets it.
  void OnDestroy();
  // Shown or hidden by its own setting, it has its split window lay the panes out again.
  void OnShowWindow(BOOL bShow, UINT nStatus);

  int m_nSizeIdeal = 20;
  int m_nSizeMin = 0;
  int m_nSizeMax = 10000;
  int m_nPriority = 0;
};

}  // namespace SWUI
