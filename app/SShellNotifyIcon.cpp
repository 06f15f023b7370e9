#include "SShellNotifyIcon.h"

#include <cstddef>
#include <cwchar>

// The record the shell reads ends with the GUID; newer fields are left out.
static_assert(offsetof(NOTIFYICONDATAW, guidItem) + sizeof(GUID) ==
                  SShellNotifyIcon::kRecordSize,
              "NOTIFYICONDATAW up to guidItem is 952 bytes (968 on 64-bit)");
static_assert(sizeof(NOTIFYICONDATAW::szTip) / sizeof(wchar_t) == SShellNotifyIcon::kMaxTipLength + 1,
              "the tip holds 127 characters and the terminator");

namespace {

SShellNotifyIcon::ShellNotifyIconFn g_shellNotifyIcon = Shell_NotifyIconW;

}  // namespace

void SShellNotifyIcon::BindShellNotifyIcon(ShellNotifyIconFn fn) {
  g_shellNotifyIcon = fn != nullptr ? fn : Shell_NotifyIconW;
}

SShellNotifyIcon::SShellNotifyIcon() : m_data() {}

SShellNotifyIcon::~SShellNotifyIcon() {
  if (m_visible != 0 && Call(NIM_DELETE, &m_data)) m_visible = 0;
}

void SShellNotifyIcon::Create(HWND owner, HICON icon, const wchar_t* tip) {
  m_data.cbSize = kRecordSize;
  m_data.hWnd = owner;
  m_data.uID = kIconId;
  m_data.uFlags = kFlags;
  m_data.uCallbackMessage = kCallbackMessage;
  m_data.hIcon = icon;
  SetTip(tip);
}

BOOL SShellNotifyIcon::Show() {
  if (!Call(NIM_ADD, &m_data)) return FALSE;
  m_visible = 1;
  return TRUE;
}

BOOL SShellNotifyIcon::SetTip(const wchar_t* tip) {
  wcsncpy(m_data.szTip, tip != nullptr ? tip : L"", kMaxTipLength);
  m_data.szTip[kMaxTipLength] = 0;
  if (m_visible == 0) return TRUE;
  return Call(NIM_MODIFY, &m_data);
}

BOOL SShellNotifyIcon::Hide() {
  const BOOL ok = Call(NIM_DELETE, &m_data);
  if (ok) m_visible = 0;
  return ok;
}

BOOL SShellNotifyIcon::Call(DWORD message, NOTIFYICONDATAW* data) {
  return g_shellNotifyIcon(message, data);
}
