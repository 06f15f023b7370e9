// Element attributes and creation from XML: the attribute table, where unknown names go and
// what a change at run time sets off, the order in which a layout element is applied, failed
// creation, "include" and the node's own text.
#include <doctest/doctest.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "ElementRig.h"
#include "core/SStylePoolMgr.h"
#include "base/SXmlMark.h"
#include "res.mgr/SStylePool.h"

using namespace SWUI;

namespace {

HRESULT Set(SWindow* wnd, const wchar_t* name, const wchar_t* value, BOOL loading = FALSE) {
  return wnd->SetAttribute(SStringW(name), SStringW(value), loading);
}

// A named style for the test's lifetime.
class StyleScope {
 public:
  explicit StyleScope(const wchar_t* xml) {
    pugi::xml_document doc;
    REQUIRE(doc.load_string(xml));
    pool_.Attach(new SStylePool());
    REQUIRE(pool_->Init(doc.first_child()));
    SStylePoolMgr::getSingleton().PushStylePool(pool_);
  }
  ~StyleScope() { SStylePoolMgr::getSingleton().PopStylePool(pool_); }

 private:
  SAutoRefPtr<SStylePool> pool_;
};

// A file in the temporary folder for the test's lifetime.
class TempFile {
 public:
  TempFile(const wchar_t* name, const char* text) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    path_ = std::wstring(dir) + L"tevaro-element-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            name;
    HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    CloseHandle(file);
  }
  ~TempFile() { DeleteFileW(path_.c_str()); }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

std::vector<std::wstring> ChildNames(const SWindow* parent) {
  std::vector<std::wstring> names;
  for (SWindow* c = parent->GetWindow(GSW_FIRSTCHILD); c != nullptr;
       c = c->GetWindow(GSW_NEXTSIBLING)) {
    names.push_back(c->GetName());
  }
  return names;
}

}  // namespace

TEST_CASE("\"id\": numbers, the nine dialog-button words in any case, others unchanged") {
  ElementRig rig;
  struct Case {
    const wchar_t* value;
    int expected;
  } cases[] = {
      {L"IDCANCEL", 2}, {L"idcancel", 2}, {L"IdOk", 1},   {L"IDIGNORE", 5}, {L"12abc", 12},
      {L"abc", 0},      {L"0x10", 0},     {L"IDXYZ", 77}, {L"", 77},        {L"id", 77},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.value));
    SWindow* wnd = NewElement(rig.app, L"window");
    Set(wnd, L"id", L"77", TRUE);
    CHECK(Set(wnd, L"ID", c.value, TRUE) == S_FALSE);
    CHECK(wnd->GetID() == c.expected);
    wnd->Release();
  }
}

TEST_CASE("\"name\" gives an element without id the named-ID value") {
  ElementRig rig;
  SNamedID::NAMEDVALUE entries[1] = {};
  wcscpy(entries[0].strName, L"btn_ok");
  entries[0].value = 4001;
  rig.app.InitXmlNamedID(entries, 1, TRUE);
  rig.Load(
      L"<root><window name='btn_ok'/><window id='5' name='btn_ok'/>"
      L"<window name='unknown'/></root>");
  SWindow* first = rig.root->GetChild(1);
  CHECK(first->GetID() == 4001);
  CHECK(rig.root->GetChild(2)->GetID() == 5);
  CHECK(rig.root->GetChild(3)->GetID() == 0);
}

TEST_CASE("booleans are false only for exactly \"0\"; bit attributes read bit 0") {
  ElementRig rig;
  struct Case {
    const wchar_t* value;
    bool visible;
  } cases[] = {{L"0", false}, {L"false", true}, {L"", true}, {L"1", true}, {L"00", true}};
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.value));
    SWindow* wnd = NewElement(rig.app, L"window");
    Set(wnd, L"Visible", c.value, TRUE);
    CHECK((wnd->IsVisible(FALSE) != FALSE) == c.visible);
    wnd->Release();
  }
  SWindow* wnd = NewElement(rig.app, L"window");
  struct Bit {
    const wchar_t* name;
    DWORD flag;
    HRESULT result;
  } bits[] = {{L"msgTransparent", SWF_MSGTRANSPARENT, S_FALSE},
              {L"clipClient", SWF_CLIPCLIENT, S_FALSE},
              {L"focusable", SWF_FOCUSABLE, S_FALSE},
              {L"drawFocusRect", SWF_DRAWFOCUSRECT, S_OK},
              {L"cache", SWF_CACHE, S_FALSE},
              {L"display", SWF_DISPLAY, S_FALSE},
              {L"layeredWindow", SWF_LAYEREDWINDOW, S_FALSE}};
  for (const Bit& b : bits) {
    CAPTURE(std::wstring(b.name));
    const bool boolean =
        b.flag == SWF_CACHE || b.flag == SWF_DISPLAY || b.flag == SWF_LAYEREDWINDOW;
    CHECK(Set(wnd, b.name, L"3", TRUE) == b.result);
    CHECK((wnd->GetSwndFlags() & b.flag) != 0);
    CHECK(Set(wnd, b.name, L"2", TRUE) == b.result);
    // Numbers read their lowest bit; booleans are only false for "0".
    CHECK(((wnd->GetSwndFlags() & b.flag) != 0) == boolean);
  }
  CHECK(Set(wnd, L"data", L"0x1234", TRUE) == S_FALSE);
  CHECK(wnd->GetUserData() == 0x1234u);
  CHECK(wnd->SetUserData(9) == 0x1234u);
  CHECK(Set(wnd, L"float", L"1", TRUE) == S_FALSE);
  CHECK(wnd->IsFloat());
  CHECK(Set(wnd, L"alpha", L"0x180", TRUE) == S_FALSE);
  CHECK(wnd->GetStyle().GetAlpha() == 0x80);
  wnd->Release();
}

