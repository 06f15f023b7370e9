// The tab control's structure and behaviour: pages from the layout, tab geometry, attributes,
// selection and its events, keys, mouse, inserting and removing pages, tooltips.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "TabRig.h"
#include "control/EventTabItemHover.h"
#include "control/EventTabItemLeave.h"
#include "control/EventTabSelChanged.h"
#include "control/EventTabSelChanging.h"
#include "core/SWindowMgr.h"

using namespace SWUI;

namespace {

// Five pages under tabs of 50 x 20 with a gap of 5, the first 10 from the left.
const wchar_t kFivePages[] =
    L"<root><tabctrl name='tab' pos='0,0,-0,-0' tabSize='50,20' tabInterSize='5' tabPos='10' "
    L"tabSkin='t.tab'>"
    L"<page name='p0' title='zero'/><page name='p1' title='one'/><page name='p2' title='two'/>"
    L"<page name='p3' title='three'/><page name='p4' title='four'/></tabctrl></root>";

std::wstring Pages(int count, const std::wstring& attrs = L"") {
  std::wstring xml =
      std::wstring(L"<root><tabctrl name='tab' pos='0,0,-0,-0' tabSize='50,20' ") + attrs + L">";
  for (int i = 0; i < count; ++i) xml += L"<page name='p" + std::to_wstring(i) + L"'/>";
  return xml + L"</tabctrl></root>";
}

// A page whose creation fails when its layout says "refuse".
class RefusingPage : public STabPage {
  SWUI_CLASS_NAME(STabPage, L"page")

 public:
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override {
    if (name == L"refuse") {
      refuse_ = true;
      return S_FALSE;
    }
    return STabPage::SetAttribute(name, value, bLoading);
  }
  using STabPage::SetAttribute;

 protected:
  SWND_BEGIN_MSG_MAP()
  SWND_MSG_ENTRY(WM_CREATE, refuse_ ? 1 : (SetMsgHandled(FALSE), 0))
  SWND_END_MSG_MAP(STabPage)

 private:
  bool refuse_ = false;
};

constexpr DWORD kChanging = EventTabSelChanging::EventID;
constexpr DWORD kChanged = EventTabSelChanged::EventID;
constexpr DWORD kHover = EventTabItemHover::EventID;
constexpr DWORD kLeave = EventTabItemLeave::EventID;

}  // namespace

TEST_CASE("the factories make the tab control and its pages; a page starts hidden") {
  TabRig rig;
  SWindow* tab = NewElement(rig.app, L"tabctrl");
  CHECK(tab->IsClass(L"tabctrl"));
  CHECK(tab->IsClass(L"window"));
  CHECK(tab->IsFocusable());
  CHECK(tab->OnGetDlgCode() == 1);  // the arrows
  SWindow* page = NewElement(rig.app, L"page");
  CHECK(page->IsClass(L"page"));
  CHECK_FALSE(page->IsVisible(FALSE));
  page->Release();
  tab->Release();
}

TEST_CASE("tab geometry: tabs along the strip from tabPos, cut at its end, pages below it") {
  TabRig rig;
  rig.Load(kFivePages);
  STabCtrl* tab = rig.Tab();
  REQUIRE(tab->InsertItem(L"<page name='p5'/>") == 5);
  CHECK(ItemRect(tab, 0) == "10,0,60,20");
  CHECK(ItemRect(tab, 1) == "65,0,115,20");
  CHECK(ItemRect(tab, 5) == "285,0,300,20");
  CHECK(ItemRect(tab, 6) == "none");  // no seventh page
  REQUIRE(tab->InsertItem(L"<page name='p6'/>") == 6);
  CHECK(ItemRect(tab, 6) == "0,0,0,0");  // beyond the strip: empty
  CHECK(tab->HitTest(POINT{64, 5}) == -1);
  CHECK(tab->HitTest(POINT{65, 5}) == 1);
  CHECK(tab->HitTest(POINT{299, 19}) == 5);
  CHECK(tab->HitTest(POINT{70, 20}) == -1);
  RECT title;
  tab->GetTitleRect(&title);
  CHECK(Str(title) == "0,0,300,20");
  CHECK(Str(tab->GetItem(2)->GetWindowRect()) == "0,20,300,200");
}

