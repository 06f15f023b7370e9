#include "ComboRig.h"

#include "control/EventCBDropdown.h"
#include "control/EventCBSelChange.h"
#include "core/SDropDownWnd.h"

using namespace SWUI;

namespace {

int g_bottom = 768;

BOOL FakeArea(HWND, SMonitorArea* area) {
  area->rcMonitor = RECT{0, 0, 1024, g_bottom};
  area->rcWork = area->rcMonitor;
  return TRUE;
}

}  // namespace

FakeWorkArea::FakeWorkArea(int bottom) {
  g_bottom = bottom;
  old_ = SMonitorAreaApi::Bind(&FakeArea);
}

FakeWorkArea::~FakeWorkArea() { SMonitorAreaApi::Bind(old_); }

ComboRig::ComboRig() : HostHarness(true) {}

TestHostWnd& ComboRig::Open(const wchar_t* layoutXml, const HostOptions& options) {
  TestHostWnd& wnd = HostHarness::Open(layoutXml, options);
  selections.clear();
  dropdowns = 0;
  wnd.onEvent = [this](EventArgs* evt) {
    if (evt->GetID() == EventCBSelChange::EventID) {
      selections.push_back(static_cast<EventCBSelChange*>(evt)->nCurSel);
    } else if (evt->GetID() == EventCBDropdown::EventID) {
      ++dropdowns;
    }
    return FALSE;
  };
  return wnd;
}

RECT ComboRig::ScreenRectOf(HWND hwnd) {
  RECT rc = {0, 0, 0, 0};
  REQUIRE(GetWindowRect(hwnd, &rc));
  return rc;
}

HWND ComboRig::PopupOf(SComboBase* combo) {
  REQUIRE(combo->IsDropDownOpen());
  return combo->GetDropDownWnd()->m_hWnd;
}

void ComboRig::PostToPopup(SComboBase* combo, UINT msg, WPARAM wParam, POINT pt) {
  REQUIRE(PostMessageW(PopupOf(combo), msg, wParam, MAKELPARAM(pt.x, pt.y)));
  Drain();
}

void ComboRig::ClickPopup(SComboBase* combo, POINT pt) {
  PostToPopup(combo, WM_MOUSEMOVE, 0, pt);
  PostToPopup(combo, WM_LBUTTONDOWN, MK_LBUTTON, pt);
  if (combo->IsDropDownOpen()) PostToPopup(combo, WM_LBUTTONUP, 0, pt);
}
