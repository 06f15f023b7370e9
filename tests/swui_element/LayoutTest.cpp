// The layout hooks of an element with the real layouts: positions from XML, relayout requests
// and which elements lay out again, hidden elements giving up their place, floating elements,
// and the desired size measured from text and children.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "ElementRig.h"

using namespace SWUI;

namespace {

std::string RectText(const RECT& rc) {
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) +
         "," + std::to_string(rc.bottom);
}

std::string RectOf(const ElementRig& rig, LPCWSTR name) {
  return RectText(rig.Find(name)->GetWindowRect());
}

}  // namespace

TEST_CASE("positions from XML under the anchor, linear and grid layouts") {
  ElementRig rig(200, 200);
  rig.Load(
      L"<root>"
      L"<window name='fill' pos='10,20,-10,-20'/>"
      L"<window name='row' layout='hbox' pos='0,0,@200,@50'>"
      L"<window name='h1' width='20' height='matchParent' weight='1'/>"
      L"<window name='h2' width='30' height='matchParent'/>"
      L"<window name='h3' width='50' height='matchParent' weight='3'/></window>"
      L"<window name='grid' layout='gridLayout' columnCount='2' pos='0,100,@100,@40'>"
      L"<window name='g1' size='10,10' layout_xGravity='left' layout_yGravity='top'/>"
      L"<window name='g2' size='10,10' layout_xGravity='left' layout_yGravity='top'/>"
      L"<window name='g3' size='10,10' layout_xGravity='left' layout_yGravity='top'/>"
      L"</window>"
      L"<window pos='0,150,@200,@50'><window name='p1' width='10' height='5'/>"
      L"<window name='p2' width='20' height='5'/><window name='p3' width='30' height='5'/>"
      L"</window></root>");
  CHECK(RectOf(rig, L"fill") == "10,20,190,180");
  // hbox 200 wide, 100 used: the first grows by 25, the third by 75.
  CHECK(RectOf(rig, L"h1") == "0,0,45,50");
  CHECK(RectOf(rig, L"h2") == "45,0,75,50");
  CHECK(RectOf(rig, L"h3") == "75,0,200,50");
  CHECK(RectOf(rig, L"g1") == "0,100,10,110");
  CHECK(RectOf(rig, L"g2") == "10,100,20,110");  // cells as big as their content
  CHECK(RectOf(rig, L"g3") == "0,110,10,120");
  // Without "pos" each stands against its previous layout sibling, at that sibling's top.
  CHECK(RectOf(rig, L"p1") == "0,150,10,155");
  CHECK(RectOf(rig, L"p2") == "10,150,30,155");
  CHECK(RectOf(rig, L"p3") == "30,150,60,155");
  // Children under a layout of another kind got that layout's parameter.
  CHECK(rig.Find(L"h1")->GetLayoutParam()->IsClass(L"LinearLayoutParam"));
  CHECK(rig.Find(L"g1")->GetLayoutParam()->IsClass(L"GridLayoutParam"));
}

TEST_CASE("a \"pos\" changed at run time moves the element when the parent lays out") {
  ElementRig rig(200, 200);
  rig.Load(L"<root><window name='w' pos='10,10,@20,@20'/></root>");
  SWindow* w = rig.Find(L"w");
  CHECK(w->SetAttribute(SStringW(L"pos"), SStringW(L"50,60,@20,@20"), FALSE) == 0x40000);
  CHECK(RectOf(rig, L"w") == "10,10,30,30");  // not before the layout pass
  rig.root->UpdateLayout();
  CHECK(RectOf(rig, L"w") == "50,60,70,80");
  CHECK((rig.root->GetSwndFlags() & SWF_LAYOUT_MASK) == 0u);
}

TEST_CASE("RequestRelayout: only what may change lays out again") {
  struct Case {
    const wchar_t* leafSize;
    const wchar_t* midSize;
    int layouts;  // LayoutChildren calls of the following update
    DWORD midMark;
    DWORD rootMark;
  } cases[] = {
      // A fixed-size leaf: its ancestors only walk down to it.
      {L"10,10", L"matchParent,matchParent", 1, SWF_LAYOUT_CHILD, SWF_LAYOUT_CHILD},
      // Its size may change: its parent places its children again.
      {L"wrapContent,10", L"matchParent,matchParent", 2, SWF_LAYOUT_SELF, SWF_LAYOUT_CHILD},
      // And so may the parent's: every level.
      {L"wrapContent,10", L"wrapContent,wrapContent", 3, SWF_LAYOUT_SELF, SWF_LAYOUT_SELF},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.leafSize) + L" in " + c.midSize);
    ElementRig rig(100, 100);
    const std::wstring xml =
        std::wstring(
            L"<root layout='recordingLayout' size='100,100'><window name='mid' "
            L"layout='recordingLayout' probeSize='") +
        c.midSize + L"'><window name='leaf' layout='recordingLayout' probeSize='" + c.leafSize +
        L"'/></window></root>";
    rig.Load(xml.c_str());
    rig.root->UpdateLayout();
    const int before = RecordingLayout::layouts;
    SWindow* leaf = rig.Find(L"leaf");
    leaf->RequestRelayout(leaf, TRUE);
    CHECK((leaf->GetSwndFlags() & SWF_LAYOUT_MASK) == SWF_LAYOUT_SELF);
    CHECK((rig.Find(L"mid")->GetSwndFlags() & SWF_LAYOUT_MASK) == c.midMark);
    CHECK((rig.root->GetSwndFlags() & SWF_LAYOUT_MASK) == c.rootMark);
    rig.root->UpdateLayout();
    CHECK(RecordingLayout::layouts - before == c.layouts);
    for (LPCWSTR name : {L"mid", L"leaf"}) {
      CHECK((rig.Find(name)->GetSwndFlags() & SWF_LAYOUT_MASK) == 0u);
    }
  }
}