TEST_CASE("tabAlign puts the strip on each side; vertical strips stack the tabs downwards") {
  struct Case {
    const wchar_t* align;
    const char* title;
    const char* pages;
    const char* tab1;
  } cases[] = {
      {L"top", "0,0,300,20", "0,20,300,200", "65,0,115,20"},
      {L"bottom", "0,180,300,200", "0,0,300,180", "65,180,115,200"},
      {L"left", "0,0,50,200", "50,0,300,200", "0,35,50,55"},
      {L"right", "250,0,300,200", "0,0,250,200", "250,35,300,55"},
  };
  for (const Case& c : cases) {
    CAPTURE(std::string(c.title));
    TabRig rig;
    rig.Load(Pages(3, std::wstring(L"tabInterSize='5' tabPos='10' tabAlign='") + c.align + L"'"));
    STabCtrl* tab = rig.Tab();
    RECT rc;
    tab->GetTitleRect(&rc);
    CHECK(Str(rc) == c.title);
    tab->GetChildrenLayoutRect(&rc);
    CHECK(Str(rc) == c.pages);
    CHECK(Str(tab->GetItem(1)->GetWindowRect()) == c.pages);
    CHECK(ItemRect(tab, 1) == c.tab1);
  }
}

TEST_CASE("tab sizes not given take the tab skin's size, and 0 without a skin") {
  TabRig rig;
  rig.Load(
      L"<root><tabctrl name='tab' pos='0,0,-0,-0'><page/></tabctrl>"
      L"<tabctrl name='bare' pos='0,0,-0,-0' tabSkin=''><page/></tabctrl>"
      L"<tabctrl name='half' pos='0,0,-0,-0' tabHeight='30' tabSkin=''><page/></tabctrl></root>");
  CHECK(ItemRect(rig.Tab(), 0) == "0,0,24,24");  // a cell of the built-in "_skin.sys.tab.page"
  auto* bare = dynamic_cast<STabCtrl*>(rig.Find(L"bare"));
  CHECK(ItemRect(bare, 0) == "0,0,0,0");
  CHECK(Str(bare->GetItem(0)->GetWindowRect()) == "0,0,300,200");
  auto* half = dynamic_cast<STabCtrl*>(rig.Find(L"half"));
  CHECK(Str(half->GetItem(0)->GetWindowRect()) == "0,30,300,200");
}

TEST_CASE(
    "attributes: results, refused values keep the field, other names reach the interpolator") {
  TabRig rig;
  rig.Load(Pages(3));
  STabCtrl* tab = rig.Tab();
  struct Case {
    const wchar_t* name;
    const wchar_t* value;
    HRESULT expected;
  } cases[] = {
      {L"tabSize", L"40,10", S_OK},
      {L"tabSize", L"1,2,3", E_INVALIDARG},
      {L"TABSIZE", L"7", E_INVALIDARG},
      {L"tabAlign", L"Left", E_FAIL},
      {L"textDir", L"vert", S_OK},
      {L"textDir", L"Vertical", E_FAIL},
      {L"tabWidth", L"45", S_FALSE},
      {L"tabSkin", L"no.such.skin", E_FAIL},
      {L"interpolator", L"Cycle", S_FALSE},
      {L"cycles", L"0.25", S_FALSE},
      {L"interpolator", L"Nope", E_FAIL},
      {L"cycles", L"2", S_FALSE},
      {L"interpolator", L"Linear", S_FALSE},
      {L"cycles", L"2", E_FAIL},
      {L"curSel", L"2", S_FALSE},
      {L"animateSteps", L"0x4", S_FALSE},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.name) + L"=" + c.value);
    CHECK(tab->SetAttribute(SStringW(c.name), SStringW(c.value), FALSE) == c.expected);
  }
  CHECK(ItemRect(tab, 1) == "45,0,90,10");  // width 45 after "40,10"; the bad sizes kept it
  CHECK(tab->GetTabAlign() == STabCtrl::AlignTop);
  CHECK(tab->GetCurSel() == 2);
  CHECK(tab->SetAttribute(SStringW(L"tabAlign"), SStringW(L"bottom"), FALSE) == S_OK);
  CHECK(tab->GetTabAlign() == STabCtrl::AlignBottom);
  // A name the control does not know still reaches SWindow.
  CHECK(tab->SetAttribute(SStringW(L"colorBkgnd"), SStringW(L"#102030"), FALSE) >= 0);
  CHECK(tab->GetStyle().GetBkgndColor() == 0xFF302010);
}

