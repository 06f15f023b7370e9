// The modal dialog template and its base handler: which buttons end the dialog with which code,
// what the window buttons do, that the owner comes back, and who deletes the handler.
#include <doctest/doctest.h>

#include <cwchar>
#include <string>

#include "CCommonDlg.h"
#include "HostHarness.h"
#include "ModalDriver.h"
#include "core/EventCmd.h"
#include "core/SWindow.h"

using SWUI::SWindow;

namespace {

class CountingHandler : public CCommonEventHandler {
 public:
  static int destroyed;
  ~CountingHandler() override { ++destroyed; }
  bool _HandleEvent(SWUI::EventArgs* evt) override {
    if (!IsOwnSender(evt)) return false;
    if (evt->GetID() == SWUI::EventCmd::EventID && evt->nameFrom != nullptr &&
        wcscmp(evt->nameFrom, L"custom") == 0) {
      ++customs;
      return true;
    }
    return CCommonEventHandler::_HandleEvent(evt);
  }
  int customs = 0;
};
int CountingHandler::destroyed = 0;

using TestDlg = CCommonDlg<CountingHandler>;

// A plain window that owns the dialog.
struct Owner {
  Owner() {
    hwnd = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                           nullptr, nullptr, nullptr);
  }
  ~Owner() { DestroyWindow(hwnd); }
  HWND hwnd = nullptr;
};

SWindow* ById(TestDlg& dlg, int id) { return dlg.GetRoot()->FindChildByID(id); }
SWindow* ByName(TestDlg& dlg, const wchar_t* name) { return dlg.GetRoot()->FindChildByName(name); }

void Click(SWindow* button) {
  REQUIRE(button != nullptr);
  button->FireCommand();
}

}  // namespace

TEST_CASE("dialog template: the buttons that end it and the code they give") {
  HostHarness harness(true);
  Owner owner;
  struct Case {
    const char* what;
    int id;
    const wchar_t* name;
    INT_PTR expected;
  };
  const Case cases[] = {
      {"an unnamed button with id 1", 1, nullptr, IDOK},
      {"btnCancel, whatever its id", 0, L"btnCancel", IDCANCEL},
      {"btnOK", 0, L"btnOK", IDOK},
      {"the close box", 0, L"btn_close", IDCANCEL},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    TestDlg dlg(L"LAYOUT:TEST_DIALOG");
    ModalDriver drive({[&] { Click(c.name != nullptr ? ByName(dlg, c.name) : ById(dlg, c.id)); }});
    CHECK(dlg.DoModal(owner.hwnd) == c.expected);
    CHECK_FALSE(drive.TimedOut());
    CHECK(IsWindowEnabled(owner.hwnd));
  }
}

TEST_CASE("dialog template: a nameless button of another id, and the handler's own, end nothing") {
  HostHarness harness(true);
  Owner owner;
  TestDlg dlg(L"LAYOUT:TEST_DIALOG");
  INT_PTR running = 0;
  ModalDriver drive({[&] { Click(ById(dlg, 7)); }, [&] { Click(ByName(dlg, L"custom")); },
                     [&] {
                       running = dlg.GetResult();
                       PostMessageW(dlg.m_hWnd, WM_CLOSE, 0, 0);
                     }});
  CHECK(dlg.DoModal(owner.hwnd) == IDCANCEL);
  CHECK(running == SWUI::SHostDialog::kRunning);
  CHECK(dlg.Handler()->customs == 1);
  CHECK(IsWindowEnabled(owner.hwnd));
}

TEST_CASE("dialog template: btn_min minimises the dialog, which stays modal") {
  HostHarness harness(true);
  Owner owner;
  TestDlg dlg(L"LAYOUT:TEST_DIALOG");
  bool iconic = false;
  bool ownerDisabled = false;
  ModalDriver drive({[&] { Click(ByName(dlg, L"btn_min")); },
                     [&] {
                       iconic = IsIconic(dlg.m_hWnd) != FALSE;
                       ownerDisabled = !IsWindowEnabled(owner.hwnd);
                       Click(ByName(dlg, L"btnCancel"));
                     }});
  CHECK(dlg.DoModal(owner.hwnd) == IDCANCEL);
  CHECK(iconic);
  CHECK(ownerDisabled);
}

TEST_CASE("dialog template: events of another window's elements are not the handler's") {
  HostHarness harness(true);
  TestDlg dlg(L"LAYOUT:TEST_DIALOG");
  bool handled = true;
  ModalDriver drive({[&] {
    SWindow* stranger = new SWindow();
    stranger->SetAttribute(SWUI::SStringW(L"name"), SWUI::SStringW(L"btnOK"), TRUE);
    SWUI::EventCmd evt(stranger);
    handled = dlg.Handler()->_HandleEvent(&evt);
    stranger->Release();
    Click(ByName(dlg, L"btnCancel"));
  }});
  CHECK(dlg.DoModal(nullptr) == IDCANCEL);
  CHECK_FALSE(handled);
  CHECK(dlg.GetRoot()->IsClass(L"commondlg"));
  CHECK(dlg.GetRoot()->IsClass(L"hostdlg"));
}

TEST_CASE("dialog template: it deletes only a handler it made itself") {
  HostHarness harness(true);
  CountingHandler::destroyed = 0;
  { TestDlg dlg(L"LAYOUT:TEST_DIALOG"); }
  CHECK(CountingHandler::destroyed == 1);
  {
    CountingHandler mine;
    { TestDlg dlg(L"LAYOUT:TEST_DIALOG", &mine); }
    CHECK(CountingHandler::destroyed == 1);
  }
  CHECK(CountingHandler::destroyed == 2);
}
