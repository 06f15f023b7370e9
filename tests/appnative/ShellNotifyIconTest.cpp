// The tray icon's record and the shell calls it makes, through a stand-in for the shell.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "SShellNotifyIcon.h"

namespace {

struct Call {
  DWORD message;
  NOTIFYICONDATAW data;
};

// What the stand-in was asked and what it answers.
std::vector<Call> g_calls;
BOOL g_answer = TRUE;

BOOL WINAPI StandIn(DWORD message, PNOTIFYICONDATAW data) {
  g_calls.push_back(Call{message, *data});
  return g_answer;
}

struct ShellStandIn {
  ShellStandIn() {
    g_calls.clear();
    g_answer = TRUE;
    SShellNotifyIcon::BindShellNotifyIcon(StandIn);
  }
  ~ShellStandIn() { SShellNotifyIcon::BindShellNotifyIcon(nullptr); }

  HWND owner = reinterpret_cast<HWND>(0x1234);
  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
};

std::wstring Tip(const NOTIFYICONDATAW& data) { return data.szTip; }

}  // namespace

TEST_CASE_FIXTURE(ShellStandIn, "the icon is added with the record the shell expects") {
  SShellNotifyIcon tray;
  tray.Create(owner, icon, L"Tevaro");
  CHECK(g_calls.empty());
  CHECK_FALSE(tray.IsVisible());
  REQUIRE(tray.Show());
  REQUIRE(g_calls.size() == 1);
  const NOTIFYICONDATAW& sent = g_calls[0].data;
  CHECK(g_calls[0].message == NIM_ADD);
  CHECK(sent.cbSize == SShellNotifyIcon::kRecordSize);
  CHECK(sent.uID == 100);
  CHECK(sent.uFlags == 7);
  CHECK(sent.uCallbackMessage == 2125);
  CHECK(sent.hWnd == owner);
  CHECK(sent.hIcon == icon);
  CHECK(Tip(sent) == L"Tevaro");
  CHECK(tray.IsVisible());
}

TEST_CASE_FIXTURE(ShellStandIn, "a tip of 200 characters keeps its first 127") {
  std::wstring long200;
  for (int i = 0; i < 200; ++i) long200 += static_cast<wchar_t>(L'a' + i % 26);
  SShellNotifyIcon tray;
  tray.Create(owner, icon, long200.c_str());
  CHECK(Tip(tray.GetData()) == long200.substr(0, 127));
  CHECK(tray.SetTip(long200.c_str()));
  CHECK(Tip(tray.GetData()) == long200.substr(0, 127));
  CHECK(tray.SetTip(nullptr));
  CHECK(Tip(tray.GetData()).empty());
}

TEST_CASE_FIXTURE(ShellStandIn, "a tip set before showing changes only the record; a shown icon is updated") {
  SShellNotifyIcon tray;
  tray.Create(owner, icon, L"old");
  CHECK(tray.SetTip(L"new"));
  CHECK(g_calls.empty());
  REQUIRE(tray.Show());
  CHECK(Tip(g_calls.back().data) == L"new");

  CHECK(tray.SetTip(L"newer"));
  REQUIRE(g_calls.size() == 2);
  CHECK(g_calls[1].message == NIM_MODIFY);
  CHECK(Tip(g_calls[1].data) == L"newer");
  g_answer = FALSE;
  CHECK_FALSE(tray.SetTip(L"refused"));
  CHECK(tray.IsVisible());
}

TEST_CASE_FIXTURE(ShellStandIn, "hiding and destruction remove the icon only while it is shown") {
  {
    SShellNotifyIcon tray;
    tray.Create(owner, icon, L"tip");
    REQUIRE(tray.Show());
    g_answer = FALSE;
    CHECK_FALSE(tray.Hide());
    CHECK(tray.IsVisible());
    g_answer = TRUE;
    CHECK(tray.Hide());
    CHECK_FALSE(tray.IsVisible());
    CHECK(g_calls.back().message == NIM_DELETE);
    CHECK(g_calls.back().data.uID == 100);
    g_calls.clear();
  }
  CHECK(g_calls.empty());  // hidden: nothing to remove
  {
    SShellNotifyIcon tray;
    tray.Create(owner, icon, L"tip");
    REQUIRE(tray.Show());
    g_calls.clear();
  }
  REQUIRE(g_calls.size() == 1);
  CHECK(g_calls[0].message == NIM_DELETE);
}

TEST_CASE("the shell itself refuses the icon without a display") {
  SShellNotifyIcon tray;
  tray.Create(nullptr, LoadIconW(nullptr, IDI_APPLICATION), L"Tevaro");
  const BOOL shown = tray.Show();
  CHECK_FALSE(shown);
  CHECK_FALSE(tray.IsVisible());
  if (shown) tray.Hide();
}
