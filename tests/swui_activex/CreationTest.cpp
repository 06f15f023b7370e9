// Making the control: by ProgID or class id text, refusing text that names no class; the
// order of the calls that initialise, site, advise, activate and place it; the variants that
// ask for their site first (and fail to initialise), stay invisible or have no windowless
// object; creation put off until the element is shown; and the element's end, which leaves
// neither the control nor the site alive, also when it goes while the control is being made.
#include <doctest/doctest.h>

#include "AxRig.h"

using namespace SWUI;

namespace {

using Entries = std::vector<std::wstring>;

}  // namespace

TEST_CASE("clsID: a ProgID or a {...} text makes the control; text naming no class makes none") {
  struct Case {
    std::wstring clsid;
    bool created;
  } cases[] = {
      {kAxTestProgId, true},
      {GuidText(kClsidAxWindowless), true},
      {L"bad", false},
      {L"{C682435B-9F9D-4D8A", false},
      {L"", false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.clsid);
    AxRig r;
    r.Load(AxElement(L"ax", c.clsid));
    auto* ax = r.Find(L"ax");
    CHECK((ax->GetIUnknown() != nullptr) == c.created);
    CHECK(AxTestLiveControls() == (c.created ? 1 : 0));
    CHECK(IsEqualCLSID(ax->GetClsid(), c.created ? kClsidAxWindowless : CLSID_NULL));
    r.rig.Paint();
    CHECK((r.rig.Pixel(110, 60) & 0xFFFFFF) == (c.created ? Rgb(kAxDefaultColour) : 0xFFFFFFu));
  }
}

TEST_CASE("\"clsID\" answers S_FALSE and keeps the class id when the text names no class") {
  AxRig r;
  SWindow* wnd = NewElement(r.rig.app, L"activex");
  auto* ax = static_cast<SActiveX*>(wnd);
  CHECK(ax->SetAttribute(SStringW(L"clsID"), SStringW(kAxTestProgId), TRUE) == S_OK);
  CHECK(ax->SetAttribute(SStringW(L"clsid"), SStringW(L"bad"), TRUE) == S_FALSE);
  CHECK(IsEqualCLSID(ax->GetClsid(), kClsidAxWindowless));
  // The defaults: all four class contexts, created at once, every key wanted.
  CHECK(ax->GetClsContext() == 23u);
  CHECK_FALSE(ax->IsDelayed());
  CHECK(ax->OnGetDlgCode() == 0xFFFFu);
  CHECK(ax->IsFocusable());
  CHECK(ax->SetAttribute(SStringW(L"clscText"), SStringW(L"1"), TRUE) == S_FALSE);
  CHECK(ax->GetClsContext() == 1u);
  wnd->Release();
}

TEST_CASE("creation: misc status, InitNew, the site, the advise sink, activation, placement") {
  AxRig r;
  r.Load(L"<notingax name='ax' pos='10,10,@200,@100' clsID='" + std::wstring(kAxTestProgId) +
         L"'/>");
  // Made at WM_CREATE, before the layout placed the element; the layout then moves and sizes
  // it: 200 x 100 pixels at 96 per inch are 5292 x 2646 HIMETRIC.
  const Entries expected = {
      L"GetMiscStatus",
      L"InitNew",
      L"SetClientSite(site)",
      L"SetAdvise(1,sink)",
      L"DoVerb(-5)",
      L"OnInPlaceActivateEx=0x0",
      L"GetWindowContext=0x0",
      L"SetObjectRects(0,0,0,0)",
      L"OnAxActivate",
      L"created",
      L"SetObjectRects(10,10,210,110)",
      L"SetExtent(5292,2646)",
  };
  CHECK(AxRig::Record() == expected);
  auto* ax = r.Find(L"ax");
  const ActiveXSite& site = *ax->GetAxContainer();
  CHECK(site.IsInPlaceActive());
  CHECK(site.IsWindowless());
  CHECK(site.IsVisible());
  CHECK(site.GetViewLevel() == ActiveXSite::kViewObjectEx);

  // Resized and moved: placed again, the extent follows.
  const int from = AxTestRecordCount();
  ax->Move(20, 30, 100, 50);
  CHECK(AxRig::Record(from) == Entries{L"SetObjectRects(20,30,120,80)", L"SetExtent(2646,1323)"});
}

