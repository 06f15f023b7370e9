// The movie element against a stand-in of the player registered for this process only: the
// window mode and the movie are put through the automation interface when the control comes
// up, a later "url" puts the movie again; without the player the element stays empty and the
// creation hook still runs.
#include <doctest/doctest.h>

#include <algorithm>

#include "AxRig.h"

using namespace SWUI;

namespace {

using Entries = std::vector<std::wstring>;

std::vector<std::wstring> Puts(int from = 0) {
  std::vector<std::wstring> puts;
  for (const std::wstring& entry : AxRig::Record(from)) {
    if (entry.compare(0, 4, L"Put ") == 0 || entry.compare(0, 7, L"Invoke ") == 0) {
      puts.push_back(entry);
    }
  }
  return puts;
}

}  // namespace

TEST_CASE("\"url\": WMode transparent and the movie once the player is up; a later url again") {
  AxRig r;
  MoviePlayerStandIn standIn;
  r.Load(L"<notingflash name='f' pos='10,10,@200,@100' url='a.bin'/>"
         L"<notingflash name='bare' pos='10,10,@200,@100'/>");
  auto* f = r.Find<SFlashCtrl>(L"f");
  auto* bare = r.Find<SFlashCtrl>(L"bare");
  REQUIRE(f->GetFlashInterface() != nullptr);
  REQUIRE(bare->GetFlashInterface() != nullptr);
  const Entries record = AxRig::Record();
  const auto activated = std::find(record.begin(), record.end(), L"OnAxActivate");
  REQUIRE(activated != record.end());
  // The element f made first: its puts follow its activation, before the creation hook.
  CHECK(Entries(activated + 1, activated + 4) ==
        Entries{L"Put WMode=transparent", L"Put Movie=a.bin", L"created"});
  // Without a url only the window mode.
  CHECK(Puts() == Entries{L"Put WMode=transparent", L"Put Movie=a.bin", L"Put WMode=transparent"});

  const int from = AxTestRecordCount();
  CHECK(f->SetAttribute(SStringW(L"url"), SStringW(L"b.bin"), FALSE) == S_FALSE);
  CHECK(f->GetUrl() == SStringW(L"b.bin"));
  CHECK(Puts(from) == Entries{L"Put Movie=b.bin"});
  // From a layout the url is only stored; the control takes it when it comes up.
  CHECK(f->SetAttribute(SStringW(L"url"), SStringW(L"c.bin"), TRUE) == S_FALSE);
  CHECK(Puts(from) == Entries{L"Put Movie=b.bin"});

  // The automation interface goes with the element.
  r.rig.root->DestroyChild(f);
  r.rig.root->DestroyChild(bare);
  CHECK(AxTestLiveControls() == 0);
}

TEST_CASE("without the player: an empty element, and the creation hook ran") {
  AxRig r;
  r.Load(L"<notingflash name='f' pos='10,10,@200,@100' url='a.bin'/>");
  auto* f = r.Find<SFlashCtrl>(L"f");
  CHECK(AxRig::Record() == Entries{L"not created"});
  CHECK(f->GetIUnknown() == nullptr);
  CHECK(f->GetFlashInterface() == nullptr);
  CHECK(IsEqualCLSID(f->GetClsid(), kClsidMoviePlayer));
  r.rig.Paint();
  CHECK(r.rig.render.CountEqual(RECT{10, 10, 210, 110}, 0xFFFFFFFF) == 200 * 100);
  // A url set later is kept for a player that never comes.
  CHECK(f->SetAttribute(SStringW(L"url"), SStringW(L"b.bin"), FALSE) == S_FALSE);
  CHECK(f->GetUrl() == SStringW(L"b.bin"));
}
