// The element tree: a fresh element, inserting, removing and destroying children, the state
// index, enabling and visibility with their propagation, and the tree-wide scale, colour and
// language messages.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "ElementRig.h"
#include "core/EventSwndDestroy.h"
#include "core/SSkinPool.h"
#include "core/SSkinPoolMgr.h"
#include "core/SWindowMgr.h"

using namespace SWUI;

namespace {

// The children's names in order, as "a,b,c".
std::wstring Order(const SWindow* parent) {
  std::wstring out;
  for (SWindow* c = parent->GetWindow(GSW_FIRSTCHILD); c != nullptr;
       c = c->GetWindow(GSW_NEXTSIBLING)) {
    if (!out.empty()) out += L",";
    out += c->GetName();
  }
  // The backward links must agree.
  std::wstring back;
  for (SWindow* c = parent->GetWindow(GSW_LASTCHILD); c != nullptr;
       c = c->GetWindow(GSW_PREVSIBLING)) {
    back = std::wstring(c->GetName()) + (back.empty() ? L"" : L",") + back;
  }
  CHECK(back == out);
  return out;
}

SWindow* Named(ElementRig& rig, LPCWSTR name) {
  SWindow* wnd = NewElement(rig.app, L"window");
  wnd->SetAttribute(SStringW(L"name"), SStringW(name), TRUE);
  return wnd;
}

}  // namespace

TEST_CASE("a new element: flags 0xA45, one reference, a live handle, the 14 base events") {
  ElementRig rig;
  SWindow* wnd = new SWindow();
  CHECK(wnd->GetSwndFlags() == 0xA45u);
  CHECK(wnd->GetRefCount() == 1);
  CHECK(wnd->GetState() == 0u);
  CHECK(SWindowMgr::GetWindow(wnd->GetSwnd()) == wnd);
  CHECK(wnd->GetChild(0) == wnd);
  CHECK(wnd->GetChild(1) == nullptr);
  CHECK(std::wstring(wnd->GetObjectClass()) == L"window");
  CHECK(wnd->GetObjectType() == 1);
  CHECK(wnd->IsClass(L"window"));
  CHECK_FALSE(wnd->IsClass(L"probe"));
  CHECK(wnd->GetScale() == 100);  // no container
  const DWORD ids[] = {8102, 8103, 8104, 9000,  9001,  8106, 8105,
                       8109, 8107, 8108, 10000, 10001, 8100, 8101};
  for (DWORD id : ids) CHECK(wnd->GetEventSet()->IsEventPresent(id));
  const SwndHandle handle = wnd->GetSwnd();
  wnd->Release();
  CHECK(SWindowMgr::GetWindow(handle) == nullptr);
  SWindow* next = new SWindow();
  CHECK(next->GetSwnd() > handle);  // handles are never reused
  next->Release();
}

