// The host's cached background: after any change of what it may hold, a repaint shows the
// same pixels as a new host built with the change in its layout, drawn without the cache.
#include <doctest/doctest.h>

#include <functional>
#include <string>
#include <vector>

#include "HostHarness.h"
#include "TestElements.h"
#include "core/SStaticBackground.h"

using namespace SWUI;

namespace {

// A frame with a border around a static label, an element of another class (never cached)
// and a label drawn after it that it overlaps; a hidden element over a plain window drawn
// after it.
const wchar_t kLayout[] =
    L"<SWUI width='120' height='80'><root colorBkgnd='#ffffff'>"
    L" <window name='panel' pos='4,4,@70,@50' colorBkgnd='#c0c0c0' margin='2'"
    L"  colorBorder='#000080'>"
    L"  <text name='label' pos='4,4,@60,@16' text='one' colorText='#000000'/>"
    L"  <grouped name='dyn' pos='40,30,@20,@10' colorBkgnd='#ff0000'/>"
    L"  <text name='late' pos='10,30,@50,@14' text='late' colorText='#008000'/>"
    L" </window>"
    L" <grouped name='hidden' pos='80,30,@20,@20' colorBkgnd='#00ff00' visible='0'/>"
    L" <window name='side' pos='78,40,@30,@30' colorBkgnd='#0000ff'/>"
    L"</root></SWUI>";

std::vector<DWORD> Pixels(const HostHarness& h) {
  RECT rc;
  GetClientRect(h.Hwnd(), &rc);
  std::vector<DWORD> pixels;
  for (int y = 0; y < rc.bottom; ++y) {
    for (int x = 0; x < rc.right; ++x) pixels.push_back(h.Pixel(x, y));
  }
  return pixels;
}

// The tree drawn whole into a target of its own, as the host would without a cached
// background.
std::vector<DWORD> PaintedUncached(HostHarness& h) {
  RECT rc;
  GetClientRect(h.Hwnd(), &rc);
  SAutoRefPtr<IRenderTarget> rt;
  IRenderTarget* made = nullptr;
  REQUIRE(h.app.GetRenderFactory()->CreateRenderTarget(&made, rc.right, rc.bottom));
  rt.Attach(made);
  SPainter painter;
  h.Root()->BeforePaint(rt, painter);
  h.Root()->RedrawRegion(rt, nullptr);
  h.Root()->AfterPaint(rt, painter);
  std::vector<DWORD> pixels;
  for (int y = 0; y < rc.bottom; ++y) {
    for (int x = 0; x < rc.right; ++x) pixels.push_back(rt->GetPixel(x, y));
  }
  return pixels;
}

size_t Differing(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
  REQUIRE(a.size() == b.size());
  size_t differing = 0;
  for (size_t i = 0; i < a.size(); ++i) differing += a[i] != b[i] ? 1 : 0;
  return differing;
}

std::wstring Replaced(std::wstring text, const std::wstring& from, const std::wstring& to) {
  const size_t at = text.find(from);
  REQUIRE(at != std::wstring::npos);
  return text.replace(at, from.size(), to);
}

}  // namespace

TEST_CASE("a change of what the cached background holds repaints as a new host would paint") {
  struct Case {
    const char* what;
    std::function<void(HostHarness&)> change;
    const wchar_t* from;  // the change, written into the layout of the new host
    const wchar_t* to;
  };
  const Case cases[] = {
      {"a label's text", [](HostHarness& h) { h.Find(L"label")->SetWindowText(L"two"); },
       L"text='one'", L"text='two'"},
      {"a panel's colour set as if loading",
       [](HostHarness& h) {
         h.Find(L"panel")->SetAttribute(SStringW(L"colorBkgnd"), SStringW(L"#808000"), TRUE);
       },
       L"colorBkgnd='#c0c0c0'", L"colorBkgnd='#808000'"},
      {"a frame's border colour",
       [](HostHarness& h) {
         h.Find(L"panel")->SetAttribute(SStringW(L"colorBorder"), SStringW(L"#800000"), FALSE);
       },
       L"colorBorder='#000080'", L"colorBorder='#800000'"},
      {"a label hidden", [](HostHarness& h) { h.Find(L"label")->SetVisible(FALSE, TRUE); },
       L"text='one'", L"text='one' visible='0'"},
      {"an element shown under a plain window drawn after it",
       [](HostHarness& h) { h.Find(L"hidden")->SetVisible(TRUE, TRUE); }, L"visible='0'",
       L"visible='1'"},
      {"an element moved over a label drawn before it",
       [](HostHarness& h) { h.Find(L"dyn")->Move(10, 12, 20, 10); }, L"pos='40,30,@20,@10'",
       L"pos='4,6,@20,@10'"},
      {"a plain window moved", [](HostHarness& h) { h.Find(L"side")->Move(60, 60, 30, 15); },
       L"pos='78,40,@30,@30'", L"pos='60,60,@30,@15'"},
      {"the window resized",
       [](HostHarness& h) {
         SetWindowPos(h.Hwnd(), nullptr, 0, 0, 150, 100,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
       },
       L"width='120' height='80'", L"width='150' height='100'"},
  };
  for (const Case& c : cases) {
    const std::string what = c.what;
    CAPTURE(what);
    std::vector<DWORD> changed;
    {
      HostHarness h;
      h.app.TplRegisterFactory<GroupedWnd>();
      h.Open(kLayout);
      // The first paint after a change goes without the cache; the next one draws it.
      h.Root()->Invalidate();
      h.Paint();
      c.change(h);
      h.Drain();
      h.Paint();
      // Everything copied from the background again, not only what the change marked.
      h.Root()->Invalidate();
      h.Paint();
      changed = Pixels(h);
    }
    const std::wstring fresh = Replaced(kLayout, c.from, c.to);
    HostHarness h;
    h.app.TplRegisterFactory<GroupedWnd>();
    h.Open(fresh.c_str());
    const std::vector<DWORD> expected = PaintedUncached(h);
    CHECK(Differing(Pixels(h), expected) == 0);
    CHECK(Differing(changed, expected) == 0);
  }
}

TEST_CASE("a cache that cannot grow to the root's size is not used, and is made again after") {
  HostHarness h;
  h.app.TplRegisterFactory<GroupedWnd>();
  h.Open(kLayout);
  SWindow* root = h.Root();
  // Over 2 GB of pixels: no surface can take that size.
  const RECT huge = {0, 0, 30000, 30000};
  const RECT normal = root->GetWindowRect();
  SStaticBackground background;
  // The first paint that finds the tree as the last one did draws the cache.
  const auto prepared = [&](const RECT& rc) {
    root->Move(&rc);
    background.Prepare(root, 1);
    return background.Prepare(root, 1);
  };
  const auto width = [](IRenderTarget* rt) {
    return static_cast<IBitmap*>(rt->GetCurrentObject(OT_BITMAP))->Width();
  };
  IRenderTarget* before = prepared(normal);
  REQUIRE(before != nullptr);
  CHECK(width(before) == 120u);
  CHECK(prepared(huge) == nullptr);
  IRenderTarget* after = prepared(normal);
  REQUIRE(after != nullptr);
  CHECK(width(after) == 120u);
  CHECK(after->GetPixel(90, 50) == 0xFF0000FFu);  // the plain window "side", blue
}
