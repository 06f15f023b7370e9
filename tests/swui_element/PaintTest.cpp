// Painting by pixels: coloured elements in z-order, hidden subtrees, alpha through the cache
// and the layer, the focus rectangle, frames; which elements a range or region paint reaches;
// invalidation and its routing; borrowed render targets.
#include <doctest/doctest.h>

#include <cstdlib>
#include <string>

#include "DebugOutputCapture.h"
#include "ElementRig.h"

using namespace SWUI;

namespace {

constexpr DWORD kWhite = 0xFFFFFFFF;
constexpr DWORD kRed = 0xFFFF0000;
constexpr DWORD kGreen = 0xFF00FF00;
constexpr DWORD kBlue = 0xFF0000FF;
constexpr DWORD kFocus = 0xFF585858;

// Each channel within tolerance.
bool Near(DWORD a, DWORD b, int tolerance = 1) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int da = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (std::abs(da) > tolerance) return false;
  }
  return true;
}

SAutoRefPtr<IRegion> RectRegion(ElementRig& rig, const RECT& rc) {
  IRegion* made = nullptr;
  rig.render.Factory()->CreateRegion(&made);
  SAutoRefPtr<IRegion> rgn;
  rgn.Attach(made);
  rgn->CombineRect(&rc, RGN_COPY);
  return rgn;
}

const wchar_t kColours[] =
    L"<root><window name='red' pos='10,10,@60,@60' colorBkgnd='#ff0000'>"
    L"<window name='blue' pos='10,10,@20,@20' colorBkgnd='#0000ff'/></window>"
    L"<window name='green' pos='50,50,@40,@40' colorBkgnd='#00ff00'/></root>";

}  // namespace

TEST_CASE("coloured elements are painted parents first, later siblings on top") {
  ElementRig rig(100, 100);
  rig.Load(kColours);
  rig.Paint();
  rig.render.SavePng(L"element-colours", 2);
  CHECK(rig.Pixel(5, 5) == kWhite);
  CHECK(rig.Pixel(12, 12) == kRed);
  CHECK(rig.Pixel(25, 25) == kBlue);   // the child over its parent
  CHECK(rig.Pixel(60, 60) == kGreen);  // the later sibling over the red one
  CHECK(rig.Pixel(69, 45) == kRed);
  CHECK(rig.Pixel(95, 95) == kWhite);
  CHECK(rig.render.CountEqual(RECT{20, 20, 40, 40}, kBlue) == 400);
}

TEST_CASE("a hidden element hides its whole subtree, whatever the children's own flags") {
  ElementRig rig(100, 100);
  rig.Load(kColours);
  rig.Find(L"red")->SetVisible(FALSE);
  rig.Paint();
  CHECK(rig.Pixel(12, 12) == kWhite);
  CHECK(rig.Pixel(25, 25) == kWhite);
  CHECK(rig.Pixel(60, 60) == kGreen);
  CHECK(rig.Find(L"blue")->IsVisible(FALSE));
}

TEST_CASE("alpha 128: through the cache; a layered element through its layer instead") {
  struct Case {
    const wchar_t* attrs;
    bool cached;
    bool layered;
  } cases[] = {
      {L"alpha='128'", true, false},
      {L"alpha='128' layeredWindow='1'", false, true},
      {L"alpha='128' layeredWindow='1' cache='1'", true, true},  // the cache blends at 255
      {L"cache='1'", true, false},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    ElementRig rig(60, 60);
    const std::wstring xml = std::wstring(
                                 L"<root><window name='w' pos='10,10,@30,@30' "
                                 L"colorBkgnd='#0000ff' ") +
                             c.attrs +
                             L"><window name='k' pos='0,0,@10,@10' "
                             L"colorBkgnd='#ff0000'/></window></root>";
    rig.Load(xml.c_str());
    SWindow* w = rig.Find(L"w");
    CHECK((w->GetCacheRenderTarget() != nullptr) == c.cached);
    rig.Paint();
    if (c.layered && !c.cached) rig.render.SavePng(L"element-layered-alpha", 3);
    const bool halfAlpha = std::wstring(c.attrs).find(L"128") != std::wstring::npos;
    // Blue over white at half opacity: 0x7F red and green, full blue.
    const DWORD expected = halfAlpha ? 0xFF7F7FFF : kBlue;
    CHECK(Near(rig.Pixel(35, 35), expected));
    CHECK(rig.Pixel(5, 5) == kWhite);
    if (c.layered) {
      // The child is painted into the layer and blended with it.
      CHECK(Near(rig.Pixel(12, 12), halfAlpha ? 0xFFFF7F7F : kRed));
    } else {
      CHECK(rig.Pixel(12, 12) == kRed);  // children are not in the cache
    }
  }
}

