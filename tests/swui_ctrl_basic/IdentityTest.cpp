// Every basic control by its tag: its class, what its class test answers, its defaults.
#include <doctest/doctest.h>

#include <string>

#include "CtrlRig.h"

using namespace SWUI;

TEST_CASE("each tag makes its class, which answers its tag, its bases and \"window\"") {
  struct Case {
    const wchar_t* tag;
    std::vector<const wchar_t*> answers;
    DWORD flags;     // flags it sets
    DWORD noFlags;   // flags it clears
    bool alignLeft;  // the style aligns left
  } cases[] = {
      {L"text", {L"text"}, SWF_MSGTRANSPARENT, 0, true},
      {L"button", {L"button"}, SWF_FOCUSABLE | SWF_DRAWFOCUSRECT, 0, false},
      {L"imgbtn", {L"imgbtn", L"button"}, SWF_FOCUSABLE, SWF_DRAWFOCUSRECT, false},
      {L"link", {L"link"}, 0, 0, true},
      {L"check", {L"check"}, SWF_FOCUSABLE, 0, true},
      {L"radio", {L"radio"}, SWF_FOCUSABLE, 0, true},
      {L"toggle", {L"toggle"}, 0, 0, false},
      {L"group", {L"group"}, 0, 0, false},
      {L"caption", {L"caption"}, 0, 0, false},
      {L"img", {L"img"}, SWF_MSGTRANSPARENT, 0, false},
      {L"animateimg", {L"animateimg"}, SWF_MSGTRANSPARENT, 0, false},
      {L"icon", {L"icon"}, 0, 0, false},
      {L"realwnd", {L"realwnd"}, 0, 0, false},
      {L"hr", {L"hr", L"line"}, 0, 0, false},
  };
  CtrlRig rig;
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.tag));
    SWindow* wnd = NewElement(rig.app, c.tag);
    CHECK(std::wstring(wnd->GetObjectClass()) == c.tag);
    CHECK(wnd->GetObjectType() == OBJ_TYPE_WINDOW);
    for (const wchar_t* name : c.answers) CHECK(wnd->IsClass(name));
    CHECK(wnd->IsClass(L"window"));
    CHECK_FALSE(wnd->IsClass(c.tag == std::wstring(L"text") ? L"link" : L"text"));
    CHECK((wnd->GetSwndFlags() & c.flags) == c.flags);
    CHECK((wnd->GetSwndFlags() & c.noFlags) == 0u);
    CHECK(((wnd->GetTextAlign() & (DT_CENTER | DT_RIGHT)) == 0) == c.alignLeft);
    wnd->Release();
  }
}

TEST_CASE("controls without a skin in their layout take the built-in ones") {
  CtrlRig rig;
  rig.Load(L"<root><button name='b'/><check name='c'/><radio name='r'/><toggle name='t'/></root>");
  SSkinPoolMgr& pools = SSkinPoolMgr::getSingleton();
  CHECK(rig.Find(L"b")->GetBkgndSkin() == pools.GetBuiltinSkin(4, 100));
  CHECK(rig.Find<SCheckBox>(L"c")->GetIconSkin() == pools.GetBuiltinSkin(0, 100));
  CHECK(rig.Find<SCheckBox>(L"c")->GetFocusSkin() == pools.GetBuiltinSkin(2, 100));
  CHECK(rig.Find<SRadioBox>(L"r")->GetIconSkin() == pools.GetBuiltinSkin(1, 100));
  CHECK(rig.Find<SRadioBox>(L"r")->GetFocusSkin() == pools.GetBuiltinSkin(3, 100));
  CHECK(rig.Find<SToggle>(L"t")->GetSkin() == pools.GetBuiltinSkin(8, 100));
}

TEST_CASE("a skin name no pool knows is refused and keeps the skin; an empty one clears it") {
  CtrlRig rig;
  rig.Load(
      L"<root><check name='c' skin='cells8'/><radio name='r' skin='cells8'/>"
      L"<toggle name='t' skin='cells6'/><img name='i' skin='cells4'/>"
      L"<animateimg name='a' skin='cells3'/><button name='b' skin='cells4'/></root>");
  struct Case {
    const wchar_t* name;
    const wchar_t* attr;
    const wchar_t* before;
  } cases[] = {{L"c", L"skin", L"cells8"}, {L"c", L"focusSkin", L"_skin.sys.focuscheckbox"},
               {L"r", L"skin", L"cells8"}, {L"r", L"focusSkin", L"_skin.sys.focusradio"},
               {L"t", L"skin", L"cells6"}, {L"i", L"skin", L"cells4"},
               {L"a", L"skin", L"cells3"}, {L"b", L"skin", L"cells4"}};
  auto skinOf = [&](const Case& c) -> ISkinObj* {
    SWindow* wnd = rig.Find(c.name);
    const bool focus = std::wstring(c.attr) == L"focusSkin";
    if (auto* check = dynamic_cast<SCheckableWnd*>(wnd)) {
      return focus ? check->GetFocusSkin() : check->GetIconSkin();
    }
    if (auto* toggle = dynamic_cast<SToggle*>(wnd)) return toggle->GetSkin();
    if (auto* img = dynamic_cast<SImageWnd*>(wnd)) return img->GetSkin();
    if (dynamic_cast<SButton*>(wnd) != nullptr) return wnd->GetBkgndSkin();
    return dynamic_cast<SAnimateImgWnd*>(wnd)->GetSkin();
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.name) + L"." + c.attr);
    ISkinObj* before = skinOf(c);
    REQUIRE(before != nullptr);
    CHECK(std::wstring(before->GetName()) == c.before);
    CHECK(rig.Find(c.name)->SetAttribute(SStringW(c.attr), SStringW(L"no.such.skin"), FALSE) ==
          E_FAIL);
    CHECK(skinOf(c) == before);
    CHECK(SUCCEEDED(rig.Find(c.name)->SetAttribute(SStringW(c.attr), SStringW(L""), FALSE)));
    CHECK(skinOf(c) == nullptr);
  }
  rig.Paint();  // nothing left to draw with: no draw reaches a missing skin
  CHECK(CellSkin::log.empty());
}
