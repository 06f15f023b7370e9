// An animated image ("animateimg"): plays the states of a skin as frames over the container's
// timeline, each for "speed" / 10 + 1 frame ticks, "repeat" times (-1 forever), starting by
// itself when shown with "autoStart". Lets the mouse through.
#pragma once
#include "core/ITimelineHandler.h"
#include "core/SWindow.h"

namespace SWUI {

class SAnimateImgWnd : public SWindow, public ITimelineHandler {
  SWUI_CLASS_NAME(SWindow, L"animateimg")

 public:
  SAnimateImgWnd();

  // "skin" (a name no pool knows is refused), "speed", "autoStart", "repeat", then SWindow's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SWindow::SetAttribute;

  // Starts playing (on the timeline while visible) and fires EventAnimateStart; nothing
  // while playing.
  void Start();
  // Stops playing and fires EventAnimateStop; nothing while stopped.
  void Stop();
  BOOL IsPlaying() const { return m_bPlaying; }
  int GetCurFrame() const { return m_iCurFrame; }
  ISkinObj* GetSkin() const { return m_pSkin; }

  // One tick: every period the next frame; past the last one back to the first, counting a
  // repeat. Without a skin the element leaves the timeline.
  void OnNextFrame() override;

  void OnColorize(COLORREF cr) override;
  // The skin's size on the axes that wrap content.
  SIZE GetDesiredSize(LPCRECT pRcContainer) override;
  using SWindow::GetDesiredSize;

 protected:
  void OnPaint(IRenderTarget* pRT);
  void OnDestroy();
  void OnShowWindow(BOOL bShow, UINT nStatus);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_SHOWWINDOW(OnShowWindow)
  SWND_END_MSG_MAP(SWindow)

  SAutoRefPtr<ISkinObj> m_pSkin;
  int m_nSpeed = 50;
  int m_iCurFrame = 0;
  BOOL m_bAutoStart = TRUE;
  BOOL m_bPlaying = FALSE;
  int m_iTimeGap = 0;
  int m_nRepeat = -1;
  int m_iRepeat = 0;

 private:
  // Ticks a frame lasts; at least 1.
  int TicksPerFrame() const;
};

}  // namespace SWUI
