// Images (a skin's state or a bitmap, stretched, natural or tiled), animated images over the
// timeline, icons and lines.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "CtrlRig.h"
#include "core/EventAnimateStart.h"
#include "core/EventAnimateStop.h"

using namespace SWUI;

namespace {

constexpr DWORD kWhite = 0xFFFFFFFF;
constexpr DWORD kRed = 0xFFFF0000;
constexpr DWORD kBlue = 0xFF0000FF;

size_t FiredCount(const CtrlRig& rig, DWORD id) {
  size_t n = 0;
  for (const auto& f : rig.container.fired) n += f.id == id ? 1 : 0;
  return n;
}

// A 32 x 32 icon of one colour (0x00RRGGBB), its hot spot in the middle.
HICON SolidIcon(DWORD rgb) {
  std::vector<DWORD> colour(32 * 32, 0xFF000000 | rgb);
  std::vector<BYTE> mask(32 * 32 / 8, 0);
  ICONINFO info = {};
  info.fIcon = TRUE;
  info.hbmColor = CreateBitmap(32, 32, 1, 32, colour.data());
  info.hbmMask = CreateBitmap(32, 32, 1, 1, mask.data());
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  REQUIRE(icon != nullptr);
  return icon;
}

}  // namespace

TEST_CASE(
    "an image draws a bitmap stretched, at its size or tiled by \"tile\"; other values nothing") {
  struct Case {
    const wchar_t* tile;
    std::vector<POINT> red;
    std::vector<POINT> white;
  } cases[] = {
      {L"0", {{0, 0}, {3, 3}, {7, 7}}, {}},
      {L"1", {{0, 0}, {1, 1}}, {{2, 2}, {7, 7}}},
      {L"2", {{0, 0}, {4, 4}}, {}},
      {L"3", {}, {{0, 0}, {7, 7}}},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.tile));
    CtrlRig rig(20, 20);
    rig.Load((std::wstring(L"<root><img name='i' pos='0,0,8,8' tile='") + c.tile + L"'/></root>")
                 .c_str());
    const DWORD px[4] = {kRed, kBlue, kBlue, kRed};  // a 2 x 2 chequer
    auto bmp = rig.render.MakeBitmap(2, 2, px);
    rig.Find<SImageWnd>(L"i")->SetImage(bmp);
    rig.Paint();
    for (POINT p : c.red) CHECK(rig.Pixel(p.x, p.y) == kRed);
    for (POINT p : c.white) CHECK(rig.Pixel(p.x, p.y) == kWhite);
    if (std::wstring(c.tile) == L"2") CHECK(rig.Pixel(5, 4) == kBlue);
  }
}

TEST_CASE(
    "an image shows a skin state; states it lacks draw nothing; SetSkin(null) changes nothing") {
  CtrlRig rig(20, 20);
  rig.Load(L"<root><img name='i' pos='0,0,10,10' skin='cells4' iconIndex='2'/></root>");
  auto* img = rig.Find<SImageWnd>(L"i");
  rig.Paint();
  CHECK(rig.Pixel(5, 5) == CellSkin::Colour(2));
  CHECK(img->SetIcon(3));
  CHECK_FALSE(img->SetIcon(4));
  CHECK_FALSE(img->SetIcon(-1));
  CHECK(img->GetIconIndex() == 3);
  img->SetAttribute(SStringW(L"iconIndex"), SStringW(L"4"), FALSE);
  rig.Paint();
  CHECK(rig.Pixel(5, 5) == kWhite);

  ISkinObj* skin = img->GetSkin();
  CHECK_FALSE(img->SetSkin(nullptr));
  CHECK(img->GetSkin() == skin);
  CHECK(img->GetIconIndex() == 4);
  // A skin replaces the image; the element keeps its own reference.
  const DWORD px[1] = {kRed};
  img->SetImage(rig.render.MakeBitmap(1, 1, px));
  CHECK(img->SetSkin(rig.Skin(L"cells8"), 6, FALSE));
  CHECK(img->GetImage() == nullptr);
  rig.Paint();
  CHECK(rig.Pixel(5, 5) == CellSkin::Colour(6));
}

TEST_CASE("an image wrapping its content takes the bitmap's size, else the skin's") {
  CtrlRig rig;
  rig.Load(L"<root><img name='i' pos='0,0' skin='big'/></root>");
  auto* img = rig.Find<SImageWnd>(L"i");
  RECT rc = img->GetWindowRect();
  CHECK(rc.right - rc.left == 20);
  CHECK(rc.bottom - rc.top == 12);
  img->SetImage(rig.render.MakeBitmap(7, 5));
  rig.root->UpdateLayout();
  rc = img->GetWindowRect();
  CHECK(rc.right - rc.left == 7);
  CHECK(rc.bottom - rc.top == 5);
}

TEST_CASE("an animated image: repeat 2 over 3 states shows 0,1,2,0,1,2, then stops") {
  CtrlRig rig;
  rig.Load(L"<root><animateimg name='a' skin='cells3' speed='0' repeat='2'/></root>");
  auto* a = rig.Find<SAnimateImgWnd>(L"a");
  CHECK(a->IsPlaying());  // autoStart when shown
  CHECK(FiredCount(rig, EventAnimateStart::EventID) == 1);
  REQUIRE(rig.container.OnTimeline(a));
  std::vector<int> shown = {a->GetCurFrame()};
  while (rig.container.OnTimeline(a) && shown.size() < 20) {
    rig.container.OnNextFrame();
    if (a->IsPlaying()) shown.push_back(a->GetCurFrame());
  }
  CHECK(shown == std::vector<int>{0, 1, 2, 0, 1, 2});
  CHECK_FALSE(a->IsPlaying());
  CHECK(FiredCount(rig, EventAnimateStop::EventID) == 1);
  CHECK(std::wstring(EventAnimateStop::ScriptName()) == L"EVT_ANI_STOP");
}

