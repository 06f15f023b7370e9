// Image skins: strips, centred images and nine-patch frames, their attributes, scaled copies
// and colourising, drawn into a memory target and read back.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "SkinRig.h"
#include "core/SColorizer.h"
#include "core/SSkinImgFrame2.h"
#include "core/SSkinImgList.h"

using namespace SWUI;

namespace {

constexpr DWORD kRed = 0xFFFF0000u;
constexpr DWORD kGreen = 0xFF00FF00u;
constexpr DWORD kBlue = 0xFF0000FFu;
constexpr DWORD kWhite = 0xFFFFFFFFu;


}  // namespace

TEST_CASE("a strip's size, states and attribute results") {
  SkinRig t(4, 4);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<imglist name='strip' states='3'/>");
  SSkinImgList* list = SkinAs<SSkinImgList>(skin);
  CHECK(skin->GetSkinSize().cx == 0);  // no image yet
  list->SetImage(t.render.MakeBitmap(300, 20));
  CHECK(skin->GetSkinSize().cx == 100);
  CHECK(skin->GetSkinSize().cy == 20);
  CHECK(skin->GetStates() == 3);
  CHECK_FALSE(skin->IgnoreState());
  CHECK(t.Set(skin, L"vertical", L"1") == S_FALSE);
  CHECK(skin->GetSkinSize().cx == 300);
  CHECK(skin->GetSkinSize().cy == 6);

  // A count below 1 is refused and would have divided by zero.
  CHECK(t.Set(skin, L"states", L"0") == E_INVALIDARG);
  CHECK(t.Set(skin, L"STATES", L"-2") == E_INVALIDARG);
  CHECK(skin->GetStates() == 3);

  struct Case {
    const wchar_t* name;
    const wchar_t* value;
    HRESULT hr;
  };
  const Case cases[] = {
      {L"alpha", L"0x80", S_OK},         {L"enableColorize", L"0", S_OK},
      {L"scale", L"150", S_FALSE},       {L"Name", L"other", S_FALSE},
      {L"tile", L"1", S_FALSE},          {L"autoFit", L"0", S_FALSE},
      {L"filterLevel", L"HIGH", S_FALSE}, {L"filterLevel", L"ultra", E_FAIL},
      {L"stateMap", L"0-1", S_OK},       {L"nonsense", L"1", E_FAIL},
      {L"src", L"IMG:none", E_FAIL},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.name) + L"=" + c.value);
    CHECK(t.Set(skin, c.name, c.value) == c.hr);
  }
  CHECK(skin->GetAlpha() == 0x80);
  CHECK(skin->GetScale() == 150);
  CHECK(std::wstring(skin->GetName()) == L"other");
  CHECK(list->GetFilterLevel() == kHigh_FilterLevel);  // "ultra" left it
  CHECK(list->GetExpandMode() == (EM_NULL | (kHigh_FilterLevel << 16)));  // autoFit 0
  CHECK(list->GetImage() != nullptr);  // a missing "src" keeps the image
}

TEST_CASE("a state map picks the cell each state draws") {
  SkinRig t(10, 10);
  // A frame maps its states as a list does (a checked radio's states 4..7 onto a third cell).
  for (const wchar_t* xml : {L"<imglist name='m' states='2' stateMap='0-0-1'/>",
                             L"<imgframe name='m' states='2' stateMap='0-0-1' margin='1,1,1,1'/>"}) {
    CAPTURE(std::string(xml, xml + wcslen(xml)));
    SAutoRefPtr<ISkinObj> skin = t.Make(xml);
    SkinAs<SSkinImgList>(skin)->SetImage(t.Strip(4, 4, {kRed, kBlue}));
    CHECK(skin->GetStates() == 3);
    CHECK(skin->GetSkinSize().cx == 4);
    const RECT rc = {0, 0, 10, 10};
    skin->Draw(t.Target(), &rc, 2);
    CHECK(t.Pixel(5, 5) == kBlue);  // state 2 is cell 1, stretched
    skin->Draw(t.Target(), &rc, 1);
    CHECK(t.Pixel(5, 5) == kRed);
  }
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<imglist name='m' states='2' stateMap='0-0-1'/>");

  t.Set(skin, L"stateMap", L"0--1");  // empty pieces are dropped
  const SArray<int>& map = SkinAs<SSkinImgList>(skin)->GetStateMap();
  REQUIRE(map.GetCount() == 2);
  CHECK(map[0] == 0);
  CHECK(map[1] == 1);
}

