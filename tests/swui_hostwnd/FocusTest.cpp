// The focus manager through a host: Tab order with a radio group as one stop, arrows inside
// a group, the focus kept while the window is inactive, moves asked for during a move, and
// accelerators.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "ElementRig.h"
#include "HostHarness.h"
#include "TestElements.h"
#include "core/CFocusManager.h"
#include "core/EventKillFocus.h"
#include "core/IAcceleratorTarget.h"

using namespace SWUI;

namespace {

// Pre-order: a, r1, r2, r3, b, b1, c (disabled), d (hidden), e.
const wchar_t kTabTree[] =
    L"<SWUI width='300' height='200'><root>"
    L" <window name='a' focusable='1' pos='0,0,@20,@20'/>"
    L" <window name='group' pos='0,30,@100,@20'>"
    L"  <grouped name='r1' focusable='1' pos='0,0,@20,@20'/>"
    L"  <grouped name='r2' focusable='1' checked='1' pos='30,0,@20,@20'/>"
    L"  <grouped name='r3' focusable='1' pos='60,0,@20,@20'/>"
    L" </window>"
    L" <window name='b' focusable='1' pos='0,60,@100,@40'>"
    L"  <window name='b1' focusable='1' pos='5,5,@20,@20'/>"
    L" </window>"
    L" <window name='c' focusable='1' enable='0' pos='0,110,@20,@20'/>"
    L" <window name='d' focusable='1' visible='0' pos='30,110,@20,@20'/>"
    L" <window name='e' focusable='1' pos='60,110,@20,@20'/>"
    L"</root></SWUI>";

struct FocusRig : HostHarness {
  FocusRig() {
    app.TplRegisterFactory<GroupedWnd>();
    app.TplRegisterFactory<ProbeWnd>();
    ProbeWnd::log = &probeLog;
  }
  ~FocusRig() { ProbeWnd::log = nullptr; }
  std::wstring Focused() const {
    SWindow* wnd = SWindow::GetSwndFromHandle(host->GetFocus());
    return wnd != nullptr && wnd->GetName() != nullptr ? wnd->GetName() : L"";
  }
  CFocusManager& Focus() { return host->GetFocusMgr(); }

  // Three focusable probes p, q and r in a row.
  void OpenProbes() {
    Open(
        L"<SWUI width='100' height='100'><root>"
        L" <probe name='p' focusable='1' pos='0,0,@20,@20'/>"
        L" <probe name='q' focusable='1' pos='30,0,@20,@20'/>"
        L" <probe name='r' focusable='1' pos='60,0,@20,@20'/>"
        L"</root></SWUI>");
  }

  std::vector<ProbeEntry> probeLog;
};

// An accelerator target that records and answers as told.
struct AccTarget : IAcceleratorTarget {
  explicit AccTarget(std::vector<int>* log, int tag, BOOL take)
      : log_(log), tag_(tag), take_(take) {}
  BOOL OnAcceleratorPressed(const CAccelerator&) override {
    log_->push_back(tag_);
    return take_;
  }
  std::vector<int>* log_;
  int tag_;
  BOOL take_;
};

}  // namespace

TEST_CASE_FIXTURE(FocusRig,
                  "Tab and Shift+Tab walk the tree in order, a radio group is one stop at its "
                  "checked member, and wrap once") {
  Open(kTabTree);
  const std::vector<std::wstring> forward = {L"a", L"r2", L"b", L"b1", L"e", L"a"};
  for (const std::wstring& expected : forward) {
    Key(VK_TAB);
    CHECK(Focused() == expected);
  }
  CHECK(Focus().GetFocusReason() == FocusReasonTraversal);
  // From a container back over its own child: never into the container's children again.
  const std::vector<std::wstring> backward = {L"e", L"b1", L"b", L"r2", L"a", L"e"};
  {
    HeldKeys shift({VK_SHIFT});
    for (const std::wstring& expected : backward) {
      Key(VK_TAB);
      CHECK(Focused() == expected);
    }
  }
  // Ctrl+Tab is not traversal; an element that asks for Tab keeps it.
  {
    HeldKeys ctrl({VK_CONTROL});
    Key(VK_TAB);
  }
  CHECK(Focused() == L"e");
}