TEST_CASE("the cache repaints only when dirty") {
  ElementRig rig(60, 60);
  rig.Load(L"<root><probe name='w' pos='10,10,@30,@30' colorBkgnd='#0000ff' cache='1'/></root>");
  ProbeWnd* w = rig.Probe(L"w");
  rig.Paint();
  rig.Paint();
  CHECK(w->Count(WM_PAINT) == 1);
  w->InvalidateRect(nullptr);
  rig.Paint();
  CHECK(w->Count(WM_PAINT) == 2);
  CHECK(Near(rig.Pixel(20, 20), kBlue));
  w->SetAttribute(SStringW(L"cache"), SStringW(L"0"), FALSE);
  CHECK(w->GetCacheRenderTarget() == nullptr);
}

TEST_CASE("the focus rectangle: dotted 0x585858, 2 pixels inside the text rectangle, only there") {
  for (const wchar_t* drawFocus : {L"1", L"0"}) {
    CAPTURE(std::wstring(drawFocus));
    ElementRig rig(100, 80);
    const std::wstring xml =
        std::wstring(
            L"<root><window name='f' pos='20,20,@60,@40' focusable='1' padding='1' "
            L"drawFocusRect='") +
        drawFocus + L"'/></root>";
    rig.Load(xml.c_str());
    rig.Find(L"f")->SetFocus();
    rig.Paint();
    // Text rectangle (21,21)-(79,59); outline (23,23)-(77,57), its last row and column inside.
    const RECT outline = {23, 23, 77, 57};
    const int onOutline = rig.render.CountEqual(outline, kFocus);
    const int inside = rig.render.CountEqual(RECT{24, 24, 76, 56}, kFocus);
    const int everywhere = rig.render.CountEqual(RECT{0, 0, 100, 80}, kFocus);
    if (drawFocus[0] == L'1') {
      rig.render.SavePng(L"element-focus", 3);
      CHECK(onOutline > 40);  // dotted: about half of the 216 outline pixels
      CHECK(onOutline < 216);
      CHECK(rig.Pixel(23, 23) == kFocus);
    } else {
      CHECK(onOutline == 0);
    }
    CHECK(inside == 0);
    CHECK(everywhere == onOutline);
    CHECK(rig.render.CountEqual(RECT{24, 24, 76, 56}, kWhite) == 52 * 32);
  }
}

TEST_CASE("the frame: the border colour, or the non-client skin, outside the client only") {
  ElementRig rig(60, 60);
  rig.Load(
      L"<root><window name='w' pos='10,10,@40,@40' margin='3' colorBorder='#ff0000' "
      L"colorBkgnd='#00ff00'/></root>");
  rig.Paint();
  rig.render.SavePng(L"element-frame", 3);
  CHECK(rig.Pixel(10, 10) == kRed);
  CHECK(rig.Pixel(12, 30) == kRed);
  CHECK(rig.Pixel(13, 13) == kGreen);
  CHECK(rig.Pixel(46, 46) == kGreen);
  CHECK(rig.Pixel(47, 47) == kRed);
  CHECK(rig.render.CountEqual(RECT{10, 10, 50, 50}, kRed) == 40 * 40 - 34 * 34);
}

TEST_CASE("a range paint reaches only the elements in the range, and skips whole subtrees") {
  ElementRig rig(60, 60);
  // z-order: root 0, a 1, b 2, c 3, d 4, e 5
  rig.Load(
      L"<root><probe name='a'><probe name='b'/><probe name='c'><probe name='d'/></probe>"
      L"</probe><probe name='e'/></root>");
  rig.container.BuildWndTreeZorder();
  CHECK(rig.Find(L"d")->GetZorder() == 4u);
  struct Case {
    UINT low;
    UINT high;
    const wchar_t* painted;
  } cases[] = {{3, 5, L"cd"}, {4, 0xFFFFFFFF, L"de"}, {0, 2, L"a"}, {2, 3, L"b"}, {6, 9, L""}};
  for (const Case& c : cases) {
    CAPTURE(c.low);
    rig.probeLog.clear();
    rig.root->PaintRegionRange(rig.render.Target(), nullptr, c.low, c.high);
    std::wstring painted;
    for (const ProbeEntry& e : rig.probeLog) {
      if (e.msg == WM_PAINT) painted += e.name;
    }
    CHECK(painted == c.painted);
  }
}