TEST_CASE("curSel in the layout: a valid page shows, anything else falls back to page 0") {
  struct Case {
    const wchar_t* curSel;
    int expected;
  } cases[] = {{L"2", 2}, {L"7", 0}, {L"-3", 0}, {L"0", 0}};
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.curSel));
    TabRig rig;
    rig.Load(Pages(3, std::wstring(L"curSel='") + c.curSel + L"'"));
    CHECK(rig.Tab()->GetCurSel() == c.expected);
    CHECK(VisiblePages(rig.Tab()) == std::vector<int>{c.expected});
    CHECK(rig.Tab()->GetItem(c.expected)->IsVisible(TRUE));
  }
  TabRig empty;
  empty.Load(L"<root><tabctrl name='tab' pos='0,0,-0,-0'><window/></tabctrl></root>");
  CHECK(empty.Tab()->GetCurSel() == -1);
  CHECK(empty.Tab()->GetItemCount() == 0);
}

TEST_CASE("SetCurSel: refusals fire nothing; a change fires changing then changed; a veto") {
  TabRig rig;
  rig.Load(Pages(3));
  STabCtrl* tab = rig.Tab();
  rig.TakeTabEvents();
  CHECK_FALSE(tab->SetCurSel(5));
  CHECK_FALSE(tab->SetCurSel(-1));
  CHECK_FALSE(tab->SetCurSel(0));  // the current one
  CHECK(rig.TakeTabEvents().empty());

  std::vector<std::string> seen;
  bool veto = false;
  FnSlot onChanging([&](EventArgs* e) {
    auto* evt = static_cast<EventTabSelChanging*>(e);
    seen.push_back("changing " + std::to_string(evt->uOldSel) + ">" + std::to_string(evt->uNewSel));
    evt->bCancel = veto;
    return false;
  });
  FnSlot onChanged([&](EventArgs* e) {
    auto* evt = static_cast<EventTabSelChanged*>(e);
    seen.push_back("changed " + std::to_string(evt->uOldSel) + ">" + std::to_string(evt->uNewSel));
    return false;
  });
  tab->SubscribeEvent(kChanging, onChanging);
  tab->SubscribeEvent(kChanged, onChanged);
  CHECK(tab->SetCurSel(2));
  CHECK(seen == std::vector<std::string>{"changing 0>2", "changed 0>2"});
  CHECK(rig.TakeTabEvents() == std::vector<DWORD>{kChanging, kChanged});
  CHECK(VisiblePages(tab) == std::vector<int>{2});

  veto = true;
  seen.clear();
  CHECK_FALSE(tab->SetCurSel(1));
  CHECK(seen == std::vector<std::string>{"changing 2>1"});
  CHECK(tab->GetCurSel() == 2);
  CHECK(VisiblePages(tab) == std::vector<int>{2});

  veto = false;
  CHECK(tab->SetCurSel(L"p1", FALSE));
  CHECK(tab->GetCurSel() == 1);
  CHECK_FALSE(tab->SetCurSel(L"P1", FALSE));  // names compare exactly
  CHECK_FALSE(tab->SetCurSel(L"nothing", TRUE));
}

TEST_CASE("titles: from the layout, by SetItemTitle, and found exactly by GetPageIndex") {
  TabRig rig;
  rig.Load(kFivePages);
  STabCtrl* tab = rig.Tab();
  CHECK(std::wstring(tab->GetItem(3)->GetTitle()) == L"three");
  CHECK(tab->GetPageIndex(L"three", TRUE) == 3);
  CHECK(tab->GetPageIndex(L"Three", TRUE) == -1);
  CHECK(tab->GetPageIndex(L"p3", FALSE) == 3);
  CHECK(tab->GetPage(L"p4", FALSE) == tab->GetItem(4));
  CHECK(tab->SetItemTitle(3, L"drei"));
  CHECK(tab->GetPageIndex(L"drei", TRUE) == 3);
  CHECK_FALSE(tab->SetItemTitle(5, L"x"));
  CHECK(tab->GetItem(5) == nullptr);
  CHECK(tab->GetItem(-1) == nullptr);
}