TEST_CASE_FIXTURE(FocusRig, "an element that wants Tab gets it instead of traversal") {
  app.TplRegisterFactory<KeyTakerWnd>();
  Open(
      L"<SWUI width='100' height='100'><root>"
      L" <keytaker name='k' focusable='1' dlgCode='2' pos='0,0,@20,@20'/>"
      L" <window name='x' focusable='1' pos='30,0,@20,@20'/>"
      L"</root></SWUI>");
  Find(L"k")->SetFocus();
  Key(VK_TAB);
  CHECK(Focused() == L"k");
  CHECK(Find<KeyTakerWnd>(L"k")->keys.front() == static_cast<UINT>(WM_KEYDOWN));
}

TEST_CASE_FIXTURE(
    FocusRig,
    "arrows move inside a group, wrap at both ends and are consumed even when nothing moves") {
  Open(kTabTree);
  Find(L"r2")->SetFocus();
  struct Step {
    UINT key;
    const wchar_t* focused;
  };
  for (Step step : {Step{VK_RIGHT, L"r3"}, Step{VK_DOWN, L"r1"}, Step{VK_LEFT, L"r3"},
                    Step{VK_UP, L"r2"}, Step{VK_UP, L"r1"}}) {
    Key(step.key);
    CHECK(Focused() == step.focused);
  }
  int keyDowns = 0;
  for (const wchar_t* name : {L"r1", L"r2", L"r3"}) keyDowns += Find<GroupedWnd>(name)->keyDowns;
  CHECK(keyDowns == 0);
  CHECK(Focus().GetFocusReason() == FocusReasonTraversal);

  // A group of one: nothing to move to, the key is still the group's.
  Find(L"r2")->DestroyWindow();
  Find(L"r3")->DestroyWindow();
  Find(L"r1")->SetFocus();
  Key(VK_RIGHT);
  CHECK(Focused() == L"r1");
  CHECK(Find<GroupedWnd>(L"r1")->keyDowns == 0);
}

TEST_CASE_FIXTURE(FocusRig,
                  "while the window is inactive the focus is stored and restored with reason 2") {
  OpenProbes();
  const SwndHandle p = Find(L"p")->GetSwnd();
  const SwndHandle q = Find(L"q")->GetSwnd();
  Focus().SetFocusedHwnd(p);
  probeLog.clear();

  SendMessageW(Hwnd(), WM_KILLFOCUS, 0, 0);
  CHECK(host->GetFocus() == 0u);
  CHECK(Focus().GetStoredHwnd() == p);
  REQUIRE(probeLog.size() == 1);
  CHECK(probeLog[0].msg == static_cast<UINT>(WM_KILLFOCUS));

  // Inactive: a new focus only changes what is restored.
  Focus().SetFocusedHwnd(q);
  CHECK(host->GetFocus() == 0u);
  CHECK(Focus().GetStoredHwnd() == q);
  CHECK(probeLog.size() == 1);

  SendMessageW(Hwnd(), WM_SETFOCUS, 0, 0);
  CHECK(host->GetFocus() == q);
  CHECK(Focus().GetStoredHwnd() == 0u);
  REQUIRE(probeLog.size() == 2);
  CHECK(probeLog[1].name == L"q");
  CHECK(probeLog[1].msg == static_cast<UINT>(WM_SETFOCUS));
  CHECK(probeLog[1].lParam == FocusReasonRestore);

  // Clearing the focus while inactive is remembered as "nothing", and nothing comes back.
  SendMessageW(Hwnd(), WM_KILLFOCUS, 0, 0);
  Focus().SetFocusedHwnd(0);
  CHECK(Focus().GetStoredHwnd() == CFocusManager::kNothingStored);
  SendMessageW(Hwnd(), WM_SETFOCUS, 0, 0);
  CHECK(host->GetFocus() == 0u);

  // Losing the focus with nothing focused stores all ones.
  SendMessageW(Hwnd(), WM_KILLFOCUS, 0, 0);
  CHECK(Focus().GetStoredHwnd() == CFocusManager::kNothingStored);
  SendMessageW(Hwnd(), WM_SETFOCUS, 0, 0);
  CHECK(host->GetFocus() == 0u);
  CHECK(Focus().GetStoredHwnd() == 0u);
}

