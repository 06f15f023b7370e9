#include "AxTestRegistration.h"

#include <ole2.h>

#include "AxTestControl.h"

namespace {

const CLSID* const kRegistered[] = {&kClsidAxWindowless, &kClsidAxSiteFirst, &kClsidAxInvisible,
                                    &kClsidAxWindowed};

std::wstring LoadedDllPath() {
  HMODULE module = GetModuleHandleW(kAxTestDll);
  if (module == nullptr) return std::wstring();
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
}

}  // namespace

std::wstring GuidText(REFGUID guid) {
  wchar_t text[64];
  return StringFromGUID2(guid, text, 64) > 0 ? std::wstring(text) : std::wstring();
}

AxTestRegistration::AxTestRegistration(HKEY root, const wchar_t* prefix)
    : root_(root), prefix_(prefix), dllPath_(LoadedDllPath()) {
  if (dllPath_.empty()) return;
  ok_ = true;
  for (const CLSID* clsid : kRegistered) {
    const std::wstring server = prefix_ + L"CLSID\\" + GuidText(*clsid) + L"\\InprocServer32";
    ok_ = Write(server, nullptr, dllPath_) && Write(server, L"ThreadingModel", L"Apartment") && ok_;
  }
  ok_ = Write(prefix_ + kAxTestProgId + L"\\CLSID", nullptr, GuidText(kClsidAxWindowless)) && ok_;
}

AxTestRegistration::~AxTestRegistration() {
  for (const CLSID* clsid : kRegistered) {
    RegDeleteTreeW(root_, (prefix_ + L"CLSID\\" + GuidText(*clsid)).c_str());
  }
  RegDeleteTreeW(root_, (prefix_ + kAxTestProgId).c_str());
}

bool AxTestRegistration::Write(const std::wstring& key, const wchar_t* name,
                               const std::wstring& value) {
  HKEY hkey = nullptr;
  if (RegCreateKeyExW(root_, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hkey, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  const bool written = RegSetValueExW(hkey, name, 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(value.c_str()),
                                      bytes) == ERROR_SUCCESS;
  RegCloseKey(hkey);
  return written;
}
