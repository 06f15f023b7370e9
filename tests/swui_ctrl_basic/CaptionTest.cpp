// Captions move, maximise and restore their host window through the system commands; the
// commands and the version test go through the caption's seams.
#include <doctest/doctest.h>

#include <vector>

#include "CtrlRig.h"

using namespace SWUI;

namespace {

struct Sent {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Sent> g_sent;
DWORD g_major = 6;
BYTE g_product = VER_NT_WORKSTATION;

LRESULT WINAPI RecordSend(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  g_sent.push_back(Sent{hwnd, msg, wParam, lParam});
  return 0;
}

BOOL WINAPI FakeVersion(LPOSVERSIONINFOW info) {
  REQUIRE(info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXW));
  auto* ex = reinterpret_cast<OSVERSIONINFOEXW*>(info);
  ex->dwMajorVersion = g_major;
  ex->dwMinorVersion = 1;
  ex->wProductType = g_product;
  return TRUE;
}

// A caption in a top-level host window of the given style, maximised or not, with the seams
// bound for its lifetime.
struct CaptionRig {
  CaptionRig(DWORD style, bool maximised) {
    g_sent.clear();
    g_major = 6;
    g_product = VER_NT_WORKSTATION;
    SCaption::BindSendMessage(RecordSend);
    SCaption::BindGetVersionEx(FakeVersion);
    host = CreateWindowExW(0, L"STATIC", L"host", style, 0, 0, 300, 200, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    REQUIRE(host != nullptr);
    if (maximised) ShowWindow(host, SW_MAXIMIZE);
    REQUIRE((IsZoomed(host) != FALSE) == maximised);
    rig.container.hostWindow = host;
    rig.Load(L"<root><caption name='cap' pos='0,0,-0,30'/></root>");
    cap = rig.Find<SCaption>(L"cap");
  }
  ~CaptionRig() {
    SCaption::BindSendMessage(nullptr);
    SCaption::BindGetVersionEx(nullptr);
    DestroyWindow(host);
  }

  CtrlRig rig;
  HWND host = nullptr;
  SCaption* cap = nullptr;
};

}  // namespace

TEST_CASE("a press on the caption moves the window, then gives the host the release") {
  CaptionRig t(WS_OVERLAPPEDWINDOW, false);
  Send(t.cap, WM_LBUTTONDOWN, 40, 12, MK_LBUTTON);
  REQUIRE(g_sent.size() == 2);
  CHECK(g_sent[0].hwnd == t.host);
  CHECK(g_sent[0].msg == WM_SYSCOMMAND);
  CHECK(g_sent[0].wParam == 0xF012u);
  CHECK(g_sent[1].msg == WM_LBUTTONUP);
  CHECK(g_sent[1].wParam == static_cast<WPARAM>(MK_LBUTTON));
  CHECK(g_sent[1].lParam == MAKELPARAM(40, 12));
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
    REQUIRE(g_sent.size() == c.commands.size());
    for (size_t i = 0; i < c.commands.size(); ++i) {
      CHECK(g_sent[i].msg == WM_SYSCOMMAND);
      CHECK(g_sent[i].wParam == c.commands[i]);
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
    g_major = c.major;
    g_product = c.product;
    Send(t.cap, WM_LBUTTONDOWN, 40, 12);
    CHECK(g_sent.empty());
    CHECK(t.cap->IsWaitingForMove());
    Send(t.cap, WM_MOUSEMOVE, 45, 12);
    CHECK(g_sent.size() == (c.moves ? 1u : 0u));
    if (c.moves) CHECK(g_sent[0].wParam == 0xF012u);
    CHECK(t.cap->IsWaitingForMove() == !c.moves);
    Send(t.cap, WM_LBUTTONUP, 45, 12);
    CHECK_FALSE(t.cap->IsWaitingForMove());
  }
}
