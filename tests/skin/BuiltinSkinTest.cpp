// The framework's built-in skins, loaded from this program's resources as the application
// loads them at start-up, and drawn for review.
#include <doctest/doctest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "SkinRig.h"
#include "core/SSkinPoolMgr.h"
#include "core/SSkinScrollbar.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

namespace {

// Loads "SYS_XML_SKIN" from this module; answers LoadSystemNamedResource's failure bits.
UINT LoadSystemSkins(SApplication& app) {
  auto* provider = new SResProviderPE();
  REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  const UINT failed = app.LoadSystemNamedResource(provider);
  provider->Release();
  return failed;
}

}  // namespace

TEST_CASE("all 34 built-in skins load from the framework's resources") {
  SkinRig t(4, 4);
  CHECK((LoadSystemSkins(t.app) & SYSRES_SKIN_FAILED) == 0);
  SSkinPoolMgr& pools = *SSkinPoolMgr::getSingletonPtr();
  for (int i = 0; i < SSkinPoolMgr::kBuiltinSkinCount; ++i) {
    CAPTURE(i);
    ISkinObj* skin = pools.GetBuiltinSkin(i, 100);
    REQUIRE(skin != nullptr);
    CHECK(std::wstring(skin->GetName()) == SSkinPoolMgr::GetBuiltinSkinName(i));
    if (std::wstring(skin->GetObjectClass()) != L"colorrect") {
      CHECK(skin->GetSkinSize().cx > 0);  // its image was found
    }
  }
  // The state counts the controls draw by.
  struct Case {
    int index, states;
  };
  for (Case c : {Case{0, 8}, Case{1, 8}, Case{4, 4}, Case{7, 4}, Case{8, 6}, Case{9, 9},
                 Case{10, 3}, Case{11, 4}, Case{18, 4}, Case{23, 3}, Case{25, 2}, Case{27, 2},
                 Case{32, 4}, Case{33, 4}}) {
    CAPTURE(c.index);
    CHECK(pools.GetBuiltinSkin(c.index, 100)->GetStates() == c.states);
  }
  auto* bar = SkinAs<SSkinScrollbar>(pools.GetBuiltinSkin(5, 100));
  CHECK(bar->GetIdealSize() == 16);
  // At 150 % a check box is drawn from a scaled copy.
  ISkinObj* big = pools.GetBuiltinSkin(0, 150);
  REQUIRE(big != nullptr);
  CHECK(big->GetSkinSize().cx == 24);
}

TEST_CASE("a sheet of every built-in skin in every state, written for review") {
  SkinRig t(560, 34 * 30 + 10);
  LoadSystemSkins(t.app);
  t.Clear(0xFFFFFFFF);
  SSkinPoolMgr& pools = *SSkinPoolMgr::getSingletonPtr();
  for (int i = 0; i < SSkinPoolMgr::kBuiltinSkinCount; ++i) {
    ISkinObj* skin = pools.GetBuiltinSkin(i, 100);
    REQUIRE(skin != nullptr);
    const std::wstring cls = skin->GetObjectClass();
    const int top = 5 + i * 30;
    if (cls == L"scrollbar") {
      const int parts[] = {SB_LINEUP, SB_PAGEUP, SB_THUMBTRACK, SB_PAGEDOWN, SB_LINEDOWN};
      for (int state = 0; state < 5; ++state) {
        for (int p = 0; p < 5; ++p) {
          const RECT h = {10 + state * 110 + p * 20, top, 10 + state * 110 + p * 20 + 20,
                          top + 16};
          skin->Draw(t.Target(), &h, SSkinScrollbar::MakeState(parts[p], state, FALSE));
        }
      }
      continue;
    }
    for (int state = 0; state < std::min(skin->GetStates(), 10); ++state) {
      const int left = 10 + state * 54;
      RECT rc = {left, top, left + 48, top + 26};
      if (cls == L"imglist") {
        const SIZE sz = skin->GetSkinSize();
        rc = RECT{left, top, left + sz.cx, top + sz.cy};
      }
      skin->Draw(t.Target(), &rc, static_cast<DWORD>(state));
    }
  }
  CHECK(t.render.SavePng(L"builtin_skins", 2));
}
