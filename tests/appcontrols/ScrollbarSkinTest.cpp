// The slim scroll-bar skins: which cell each part and state comes from, the margin along the
// bar, the orientation each skin draws, and the two-image skin.
#include <doctest/doctest.h>
#include <windows.h>

#include <vector>

#include "AppSkinRig.h"

using namespace SWUI;

namespace {

const int kCell = 20;
const int kCap = 4;  // rows (columns) at both ends along the bar that differ from the body

// The body colour of a state's thumb or rail; the ends along the bar differ in every channel.
DWORD BodyColor(int state, bool rail) {
  return 0xFF000000u | (static_cast<DWORD>(40 + state * 50) << 16) | (rail ? 0xC000u : 0x4000u) |
         0x11u;
}
DWORD CapColor(int state, bool rail) { return BodyColor(state, rail) ^ 0x00808080u; }

// A slim scroll-bar image of 20-pixel cells: `states` columns by 2 rows (thumbs above, rails
// below) for a vertical bar, transposed for a horizontal one.
SAutoRefPtr<IBitmap> SlimImage(const SkinRig& t, int states, bool vertical) {
  const int w = (vertical ? states : 2) * kCell;
  const int h = (vertical ? 2 : states) * kCell;
  std::vector<DWORD> px(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int along = (vertical ? y : x) % kCell;  // position along the bar inside the cell
      const int state = (vertical ? x : y) / kCell;
      const bool rail = (vertical ? y : x) / kCell == 1;
      const bool cap = along < kCap || along >= kCell - kCap;
      px[y * w + x] = cap ? CapColor(state, rail) : BodyColor(state, rail);
    }
  }
  return t.render.MakeBitmap(w, h, px.data());
}

bool IsEmpty(const RECT& rc) { return IsRectEmpty(&rc) != FALSE; }

// Draws one part of a bar into the whole 20 x 60 (vertical) or 60 x 20 (horizontal) target.
void DrawPart(const SkinRig& t, ISkinObj* skin, int part, int state, BOOL vertical) {
  t.Clear();
  const RECT bar = vertical ? RECT{0, 0, kCell, 60} : RECT{0, 0, 60, kCell};
  skin->Draw(t.Target(), &bar, SSkinScrollbar::MakeState(part, state, vertical));
}

// The pixel a bar shows at a distance along it, across its middle.
DWORD Along(const SkinRig& t, int at, BOOL vertical) {
  return vertical ? t.Pixel(kCell / 2, at) : t.Pixel(at, kCell / 2);
}

int Drawn(const SkinRig& t) {
  return t.render.CountPixels([](DWORD p) { return p != 0; });
}

}  // namespace

TEST_CASE("vscrollbar: thumbs above, rails below, one column per state") {
  AppSkinRig t(60, 60);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<vscrollbar name='v' states='3' margin='4'/>");
  auto* bar = SkinAs<SSkinVScrollbar>(skin);
  CHECK(skin->IsClass(L"scrollbar"));
  CHECK_FALSE(bar->HasArrows());
  CHECK(bar->GetIdealSize() == 0);
  bar->SetImage(SlimImage(t, 3, true));  // 60 x 40
  CHECK(bar->GetIdealSize() == 20);

  const RECT thumb1 = bar->GetPartRect(SB_THUMBTRACK, 1, TRUE);
  CHECK(thumb1 == RECT{20, 0, 40, 20});
  const RECT rail0 = bar->GetPartRect(SB_PAGEUP, 0, TRUE);
  CHECK(rail0 == RECT{0, 20, 20, 40});
  CHECK(bar->GetPartRect(SB_PAGEDOWN, 2, TRUE) == RECT{40, 20, 60, 40});
  for (int part : {SB_LINEUP, SB_LINEDOWN, 4, 10, 11}) {
    CAPTURE(part);
    CHECK(IsEmpty(bar->GetPartRect(part, 0, TRUE)));
  }
  CHECK(IsEmpty(bar->GetPartRect(SB_THUMBTRACK, 1, FALSE)));

  struct Case {
    int part, state, column;
    bool rail;
  };
  const Case cases[] = {
      {SB_THUMBTRACK, 1, 1, false}, {SB_PAGEUP, 0, 0, true}, {SB_PAGEDOWN, 2, 2, true},
      {SB_THUMBTRACK, 3, 0, false},  // beyond the 3 states: the first column
      {SB_THUMBTRACK, 4, 0, false},  // at rest, no inactive cells
      {SB_PAGEUP, 200, 0, true},
  };
  for (const Case& c : cases) {
    CAPTURE(c.part);
    CAPTURE(c.state);
    DrawPart(t, skin, c.part, c.state, TRUE);
    // The ends keep their 4 rows; the body stretches between them.
    CHECK(Along(t, 0, TRUE) == CapColor(c.column, c.rail));
    CHECK(Along(t, 3, TRUE) == CapColor(c.column, c.rail));
    CHECK(Along(t, 4, TRUE) == BodyColor(c.column, c.rail));
    CHECK(Along(t, 55, TRUE) == BodyColor(c.column, c.rail));
    CHECK(Along(t, 56, TRUE) == CapColor(c.column, c.rail));
    CHECK(t.Pixel(19, 30) == BodyColor(c.column, c.rail));
    CHECK(t.Pixel(20, 30) == 0u);  // nothing beside the bar
  }

  // A horizontal bar, the arrows and the corner draw nothing.
  DrawPart(t, skin, SB_THUMBTRACK, 1, FALSE);
  CHECK(Drawn(t) == 0);
  for (int part : {SB_LINEUP, SB_LINEDOWN, 10}) {
    DrawPart(t, skin, part, 0, TRUE);
    CHECK(Drawn(t) == 0);
  }
}