TEST_CASE("a region inside the client area does not repaint the frame") {
  ElementRig rig(60, 60);
  rig.Load(L"<root><probe name='w' pos='10,10,@40,@40' margin='3'/></root>");
  ProbeWnd* w = rig.Probe(L"w");
  rig.probeLog.clear();
  rig.root->RedrawRegion(rig.render.Target(), RectRegion(rig, RECT{20, 20, 30, 30}));
  CHECK(w->Count(WM_PAINT) == 1);
  CHECK(w->Count(WM_NCPAINT) == 0);
  rig.root->RedrawRegion(rig.render.Target(), RectRegion(rig, RECT{5, 5, 30, 30}));
  CHECK(w->Count(WM_NCPAINT) == 1);
  // A region away from the element reaches neither part.
  rig.root->RedrawRegion(rig.render.Target(), RectRegion(rig, RECT{52, 52, 58, 58}));
  CHECK(w->Count(WM_PAINT) == 2);
  CHECK(w->Count(WM_NCPAINT) == 1);
}

TEST_CASE("invalidation: blended backgrounds go up to the container, others to UM_UPDATESWND") {
  ElementRig rig(100, 100);
  rig.Load(
      L"<root><window name='p' pos='10,10,@50,@50'><window name='blend' "
      L"pos='5,5,@100,@20'/><window name='own' pos='5,30,@20,@10' bkgndBlend='0' "
      L"colorBkgnd='#0000ff'/></window></root>");
  rig.container.redraws.clear();
  rig.container.updateSwnds.clear();

  SWindow* blend = rig.Find(L"blend");
  blend->InvalidateRect(nullptr);
  REQUIRE(rig.container.redraws.size() == 1);
  const RECT& r = rig.container.redraws[0];
  CHECK(r.left == 15);
  CHECK(r.right == 60);  // cut to the parent on the way up
  CHECK(rig.container.updateSwnds.empty());

  SWindow* own = rig.Find(L"own");
  own->Update();  // what laying it out invalidated
  IRenderTarget* host = rig.container.HostSurface();
  const RECT all = {0, 0, 100, 100};
  host->ClearRect(&all, 0);
  rig.container.lentFlags.clear();
  rig.container.released = 0;
  rig.container.updateSwnds.clear();
  own->InvalidateRect(RECT{0, 0, 20, 50});
  own->InvalidateRect(RECT{30, 40, 200, 200});
  CHECK(rig.container.redraws.size() == 1);
  CHECK(rig.container.updateSwnds ==
        std::vector<SwndHandle>{own->GetSwnd(), own->GetSwnd()});  // one per call

  // The host answers by updating the element: one paint of the union into the host surface.
  own->Update();
  CHECK(host->GetPixel(16, 41) == kBlue);
  CHECK(host->GetPixel(34, 49) == kBlue);
  CHECK(host->GetPixel(20, 45) == 0u);  // outside the invalid region: untouched
  CHECK(rig.container.lentFlags == std::vector<DWORD>{GRT_OFFSCREEN});
  CHECK(rig.container.released == 1);
  own->Update();  // nothing left
  CHECK(rig.container.released == 1);

  // Hidden elements are not invalidated at all.
  rig.container.updateSwnds.clear();
  own->SetVisible(FALSE);
  own->InvalidateRect(nullptr);
  CHECK(rig.container.updateSwnds.empty());
}

TEST_CASE("OnRelayout: old and new rectangles invalidated; a reversed rectangle is empty") {
  ElementRig rig(100, 100);
  rig.Load(L"<root><window name='w' pos='10,10,@10,@10'/></root>");
  SWindow* w = rig.Find(L"w");
  rig.container.redraws.clear();
  w->Move(50, 50);  // same size, moved
  REQUIRE(rig.container.redraws.size() == 2);
  CHECK(rig.container.redraws[0].left == 10);
  CHECK(rig.container.redraws[1].left == 50);
  const RECT reversed = {30, 30, 20, 10};
  w->Move(&reversed);
  RECT rc = w->GetWindowRect();
  CHECK(rc.left == 30);
  CHECK(rc.right == 30);
  CHECK(rc.bottom == 30);
  CHECK(w->IsFloat());
}

