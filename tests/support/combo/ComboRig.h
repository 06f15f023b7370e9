// What the combo box tests share over the host harness.
//
//   FakeWorkArea area(768);                 // monitors end at y 768 while it lives
//   ComboRig h;                              // a HostHarness (built-in skins) recording 19000
//   h.Open(layout, options);
//   SComboBase* c = h.Find<SComboBase>(L"c");
//   h.Click(h.CenterOf(L"c"));               // opens it
//   h.ClickPopup(c, {5, 30});                // a click in the drop-down's client area
//   CHECK(h.selections == std::vector<int>{1});
#pragma once
#include <windows.h>

#include <vector>

#include "HostHarness.h"
#include "control/SComboBase.h"
#include "core/SMonitorArea.h"

// Binds a monitor of 1024 x bottom (the work area the same) for the drop-downs while it lives.
class FakeWorkArea {
 public:
  explicit FakeWorkArea(int bottom);
  ~FakeWorkArea();
  FakeWorkArea(const FakeWorkArea&) = delete;
  FakeWorkArea& operator=(const FakeWorkArea&) = delete;

 private:
  SWUI::SMonitorAreaFn old_;
};

// A combo box of class Combo that records the flags of its drop-down's slides; its tag is
// "watchedcombo" (one such class per test program).
template <class Combo>
class WatchedCombo : public Combo {
  SWUI_CLASS_NAME(Combo, L"watchedcombo")

 public:
  std::vector<DWORD> slides;

 protected:
  BOOL AnimateDropDown(SWUI::SDropDownWnd* pDropDown, DWORD dwTime, DWORD dwFlags) override {
    slides.push_back(dwFlags);
    return Combo::AnimateDropDown(pDropDown, dwTime, dwFlags);
  }
};

class ComboRig : public HostHarness {
 public:
  ComboRig();

  // HostHarness::Open, then the host records the selection events (those raised while the
  // tree is built are only among host->events).
  TestHostWnd& Open(const wchar_t* layoutXml, const HostOptions& options = HostOptions());

  // Opens the layout with the window placed so that its element "c" (at y 10..30 of the
  // window) ends at screen y bottom, and answers that element.
  template <class T>
  T* OpenAt(int bottom, const wchar_t* layoutXml) {
    HostOptions options;
    options.pos = {100, bottom - 30};
    Open(layoutXml, options);
    return Find<T>(L"c");
  }
  static RECT ScreenRectOf(HWND hwnd);
  // The open drop-down's window (the test fails without one).
  static HWND PopupOf(SWUI::SComboBase* combo);
  // Posts a message to the combo's drop-down (client coordinates) and drains.
  void PostToPopup(SWUI::SComboBase* combo, UINT msg, WPARAM wParam, POINT pt);
  // Move, press and release in the drop-down's client area.
  void ClickPopup(SWUI::SComboBase* combo, POINT pt);

  // nCurSel of every EventCBSelChange that reached the host, in order.
  std::vector<int> selections;
  // How many EventCBDropdown reached the host.
  int dropdowns = 0;
};