TEST_CASE("vscrollbar: inactive cells, default states and the gripper") {
  AppSkinRig t(60, 60);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<vscrollbar name='v' hasInactive='1' hasGripper='1'/>");
  auto* bar = SkinAs<SSkinVScrollbar>(skin);
  CHECK(bar->GetStates() == 4);
  bar->SetImage(SlimImage(t, 5, true));
  CHECK(bar->GetPartRect(SB_THUMBTRACK, 4, TRUE).left == 0);  // 4 states: beyond them
  REQUIRE(bar->SetStates(5));
  CHECK(bar->GetPartRect(SB_THUMBTRACK, 4, TRUE).left == 80);
  // The slim image has no gripper cell: the thumb is drawn alone.
  DrawPart(t, skin, SB_THUMBTRACK, 2, TRUE);
  CHECK(Along(t, 30, TRUE) == BodyColor(2, false));
  const RECT all = {0, 0, 20, 60};
  CHECK(t.render.CountEqual(all, BodyColor(2, false)) + t.render.CountEqual(all, CapColor(2, false)) ==
        20 * 60);
}

TEST_CASE("zuhscrollbar: the vertical skin's grid transposed, horizontal bars only") {
  AppSkinRig t(60, 60);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<zuhscrollbar name='h' margin='4'/>");
  auto* bar = SkinAs<ZUSkinHScrollbar>(skin);
  CHECK(bar->GetStates() == 2);
  CHECK_FALSE(bar->HasArrows());
  REQUIRE(t.Set(skin, L"states", L"3") == S_FALSE);
  bar->SetImage(SlimImage(t, 3, false));  // 40 x 60
  CHECK(bar->GetIdealSize() == 20);
  CHECK(bar->GetPartRect(SB_THUMBTRACK, 1, FALSE) == RECT{0, 20, 20, 40});
  CHECK(bar->GetPartRect(SB_PAGEDOWN, 2, FALSE) == RECT{20, 40, 40, 60});
  CHECK(IsEmpty(bar->GetPartRect(SB_THUMBTRACK, 1, TRUE)));
  CHECK(IsEmpty(bar->GetPartRect(11, 1, FALSE)));

  DrawPart(t, skin, SB_PAGEUP, 2, FALSE);
  CHECK(Along(t, 3, FALSE) == CapColor(2, true));
  CHECK(Along(t, 4, FALSE) == BodyColor(2, true));
  CHECK(Along(t, 56, FALSE) == CapColor(2, true));
  DrawPart(t, skin, SB_THUMBTRACK, 4, FALSE);
  CHECK(Along(t, 30, FALSE) == BodyColor(0, false));
  DrawPart(t, skin, SB_THUMBTRACK, 1, TRUE);
  CHECK(Drawn(t) == 0);
}