TEST_CASE("InsertChild places: append, after the last, first, after a child; twice is once") {
  ElementRig rig;
  SWindow* parent = rig.root;
  SWindow* a = Named(rig, L"a");
  SWindow* b = Named(rig, L"b");
  SWindow* c = Named(rig, L"c");
  SWindow* d = Named(rig, L"d");
  SWindow* e = Named(rig, L"e");
  parent->InsertChild(a);               // append to nothing
  parent->InsertChild(b, a);            // after the last child: append
  parent->InsertChild(c, ICWND_FIRST);  // first
  parent->InsertChild(d, c);            // after c, which is not last
  CHECK(Order(parent) == L"c,d,a,b");
  parent->InsertChild(a, ICWND_FIRST);  // already a child: nothing
  CHECK(Order(parent) == L"c,d,a,b");
  parent->InsertChild(e, ICWND_LAST);
  CHECK(Order(parent) == L"c,d,a,b,e");
  CHECK(parent->GetChildrenCount() == 5);
  CHECK(a->GetParent() == parent);
  CHECK(a->GetContainer() == &rig.container);
  CHECK(parent->GetChild(1) == c);
  CHECK(parent->GetChild(5) == e);
  CHECK(parent->GetChild(6) == nullptr);

  // GetWindow codes.
  a->SetOwner(b);
  CHECK(a->GetWindow(GSW_PREVSIBLING) == d);
  CHECK(a->GetWindow(GSW_NEXTSIBLING) == b);
  CHECK(a->GetWindow(GSW_PARENT) == parent);
  CHECK(a->GetWindow(GSW_OWNER) == b);
  CHECK(a->GetWindow(6) == nullptr);

  // Removing: the first, a middle one, the last; a stranger is refused.
  SWindow* stranger = Named(rig, L"x");
  CHECK_FALSE(parent->RemoveChild(stranger));
  CHECK(parent->RemoveChild(c));
  CHECK(parent->RemoveChild(a));
  CHECK(parent->RemoveChild(e));
  CHECK(Order(parent) == L"d,b");
  CHECK(parent->GetChildrenCount() == 2);
  CHECK(a->GetParent() == nullptr);
  CHECK(a->GetWindow(GSW_NEXTSIBLING) == nullptr);
  CHECK(a->GetRefCount() == 1);  // removing releases nothing
  for (SWindow* w : {a, c, e, stranger}) w->Release();

  // A child of another element moves, with the tree's reference.
  SWindow* other = Named(rig, L"other");
  parent->InsertChild(other);
  other->InsertChild(b);
  CHECK(Order(parent) == L"d,other");
  CHECK(Order(other) == L"b");
  parent->InsertChild(b, d);
  CHECK(Order(parent) == L"d,b,other");
  CHECK(other->GetChildrenCount() == 0);
  CHECK(b->GetRefCount() == 1);
  parent->DestroyChild(other);

  b->BringWindowToTop();
  CHECK(Order(parent) == L"d,b");
  d->BringWindowToTop();
  CHECK(Order(parent) == L"b,d");
  CHECK(b->IsDescendant(parent));
  CHECK_FALSE(b->IsDescendant(nullptr));
  CHECK_FALSE(parent->IsDescendant(b));
  CHECK(b->GetTopLevelParent() == parent);
}

TEST_CASE("destroying: the parent's EventSwndDestroy before any child's WM_DESTROY") {
  ElementRig rig;
  rig.Load(
      L"<root><probe name='p'><probe name='c1'/><probe name='c2'><probe name='g'/></probe>"
      L"</probe><probe name='other'/></root>");
  ProbeWnd* p = rig.Probe(L"p");
  const SwndHandle hp = p->GetSwnd();
  const SwndHandle hg = rig.Probe(L"g")->GetSwnd();
  p->SubscribeEvent(EventSwndDestroy::EventID, FnSlot([&](EventArgs*) {
                      rig.probeLog.push_back(ProbeEntry{L"event", WM_DESTROY, 0, 0});
                      return true;
                    }));
  rig.probeLog.clear();
  CHECK(p->DestroyWindow());
  std::vector<std::wstring> order;
  for (const ProbeEntry& e : rig.probeLog) {
    if (e.msg == WM_DESTROY) order.push_back(e.name);
  }
  CHECK(order == std::vector<std::wstring>{L"p", L"event", L"c1", L"c2", L"g"});
  CHECK(SWindowMgr::GetWindow(hp) == nullptr);
  CHECK(SWindowMgr::GetWindow(hg) == nullptr);
  CHECK(rig.root->GetChildrenCount() == 1);
  CHECK_FALSE(rig.root->DestroyChild(rig.root));  // not its own child
}

TEST_CASE("the state index: disabled, then pushed or checked, then hover") {
  struct Case {
    DWORD state;
    int index;
  } cases[] = {{0, 0}, {0x1, 1}, {0x2, 2}, {0x4, 2}, {0x10, 3}, {0x13, 3}};
  for (const Case& c : cases) {
    CAPTURE(c.state);
    CHECK(SWindow::StateIndexOf(c.state) == c.index);
  }
}

TEST_CASE("ModifyState: (old & ~remove) | add, notified even when nothing changes") {
  ElementRig rig;
  SWindow* wnd = rig.root;
  int notices = 0;
  wnd->SubscribeEvent(8106, FnSlot([&](EventArgs*) { return ++notices, true; }));
  CHECK(wnd->ModifyState(WndState_Hover | WndState_Check, 0) == 0u);
  CHECK(wnd->ModifyState(WndState_PushDown, WndState_Hover) == 0x5u);
  CHECK(wnd->GetState() == 0x6u);
  wnd->ModifyState(0, 0);
  CHECK(notices == 3);
  wnd->SetCheck(FALSE);
  CHECK_FALSE(wnd->IsChecked());
}