TEST_CASE("an image loaded by reference; a centred cell; a tiled frame") {
  SkinRig t(20, 20);
  SAutoRefPtr<IBitmap> cells = t.Strip(4, 4, {kRed, kGreen});
  TempImageFile file(cells, L"cells");
  SAutoRefPtr<ISkinObj> center =
      t.Make((L"<imgCenter name='c' states='2' src='" + file.Ref() + L"'/>").c_str());
  REQUIRE(SkinAs<SSkinImgList>(center)->GetImage() != nullptr);
  CHECK(SkinAs<SSkinImgList>(center)->GetImage()->Width() == 8u);
  const RECT rc = {0, 0, 20, 20};
  center->Draw(t.Target(), &rc, 1);
  const RECT middle = {8, 8, 12, 12};
  CHECK(t.render.CountEqual(middle, kGreen) == 16);
  CHECK(t.render.CountPixels([](DWORD p) { return p != 0; }) == 16);

  // A frame tiles its edges when tile is set, even with autoFit 0.
  t.Clear();
  SAutoRefPtr<ISkinObj> frame = t.Make(L"<imgframe name='f' tile='1' autoFit='0' margin='1,1,1,1'/>");
  std::vector<DWORD> px(3 * 3, kBlue);
  px[4] = kRed;  // the centre pixel
  SkinAs<SSkinImgList>(frame)->SetImage(t.render.MakeBitmap(3, 3, px.data()));
  CHECK(SkinAs<SSkinImgList>(frame)->GetExpandMode() == EM_TILE);
  frame->Draw(t.Target(), &rc, 0);
  const RECT inside = {1, 1, 19, 19};
  CHECK(t.render.CountEqual(inside, kRed) == 18 * 18);
  CHECK(t.render.CountPixels([](DWORD p) { return p == kBlue; }) == 20 * 4 - 4);
}

TEST_CASE("frame margins from attributes") {
  SkinRig t(4, 4);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<imgframe name='f' margin='1,2,3,4'/>");
  auto* frame = SkinAs<SSkinImgFrame>(skin);
  CHECK(frame->GetMargin().left == 1);
  CHECK(frame->GetMargin().bottom == 4);
  CHECK(t.Set(skin, L"margin", L"7,8") == S_FALSE);  // the rest keep their values
  CHECK(frame->GetMargin().top == 8);
  CHECK(frame->GetMargin().right == 3);
  CHECK(t.Set(skin, L"margin-x", L"0x5") == S_FALSE);
  CHECK(frame->GetMargin().left == 5);
  CHECK(frame->GetMargin().right == 5);
  CHECK(t.Set(skin, L"margin2", L"2,3dp,4px") == E_INVALIDARG);
  CHECK(frame->GetMargin().top == 8);
  CHECK(t.Set(skin, L"margin2", L"2,3dp,4px,6sp") == S_FALSE);
  CHECK(frame->GetMargin().left == 2);
  CHECK(frame->GetMargin().top == 3);
  CHECK(frame->GetMargin().right == 4);
  CHECK(frame->GetMargin().bottom == 6);
}

TEST_CASE("a frame whose image marks its own margins") {
  SkinRig t(30, 30);
  // 10 x 10: top-row markers at x = 3..5, left-column markers at y = 2..6, the inside red.
  std::vector<DWORD> px(100, 0);
  for (int y = 1; y < 9; ++y) {
    for (int x = 1; x < 9; ++x) px[y * 10 + x] = kRed;
  }
  for (int x = 3; x <= 5; ++x) px[x] = 0xFF000000u;
  for (int y = 2; y <= 6; ++y) px[y * 10] = 0xFF000000u;
  SAutoRefPtr<IBitmap> marked = t.render.MakeBitmap(10, 10, px.data());
  TempImageFile file(marked, L"frame2");
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<imgframe2 name='f2'/>");
  CHECK(t.Set(skin, L"src", file.Ref().c_str()) == S_FALSE);
  auto* frame = SkinAs<SSkinImgFrame2>(skin);
  CHECK(frame->GetMargin().left == 2);
  CHECK(frame->GetMargin().right == 3);
  CHECK(frame->GetMargin().top == 1);
  CHECK(frame->GetMargin().bottom == 2);
  REQUIRE(frame->GetImage() != nullptr);
  CHECK(frame->GetImage()->Width() == 8u);
  CHECK(frame->GetImage()->Height() == 8u);
  CHECK(static_cast<const DWORD*>(frame->GetImage()->GetPixelBits())[0] == kRed);
  const RECT rc = {0, 0, 30, 30};
  skin->Draw(t.Target(), &rc, 0);
  CHECK(t.render.CountPixels([](DWORD p) { return p == kRed; }) == 900);

  SAutoRefPtr<IBitmap> tiny = t.render.MakeBitmap(1, 5);
  TempImageFile tinyFile(tiny, L"tiny");
  CHECK(t.Set(skin, L"src", tinyFile.Ref().c_str()) == E_INVALIDARG);
  CHECK(t.Set(skin, L"src", L"IMG:none") == E_FAIL);
  CHECK(frame->GetImage()->Width() == 8u);
}