TEST_CASE("variants: the site first and a failed InitNew; invisible at run time; windowed") {
  SUBCASE("SETCLIENTSITEFIRST: the site before InitNew, taken back when it fails") {
    AxRig r;
    r.Load(L"<notingax name='ax' clsID='" + GuidText(kClsidAxSiteFirst) + L"'/>");
    CHECK(AxRig::Record() == Entries{L"GetMiscStatus", L"SetClientSite(site)", L"InitNew",
                                     L"SetClientSite(null)", L"not created"});
    CHECK(r.Find(L"ax")->GetIUnknown() == nullptr);
    CHECK(AxTestLiveControls() == 0);
  }
  SUBCASE("INVISIBLEATRUNTIME: initialised and sited, never activated nor painted") {
    AxRig r;
    r.Load(L"<notingax name='ax' pos='10,10,@200,@100' clsID='" + GuidText(kClsidAxInvisible) +
           L"'/>");
    CHECK(AxRig::Record(0) ==
          Entries{L"GetMiscStatus", L"InitNew", L"SetClientSite(site)", L"SetAdvise(1,sink)",
                  L"OnAxActivate", L"created", L"SetExtent(5292,2646)"});
    auto* ax = r.Find(L"ax");
    CHECK(ax->GetIUnknown() != nullptr);
    CHECK_FALSE(ax->GetAxContainer()->IsInPlaceActive());
    r.rig.Paint();
    CHECK(r.rig.Pixel(110, 60) == 0xFFFFFFFFu);
  }
  SUBCASE("not windowless: active, but input is left to the element") {
    AxRig r;
    r.Load(L"<notingax name='ax' pos='10,10,@200,@100' clsID='" + GuidText(kClsidAxWindowed) +
           L"'/>");
    CHECK(AxRig::Recorded(L"DoVerb(-5)"));
    CHECK(AxRig::Recorded(L"OnInPlaceActivateEx=0x1"));  // S_FALSE: no windowless object
    auto* ax = r.Find(L"ax");
    CHECK(ax->GetAxContainer()->IsInPlaceActive());
    CHECK_FALSE(ax->GetAxContainer()->IsWindowless());
    const int from = AxTestRecordCount();
    BOOL handled = TRUE;
    ax->SSendMessage(WM_KEYDOWN, VK_SPACE, 0, &handled);
    CHECK_FALSE(handled);
    ax->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(50, 50));
    ax->SSendMessage(WM_LBUTTONUP, 0, At(50, 50));
    // The element's own click handling focused it; the control heard nothing.
    CHECK(AxRig::Record(from) == Entries{L"focus"});
  }
}

TEST_CASE("\"delay\": made when the element is first shown, at once when it is shown already") {
  AxRig r;
  r.Load(AxElement(L"hidden", kAxTestProgId, L"delay='1' visible='0'") +
         AxElement(L"shown", kAxTestProgId, L"delay='1'"));
  auto* hidden = r.Find(L"hidden");
  auto* shown = r.Find(L"shown");
  CHECK(shown->GetIUnknown() != nullptr);
  CHECK_FALSE(shown->IsDelayed());
  CHECK(hidden->GetIUnknown() == nullptr);
  CHECK(hidden->IsDelayed());
  CHECK(AxTestLiveControls() == 1);

  hidden->SetVisible(TRUE);
  CHECK(hidden->GetIUnknown() != nullptr);
  CHECK_FALSE(hidden->IsDelayed());
  CHECK(AxTestLiveControls() == 2);
  // Hidden and shown again: the same control.
  IUnknown* made = hidden->GetIUnknown();
  hidden->SetVisible(FALSE);
  hidden->SetVisible(TRUE);
  CHECK(hidden->GetIUnknown() == made);
  CHECK(AxTestLiveControls() == 2);
}

TEST_CASE("destroyed: the control deactivated, closed, unsited and freed; the site freed") {
  AxRig r;
  r.Load(AxElement(L"ax", kAxTestProgId));
  auto* ax = r.Find(L"ax");
  IOleClientSite* site = AxRig::Site<IOleClientSite>(ax, IID_IOleClientSite);
  const int from = AxTestRecordCount();
  r.rig.root->DestroyChild(ax);
  CHECK(AxRig::Record(from) == Entries{L"InPlaceDeactivate", L"Close", L"SetClientSite(null)",
                                       L"SetAdvise(1,null)"});
  CHECK(AxTestLiveControls() == 0);
  // Only this test's reference is left.
  CHECK(site->Release() == 0);
}

TEST_CASE("destroyed while the control is made: creation stops, no hook runs on the element") {
  // The element is destroyed from inside one of the control's calls; it is made either when
  // first shown or by the element's own code (with no message holding the element).
  const wchar_t* during[] = {L"GetMiscStatus",     L"InitNew",
                             L"SetClientSite(site)", L"SetAdvise(1,sink)",
                             L"DoVerb(-5)",        L"OnInPlaceActivateEx=0x0"};
  for (const wchar_t* entry : during) {
    for (const bool direct : {false, true}) {
      CAPTURE(std::wstring(entry));
      CAPTURE(direct);
      AxRig r;
      r.Load(L"<notingax name='ax' delay='1' visible='0' clsID='" + std::wstring(kAxTestProgId) +
             L"'/>");
      auto* ax = r.Find<NotingActiveX>(L"ax");
      struct Destroy {
        SWindow* root;
        SWindow* ax;
        static void Run(void* self) {
          auto* d = static_cast<Destroy*>(self);
          d->root->DestroyChild(d->ax);
        }
      } destroy = {r.rig.root, ax};
      AxTestOnEntry(entry, &Destroy::Run, &destroy);
      if (direct) {
        CHECK_FALSE(ax->InitActiveX());
      } else {
        ax->SetVisible(TRUE);
      }
      CHECK(AxRig::Recorded(entry));
      CHECK_FALSE(AxRig::Recorded(L"created"));
      CHECK_FALSE(AxRig::Recorded(L"not created"));
      CHECK_FALSE(AxRig::Recorded(L"OnAxActivate"));
      CHECK(AxTestLiveControls() == 0);
      CHECK(r.rig.root->GetChildrenCount() == 0);
    }
  }
}