TEST_CASE("keys: the arrows wrap, Home and End, other keys are not the control's") {
  struct Case {
    int pages;
    int from;
    UINT key;
    int to;
  } cases[] = {
      {3, 2, VK_RIGHT, 0}, {3, 0, VK_LEFT, 2}, {3, 1, VK_DOWN, 2}, {3, 1, VK_UP, 0},
      {3, 1, VK_HOME, 0},  {3, 1, VK_END, 2},  {1, 0, VK_LEFT, 0}, {1, 0, VK_RIGHT, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.pages);
    CAPTURE(c.from);
    CAPTURE(c.key);
    TabRig rig;
    rig.Load(Pages(c.pages));
    STabCtrl* tab = rig.Tab();
    tab->SetCurSel(c.from);
    rig.TakeTabEvents();
    tab->SSendMessage(WM_KEYDOWN, c.key);
    CHECK(tab->GetCurSel() == c.to);
    CHECK(rig.TakeTabEvents().size() == (c.from == c.to ? 0u : 2u));
  }
  TabRig rig;
  rig.Load(Pages(3));
  BOOL handled = TRUE;
  rig.Tab()->SSendMessage(WM_KEYDOWN, 'A', 0, &handled);
  CHECK_FALSE(handled);
}

TEST_CASE("mouse: a click on a tab selects it and takes the focus; hover and leave events") {
  TabRig rig;
  rig.Load(kFivePages);
  STabCtrl* tab = rig.Tab();
  rig.TakeTabEvents();
  tab->SSendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(70, 10));
  tab->SSendMessage(WM_LBUTTONUP, 0, MAKELPARAM(70, 10));
  CHECK(tab->GetCurSel() == 1);
  CHECK(rig.container.focus == tab->GetSwnd());
  // Between the tabs and below them nothing is selected.
  tab->SSendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(62, 10));
  tab->SSendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(70, 100));
  CHECK(tab->GetCurSel() == 1);

  std::vector<std::string> seen;
  FnSlot onHover([&](EventArgs* e) {
    seen.push_back("hover " + std::to_string(static_cast<EventTabItemHover*>(e)->iHover));
    return false;
  });
  FnSlot onLeave([&](EventArgs* e) {
    seen.push_back("leave " + std::to_string(static_cast<EventTabItemLeave*>(e)->iLeave));
    return false;
  });
  tab->SubscribeEvent(kHover, onHover);
  tab->SubscribeEvent(kLeave, onLeave);
  tab->SSendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(70, 10));
  tab->SSendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(80, 12));  // still tab 1: nothing
  tab->SSendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(125, 10));
  tab->SSendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(62, 10));  // the gap
  tab->SSendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(180, 10));
  tab->SSendMessage(WM_MOUSELEAVE);
  CHECK(seen ==
        std::vector<std::string>{"hover 1", "leave 1", "hover 2", "leave 2", "hover 3", "leave 3"});
}

TEST_CASE("RemoveItem: the current page hands over to selectAfter, clamped; others shift") {
  TabRig rig;
  rig.Load(kFivePages);
  STabCtrl* tab = rig.Tab();
  const SwndHandle p1 = tab->GetItem(1)->GetSwnd();
  CHECK_FALSE(tab->RemoveItem(5));
  CHECK_FALSE(tab->RemoveItem(-1));
  CHECK(tab->GetItemCount() == 5);

  tab->SetCurSel(3);
  CHECK(tab->RemoveItem(1));  // before the current page
  CHECK(SWindowMgr::GetWindow(p1) == nullptr);
  CHECK(tab->GetCurSel() == 2);
  CHECK(std::wstring(tab->GetItem(2)->GetName()) == L"p3");
  CHECK(tab->RemoveItem(3));  // after it
  CHECK(tab->GetCurSel() == 2);

  rig.TakeTabEvents();
  CHECK(tab->RemoveItem(2, 99));  // the current one: the last page left takes over
  CHECK(tab->GetCurSel() == 1);
  CHECK(std::wstring(tab->GetItem(1)->GetName()) == L"p2");
  CHECK(VisiblePages(tab) == std::vector<int>{1});
  CHECK(rig.TakeTabEvents() == std::vector<DWORD>{kChanging, kChanged});

  CHECK(tab->RemoveItem(0));
  CHECK(tab->GetCurSel() == 0);
  CHECK(tab->RemoveItem(0, 0));  // the only page
  CHECK(tab->GetCurSel() == -1);
  CHECK(tab->GetItemCount() == 0);
}

