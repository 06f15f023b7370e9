// The animated image player: each frame for its own delay on the container's timeline, what
// keeps it off the timeline, hiding and showing, its skin attribute and files played.
#include <doctest/doctest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GdiplusSession.h"
#include "GifWriter.h"
#include "StripRig.h"
#include "TempFile.h"
#include "controls/SGifPlayer.h"
#include "controls/SSkinGif.h"
#include "core/SSkinPoolMgr.h"

using namespace SWUI;
using fixtures::TempFile;

namespace {

constexpr DWORD kRed = 0xFFFF0000u;
constexpr DWORD kGreen = 0xFF00FF00u;
constexpr DWORD kBlue = 0xFF0000FFu;
constexpr DWORD kFrameColours[] = {kRed, kGreen, kBlue};

// GDI+ running, the three-colour GIF (delays 10, 0, 20), a still one and bytes that are no
// image in files, and skins over them: "anim", "still", "junk".
struct PlayerRig : StripRig {
  PlayerRig() : StripRig(24, 24) {
    REQUIRE(anim.Written());
    REQUIRE(still.Written());
    REQUIRE(junk.Written());
    const std::wstring skins = L"<skin><gif name='anim' src='file:" + anim.Path() +
                               L"'/><gif name='still' src='file:" + still.Path() +
                               L"'/><gif name='junk' src='file:" + junk.Path() + L"'/></skin>";
    pugi::xml_document doc;
    REQUIRE(doc.load_string(skins.c_str()));
    gifs.Attach(new SSkinPool());
    REQUIRE(gifs->LoadSkins(doc.first_child()) == 3);
    SSkinPoolMgr::getSingleton().PushSkinPool(gifs);
  }
  ~PlayerRig() { SSkinPoolMgr::getSingleton().PopSkinPool(gifs); }

  // A player at the top-left corner, wrapping its skin.
  SGifPlayer* Load(const wchar_t* skin) {
    StripRig::Load(std::wstring(L"<root><gifplayer name='player' pos='0,0' skin='") + skin +
                   L"'/></root>");
    auto* player = dynamic_cast<SGifPlayer*>(Find(L"player"));
    REQUIRE(player != nullptr);
    return player;
  }
  bool OnTimeline(SGifPlayer* player) const {
    return std::find(container.timeline.begin(), container.timeline.end(), player) !=
           container.timeline.end();
  }
  // Timeline frames until the player shows another frame (at most 1000).
  int FramesUntilChange(SGifPlayer* player) {
    const int shown = player->GetCurrentFrame();
    for (int n = 1; n <= 1000; ++n) {
      container.OnNextFrame();
      if (player->GetCurrentFrame() != shown) return n;
    }
    return -1;
  }
  // The colour in the middle of the frame's coloured part (the top-left quarter is black).
  DWORD Shown() {
    Paint();
    return Pixel(6, 6);
  }

  fixtures::GdiplusSession gdiplus;
  TempFile anim{L"anim.gif", fixtures::ThreeColourGif()};
  TempFile still{L"still.gif", fixtures::StillGif()};
  TempFile junk{L"junk.gif", std::vector<uint8_t>(200, 0x5A)};
  SAutoRefPtr<SSkinPool> gifs;
};

}  // namespace

TEST_CASE("a player shows each frame for its own delay, 90 ms for none, on the timeline") {
  PlayerRig rig;
  SGifPlayer* player = rig.Load(L"anim");
  CHECK(RectOf(player) == "0,0,8,8");
  REQUIRE(rig.OnTimeline(player));
  CHECK(player->GetCurrentFrame() == 0);
  CHECK(rig.Shown() == kRed);
  rig.render.SavePng(L"gifplayer_frame0", 8);
  // 100 ms, 90 ms, 200 ms: each change comes after the frame that was shown.
  const int expected[] = {10, 9, 20, 10};
  for (int i = 0; i < 4; ++i) {
    CAPTURE(i);
    CHECK(rig.FramesUntilChange(player) == expected[i]);
    CHECK(player->GetCurrentFrame() == (i + 1) % 3);
    CHECK(rig.Shown() == kFrameColours[(i + 1) % 3]);
  }

  // The decoder path keeps GDI+'s milliseconds as 10, 10, 20 hundredths; a skin set again
  // starts from its first frame.
  auto* gif = dynamic_cast<SSkinGif*>(SSkinPoolMgr::getSingleton().GetSkin(L"anim", 100));
  REQUIRE(gif != nullptr);
  const std::vector<uint8_t> bytes = fixtures::ThreeColourGif();
  REQUIRE(gif->LoadFromMemoryWith(rig.render.Factory()->GetImgDecoderFactory(), bytes.data(),
                                  bytes.size()) == 3);
  rig.FramesUntilChange(player);
  REQUIRE(player->GetCurrentFrame() != 0);
  CHECK(player->SetAttribute(L"skin", L"anim", FALSE) == S_OK);
  CHECK(player->GetCurrentFrame() == 0);
  for (int frames : {10, 10, 20}) CHECK(rig.FramesUntilChange(player) == frames);

  player->DestroyWindow();
  CHECK(rig.container.timeline.empty());
}

