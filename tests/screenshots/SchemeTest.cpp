// The program in each of its six colour schemes, in both languages: every channel page and the
// mic's second parameter tab are held against the contrast check (SchemeContrast.h), the main
// output page of each scheme is saved as <lang>_scheme_<n>_<name>.png, and the untinted look
// comes back whole after them. The EQ filter handles' words fit their ellipse.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "CApplication.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "ProgramRig.h"
#include "SchemeContrast.h"
#include "Screenshots.h"
#include "control/STabCtrl.h"
#include "controls/SChromeTabCtrl.h"
#include "IRenderTarget.h"
#include "core/SApplication.h"
#include "core/SHostWnd.h"
#include "core/SWindow.h"

namespace {

using Steps = std::vector<ProgramRig::Step>;

// The schemes in the order of their menu commands (71 + index).
const wchar_t* const kSchemes[] = {L"default", L"black", L"grey", L"pink", L"red", L"golden"};
constexpr int kFirstSchemeCommand = 71;
constexpr int kShotPage = 3;  // the main output page: value texts, pills, toggles, the curve

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The filter handles' words, as they draw them, within their ellipse: the corners of the
// text's box inside it.
void CheckFilterHandlesFit() {
  SWUI::SAutoRefPtr<SWUI::IRenderTarget> rt;
  SWUI::IRenderTarget* made = nullptr;
  SWUI::SApplication::getSingleton().GetRenderFactory()->CreateRenderTarget(&made, 0, 0);
  rt.Attach(made);
  REQUIRE(rt != nullptr);
  for (int id : {926, 927}) {
    SWUI::SWindow* handle = ProgramRig::Element(id);
    const SWUI::SStringW text = handle->GetWindowText(FALSE);
    const RECT box = handle->GetClientRect();
    REQUIRE(handle->IsVisible(TRUE));
    REQUIRE_FALSE(IsRectEmpty(&box));
    handle->BeforePaintEx(rt);
    RECT measured = box;
    handle->DrawText(rt, text, text.GetLength(), &measured, handle->GetTextAlign() | DT_CALCRECT);
    CAPTURE(id);
    // The corners of the text's box inside the ellipse of the handle's box.
    const double tx = (measured.right - measured.left) / double(box.right - box.left);
    const double ty = (measured.bottom - measured.top) / double(box.bottom - box.top);
    CHECK(tx * tx + ty * ty <= 1.0);
  }
}

struct SchemeTour {
  bool english;
  std::vector<std::string> failures;
  int checked = 0;

  std::wstring Lang() const { return english ? L"en" : L"cn"; }

  void Audit(int scheme, int page) {
    int width = 0, height = 0;
    const DWORD* pixels = ProgramRig::PrintSurface(&width, &height);
    SchemeContrast contrast(Narrow(Lang() + L" " + kSchemes[scheme]) + " page " +
                                std::to_string(page + 1),
                            pixels, SIZE{width, height});
    contrast.Check(ProgramRig::Root());
    checked += contrast.Checked();
    failures.insert(failures.end(), contrast.Failures().begin(), contrast.Failures().end());
  }
};

void AddScheme(Steps& steps, SchemeTour& tour, int scheme) {
  steps.push_back(Once([scheme] {
    ProgramRig::Send(WM_COMMAND, MAKEWPARAM(kFirstSchemeCommand + scheme, 0));
  }));
  // The pages, then the mic's second parameter tab (as page 8).
  for (int page = 0; page <= 7; ++page) {
    steps.push_back(Once([page] { screenshots::ShowTourPage(page); }));
    steps.push_back(Once([&tour, scheme, page] {
      tour.Audit(scheme, page);
      if (page != kShotPage) return;
      if (scheme == 0) CheckFilterHandlesFit();
      const std::wstring name = tour.Lang() + L"_scheme_" + std::to_wstring(scheme) + L"_" +
                                kSchemes[scheme];
      screenshots::Shoot(ProgramRig::Main(), name.c_str());
    }));
  }
  steps.push_back(Once([] { screenshots::ShowTourPage(1); }));  // the mic, back on its first tab
}

// Every element's text colours in its four states, in tree order.
std::vector<COLORREF> TextColors(SWUI::SWindow* element) {
  std::vector<COLORREF> colors;
  for (int state = 0; state < 4; ++state) colors.push_back(element->GetStyle().GetTextColor(state));
  for (SWUI::SWindow* child = element->GetWindow(SWUI::GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(SWUI::GSW_NEXTSIBLING)) {
    const std::vector<COLORREF> more = TextColors(child);
    colors.insert(colors.end(), more.begin(), more.end());
  }
  return colors;
}

void RunSchemes(bool english) {
  ProgramRig rig;
  rig.WriteSettings(english ? "[Config]\r\nLang = 1\r\n" : "[Config]\r\nLang = 0\r\n");
  SimDevice& device = rig.PlugProcessor();
  SchemeTour tour{english, {}, 0};
  Steps steps = {screenshots::ConnectAtStartValues(device, SIZE{1280, 720})};
  // Every page built, then the colours they show untinted.
  std::vector<COLORREF> untinted;
  steps.push_back(Once([&untinted] {
    ProgramRig::Logic().BuildAllPages();
    untinted = TextColors(ProgramRig::Root());
  }));
  for (int scheme = 0; scheme < 6; ++scheme) AddScheme(steps, tour, scheme);
  // Back to the untinted look: every text has its first colour again.
  steps.push_back(Once([&untinted] {
    ProgramRig::Send(WM_COMMAND, MAKEWPARAM(kFirstSchemeCommand, 0));
    CHECK(TextColors(ProgramRig::Root()) == untinted);
  }));
  CHECK(rig.Run(steps, 240000) == 0);
  CHECK_FALSE(rig.TimedOut());
  CHECK(rig.boxes.empty());
  // Every page has texts to hold: a check that found none would prove nothing.
  CHECK(tour.checked > 6 * 8 * 10);
  for (const std::string& failure : tour.failures) FAIL_CHECK(failure);
  CHECK(tour.failures.empty());
}

}  // namespace

TEST_CASE("colour schemes in English: texts readable on every page, one page saved per scheme") {
  RunSchemes(true);
}

TEST_CASE("colour schemes in Chinese: texts readable on every page, one page saved per scheme") {
  RunSchemes(false);
}

TEST_CASE("contrast ratio: known pairs") {
  struct Case {
    DWORD a, b;
    double ratio;
  };
  const Case cases[] = {
      {0xFFFFFF, 0x000000, 21.0}, {0x000000, 0xFFFFFF, 21.0}, {0x777777, 0x777777, 1.0},
      {0xD7DBE0, 0xBD9E2A, 1.87}, {0xFFFFFF, 0x767676, 4.54},
  };
  for (const Case& c : cases) {
    CAPTURE(c.a);
    CAPTURE(c.b);
    CHECK(SchemeContrast::Ratio(c.a, c.b) == doctest::Approx(c.ratio).epsilon(0.01));
  }
}