TEST_CASE("hidden elements give up their place unless they keep it (display)") {
  ElementRig rig(200, 100);
  rig.Load(
      L"<root><window name='a' width='10' height='5'/>"
      L"<window name='b' width='20' height='5' display='0'/>"
      L"<window name='c' width='30' height='5'/>"
      L"<window name='d' width='40' height='5'/></root>");
  CHECK(RectOf(rig, L"c") == "30,0,60,5");
  rig.Find(L"b")->SetVisible(FALSE);
  rig.root->UpdateLayout();
  CHECK(RectOf(rig, L"c") == "10,0,40,5");
  rig.Find(L"b")->SetVisible(TRUE);
  rig.root->UpdateLayout();
  CHECK(RectOf(rig, L"c") == "30,0,60,5");
  // With display set (the default) a hidden element keeps its place.
  rig.Find(L"c")->SetVisible(FALSE);
  rig.root->UpdateLayout();
  CHECK(RectOf(rig, L"d") == "60,0,100,5");
  CHECK(rig.root->GetNextLayoutChild(rig.Find(L"a")) == rig.Find(L"b"));
}

TEST_CASE("a floating element keeps its own place until Move(null) gives it back") {
  ElementRig rig(200, 100);
  rig.Load(
      L"<root><window name='a' width='10' height='5'/><window name='f' width='20' "
      L"height='5'/><window name='c' width='30' height='5'/></root>");
  SWindow* f = rig.Find(L"f");
  f->Move(100, 50, 5, 5);
  CHECK(f->IsFloat());
  rig.root->RequestRelayout(rig.root, TRUE);
  rig.root->UpdateLayout();
  CHECK(RectOf(rig, L"f") == "100,50,105,55");
  CHECK(RectOf(rig, L"c") == "10,0,40,5");  // the floating element is no layout child
  f->Move(nullptr);
  CHECK_FALSE(f->IsFloat());
  rig.root->UpdateLayout();
  CHECK(RectOf(rig, L"f") == "10,0,30,5");
  CHECK(RectOf(rig, L"c") == "30,0,60,5");
}

TEST_CASE("GetDesiredSize: given sizes, the parent's, or content plus padding and margin") {
  ElementRig rig(200, 200);
  rig.Load(
      L"<root><window name='box' padding='2' margin='1'>"
      L"<window pos='0,0' width='30' height='20'/><window pos='5,25,@10,@10'/></window>"
      L"<window name='fixed' size='50,-1' padding='3'><window pos='0,0,@10,@10'/></window>"
      L"<window name='match' width='matchParent' height='7'/></root>");
  SWindow* box = rig.Find(L"box");
  SIZE size = box->GetDesiredSize(-1, -1);
  CHECK(size.cx == 30 + 4 + 2);
  CHECK(size.cy == 35 + 4 + 2);
  size = rig.Find(L"fixed")->GetDesiredSize(100, 100);
  CHECK(size.cx == 50);
  CHECK(size.cy == 10 + 6);
  SWindow* match = rig.Find(L"match");
  size = match->GetDesiredSize(120, 80);
  CHECK(size.cx == 120);
  CHECK(size.cy == 7);
  // A parent not measured yet: the element is measured by its content for the call only.
  size = match->GetDesiredSize(-1, 80);
  CHECK(size.cx == 0);
  CHECK(match->GetLayoutParam()->IsMatchParent(Horz));
  // The layout is asked with the unknown extent, never with a made-up one.
  CHECK(box->GetDesiredSize(0x11000000, -5).cx == 36);
}

TEST_CASE("GetDesiredSize of a text: one line, or broken at the maximum width") {
  ElementRig rig(400, 200);
  rig.Load(
      L"<root><window name='one' text='Hello world, a line of text' font='size:14'/>"
      L"<window name='wrapped' text='Hello world, a line of text' font='size:14' "
      L"maxWidth='60' padding='2' valign='top'/><window name='empty' padding='3'/></root>");
  const SIZE one = rig.Find(L"one")->GetDesiredSize(-1, -1);
  const SIZE wrapped = rig.Find(L"wrapped")->GetDesiredSize(-1, -1);
  CHECK(one.cx > 60);
  CHECK(one.cy > 5);
  // Broken into lines only without the one-line format of a vertically centred text.
  CHECK(wrapped.cx <= 60);
  CHECK(wrapped.cy > 2 * one.cy);
  const SIZE empty = rig.Find(L"empty")->GetDesiredSize(-1, -1);
  CHECK(empty.cx == 6);
  CHECK(empty.cy == 6);
  // The layout placed the wrap-content text by that size.
  CHECK(rig.Find(L"one")->GetWindowRect().right == one.cx);
}

TEST_CASE("the measure asks the layout with the container's extents, unknown as 0x7FFFFF") {
  ElementRig rig(100, 100);
  rig.Load(L"<root><window name='w' layout='recordingLayout'/></root>");
  RecordingLayout::measures.clear();
  RecordingLayout::measureAnswer = SIZE{17, 19};
  SWindow* w = rig.Find(L"w");
  const SIZE size = w->GetDesiredSize(-1, -1);
  CHECK(size.cx == 17);
  CHECK(size.cy == 19);
  RECT container = {0, 0, 100, 80};
  w->GetDesiredSize(&container);
  REQUIRE(RecordingLayout::measures.size() == 2);
  CHECK(RecordingLayout::measures[0].cx == 0x7FFFFF);
  CHECK(RecordingLayout::measures[0].cy == 0x7FFFFF);
  CHECK(RecordingLayout::measures[1].cx == 100);
  CHECK(RecordingLayout::measures[1].cy == 80);
}
