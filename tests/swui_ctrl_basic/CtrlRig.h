// What the basic control tests stand on: the element rig with a container that runs a
// timeline driven frame by frame and a focus manager's accelerator table, the framework's
// built-in skins, and "cells" skins that fill each state with a colour of their own and log
// every draw.
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include <map>
#include <vector>

#include "ElementRig.h"
#include "control/SAnimateImgWnd.h"
#include "control/SButton.h"
#include "control/SCaption.h"
#include "control/SCheckBox.h"
#include "control/SGroup.h"
#include "control/SIconWnd.h"
#include "control/SImageButton.h"
#include "control/SImageWnd.h"
#include "control/SLine.h"
#include "control/SLink.h"
#include "control/SRadioBox.h"
#include "control/SRealWnd.h"
#include "control/SStatic.h"
#include "control/SToggle.h"
#include "core/IAcceleratorMgr.h"
#include "core/SSkinObjBase.h"
#include "core/SSkinPool.h"
#include "core/SSkinPoolMgr.h"

// The accelerator table of a focus manager: targets by combination, the last registered
// asked first.
class TestAccelMgr : public SWUI::IAcceleratorMgr {
 public:
  void RegisterAccelerator(const SWUI::CAccelerator& acc,
                           SWUI::IAcceleratorTarget* target) override;
  void UnregisterAccelerator(const SWUI::CAccelerator& acc,
                             SWUI::IAcceleratorTarget* target) override;
  void UnregisterAccelerators(SWUI::IAcceleratorTarget* target) override;

  // Asks the combination's targets in order; TRUE when one took it.
  BOOL Press(DWORD acc);
  // Targets registered for a combination, and for all of them.
  size_t Count(DWORD acc) const;
  size_t Total() const;

 private:
  std::map<DWORD, std::vector<SWUI::IAcceleratorTarget*>> table_;
};

// The element rig's container with a timeline, an accelerator table and, when set, a host
// window of the test's own.
class CtrlContainer : public TestContainer {
 public:
  using TestContainer::TestContainer;

  BOOL RegisterTimelineHandler(SWUI::ITimelineHandler* handler) override;
  BOOL UnregisterTimelineHandler(SWUI::ITimelineHandler* handler) override;
  SWUI::IAcceleratorMgr* GetFocusManager() override { return &accels; }
  HWND GetHostHwnd() override { return host != nullptr ? host : TestContainer::GetHostHwnd(); }

  // One timeline frame, over a copy of the handlers (a handler may leave meanwhile).
  void Frame();
  bool OnTimeline(SWUI::ITimelineHandler* handler) const;

  std::vector<SWUI::ITimelineHandler*> timeline;
  TestAccelMgr accels;
  HWND host = nullptr;
};

// One draw of a cells skin.
struct CellDraw {
  DWORD state;
  RECT rc;
  BYTE alpha;
};

// A skin of "states" cells (default 4) of "size" (default 10,10), state i filled with
// CellSkin::Colour(i); draws of states it lacks are logged but draw nothing.
class CellSkin : public SWUI::SSkinObjBase {
  SWUI_CLASS_NAME(SWUI::SSkinObjBase, L"cells")

 public:
  static std::vector<CellDraw> log;
  // Opaque colours as the render target reads them back (0xAARRGGBB).
  static DWORD Colour(int state);

  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SSkinObjBase::SetAttribute;
  SIZE GetSkinSize() const override { return size_; }
  BOOL IgnoreState() const override { return states_ < 2; }
  int GetStates() const override { return states_; }
  SWUI::ISkinObj* Scale(int) override { return nullptr; }

 protected:
  void OnDraw(SWUI::IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  int states_ = 4;
  SIZE size_ = {10, 10};
};

// The element rig with the built-in skins loaded, a pool of cells skins pushed ("cells4": 4
// states, "cells8": 8, "cells6": 6, "cells3": 3, all 10 x 10; "big": 4 states of 20 x 12) and
// the rig's tree moved into a CtrlContainer.
class CtrlRig : public ElementRig {
 public:
  explicit CtrlRig(int width = 200, int height = 200);
  ~CtrlRig();

  template <class T>
  T* Get(LPCWSTR name) const {
    auto* typed = dynamic_cast<T*>(Find(name));
    REQUIRE(typed != nullptr);
    return typed;
  }
  SWUI::ISkinObj* Skin(LPCWSTR name) const;
  // Element messages with a point in host coordinates.
  static LRESULT Send(SWUI::SWindow* wnd, UINT msg, int x, int y, WPARAM wParam = 0);

  CtrlContainer ctrl;

 private:
  SWUI::SSkinPool* pool_;
};

// Records the ids of the events an element fires through its own event set.
class EventLog {
 public:
  EventLog(SWUI::SWindow* wnd, std::vector<DWORD> ids);
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;
  std::vector<DWORD> ids;
  size_t Count(DWORD id) const;
};