TEST_CASE("borrowed render targets: one at a time; PAINTBKGND paints below and above") {
  ElementRig rig(60, 60);
  rig.Load(
      L"<root><window name='below' pos='0,0,@60,@60' colorBkgnd='#ff0000'/>"
      L"<window name='mid' pos='10,10,@30,@30' colorBkgnd='#00ff00'/>"
      L"<window name='top' pos='30,30,@20,@20' colorBkgnd='#0000ff'/></root>");
  SWindow* mid = rig.Find(L"mid");
  DebugOutputCapture capture;
  IRenderTarget* rt = mid->GetRenderTarget(nullptr, GRT_PAINTBKGND, TRUE);
  REQUIRE(rt != nullptr);
  CHECK(mid->GetRenderTarget(nullptr, GRT_OFFSCREEN, TRUE) == nullptr);  // refused, logged
  CHECK(capture.Contains("GetRenderTarget refused"));
  CHECK(rt->GetPixel(15, 15) == kRed);  // what lies below, not mid itself
  mid->ReleaseRenderTarget(rt);
  IRenderTarget* host = rig.container.HostSurface();
  CHECK(host->GetPixel(15, 15) == kRed);
  CHECK(host->GetPixel(35, 35) == kBlue);  // what lies above came back
  CHECK(host->GetPixel(5, 5) == 0u);       // outside mid: untouched
  CHECK(rig.container.released == 1);
  // Released, it can be borrowed again.
  rt = mid->GetRenderTarget(nullptr, GRT_NODRAW, FALSE);
  REQUIRE(rt != nullptr);
  mid->ReleaseRenderTarget(rt);
  CHECK(rig.container.lentFlags == std::vector<DWORD>{GRT_PAINTBKGND, GRT_NODRAW});
}

TEST_CASE("a rectangle with an unresolved edge paints nothing and makes no surface") {
  ElementRig rig(60, 60);
  // Each needs the other's near edge: neither left edge ever resolves.
  rig.Load(
      L"<root><window name='a' pos=']0,0,@10,@10' alpha='128' colorBkgnd='#ff0000'/>"
      L"<window name='b' pos='[0,0,@10,@10' layeredWindow='1' colorBkgnd='#0000ff'/>"
      L"</root>");
  SWindow* a = rig.Find(L"a");
  SWindow* b = rig.Find(L"b");
  CHECK(a->GetWindowRect().left >= 0x7FFFFF);
  CHECK(a->GetCacheRenderTarget() == nullptr);
  CHECK(b->GetLayerRenderTarget() == nullptr);
  rig.Paint();
  CHECK(rig.render.CountEqual(RECT{0, 0, 60, 60}, kWhite) == 3600);
}

TEST_CASE("the text: drawn inside the text rectangle in the colour of the element's state") {
  ElementRig rig(120, 40);
  rig.Load(
      L"<root><window name='t' pos='10,5,@100,@30' padding='4' text='Hello' "
      L"colorText='#ff0000' colorTextDisable='#0000ff' font='size:16'/></root>");
  SWindow* t = rig.Find(L"t");
  auto reddish = [](DWORD px) {
    const DWORD r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
    return r > 200 && g < 150 && b < 150;
  };
  auto bluish = [](DWORD px) {
    const DWORD r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
    return b > 200 && r < 150 && g < 150;
  };
  auto count = [&](const RECT& rc, bool (*pred)(DWORD)) { return rig.render.CountIn(rc, pred); };
  rig.Paint();
  rig.render.SavePng(L"element-text", 3);
  const RECT text = {14, 9, 106, 31};
  CHECK(count(text, +reddish) > 20);
  CHECK(count(RECT{0, 0, 120, 40}, +reddish) == count(text, +reddish));
  t->EnableWindow(FALSE);
  rig.Paint();
  CHECK(count(text, +reddish) == 0);
  CHECK(count(text, +bluish) > 20);
}
