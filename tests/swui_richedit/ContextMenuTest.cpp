// The edit context menu: which commands it offers, what a chosen one does, and the events
// that may take it over. Keys are posted before the menu tracks (it runs modally).
#include <doctest/doctest.h>

#include <map>
#include <vector>

#include "RichEditRig.h"
#include "core/EventCtxMenu.h"
#include "core/EventREMenu.h"

using namespace SWUI;

namespace {

using States = std::map<UINT, bool>;

// Puts a text on the clipboard, or empties it.
void SetClipboard(HWND owner, const wchar_t* text) {
  REQUIRE(OpenClipboard(owner));
  EmptyClipboard();
  if (text != nullptr) {
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(mem), text, bytes);
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
  }
  CloseClipboard();
}

}  // namespace

TEST_CASE("the context menu offers what the selection, the clipboard and read-only allow") {
  RichEditRig r;
  r.Load(
      L"<root>"
      L"<edit name='rw' pos='0,0,200,30' text='hello'/>"
      L"<edit name='ro' pos='0,30,200,60' text='hello' readOnly='1'/>"
      L"<edit name='empty' pos='0,60,200,90'/>"
      L"</root>");
  HWND host = r.container.GetHostHwnd();
  SetClipboard(host, L"pasted");
  struct Case {
    const wchar_t* name;
    bool select;
    States expected;
  } cases[] = {
      {L"rw", true, {{1, true}, {2, true}, {3, true}, {4, true}, {5, true}}},
      {L"rw", false, {{1, false}, {2, false}, {3, true}, {4, false}, {5, true}}},
      {L"ro", true, {{1, false}, {2, true}, {3, false}, {4, false}, {5, true}}},
      {L"empty", false, {{1, false}, {2, false}, {3, true}, {4, false}, {5, false}}},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.name));
    CAPTURE(c.select);
    SRichEdit* edit = r.Edit(c.name);
    r.container.menus.clear();
    ContextMenuWithKeys(r, edit, {VK_ESCAPE});
    CHECK(edit->IsFocused());  // the right click focused it (an edit selects all then)
    if (!c.select) edit->SetSel(MAKELONG(0, 0));
    r.container.menus.clear();
    ContextMenuWithKeys(r, edit, {VK_ESCAPE});
    REQUIRE(r.container.menus.size() == 1u);
    CHECK(r.container.menus[0] == c.expected);
    CHECK(edit->GetWindowText() == (c.name == std::wstring(L"empty") ? L"" : L"hello"));
  }

  // Without anything to paste, paste is off too.
  SetClipboard(host, nullptr);
  r.container.menus.clear();
  ContextMenuWithKeys(r, r.Edit(L"rw"), {VK_ESCAPE});
  REQUIRE(r.container.menus.size() == 1u);
  CHECK_FALSE(r.container.menus[0][3]);
}

TEST_CASE("a chosen command is carried out unless an EventREMenu handler takes it") {
  RichEditRig r;
  r.Load(L"<root><edit name='e' pos='0,0,200,30' text='hello'/></root>");
  SRichEdit* e = r.Edit(L"e");
  HWND host = r.container.GetHostHwnd();
  SetClipboard(host, nullptr);
  std::vector<UINT> chosen;
  bool take = false;
  e->SubscribeEvent(EventREMenu::EventID, FnSlot([&](EventArgs* evt) {
                      chosen.push_back(static_cast<EventREMenu*>(evt)->uCmd);
                      return take;
                    }));

  // The right click selected everything; the first item is cut.
  ContextMenuWithKeys(r, e, {VK_DOWN, VK_RETURN});
  CHECK(chosen == std::vector<UINT>{SRichEdit::MENU_CUT});
  CHECK(e->GetWindowText() == L"");

  // Paste brings it back (the first enabled item is paste now).
  e->SSendMessage(EM_UNDO);
  e->SetWindowText(L"");
  ContextMenuWithKeys(r, e, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  CHECK(chosen.back() == static_cast<UINT>(SRichEdit::MENU_PASTE));
  CHECK(e->GetWindowText() == L"hello");

  // Escape: 0 reaches the handlers, nothing happens.
  ContextMenuWithKeys(r, e, {VK_ESCAPE});
  CHECK(chosen.back() == 0u);
  CHECK(e->GetWindowText() == L"hello");

  // A handler that takes delete keeps the text.
  take = true;
  e->SetSel(MAKELONG(0, 5));
  ContextMenuWithKeys(r, e, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  CHECK(chosen.back() == static_cast<UINT>(SRichEdit::MENU_DEL));
  CHECK(e->GetWindowText() == L"hello");
}

TEST_CASE("a cancelled EventCtxMenu shows no menu") {
  RichEditRig r;
  r.Load(L"<root><edit name='e' pos='0,0,200,30' text='hello'/></root>");
  SRichEdit* e = r.Edit(L"e");
  e->SubscribeEvent(EventCtxMenu::EventID, FnSlot([](EventArgs* evt) {
                      static_cast<EventCtxMenu*>(evt)->bCancel = TRUE;
                      return true;
                    }));
  ContextMenuWithKeys(r, e, {VK_ESCAPE});
  CHECK(r.container.menus.empty());
  CHECK_FALSE(e->IsFocused());
}
