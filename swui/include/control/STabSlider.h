// The temporary element of an animated page switch: it holds a picture of the old and the new
// page side by side (one above the other for a strip on the left or right) and shows a window
// of the picture that moves by one step per timeline frame. Made by its tab control, which
// destroys it when the slide ends.
#pragma once
#include "core/IInterpolator.h"
#include "core/ITimelineHandler.h"
#include "core/SWindow.h"

namespace SWUI {

class STabCtrl;

class STabSlider : public SWindow, public ITimelineHandler {
  SWUI_CLASS_NAME(SWindow, L"tabslider")

 public:
  // A slide of steps frames; type 0 puts the slider above the pages, any other below them.
  // A null interpolator moves linearly.
  STabSlider(STabCtrl* pTab, int steps, int type, IInterpolator* pInterpolator);
  ~STabSlider() override;

  // Joins the tab control over its page area, paints the two pages into the picture and
  // registers for frames; FALSE (and nothing changed) when the page area is empty or no
  // picture can be made.
  bool Start(int from, int to);

  // One step; after the last the tab control ends the slide, which destroys the slider (it
  // stays alive until this returns).
  void OnNextFrame() override;

 protected:
  void OnPaint(IRenderTarget* pRT);
  void OnSize(UINT nType, SIZE size);
  void OnDestroy();

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_SIZE(OnSize)
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SWindow)

 private:
  // Paints what the slider covers into the picture, with the page area's corner at origin.
  void PaintInto(POINT origin);

  SAutoRefPtr<IRenderTarget> m_picture;
  int m_nViewX = 0;
  int m_nViewY = 0;
  int m_nStart = 0;
  int m_nEnd = 0;
  int m_nSteps;
  int m_nStep = 0;
  bool m_bVertical = false;
  SAutoRefPtr<IInterpolator> m_pInterpolator;
  STabCtrl* m_pTab;
  int m_nType;
  SIZE m_szPage = {0, 0};
};

}  // namespace SWUI