TEST_CASE("a player with fewer than two frames never joins the timeline") {
  struct Case {
    const wchar_t* skin;
    const char* rect;
  } cases[] = {{L"still", "0,0,4,4"}, {L"junk", "0,0,0,0"}};
  for (const Case& c : cases) {
    CAPTURE(std::string(c.rect));
    PlayerRig rig;
    SGifPlayer* player = rig.Load(c.skin);
    CHECK(RectOf(player) == c.rect);
    CHECK(rig.container.timeline.empty());
    player->SetVisible(FALSE);
    player->SetVisible(TRUE);
    CHECK(rig.container.timeline.empty());
  }
  // A still frame is still drawn.
  PlayerRig rig;
  rig.Load(L"still");
  rig.Paint();
  CHECK(rig.Pixel(2, 2) == kBlue);
}

TEST_CASE("a hidden player stops; shown again it goes on from the frame it showed") {
  PlayerRig rig;
  SGifPlayer* player = rig.Load(L"anim");
  REQUIRE(rig.FramesUntilChange(player) == 10);
  for (int i = 0; i < 3; ++i) rig.container.OnNextFrame();
  player->SetVisible(FALSE);
  CHECK_FALSE(rig.OnTimeline(player));
  player->SetVisible(FALSE);
  for (int i = 0; i < 50; ++i) rig.container.OnNextFrame();
  CHECK(player->GetCurrentFrame() == 1);
  // Hidden with its parent, too.
  player->SetVisible(TRUE);
  CHECK(rig.OnTimeline(player));
  rig.root->SetVisible(FALSE);
  CHECK_FALSE(rig.OnTimeline(player));
  rig.root->SetVisible(TRUE);
  REQUIRE(rig.OnTimeline(player));
  // The shown frame's whole delay again, then on.
  CHECK(rig.FramesUntilChange(player) == 9);
  CHECK(player->GetCurrentFrame() == 2);
}

TEST_CASE("a player's skin: unknown names fail, other skins are ignored, files replace it") {
  PlayerRig rig;
  SGifPlayer* player = rig.Load(L"anim");
  CHECK(player->SetAttribute(L"skin", L"nothing", FALSE) == E_FAIL);
  CHECK(player->SetAttribute(L"skin", L"t.tab", FALSE) == S_FALSE);
  CHECK(player->GetSkin() == SSkinPoolMgr::getSingleton().GetSkin(L"anim", 100));
  CHECK(player->SetAttribute(L"skin", L"still", FALSE) == S_OK);
  CHECK(rig.container.timeline.empty());
  CHECK(player->GetDesiredSize(-1, -1).cx == 4);

  // A file of frames becomes a skin of the player's own and plays from its first frame.
  CHECK(player->PlayGifFile(rig.anim.Path().c_str()));
  REQUIRE(player->GetSkin() != nullptr);
  CHECK(player->GetSkin()->GetFrameCount() == 3);
  CHECK(player->GetSkin() != SSkinPoolMgr::getSingleton().GetSkin(L"anim", 100));
  CHECK(rig.OnTimeline(player));
  CHECK(rig.FramesUntilChange(player) == 10);
  // Files that give no frame, and the class nobody registers, keep it.
  SSkinAni* playing = player->GetSkin();
  CHECK_FALSE(player->PlayGifFile(rig.junk.Path().c_str()));
  CHECK_FALSE(player->PlayGifFile(fixtures::TempPath(L"missing.gif").c_str()));
  CHECK_FALSE(player->PlayAPNGFile(rig.anim.Path().c_str()));
  CHECK(player->GetSkin() == playing);
  CHECK(player->GetCurrentFrame() == 1);

  CHECK(player->IsClass(L"gifplayer"));
  CHECK(player->IsClass(L"window"));
}
