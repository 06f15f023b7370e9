// Captions move, maximise and restore their host window through the system commands; the
// commands and the version test go through the caption's seams.
#include <doctest/doctest.h>

#include <vector>

#include "ControlSeams.h"
#include "CtrlRig.h"

using namespace SWUI;

namespace {

// A caption in a top-level host window of the given style, maximised or not, with the seams
// recording for its lifetime.
struct CaptionRig {
  CaptionRig(DWORD style, bool maximised) {
    host = CreateWindowExW(0, L"STATIC", L"host", style, 0, 0, 300, 200, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    REQUIRE(host != nullptr);
    if (maximised) ShowWindow(host, SW_MAXIMIZE);
    REQUIRE((IsZoomed(host) != FALSE) == maximised);
    rig.container.hostWindow = host;
    rig.Load(L"<root><caption name='cap' pos='0,0,-0,30'/></root>");
    cap = rig.Find<SCaption>(L"cap");
  }
  ~CaptionRig() { DestroyWindow(host); }

  CaptionCommands commands;
  CtrlRig rig;
  HWND host = nullptr;
  SCaption* cap = nullptr;
};

}  // namespace

TEST_CASE("a press on the caption moves the window, then gives the host the release") {
  CaptionRig t(WS_OVERLAPPEDWINDOW, false);
  Send(t.cap, WM_LBUTTONDOWN, 40, 12, MK_LBUTTON);
  REQUIRE(t.commands.sent.size() == 2);
  CHECK(t.commands.sent[0].hwnd == t.host);
  CHECK(t.commands.sent[0].msg == WM_SYSCOMMAND);
  CHECK(t.commands.sent[0].wParam == 0xF012u);
  CHECK(t.commands.sent[1].msg == WM_LBUTTONUP);
  CHECK(t.commands.sent[1].wParam == static_cast<WPARAM>(MK_LBUTTON));
  CHECK(t.commands.sent[1].lParam == MAKELPARAM(40, 12));
  CHECK_FALSE(t.cap->IsWaitingForMove());
}

TEST_CASE("a double click maximises or restores, only with a sizing frame and a maximise box") {
  struct Case {
    DWORD style;
    bool maximised;
    std::vector<WPARAM> commands;
  } cases[] = {
      {WS_OVERLAPPEDWINDOW, false, {0xF032}},
      {WS_OVERLAPPEDWINDOW, true, {0xF122}},
      {WS_OVERLAPPEDWINDOW & ~WS_THICKFRAME, false, {}},
      {WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, false, {}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.style);
    CAPTURE(c.maximised);
    CaptionRig t(c.style, c.maximised);
    Send(t.cap, WM_LBUTTONDBLCLK, 10, 10);
    REQUIRE(t.commands.sent.size() == c.commands.size());
    for (size_t i = 0; i < c.commands.size(); ++i) {
      CHECK(t.commands.sent[i].msg == WM_SYSCOMMAND);
      CHECK(t.commands.sent[i].wParam == c.commands[i]);
    }
  }
}

TEST_CASE("on a maximised window the press waits for a move, which moves it on version 6 only") {
  struct Case {
    DWORD major;
    BYTE product;
    bool moves;
  } cases[] = {
      {6, VER_NT_WORKSTATION, true}, {10, VER_NT_WORKSTATION, false}, {6, VER_NT_SERVER, false}};
  for (const Case& c : cases) {
    CAPTURE(c.major);
    CaptionRig t(WS_OVERLAPPEDWINDOW, true);
    t.commands.major = c.major;
    t.commands.product = c.product;
    Send(t.cap, WM_LBUTTONDOWN, 40, 12);
    CHECK(t.commands.sent.empty());
    CHECK(t.cap->IsWaitingForMove());
    Send(t.cap, WM_MOUSEMOVE, 45, 12);
    CHECK(t.commands.sent.size() == (c.moves ? 1u : 0u));
    if (c.moves) CHECK(t.commands.sent[0].wParam == 0xF012u);
    CHECK(t.cap->IsWaitingForMove() == !c.moves);
    Send(t.cap, WM_LBUTTONUP, 45, 12);
    CHECK_FALSE(t.cap->IsWaitingForMove());
  }
}
