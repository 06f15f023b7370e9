// Plays an animated-image skin (SSkinAni, such as a "gif" skin) on the container's timeline:
// each frame shows for its own delay (the skin's hundredths x 10 ms, 90 ms for none), one
// timeline frame counting as 10 ms. A player with fewer than two frames to show never joins
// the timeline; a hidden player leaves it and, shown again, goes on from the frame it showed.
//
// Attribute "skin": a skin name looked up at the element's scale; a name no pool knows fails
// with E_FAIL, a skin that is no animated image is ignored (S_FALSE). Set after creation it
// starts the new skin from its first frame.
//
// Wrapping its content, the player is as large as the skin's frames. UI thread only.
#pragma once
#include <windows.h>

#include "controls/SSkinAni.h"
#include "core/ITimelineHandler.h"
#include "core/SWindow.h"

namespace SWUI {

class SGifPlayer : public SWindow, public ITimelineHandler {
  SWUI_CLASS_NAME(SWindow, L"gifplayer")

 public:
  SGifPlayer() = default;

  // Loads a file into a new skin of class "gif" (or "apng") made through the application and
  // plays it from its first frame; FALSE, and the old skin kept, when the class is not
  // registered or the file gives no frame.
  BOOL PlayGifFile(LPCWSTR path);
  BOOL PlayAPNGFile(LPCWSTR path);

  SSkinAni* GetSkin() const { return m_pSkin; }
  // The frame shown, counted from 0.
  int GetCurrentFrame() const { return m_iCurFrame; }

  // One frame of the timeline: 10 ms of the shown frame's time; at its end the next frame.
  void OnNextFrame() override;

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  // On an axis that wraps its content, the skin's size (0 without a skin).
  SIZE GetDesiredSize(LPCRECT pRcContainer) override;
  using SWindow::GetDesiredSize;

 protected:
  void OnPaint(IRenderTarget* pRT);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnDestroy();

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_SHOWWINDOW(OnShowWindow)
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SWindow)

 private:
  // How long frame i of the skin shows, in milliseconds; -10 when the skin has fewer than two
  // frames or none is i.
  int FrameTime(int i) const;
  BOOL PlayFile(LPCWSTR skinClass, LPCWSTR path);
  // A new skin after creation: from its first frame, on the timeline when it animates.
  void ChangeSkin(SSkinAni* skin);
  // Joins the timeline when visible with something to animate, else leaves it.
  void UpdateTimeline();
  void LeaveTimeline();

  SAutoRefPtr<SSkinAni> m_pSkin;
  int m_iCurFrame = 0;
  int m_nNextFrameTime = 0;  // milliseconds
  bool m_bOnTimeline = false;
};

}  // namespace SWUI
