// The channel pages are built when first shown: a page built then looks and reads exactly as
// the same page built at start-up (in both languages, with a colour scheme), and a refresh
// while pages are not built yet loses nothing (each page, built later, shows the device's
// values, and the refresh wrote what it writes with every page built); a larger window spreads
// the band strips and makes the faders taller, with every element kept in its order.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "CApplication.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "DeviceSteps.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "IBitmap.h"
#include "ProgramImages.h"
#include "ProgramRig.h"
#include "RenderRig.h"
#include "control/SComboBox.h"
#include "control/SProgress.h"
#include "control/SSpinButtonCtrl.h"
#include "controls/SChromeTabCtrl.h"
#include "core/SWindow.h"

using SWUI::SWindow;

namespace {

constexpr int kPages = CUIEventHandler::kPageCount;

// What a page shows: the main window's pixels while it is shown, and every element of the page
// with its state.
struct PageView {
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;
  std::vector<std::wstring> elements;
};

std::wstring Describe(SWindow* wnd) {
  std::wstring line = std::wstring(wnd->GetObjectClass()) + L" " + std::to_wstring(wnd->GetID()) +
                      L" " + wnd->GetName() + L" visible " +
                      std::to_wstring(wnd->IsVisible(TRUE)) + L" disabled " +
                      std::to_wstring(wnd->IsDisabled(TRUE)) + L" checked " +
                      std::to_wstring(wnd->IsChecked()) + L" text '" +
                      wnd->GetWindowText(FALSE).c_str() + L"'";
  if (auto* range = dynamic_cast<SWUI::SProgress*>(wnd)) {
    line += L" value " + std::to_wstring(range->GetValue());
  }
  if (auto* combo = dynamic_cast<SWUI::SComboBox*>(wnd)) {
    line += L" selection " + std::to_wstring(combo->GetCurSel());
  }
  if (auto* spin = dynamic_cast<SWUI::SSpinButtonCtrl*>(wnd)) {
    int low = 0;
    int high = 0;
    spin->GetRange(&low, &high);
    line += L" spin " + std::to_wstring(spin->GetValue()) + L" of " + std::to_wstring(low) +
            L".." + std::to_wstring(high);
  }
  return line;
}

void Collect(SWindow* wnd, std::vector<std::wstring>* out) {
  out->push_back(Describe(wnd));
  for (SWindow* child = wnd->GetWindow(SWUI::GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(SWUI::GSW_NEXTSIBLING)) {
    Collect(child, out);
  }
}

SWindow* PageElement(int page) {
  return ProgramRig::Element(CUIEventHandler::kPages[page].pageName);
}

// The page as the main window shows it now, painted whole.
PageView Capture(int page) {
  PageView view;
  ProgramRig::Root()->Invalidate();
  const DWORD* bits = ProgramRig::PrintSurface(&view.width, &view.height);
  view.pixels.assign(bits, bits + view.width * view.height);
  Collect(PageElement(page), &view.elements);
  return view;
}

// Shows a page as the tab strip does (tabs in their default order) and lets it settle.
std::vector<ProgramRig::Step> Show(int page) {
  auto since = std::make_shared<DWORD>(0);
  return {Once([page, since] {
            auto* strip = dynamic_cast<SWUI::SChromeTabCtrl*>(ProgramRig::Element(L"orv_chromeTab"));
            REQUIRE(strip != nullptr);
            strip->SetCurSel(page);
            *since = GetTickCount();
          }),
          Until([since] { return GetTickCount() - *since >= 300; })};
}

void Append(std::vector<ProgramRig::Step>* steps, std::vector<ProgramRig::Step> more) {
  for (auto& step : more) steps->push_back(std::move(step));
}

std::string Settings(int language, int startPage, int colorScheme) {
  return "[Config]\r\nLang = " + std::to_string(language) + "\r\ncolorIndex = " +
         std::to_string(colorScheme) + "\r\n[TabSel]\r\nindex = " + std::to_string(startPage) +
         "\r\n";
}

// Page `page` built at start-up (the start page), shown again after another page.
PageView BuiltAtStartUp(int language, int colorScheme, int page) {
  ProgramRig rig;
  rig.WriteSettings(Settings(language, page, colorScheme));
  PageView view;
  std::vector<ProgramRig::Step> steps = {
      Once([page] { CHECK(ProgramRig::Logic().IsPageBuilt(page)); })};
  Append(&steps, Show((page + 1) % kPages));
  Append(&steps, Show(page));
  steps.push_back(Once([&] { view = Capture(page); }));
  CHECK(rig.Run(steps) == 0);
  CHECK_FALSE(rig.TimedOut());
  return view;
}

// Each page other than the start page, built when first shown.
std::vector<PageView> BuiltWhenShown(int language, int colorScheme, int startPage) {
  ProgramRig rig;
  rig.WriteSettings(Settings(language, startPage, colorScheme));
  std::vector<PageView> views(kPages);
  std::vector<ProgramRig::Step> steps;
  for (int page = 0; page < kPages; ++page) {
    if (page == startPage) continue;
    steps.push_back(Once([page] { CHECK_FALSE(ProgramRig::Logic().IsPageBuilt(page)); }));
    Append(&steps, Show(page));
    steps.push_back(Once([&, page] { views[page] = Capture(page); }));
  }
  CHECK(rig.Run(steps) == 0);
  CHECK_FALSE(rig.TimedOut());
  return views;
}

void SaveView(const PageView& view, const std::wstring& name) {
  RenderRig render(1, 1);
  SWUI::RefPtrAssign<SWUI::IBitmap> bmp =
      render.MakeBitmap(view.width, view.height, view.pixels.data());
  RenderRig::SavePng(bmp, name);
}

void CheckSame(const PageView& atStartUp, const PageView& whenShown, const std::wstring& name) {
  REQUIRE(atStartUp.pixels.size() == whenShown.pixels.size());
  size_t differ = 0;
  for (size_t i = 0; i < atStartUp.pixels.size(); ++i) {
    differ += atStartUp.pixels[i] != whenShown.pixels[i] ? 1 : 0;
  }
  if (differ != 0) {
    SaveView(atStartUp, name + L"_at_startup");
    SaveView(whenShown, name + L"_when_shown");
  }
  CHECK(differ == 0);
  REQUIRE(atStartUp.elements.size() == whenShown.elements.size());
  for (size_t i = 0; i < atStartUp.elements.size(); ++i) {
    CAPTURE(i);
    CHECK(atStartUp.elements[i] == whenShown.elements[i]);
  }
}

}  // namespace

TEST_CASE("pages: a page built when first shown is the page built at start-up") {
  struct Case {
    int language;
    int colorScheme;
  };
  for (const Case c : {Case{0, 3}, Case{1, 0}}) {
    CAPTURE(c.language);
    std::vector<PageView> later = BuiltWhenShown(c.language, c.colorScheme, 0);
    later[0] = BuiltWhenShown(c.language, c.colorScheme, 1)[0];
    for (int page = 0; page < kPages; ++page) {
      CAPTURE(page);
      const std::wstring name = L"page" + std::to_wstring(page) + L"_lang" +
                                std::to_wstring(c.language);
      CheckSame(BuiltAtStartUp(c.language, c.colorScheme, page), later[page], name);
    }
  }
}

namespace {

// A bank for the processor whose refresh moves what a refresh acts on: another music input
// port (its radio writes it into both banks), filter types and ranges that differ between the
// sides of channels linked both ways (their combo boxes write the shown side's to both), a type
// no combo box lists, link modes, the anti-feedback mode; sliders and toggles away from their
// start values.
std::vector<uint8_t> BusyBank() {
  std::vector<uint8_t> bank = ShowableImage(Image(), 3);
  using namespace ParamRow;
  const struct {
    int row;
    uint16_t value;
  } rows[] = {
      {SysMusicInPort_Gain, 2}, {Music_LinkAdjust, 2}, {Mic_LinkAdjust, 1},
      {Main_LinkAdjust, 2},     {Sur_LinkAdjust, 1},   {MicFeedBackMode, 2},
      {MusicL_HPF_Type, 3},     {MusicR_HPF_Type, 1},  {MusicL_HPF_Type + 2, 2},
      {MainL_HPF_Type, 4},      {MainR_HPF_Type, 0},   {MainL_HPF_Type + 6, 1},
      {Mic2HPF_Type, 2},        {SubHPF + 4, 7},       {CenHPF + 2, 1},
  };
  for (const auto& r : rows) SetImageParam(bank.data(), r.row, r.value);
  return bank;
}

struct Outcome {
  std::vector<std::vector<std::wstring>> pages;
  ProgramImages images;
  std::vector<uint8_t> device;
};

// Connects to a processor holding BusyBank, with every page built first or only the start
// page, then shows each page.
Outcome RefreshAndShow(bool buildFirst) {
  ProgramRig rig;
  SimDevice& device = rig.PlugProcessor();
  rig.WriteSettings(Settings(1, 2, 0));
  Outcome outcome;
  outcome.pages.resize(kPages);
  std::vector<ProgramRig::Step> steps = {Once([&] {
    const std::vector<uint8_t> bank = BusyBank();
    device.Inspect([&](SimProcessor& p) {
      std::memcpy(p.banks[p.activeBank], bank.data(), SimProcessor::kBankSize);
      SetImageParam(p.banks[1 - p.activeBank], ParamRow::SysMusicInPort_Gain, 0);
      return 0;
    });
    if (buildFirst) ProgramRig::Logic().BuildAllPages();
    Controller().SetSessionSettleMs(0);
    // The connect toggle: connect, read the device, refresh every control.
    ProgramRig::Element(1000)->SSendMessage(WM_KEYDOWN, VK_SPACE, 0);
    REQUIRE(Controller().IsConnected());
    CHECK(ProgramRig::Logic().IsPageBuilt(0) == buildFirst);
  })};
  for (int page = 0; page < kPages; ++page) {
    Append(&steps, Show(page));
    steps.push_back(Once([&, page] { Collect(PageElement(page), &outcome.pages[page]); }));
  }
  steps.push_back(Once([&] {
    Controller().FlushPendingParams();
    outcome.images = ProgramImages::Take();
    device.Inspect([&](SimProcessor& p) {
      outcome.device.assign(p.banks[p.activeBank], p.banks[p.activeBank] + SimProcessor::kBankSize);
      return 0;
    });
  }));
  CHECK(rig.Run(steps) == 0);
  CHECK_FALSE(rig.TimedOut());
  return outcome;
}

}  // namespace

TEST_CASE("pages: a refresh while pages are not built loses nothing") {
  const Outcome built = RefreshAndShow(true);
  const Outcome later = RefreshAndShow(false);
  for (int page = 0; page < kPages; ++page) {
    CAPTURE(page);
    REQUIRE(built.pages[page].size() == later.pages[page].size());
    for (size_t i = 0; i < built.pages[page].size(); ++i) {
      CAPTURE(i);
      CHECK(built.pages[page][i] == later.pages[page][i]);
    }
  }
  // The refresh wrote the same: the input port into both banks, the linked sides' filter rows.
  CHECK(built.images == later.images);
  CHECK(built.device == later.device);
  CHECK(GetParam(later.images.bank0.data(), ParamRow::SysMusicInPort_Gain) == 2);
  CHECK(GetParam(later.images.bank1.data(), ParamRow::SysMusicInPort_Gain) == 2);
}

namespace {

// Band k's gain fader of page t.
constexpr int kBandCounts[kPages] = {11, 20, 5, 7, 7, 7, 7};
int FaderId(int page, int band) { return 2100 + 100 * page + band; }

// What one page shows at one window size: its elements in order and its faders' rectangles.
struct PageAtSize {
  std::vector<std::wstring> elements;
  std::vector<RECT> faders;
};

PageAtSize Measure(int page) {
  ProgramRig::Root()->UpdateLayout();
  PageAtSize at;
  Collect(PageElement(page), &at.elements);
  for (int k = 0; k < kBandCounts[page]; ++k) {
    SWindow* fader = ProgramRig::Element(FaderId(page, k));
    REQUIRE(fader != nullptr);
    at.faders.push_back(fader->GetWindowRect());
  }
  return at;
}

int Height(const RECT& rc) { return rc.bottom - rc.top; }
int CentreX(const RECT& rc) { return (rc.left + rc.right) / 2; }

// The faders stand in band order, equally tall and evenly spaced (to a pixel of rounding);
// answers their spacing.
int CheckEven(const std::vector<RECT>& faders) {
  const int step = CentreX(faders[1]) - CentreX(faders[0]);
  CHECK(step > 0);
  for (size_t k = 1; k < faders.size(); ++k) {
    CAPTURE(k);
    CHECK(Height(faders[k]) == Height(faders[0]));
    CHECK(std::abs(CentreX(faders[k]) - CentreX(faders[k - 1]) - step) <= 1);
  }
  return step;
}

}  // namespace

TEST_CASE("pages: a larger window spreads the band strips and makes the faders taller") {
  ProgramRig rig;
  const SIZE sizes[] = {{1280, 720}, {1920, 1080}};
  std::vector<PageAtSize> seen[2];
  std::vector<ProgramRig::Step> steps;
  for (int s = 0; s < 2; ++s) {
    const SIZE size = sizes[s];
    steps.push_back(Once([size] {
      SetWindowPos(ProgramRig::MainHwnd(), nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }));
    for (int page = 0; page < kPages; ++page) {
      Append(&steps, Show(page));
      steps.push_back(Once([&seen, s, page] { seen[s].push_back(Measure(page)); }));
    }
  }
  CHECK(rig.Run(steps) == 0);
  CHECK_FALSE(rig.TimedOut());
  REQUIRE(seen[0].size() == static_cast<size_t>(kPages));
  REQUIRE(seen[1].size() == static_cast<size_t>(kPages));
  for (int page = 0; page < kPages; ++page) {
    CAPTURE(page);
    const PageAtSize& small = seen[0][page];
    const PageAtSize& large = seen[1][page];
    // Only places and sizes change: the same elements in the same order and states.
    CHECK(small.elements == large.elements);
    const int smallStep = CheckEven(small.faders);
    const int largeStep = CheckEven(large.faders);
    CHECK(largeStep > smallStep);
    CHECK(Height(large.faders[0]) > Height(small.faders[0]));
  }
}