TEST_CASE("enabling: the own flag against the inherited state bit") {
  ElementRig rig;
  rig.Load(L"<root><window name='parent'><window name='loaded' enable='0'/></window></root>");
  SWindow* parent = rig.Find(L"parent");
  SWindow* loaded = rig.Find(L"loaded");
  // Loaded with enable="0": only the state bit, not the own flag.
  CHECK(loaded->IsDisabled(TRUE));
  CHECK_FALSE(loaded->IsDisabled(FALSE));

  parent->EnableWindow(FALSE);
  CHECK(parent->IsDisabled(FALSE));
  SWindow* inserted = Named(rig, L"inserted");
  parent->InsertChild(inserted);
  CHECK(inserted->IsDisabled(TRUE));  // takes the parent's state
  CHECK_FALSE(inserted->IsDisabled(FALSE));
  SWindow* own = Named(rig, L"own");
  parent->InsertChild(own);
  own->EnableWindow(FALSE);
  CHECK(own->IsDisabled(FALSE));

  parent->EnableWindow(TRUE);
  CHECK_FALSE(parent->IsDisabled(TRUE));
  CHECK_FALSE(inserted->IsDisabled(TRUE));
  CHECK_FALSE(loaded->IsDisabled(TRUE));  // re-enabled with its parent, as its flag is clear
  CHECK(own->IsDisabled(TRUE));           // its own setting keeps it disabled

  // Disabling drops the hover state and the focus.
  inserted->ModifyState(WndState_Hover, 0);
  inserted->SetAttribute(L"focusable", L"1", FALSE);
  inserted->SetFocus();
  CHECK(rig.container.focus == inserted->GetSwnd());
  parent->EnableWindow(FALSE);
  CHECK((inserted->GetState() & WndState_Hover) == 0u);
  CHECK(rig.container.focus == 0u);
}

TEST_CASE("visibility: a hidden parent hides its subtree, whose own flags stay set") {
  ElementRig rig;
  rig.Load(
      L"<root><window name='top' visible='0'><window name='mid'><window name='leaf' "
      L"focusable='1'/></window></window><window name='shown' show='1'/></root>");
  SWindow* top = rig.Find(L"top");
  SWindow* mid = rig.Find(L"mid");
  SWindow* leaf = rig.Find(L"leaf");
  CHECK_FALSE(top->IsVisible(TRUE));
  CHECK_FALSE(top->IsVisible(FALSE));
  CHECK_FALSE(leaf->IsVisible(TRUE));
  CHECK(leaf->IsVisible(FALSE));
  CHECK(mid->IsVisible(FALSE));
  CHECK(rig.Find(L"shown")->IsVisible(TRUE));

  top->SetVisible(TRUE);
  CHECK(mid->IsVisible(TRUE));
  CHECK(leaf->IsVisible(TRUE));

  // Hiding drops the focus and the capture of the hidden element.
  leaf->SetFocus();
  leaf->SetCapture();
  CHECK(rig.container.focus == leaf->GetSwnd());
  leaf->SetVisible(FALSE);
  CHECK(rig.container.focus == 0u);
  CHECK(rig.container.capture == 0u);
  // A child hidden by its own setting stays hidden when its parent is shown again.
  top->SetVisible(FALSE);
  top->SetVisible(TRUE);
  CHECK(mid->IsVisible(TRUE));
  CHECK_FALSE(leaf->IsVisible(TRUE));
}

