// A group of level meters fed from any thread. After its children are created it collects,
// in order, its children of class "zuvumeter" that offer IVuMeter, and joins the container's
// timeline. Levels arrive through SetLevels (any thread, under the group's lock); each frame
// (10 ms) counts the countdown down by 10. When it runs out, pending levels go to the meters
// (meter i takes level i, 0 past the last level) and the countdown restarts at 100; without
// new levels every meter drops to 0 and the countdown restarts at 2000.
#pragma once
#include <windows.h>

#include <vector>

#include "core/ITimelineHandler.h"
#include "core/SCriticalSection.h"
#include "core/SWindow.h"

class ZuVuGroup : public SWUI::SWindow, public SWUI::ITimelineHandler {
  SWUI_CLASS_NAME(SWUI::SWindow, L"zuvugroup")

 public:
  static constexpr int kFrameMs = 10;
  static constexpr int kActiveMs = 100;
  static constexpr int kIdleMs = 2000;

  // A group released without being destroyed still leaves the timeline.
  ~ZuVuGroup() override;

  BOOL CreateChildren(pugi::xml_node xmlNode) override;

  // Keeps a copy of the levels for the next time the countdown runs out; any thread. False
  // (nothing kept) for a negative count or a null array with a positive count.
  bool SetLevels(const int* levels, int count);
  // One timeline frame.
  void OnNextFrame() override;

  int GetMeterCount() const { return static_cast<int>(meters_.size()); }
  int GetCountdown() const { return countdown_; }

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SWUI::SWindow)

 private:
  void OnDestroy();
  void LeaveTimeline();
  void ShowLevels(const std::vector<int>& levels);

  std::vector<SWUI::SwndHandle> meters_;  // by handle: a meter destroyed elsewhere is skipped
  int countdown_ = kActiveMs;
  bool onTimeline_ = false;

  SWUI::SCriticalSection lock_;  // guards levels_ and pending_
  std::vector<int> levels_;
  bool pending_ = false;
};