TEST_CASE("unknown names go to the style, the layout, the layout parameter, then fail") {
  ElementRig rig;
  rig.Load(
      L"<root><window name='box' layout='recordingLayout'><window name='kid'/></window>"
      L"<window name='lin' layout='vbox'/></root>");
  SWindow* box = rig.Find(L"box");
  SWindow* kid = rig.Find(L"kid");
  struct Case {
    SWindow* wnd;
    const wchar_t* name;
    const wchar_t* value;
    HRESULT expected;
  } cases[] = {
      {box, L"colorBkgnd", L"#ff0000", 0x10000},  // the style: S_OK marked
      {box, L"margin", L"1", 0x10001},            // the style while loading: S_FALSE
      {box, L"probeLayout", L"1", 0x20000},       // the layout
      {kid, L"probeParam", L"1", 0x40000},        // the layout parameter
      {rig.Find(L"lin"), L"orientation", L"horizontal", 0x20001},
      {rig.Find(L"lin"), L"gravity", L"ceter", E_FAIL},
      {rig.root->GetChild(2), L"nosuch", L"1", E_FAIL},
      {box, L"align", L"nowhere", E_FAIL},  // the style knows it, the value is bad
      {box, L"layout", L"nosuchlayout", E_INVALIDARG},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.name));
    CHECK(Set(c.wnd, c.name, c.value, TRUE) == c.expected);
  }
  CHECK(box->GetLayout()->IsClass(L"recordingLayout"));  // a bad name keeps the layout
  // Under the anchor layout a "pos" of three items is refused with its own error.
  CHECK(Set(rig.root->GetChild(2), L"pos", L"1,2,3") == E_INVALIDARG);
  CHECK(Set(rig.root->GetChild(2), L"pos", L"1,2") == 0x40000);
}

TEST_CASE("at run time: layout attributes lay the parent out again, others repaint") {
  ElementRig rig;
  rig.Load(
      L"<root><window name='box' layout='recordingLayout' pos='0,0,100,100'>"
      L"<window name='kid' colorBkgnd='#ff0000'/></window></root>");
  SWindow* box = rig.Find(L"box");
  SWindow* kid = rig.Find(L"kid");
  rig.root->UpdateLayout();
  const int laidOut = RecordingLayout::layouts;
  rig.container.redraws.clear();

  // While loading nothing happens.
  CHECK(Set(kid, L"probeParam", L"1", TRUE) == 0x40000);
  CHECK(Set(kid, L"colorBkgnd", L"#00ff00", TRUE) == 0x10000);
  CHECK(rig.container.redraws.empty());
  CHECK((box->GetSwndFlags() & SWF_LAYOUT_MASK) == 0u);

  // A style attribute repaints the element (through its parents, as its background blends).
  CHECK(Set(kid, L"colorBkgnd", L"#0000ff") == 0x10000);
  REQUIRE(rig.container.redraws.size() == 1);
  CHECK(rig.container.redraws[0].right == 10);  // the kid's rectangle
  CHECK((box->GetSwndFlags() & SWF_LAYOUT_MASK) == 0u);

  // A layout parameter attribute makes the parent lay out again and repaints nothing.
  CHECK(Set(kid, L"probeParam", L"1") == 0x40000);
  CHECK((box->GetSwndFlags() & SWF_LAYOUT_MASK) == SWF_LAYOUT_SELF);
  CHECK(rig.container.redraws.size() == 1);
  rig.root->UpdateLayout();
  CHECK(RecordingLayout::layouts == laidOut + 1);

  // S_FALSE needs nothing more.
  CHECK(Set(kid, L"data", L"1") == S_FALSE);
  CHECK(rig.container.redraws.size() == 1);
}