TEST_CASE("newScrollbar: one image per orientation, drawn only with both") {
  AppSkinRig t(60, 60);
  SAutoRefPtr<IBitmap> vertImage = SlimImage(t, 5, true);
  SAutoRefPtr<IBitmap> horzImage = SlimImage(t, 5, false);
  TempImageFile vertFile(vertImage, L"new-vert");
  TempImageFile horzFile(horzImage, L"new-horz");
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<newScrollbar name='n' states='3' margin='4'/>");
  auto* bar = SkinAs<SSkinNewScrollbar>(skin);
  CHECK_FALSE(bar->HasArrows());
  CHECK(bar->GetIdealSize() == 0);

  // Only the vertical image: still nothing.
  CHECK(t.Set(skin, L"srcVert", vertFile.Ref().c_str()) == S_FALSE);
  CHECK(bar->GetIdealSize() == 100 / 3);
  DrawPart(t, skin, SB_THUMBTRACK, 1, TRUE);
  CHECK(Drawn(t) == 0);
  CHECK(t.Set(skin, L"srcHorz", L"file:no-such-image.png") == E_FAIL);
  CHECK(bar->GetHorzImage() == nullptr);
  CHECK(t.Set(skin, L"srcHorz", horzFile.Ref().c_str()) == S_FALSE);

  REQUIRE(bar->SetStates(5));
  CHECK(bar->GetIdealSize() == 20);
  DrawPart(t, skin, SB_THUMBTRACK, 1, TRUE);
  CHECK(Along(t, 2, TRUE) == CapColor(1, false));
  CHECK(Along(t, 30, TRUE) == BodyColor(1, false));
  DrawPart(t, skin, SB_PAGEDOWN, 3, FALSE);
  CHECK(Along(t, 2, FALSE) == CapColor(3, true));
  CHECK(Along(t, 30, FALSE) == BodyColor(3, true));
  // State 4 is its own column here: no inactive rule.
  DrawPart(t, skin, SB_THUMBTRACK, 4, TRUE);
  CHECK(Along(t, 30, TRUE) == BodyColor(4, false));
  REQUIRE(bar->SetStates(3));
  CHECK(bar->GetPartRect(SB_THUMBTRACK, 4, TRUE).left == 0);

  // A failed image keeps the one held; colourising leaves the pixels alone.
  CHECK(t.Set(skin, L"srcVert", L"IMG:missing") == E_FAIL);
  CHECK(bar->GetVertImage() != nullptr);
  REQUIRE(bar->SetStates(5));
  skin->OnColorize(RGB(200, 30, 30));
  DrawPart(t, skin, SB_THUMBTRACK, 1, TRUE);
  CHECK(Along(t, 30, TRUE) == BodyColor(1, false));

  // Both bars as a view draws them: rails at rest, a hovered thumb on each.
  t.Clear();
  const RECT vrail = {40, 0, 60, 40};
  const RECT vthumb = {40, 8, 60, 28};
  const RECT hrail = {0, 40, 40, 60};
  const RECT hthumb = {4, 40, 30, 60};
  skin->Draw(t.Target(), &vrail, SSkinScrollbar::MakeState(SB_PAGEUP, 4, TRUE));
  skin->Draw(t.Target(), &vthumb, SSkinScrollbar::MakeState(SB_THUMBTRACK, 1, TRUE));
  skin->Draw(t.Target(), &hrail, SSkinScrollbar::MakeState(SB_PAGEDOWN, 4, FALSE));
  skin->Draw(t.Target(), &hthumb, SSkinScrollbar::MakeState(SB_THUMBTRACK, 1, FALSE));
  CHECK(t.Pixel(50, 2) == CapColor(4, true));
  CHECK(t.Pixel(50, 18) == BodyColor(1, false));
  CHECK(t.Pixel(35, 50) == BodyColor(4, true));
  CHECK(t.Pixel(6, 50) == CapColor(1, false));
  CHECK(t.Pixel(8, 50) == BodyColor(1, false));
  t.render.SavePng(L"appskins-newscrollbar-bars", 4);
}

TEST_CASE("slim scroll-bar skins scale their cells, margin and images") {
  AppSkinRig t(120, 120);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<newScrollbar name='n' states='5' margin='4'/>");
  auto* bar = SkinAs<SSkinNewScrollbar>(skin);
  bar->SetVertImage(SlimImage(t, 5, true));
  bar->SetHorzImage(SlimImage(t, 5, false));
  SAutoRefPtr<ISkinObj> copy;
  copy.Attach(skin->Scale(200));
  REQUIRE(copy);
  auto* big = SkinAs<SSkinNewScrollbar>(copy);
  CHECK(big->GetIdealSize() == 40);
  CHECK(big->GetPartRect(SB_THUMBTRACK, 2, TRUE) == RECT{80, 0, 120, 40});
  CHECK(big->GetPartRect(SB_PAGEUP, 1, FALSE) == RECT{40, 40, 80, 80});
  t.Clear();
  const RECT rc = {0, 0, 40, 120};
  copy->Draw(t.Target(), &rc, SSkinScrollbar::MakeState(SB_THUMBTRACK, 2, TRUE));
  CHECK(t.Pixel(20, 7) == CapColor(2, false));  // margin 8 at 200 %
  CHECK(t.Pixel(20, 9) == BodyColor(2, false));

  SAutoRefPtr<ISkinObj> vskin = t.Make(L"<vscrollbar name='v' states='3'/>");
  SkinAs<SSkinVScrollbar>(vskin)->SetImage(SlimImage(t, 3, true));
  SAutoRefPtr<ISkinObj> vcopy;
  vcopy.Attach(vskin->Scale(150));
  REQUIRE(vcopy);
  CHECK(SkinAs<SSkinVScrollbar>(vcopy)->GetIdealSize() == 30);
  CHECK(SkinAs<SSkinVScrollbar>(vcopy)->GetPartRect(SB_PAGEUP, 1, TRUE) == RECT{30, 30, 60, 60});
}

TEST_CASE("the slim skins are made by tag with the scroll-bar skin as their base") {
  AppSkinRig t(4, 4);
  for (const wchar_t* tag : {L"vscrollbar", L"zuhscrollbar", L"newScrollbar", L"NEWSCROLLBAR"}) {
    CAPTURE(tag);
    ISkinObj* skin = t.app.CreateSkinByName(tag);
    REQUIRE(skin != nullptr);
    CHECK(skin->IsClass(L"scrollbar"));
    CHECK(skin->IsClass(L"imglist"));
    CHECK(t.app.BaseObjectInfo(SObjectInfo(tag, OBJ_TYPE_SKIN)).Name() == SStringW(L"scrollbar"));
    skin->Release();
  }
}