TEST_CASE("InsertItem: pages only, at the index or the end; the first page becomes current") {
  TabRig rig;
  rig.Load(L"<root><tabctrl name='tab' pos='0,0,-0,-0' tabSize='50,20'/></root>");
  STabCtrl* tab = rig.Tab();
  CHECK(tab->GetCurSel() == -1);
  CHECK(tab->InsertItem(L"<window name='w'/>") == -1);
  CHECK(tab->InsertItem(L"<page name='a'") == -1);    // does not parse
  CHECK(tab->InsertItem(L"<Page name='a'/>") == -1);  // tags compare exactly
  CHECK(tab->GetChildrenCount() == 0);

  CHECK(tab->InsertItem(L"<page name='a'/>") == 0);
  CHECK(tab->GetCurSel() == 0);  // selected: there was no current page
  CHECK(VisiblePages(tab) == std::vector<int>{0});
  CHECK(tab->InsertItem(L"<page name='b'/>", 7) == 1);  // beyond the end: the end
  CHECK(tab->InsertItem(L"<page name='c'/>", 0) == 0);  // before the current page
  CHECK(tab->GetCurSel() == 1);
  CHECK(std::wstring(tab->GetItem(tab->GetCurSel())->GetName()) == L"a");
  CHECK(VisiblePages(tab) == std::vector<int>{1});
  CHECK(Str(tab->GetItem(0)->GetWindowRect()) == "0,20,300,200");
}

TEST_CASE("a page that refuses its creation is not inserted") {
  TabRig rig;
  REQUIRE(rig.app.TplRegisterFactory<RefusingPage>(TRUE));
  rig.Load(
      L"<root><tabctrl name='tab' pos='0,0,-0,-0'><page/><page "
      L"refuse='1'/><page/></tabctrl></root>");
  STabCtrl* tab = rig.Tab();
  CHECK(tab->GetItemCount() == 2);
  CHECK(tab->GetChildrenCount() == 2);
  CHECK(tab->InsertItem(L"<page refuse='1'/>", 0) == -1);
  CHECK(tab->InsertItem(L"<page/>", 0) == 0);
  CHECK(tab->GetItemCount() == 3);
  CHECK(tab->GetCurSel() == 1);
}

TEST_CASE("tooltips: the page's tip over its tab, nothing over the page itself") {
  TabRig rig;
  rig.Load(
      L"<root><tabctrl name='tab' pos='0,0,-0,-0' tabSize='50,20'><page name='p0' tip='first'/>"
      L"<page name='p1'/></tabctrl></root>");
  STabCtrl* tab = rig.Tab();
  SwndToolTipInfo info;
  REQUIRE(tab->UpdateToolTip(POINT{10, 10}, info));
  CHECK(info.swnd == tab->GetSwnd());
  CHECK(info.dwCookie == 0);
  CHECK(Str(info.rcTarget) == "0,0,50,20");
  CHECK(std::wstring(info.strTip) == L"first");
  CHECK_FALSE(tab->UpdateToolTip(POINT{60, 10}, info));   // a page without a tip
  CHECK_FALSE(tab->UpdateToolTip(POINT{150, 10}, info));  // no tab
  CHECK_FALSE(tab->GetItem(0)->UpdateToolTip(POINT{10, 100}, info));
}

TEST_CASE("destroying the control destroys its pages") {
  TabRig rig;
  rig.Load(Pages(3));
  STabCtrl* tab = rig.Tab();
  std::vector<SwndHandle> pages;
  for (int i = 0; i < 3; ++i) pages.push_back(tab->GetItem(i)->GetSwnd());
  rig.root->DestroyChild(tab);
  for (SwndHandle h : pages) CHECK(SWindowMgr::GetWindow(h) == nullptr);
}

TEST_CASE("a language change translates the page titles again") {
  TabRig rig;
  rig.container.trCtx = L"dlg";
  rig.Load(Pages(0));
  STabCtrl* tab = rig.Tab();
  REQUIRE(tab->InsertItem(L"<page title='Hello'/>") == 0);
  CHECK(std::wstring(tab->GetItem(0)->GetTitle()) == L"Hello");

  InstallTranslator(rig.app,
                    L"<language name='fr' guid='{6B7A3E40-1D2C-4F5A-9B8E-0C1D2E3F4A5B}'>"
                    L"<context name='dlg'><message><source>Hello</source>"
                    L"<translation>Salut</translation></message></context></language>");

  tab->SSendMessage(UM_SETLANGUAGE);
  CHECK(std::wstring(tab->GetItem(0)->GetTitle()) == L"Salut");
  CHECK(std::wstring(tab->GetItem(0)->GetTitle(TRUE)) == L"Hello");
  CHECK(tab->GetPageIndex(L"Salut", TRUE) == 0);
  CHECK(tab->SetItemTitle(0, L"Hello"));  // translated as it is set
  CHECK(std::wstring(tab->GetItem(0)->GetTitle()) == L"Salut");
  rig.app.SetTranslator(nullptr);
}