TEST_CASE("UM_SETSCALE: the style's scale and the named skins picked again for the scale") {
  ElementRig rig;
  pugi::xml_document doc;
  REQUIRE(doc.load_string(
      L"<skin><colorrect name='bk' normal='#ff0000'/><colorrect name='bk' scale='150' "
      L"normal='#00ff00'/><colorrect name='bk' scale='200' normal='#0000ff'/></skin>"));
  SAutoRefPtr<SSkinPool> pool;
  pool.Attach(new SSkinPool());
  REQUIRE(pool->LoadSkins(doc.child(L"skin")) == 3);
  SSkinPoolMgr::getSingleton().PushSkinPool(pool);

  rig.Load(L"<root><window name='w' skin='bk' ncskin='bk' margin='1dp'/></root>");
  SWindow* wnd = rig.Find(L"w");
  REQUIRE(wnd->GetBkgndSkin() != nullptr);
  CHECK(wnd->GetBkgndSkin()->GetScale() == 100);
  struct Case {
    int scale;
    int skinScale;
  } cases[] = {{150, 150}, {249, 200}, {124, 100}, {300, 300}};
  for (const Case& c : cases) {
    CAPTURE(c.scale);
    CHECK(wnd->SSendMessage(UM_SETSCALE, c.scale) == 0);
    CHECK(wnd->GetStyle().GetScale() == c.scale);
    // A colour rectangle does not scale: where the pools have no copy at the normalised
    // scale they answer the 100 % skin itself.
    const int expected = c.skinScale == 300 ? 100 : c.skinScale;
    CHECK(wnd->GetBkgndSkin()->GetScale() == expected);
    CHECK(wnd->GetNcSkin()->GetScale() == expected);
    CHECK((wnd->GetSwndFlags() & SWF_LAYOUT_MASK) == SWF_LAYOUT_SELF);
  }
  RECT margin;
  wnd->GetStyle().GetMargin(&margin);
  CHECK(margin.left == 3);  // 1 at 300 %
  SSkinPoolMgr::getSingleton().PopSkinPool(pool);
}

TEST_CASE("colorizing reaches every element once, parents first; the same colour again nothing") {
  ElementRig rig;
  rig.Load(L"<root><probe name='a'><probe name='b'/></probe><probe name='c'/></root>");
  rig.Find(L"a")->Move(10, 10, 50, 50);
  rig.Find(L"b")->Move(20, 20, 10, 10);
  rig.probeLog.clear();
  rig.root->DoColorize(0x00336699);
  std::vector<std::wstring> order;
  for (const ProbeEntry& e : rig.probeLog) {
    if (e.msg == UM_SETCOLORIZE && e.wParam == 0x00336699) order.push_back(e.name);
  }
  CHECK(order == std::vector<std::wstring>{L"a", L"b", L"c"});
  CHECK(rig.Find(L"b")->GetColorizeColor() == 0x00336699u);
  rig.container.redraws.clear();
  rig.Find(L"b")->OnColorize(0x00336699);
  CHECK(rig.container.redraws.empty());
  rig.Find(L"b")->OnColorize(0);
  CHECK(rig.container.redraws.size() == 1);
}

TEST_CASE("UM_SETLANGUAGE: texts translated again in the container's context") {
  ElementRig rig;
  rig.container.trCtx = L"dlg";
  rig.Load(
      L"<root><window name='wrap' text='Hello' tip='Hello'/>"
      L"<window name='fixed' text='Hello' pos='0,50,@40,@20'/></root>");
  SWindow* wrap = rig.Find(L"wrap");
  CHECK(wrap->GetWindowText(FALSE) == L"Hello");  // no translator yet

  InstallTranslator(rig.app,
                    L"<language name='fr' guid='{6B7A3E40-1D2C-4F5A-9B8E-0C1D2E3F4A5B}'>"
                    L"<context name='dlg'><message><source>Hello</source>"
                    L"<translation>Salut</translation></message></context></language>");

  rig.root->UpdateLayout();
  rig.container.redraws.clear();
  rig.root->SDispatchMessage(UM_SETLANGUAGE);
  CHECK(wrap->GetWindowText(FALSE) == L"Salut");
  CHECK(wrap->GetWindowText(TRUE) == L"Hello");
  CHECK(wrap->GetToolTipText() == L"Salut");
  CHECK(rig.Find(L"fixed")->GetWindowText(FALSE) == L"Salut");
  CHECK(wrap->tr(L"Hello") == L"Salut");
  // The wrapping text asks for a new layout, the fixed one only repaints.
  CHECK((rig.root->GetSwndFlags() & SWF_LAYOUT_MASK) == SWF_LAYOUT_SELF);
  CHECK_FALSE(rig.container.redraws.empty());
  rig.container.trCtx = L"other";
  CHECK(wrap->tr(L"Hello") == L"Hello");
  rig.app.SetTranslator(nullptr);
}
