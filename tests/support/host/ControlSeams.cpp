#include "ControlSeams.h"

#include <doctest/doctest.h>

#include "control/SCaption.h"
#include "control/SLink.h"

using namespace SWUI;

namespace {

LinkLaunches* g_launches = nullptr;
CaptionCommands* g_commands = nullptr;

HINSTANCE WINAPI RecordLaunch(HWND hwnd, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                              LPCWSTR directory, INT show) {
  const bool bare = hwnd == nullptr && parameters == nullptr && directory == nullptr;
  g_launches->launches.push_back(LinkLaunches::Launch{operation != nullptr ? operation : L"",
                                                      file != nullptr ? file : L"", show, bare});
  return reinterpret_cast<HINSTANCE>(33);  // above 32: success
}

LRESULT WINAPI RecordSend(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  g_commands->sent.push_back(CaptionCommands::Sent{hwnd, msg, wParam, lParam});
  return 0;
}

BOOL WINAPI ReportVersion(LPOSVERSIONINFOW info) {
  REQUIRE(info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXW));
  auto* ex = reinterpret_cast<OSVERSIONINFOEXW*>(info);
  ex->dwMajorVersion = g_commands->major;
  ex->dwMinorVersion = 1;
  ex->wProductType = g_commands->product;
  return TRUE;
}

}  // namespace

LinkLaunches::LinkLaunches() {
  REQUIRE(g_launches == nullptr);
  g_launches = this;
  SLink::BindShellExecute(RecordLaunch);
}

LinkLaunches::~LinkLaunches() {
  SLink::BindShellExecute(nullptr);
  g_launches = nullptr;
}

CaptionCommands::CaptionCommands() {
  REQUIRE(g_commands == nullptr);
  g_commands = this;
  SCaption::BindSendMessage(RecordSend);
  SCaption::BindGetVersionEx(ReportVersion);
}

CaptionCommands::~CaptionCommands() {
  SCaption::BindSendMessage(nullptr);
  SCaption::BindGetVersionEx(nullptr);
  g_commands = nullptr;
}