TEST_CASE("scaled copies resample each cell and scale the margins") {
  SkinRig t(4, 4);
  SAutoRefPtr<ISkinObj> strip =
      t.Make(L"<imgframe name='s' states='3' margin='2,2,4,4' tile='1' stateMap='0-2' alpha='9'/>");
  SkinAs<SSkinImgList>(strip)->SetImage(t.Strip(30, 30, {kRed, kGreen, kBlue}));
  SAutoRefPtr<ISkinObj> copy;
  copy.Attach(strip->Scale(150));
  REQUIRE(copy);
  CHECK(std::wstring(copy->GetObjectClass()) == L"imgframe");
  CHECK(copy->GetScale() == 150);
  CHECK(copy->GetAlpha() == 9);
  CHECK(std::wstring(copy->GetName()) == L"s");
  SSkinImgList* scaled = SkinAs<SSkinImgList>(copy);
  REQUIRE(scaled->GetImage() != nullptr);
  CHECK(scaled->GetImage()->Width() == 135u);
  CHECK(scaled->GetImage()->Height() == 45u);
  CHECK(copy->GetSkinSize().cx == 45);
  CHECK(scaled->IsTile());
  CHECK(scaled->GetStateMap().GetCount() == 2);
  const RECT& m = SkinAs<SSkinImgFrame>(copy)->GetMargin();
  CHECK(m.left == 3);
  CHECK(m.bottom == 6);
  // The middle of the third cell is still blue.
  CHECK(static_cast<const DWORD*>(scaled->GetImage()->GetPixelBits())[20 * 135 + 112] == kBlue);

  // A strip without an image scales into one without an image.
  SAutoRefPtr<ISkinObj> empty = t.Make(L"<imglist name='e' states='2'/>");
  SAutoRefPtr<ISkinObj> emptyCopy;
  emptyCopy.Attach(empty->Scale(200));
  REQUIRE(emptyCopy);
  CHECK(SkinAs<SSkinImgList>(emptyCopy)->GetImage() == nullptr);
  CHECK(emptyCopy->GetStates() == 2);
}

TEST_CASE("colourising an image and taking the tint off again") {
  SkinRig t(4, 4);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<imglist name='c'/>");
  std::vector<DWORD> px = {0xFF808080u, 0u, 0x80404040u, kWhite};
  SkinAs<SSkinImgList>(skin)->SetImage(t.render.MakeBitmap(2, 2, px.data()));
  auto Pixels = [&]() {
    const auto* bits = static_cast<const DWORD*>(SkinAs<SSkinImgList>(skin)->GetImage()->GetPixelBits());
    return std::vector<DWORD>(bits, bits + 4);
  };

  skin->OnColorize(0xFF0000FF);
  const std::vector<DWORD> red = Pixels();
  CHECK(red[0] == SColorizer(0xFF0000FF).TintPixel(0xFF808080u));
  CHECK(red[1] == 0u);
  // A second tint starts from the untinted image, not from the red one.
  skin->OnColorize(0xFFFF0000);
  CHECK(Pixels()[0] == SColorizer(0xFFFF0000).TintPixel(0xFF808080u));
  skin->OnColorize(0);
  CHECK(Pixels() == px);

  // Switched off, or without an image, nothing happens.
  t.Set(skin, L"enableColorize", L"0");
  skin->OnColorize(0xFF0000FF);
  CHECK(Pixels() == px);
  SAutoRefPtr<ISkinObj> bare = t.Make(L"<imgframe name='b'/>");
  bare->OnColorize(0xFF0000FF);
  bare->OnColorize(0);
  CHECK(SkinAs<SSkinImgList>(bare)->GetImage() == nullptr);
}

TEST_CASE("state cells outside the image draw nothing; skins refuse no target") {
  SkinRig t(8, 8);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<imglist name='o' states='2' autoFit='0'/>");
  SkinAs<SSkinImgList>(skin)->SetImage(t.Strip(4, 4, {kRed, kBlue}));
  const RECT rc = {0, 0, 8, 8};
  skin->Draw(t.Target(), &rc, 5);
  CHECK(t.render.CountPixels([](DWORD p) { return p != 0; }) == 0);
  skin->Draw(t.Target(), &rc, 1);  // 1:1 at natural size, no bleed into other cells
  CHECK(t.render.CountPixels([](DWORD p) { return p == kBlue; }) == 16);
  CHECK(t.render.CountPixels([](DWORD p) { return p == kRed; }) == 0);
  skin->Draw(nullptr, &rc, 0);
  skin->Draw(t.Target(), nullptr, 0);
}