TEST_CASE("an animated image's frame lasts speed / 10 + 1 ticks (at least one)") {
  struct Case {
    const wchar_t* speed;
    int ticks;
  } cases[] = {{L"50", 6}, {L"9", 1}, {L"20", 3}, {L"-100", 1}};
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.speed));
    CtrlRig rig;
    rig.Load((std::wstring(L"<root><animateimg name='a' skin='cells3' speed='") + c.speed +
              L"'/></root>")
                 .c_str());
    auto* a = rig.Find<SAnimateImgWnd>(L"a");
    rig.container.OnNextFrame();  // the first tick moves on at once
    CHECK(a->GetCurFrame() == 1);
    for (int i = 1; i < c.ticks; ++i) rig.container.OnNextFrame();
    CHECK(a->GetCurFrame() == 1);
    rig.container.OnNextFrame();
    CHECK(a->GetCurFrame() == 2);
  }
}

TEST_CASE("an animated image leaves the timeline while hidden and at its end") {
  CtrlRig rig;
  rig.Load(
      L"<root><animateimg name='a' skin='cells3'/><animateimg name='still' autoStart='0' "
      L"skin='cells3'/><animateimg name='bare'/></root>");
  auto* a = rig.Find<SAnimateImgWnd>(L"a");
  auto* still = rig.Find<SAnimateImgWnd>(L"still");
  CHECK_FALSE(still->IsPlaying());
  CHECK_FALSE(rig.container.OnTimeline(still));
  a->SetVisible(FALSE);
  CHECK(a->IsPlaying());
  CHECK_FALSE(rig.container.OnTimeline(a));
  a->SetVisible(TRUE);
  CHECK(rig.container.OnTimeline(a));
  // Without a skin it plays on, off the timeline.
  auto* bare = rig.Find<SAnimateImgWnd>(L"bare");
  REQUIRE(rig.container.OnTimeline(bare));
  rig.container.OnNextFrame();
  CHECK_FALSE(rig.container.OnTimeline(bare));
  CHECK(bare->IsPlaying());
  rig.root->DestroyChild(a);
  CHECK(rig.container.timeline.empty());
  CHECK(FiredCount(rig, EventAnimateStop::EventID) == 1);
}

TEST_CASE("an icon element sizes to twice its hot spot, draws its icon and owns it") {
  CtrlRig rig(60, 60);
  rig.Load(L"<root><icon name='i' pos='0,0'/></root>");
  auto* icon = rig.Find<SIconWnd>(L"i");
  HICON first = SolidIcon(0xFF0000);
  icon->SetIcon(first);
  rig.root->UpdateLayout();
  const RECT rc = icon->GetWindowRect();
  CHECK(rc.right - rc.left == 32);
  CHECK(rc.bottom - rc.top == 32);
  rig.Paint();
  CHECK(rig.Pixel(16, 16) == kRed);
  CHECK(rig.Pixel(40, 40) == kWhite);
  // An icon that does not load is refused; the element keeps its own.
  CHECK(icon->SetAttribute(SStringW(L"src"), SStringW(L"no_such_icon"), FALSE) == E_FAIL);
  CHECK(icon->GetIcon() == first);
  icon->SetIcon(SolidIcon(0x0000FF));
  ICONINFO info = {};
  CHECK_FALSE(GetIconInfo(first, &info));  // the old one was destroyed
}

TEST_CASE("a line runs along the top, down the left or across, in its colour, width and style") {
  struct Case {
    const wchar_t* mode;
    std::vector<POINT> on;
    std::vector<POINT> off;
  } cases[] = {
      {L"horizontal", {{2, 2}, {20, 2}}, {{2, 10}, {12, 12}}},
      {L"vertical", {{2, 2}, {2, 20}}, {{10, 2}, {12, 12}}},
      {L"tilt", {{2, 2}, {12, 12}}, {{20, 2}, {2, 20}}},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.mode));
    CtrlRig rig(30, 30);
    rig.Load((std::wstring(L"<root><hr name='l' pos='2,2,@24,@24' colorLine='#0000ff' mode='") +
              c.mode + L"'/></root>")
                 .c_str());
    rig.Paint();
    for (POINT p : c.on) CHECK(rig.Pixel(p.x, p.y) == kBlue);
    for (POINT p : c.off) CHECK(rig.Pixel(p.x, p.y) == kWhite);
  }
  CtrlRig rig(30, 30);
  rig.Load(L"<root><hr name='l' pos='0,10,30,20' size='3' colorLine='#ff0000'/></root>");
  rig.Paint();
  CHECK(rig.Pixel(15, 9) == kRed);  // a 3-pixel pen over row 10
  CHECK(rig.Pixel(15, 11) == kRed);
  SWindow* line = rig.Find(L"l");
  for (const wchar_t* bad : {L"Dash", L"dashed", L""}) {
    CHECK(line->SetAttribute(SStringW(L"lineStyle"), SStringW(bad), FALSE) == E_FAIL);
  }
  CHECK(line->SetAttribute(SStringW(L"lineStyle"), SStringW(L"dashdotdot"), FALSE) == S_FALSE);
  CHECK(line->SetAttribute(SStringW(L"mode"), SStringW(L"diagonal"), FALSE) == E_FAIL);
  CHECK(line->SetAttribute(SStringW(L"colorLine"), SStringW(L""), FALSE) == E_FAIL);
}
