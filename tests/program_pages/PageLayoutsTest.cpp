// The kept page contents numbered as the tab control numbers its pages: a page node consumed
// by its parent's code (marked) and a page whose creation fails make no page, and shift no
// kept contents onto the wrong page; a page that refuses its children is told.
#include <doctest/doctest.h>

#include <pugixml.hpp>

#include "HostHarness.h"
#include "PageLayouts.h"
#include "base/SXmlMark.h"
#include "control/STabCtrl.h"
#include "control/STabPage.h"

using namespace SWUI;

namespace {

// A page that refuses its creation when titled "refuse", and when titled "bare" the children
// it is given after its creation.
class RefusingPage : public STabPage {
  SWUI_CLASS_NAME(STabPage, L"page")

 public:
  BOOL CreateChildren(pugi::xml_node xmlNode) override {
    if (GetTitle(TRUE) == L"bare" && childrenCalls_++ > 0) return FALSE;
    return STabPage::CreateChildren(xmlNode);
  }

 protected:
  int OnCreate(LPVOID param) {
    if (GetTitle(TRUE) == L"refuse") return -1;
    return STabPage::OnCreate(param);
  }

  SWND_BEGIN_MSG_MAP()
  MSG_WM_CREATE(OnCreate)
  SWND_END_MSG_MAP(STabPage)

 private:
  int childrenCalls_ = 0;
};

const wchar_t kTabs[] =
    L"<SWUI><root>"
    L" <tabctrl name='tab' pos='0,0,-0,-0'>"
    L"  <page title='one'><text name='a'/></page>"
    L"  <page title='consumed'><text name='b'/></page>"
    L"  <page title='refuse'><text name='c'/></page>"
    L"  <page title='empty'/>"
    L"  <page title='four'><text name='d'/><text name='e'/></page>"
    L" </tabctrl>"
    L"</root></SWUI>";

// The names of a page's children, in order.
std::wstring Children(SWindow* page) {
  std::wstring names;
  for (SWindow* child = page->GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    names += std::wstring(child->GetName()) + L";";
  }
  return names;
}

}  // namespace

TEST_CASE("kept pages follow the tab control's pages past a consumed and a refused page") {
  for (const bool bound : {true, false}) {
    CAPTURE(bound);
    HostHarness h;
    h.app.TplRegisterFactory<RefusingPage>(TRUE);
    h.Open(L"<SWUI width='200' height='100'><root/></SWUI>");
    pugi::xml_document doc;
    REQUIRE(doc.load_string(kTabs));
    pugi::xml_node tabNode = doc.child(L"SWUI").child(L"root").child(L"tabctrl");
    pugi::xml_node consumed = tabNode.first_child().next_sibling();
    SXmlMark::SetMark(consumed, 1);
    PageLayouts layouts;
    REQUIRE(layouts.Detach(doc.child(L"SWUI"), L"tab"));
    h.Root()->CreateChildren(doc.child(L"SWUI").child(L"root"));
    auto* tab = h.Find<STabCtrl>(L"tab");
    // "one", "empty" and "four": the marked node and the refused page make none.
    REQUIRE(tab->GetItemCount() == 3);
    REQUIRE(tab->GetItem(2)->GetTitle(TRUE) == L"four");
    if (bound) {
      layouts.Bind(tab);
      CHECK(Children(tab->GetItem(0)).empty());  // the placeholders went
    }
    CHECK(layouts.IsKept(0));
    CHECK(layouts.IsKept(1) == !bound);  // bound: "empty" kept nothing
    if (bound) {
      CHECK(layouts.IsKept(2));
      CHECK(layouts.Build(2, tab->GetItem(2)));
      CHECK(Children(tab->GetItem(2)) == L"d;e;");
      CHECK_FALSE(layouts.IsKept(2));
    }
    CHECK(layouts.Build(0, tab->GetItem(0)));
    CHECK(Children(tab->GetItem(0)) == L"a;");
    CHECK_FALSE(layouts.Build(0, tab->GetItem(0)));  // built already: nothing kept
    SXmlMark::ClearMarks(doc);
  }
}

TEST_CASE("building a page whose element refuses its children answers false") {
  HostHarness h;
  h.app.TplRegisterFactory<RefusingPage>(TRUE);
  h.Open(L"<SWUI width='200' height='100'><root/></SWUI>");
  pugi::xml_document doc;
  REQUIRE(doc.load_string(
      L"<SWUI><root><tabctrl name='tab' pos='0,0,-0,-0'>"
      L"<page title='bare'><text name='a'/></page></tabctrl></root></SWUI>"));
  PageLayouts layouts;
  REQUIRE(layouts.Detach(doc.child(L"SWUI"), L"tab"));
  h.Root()->CreateChildren(doc.child(L"SWUI").child(L"root"));
  auto* tab = h.Find<STabCtrl>(L"tab");
  REQUIRE(tab->GetItemCount() == 1);
  layouts.Bind(tab);
  CHECK_FALSE(layouts.Build(0, tab->GetItem(0)));
  CHECK_FALSE(layouts.IsKept(0));
}