TEST_CASE("\"layout\" first, \"class\" second, then the rest; a style never names another") {
  ElementRig rig;
  StyleScope styles(
      L"<style><class name='st' colorBkgnd='#010203' class='st2' layout='hbox'/>"
      L"<class name='st2' colorText='#040506'/></style>");
  rig.Load(L"<root><probe name='p' colorText='#111111' class='st' tip='t' layout='vbox'/></root>");
  ProbeWnd* p = rig.Probe(L"p");
  const std::vector<std::wstring> expected = {
      L"layout=vbox", L"class=st",          L"layout=hbox", L"colorBkgnd=#010203",
      L"name=p",      L"colorText=#111111", L"tip=t"};
  CHECK(p->applied == expected);
  CHECK(p->GetLayout()->IsClass(L"hbox"));  // the style's layout was applied after the node's
  CHECK(p->GetStyle().GetBkgndColor() == 0xFF030201u);
  CHECK(p->GetToolTipText() == L"t");
  // An unknown style name does nothing.
  CHECK(Set(p, L"class", L"nosuch") == S_FALSE);
}

TEST_CASE("a WM_CREATE that fails destroys the element before its children exist") {
  ElementRig rig;
  rig.Load(
      L"<root><probe name='a'/><probe name='f' failCreate='1'><probe name='kid'/></probe>"
      L"<nosuchtag name='x'/><probe name='b'/></root>");
  CHECK(ChildNames(rig.root) == std::vector<std::wstring>{L"a", L"b"});
  std::vector<std::wstring> fMessages;
  for (const ProbeEntry& e : rig.probeLog) {
    CHECK(e.name != L"kid");
    if (e.name == L"f") fMessages.push_back(std::to_wstring(e.msg));
  }
  // f saw its WM_ENABLE from the insertion, WM_CREATE and then WM_DESTROY.
  REQUIRE(fMessages.size() >= 2);
  CHECK(fMessages[fMessages.size() - 2] == std::to_wstring(WM_CREATE));
  CHECK(fMessages.back() == std::to_wstring(WM_DESTROY));
}

TEST_CASE("the order of creation: attributes, WM_CREATE, the parent's state, the children") {
  ElementRig rig;
  rig.Load(L"<root><probe name='p' visible='0'><probe name='c'/></probe></root>");
  std::vector<std::wstring> order;
  for (const ProbeEntry& e : rig.probeLog) {
    if (e.msg == WM_CREATE || e.msg == WM_SHOWWINDOW) {
      order.push_back(e.name + (e.msg == WM_CREATE ? L".create" : L".show"));
    }
  }
  // c's WM_SHOWWINDOW from its own creation; none reaches it before it exists.
  CHECK(order == std::vector<std::wstring>{L"p.create", L"p.show", L"c.create", L"c.show"});
  CHECK_FALSE(rig.Find(L"c")->IsVisible(TRUE));
  CHECK(rig.Find(L"c")->IsVisible(FALSE));
}

TEST_CASE("\"include\": the included elements take its place; a missing document adds nothing") {
  ElementRig rig;
  TempFile inc(
      L"inc.xml",
      "<include><probe name='i1'/><window name='i2'><probe name='i3'/></window></include>");
  const std::wstring xml = L"<root><probe name='a'/><include src='file:" + inc.Path() +
                           L"'/><INCLUDE src='file:nosuchfile.xml'/>"
                           L"<include src='nosuchlayout'/><probe name='b'/></root>";
  rig.Load(xml.c_str());
  CHECK(ChildNames(rig.root) == std::vector<std::wstring>{L"a", L"i1", L"i2", L"b"});
  CHECK(rig.Find(L"i3")->GetParent() == rig.Find(L"i2"));
}

TEST_CASE("the node's text after trimming, after \"text\"; consumed nodes are skipped") {
  ElementRig rig;
  pugi::xml_document doc;
  REQUIRE(
      doc.load_string(L"<root><window name='t' text='attr'> \t node text\r\n</window>"
                      L"<window name='empty'>  </window><window name='skipped'/></root>"));
  SXmlMark::SetMark(doc.first_child().child(L"window").next_sibling().next_sibling(), 1);
  REQUIRE(rig.root->InitFromXml(doc.first_child()));
  CHECK(rig.Find(L"t")->GetWindowText(TRUE) == L"node text");
  CHECK(rig.Find(L"empty")->GetWindowText(TRUE).IsEmpty());
  CHECK(rig.root->FindChildByName(L"skipped") == nullptr);
  SXmlMark::ClearMarks(doc);
}