TEST_CASE_FIXTURE(FocusRig,
                  "a focus asked for while the focus moves is applied after the move, in order") {
  OpenProbes();
  Focus().SetFocusedHwnd(Find(L"p")->GetSwnd());
  // p, losing the focus, sends it on to r.
  Find(L"p")->SubscribeEvent(EventKillFocus::EventID, FnSlot([&](EventArgs*) {
                               Find(L"r")->SetFocus();
                               return true;
                             }));
  probeLog.clear();
  Focus().SetFocusedHwnd(Find(L"q")->GetSwnd());
  CHECK(Focused() == L"r");
  std::vector<std::wstring> order;
  for (const ProbeEntry& e : probeLog) {
    if (e.msg == WM_SETFOCUS || e.msg == WM_KILLFOCUS) {
      order.push_back(e.name + (e.msg == WM_SETFOCUS ? L"+" : L"-"));
    }
  }
  CHECK(order == std::vector<std::wstring>{L"p-", L"q+", L"q-", L"r+"});
}

TEST_CASE_FIXTURE(FocusRig,
                  "accelerators: the target registered last is asked first; Alt with a letter "
                  "reaches the same one in either case") {
  Open(kTabTree);
  std::vector<int> log;
  AccTarget first(&log, 1, TRUE);
  AccTarget second(&log, 2, FALSE);
  const CAccelerator ctrlS('S', true, false, false);
  Focus().RegisterAccelerator(ctrlS, &first);
  Focus().RegisterAccelerator(ctrlS, &second);
  {
    HeldKeys ctrl({VK_CONTROL});
    KeyDown('S');
  }
  CHECK(log == std::vector<int>{2, 1});

  // Without Ctrl the key is no accelerator.
  log.clear();
  KeyDown('S');
  CHECK(log.empty());

  const CAccelerator altA('A', false, true, false);
  Focus().RegisterAccelerator(altA, &first);
  log.clear();
  SysChar(L'a');
  SysChar(L'A');  // Caps Lock on
  CHECK(log == std::vector<int>{1, 1});

  Focus().UnregisterAccelerator(ctrlS, &second);
  log.clear();
  {
    HeldKeys ctrl({VK_CONTROL});
    KeyDown('S');
  }
  CHECK(log == std::vector<int>{1});
  Focus().UnregisterAccelerators(&first);
  log.clear();
  SysChar(L'a');
  {
    HeldKeys ctrl({VK_CONTROL});
    KeyDown('S');
  }
  CHECK(log.empty());
}

// The system setting that shows keyboard cues at all times, set for the scope and restored.
class SystemKeyboardCues {
 public:
  explicit SystemKeyboardCues(BOOL on) {
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &saved_, 0);
    SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0,
                          reinterpret_cast<PVOID>(static_cast<INT_PTR>(on)), 0);
  }
  ~SystemKeyboardCues() {
    SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0,
                          reinterpret_cast<PVOID>(static_cast<INT_PTR>(saved_)), 0);
  }

 private:
  BOOL saved_ = FALSE;
};

TEST_CASE("focus rectangles show once the keyboard has moved the focus, unless the system always "
          "shows them") {
  for (const BOOL systemCues : {FALSE, TRUE}) {
    CAPTURE(systemCues);
    SystemKeyboardCues cues(systemCues);
    FocusRig rig;
    rig.Open(L"<SWUI width='100' height='40'><root colorBkgnd='#ffffff'>"
             L" <window name='a' focusable='1' pos='0,0,@40,@30'/>"
             L" <window name='b' focusable='1' pos='50,0,@40,@30'/>"
             L"</root></SWUI>");
    auto shown = [&rig](LPCWSTR name) {
      rig.Paint();
      return rig.CountRgb(rig.RectOf(name), 0x585858) > 0;
    };
    auto hidden = [&rig] {
      return (SendMessageW(rig.Hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    };
    CHECK(hidden() == !systemCues);
    // Clicked or set by the program: focused, the rectangle only when the system asks for it.
    rig.Click(rig.CenterOf(L"a"));
    REQUIRE(rig.Focused() == L"a");
    CHECK(shown(L"a") == (systemCues != FALSE));
    rig.Find(L"b")->SetFocus();
    CHECK(shown(L"b") == (systemCues != FALSE));
    // Tab: the rectangle shows, and stays for clicks afterwards.
    rig.Key(VK_TAB);
    REQUIRE(rig.Focused() == L"a");
    CHECK(shown(L"a"));
    CHECK_FALSE(hidden());
    rig.Click(rig.CenterOf(L"b"));
    CHECK(shown(L"b"));
    // The system's own request hides them again.
    SendMessageW(rig.Hwnd(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    CHECK_FALSE(shown(L"b"));
  }
}
