#include "PrivateDesktop.h"

#include <cwchar>

PrivateDesktop::PrivateDesktop(const wchar_t* prefix) {
  wchar_t name[64];
  swprintf(name, 64, L"%ls%lu", prefix, GetCurrentProcessId());
  desk_ = CreateDesktopW(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (desk_ != nullptr) SetThreadDesktop(desk_);
}

PrivateDesktop::~PrivateDesktop() {
  // The thread keeps the desktop to its end: its windows live on it.
}
