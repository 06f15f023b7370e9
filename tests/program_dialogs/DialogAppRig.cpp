#include "DialogAppRig.h"

#include <doctest/doctest.h>

#include <cwchar>
#include <fstream>
#include <iterator>

#include "CApplication.h"
#include "TempFile.h"
#include "controls/CTipWnd.h"
#include "core/SMessageBoxImpl.h"

namespace {

DialogAppRig* g_rig = nullptr;

}  // namespace

DialogAppRig::DialogAppRig() {
  static int counter = 0;
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  root_ = std::wstring(base) + L"tevaro_dialogs_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          std::to_wstring(counter++);
  fixtures::RemoveTree(root_);
  CreateDirectoryW(root_.c_str(), nullptr);
  seams_ = {&DialogAppRig::GetFolderPath, &DialogAppRig::FrameworkBox, &DialogAppRig::SystemBox,
            &DialogAppRig::OpenFile, &DialogAppRig::SaveFile};
  AppSeams::Bind(&seams_);
  SWUI::SMessageBoxImpl::BindSystemMessageBox(&DialogAppRig::SystemBox);
  g_rig = this;
  REQUIRE(CApplication::Get().InitApp(GetModuleHandleW(nullptr)));
}

DialogAppRig::~DialogAppRig() {
  CTipWnd::HideTip();
  CApplication::Destroy();
  g_rig = nullptr;
  SWUI::SMessageBoxImpl::BindSystemMessageBox(nullptr);
  AppSeams::Bind(nullptr);
  fixtures::RemoveTree(root_);
}

std::wstring DialogAppRig::DataFolder() const {
  return root_ + L"\\" + CApplication::kDataFolderName;
}

std::wstring DialogAppRig::ListFile() const { return DataFolder() + L"\\ImageCfg.ini"; }

std::wstring DialogAppRig::Folder(const std::wstring& name) const {
  const std::wstring folder = root_ + L"\\" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

HRESULT WINAPI DialogAppRig::GetFolderPath(HWND, int, HANDLE, DWORD, LPWSTR path) {
  if (g_rig == nullptr) return E_FAIL;
  wcsncpy(path, g_rig->root_.c_str(), MAX_PATH - 1);
  path[MAX_PATH - 1] = L'\0';
  return S_OK;
}

int DialogAppRig::FrameworkBox(HWND, LPCWSTR text, LPCWSTR, UINT) {
  if (g_rig != nullptr) g_rig->boxes.push_back(text != nullptr ? text : L"");
  return IDOK;
}

int WINAPI DialogAppRig::SystemBox(HWND, LPCWSTR text, LPCWSTR, UINT) {
  if (g_rig != nullptr) g_rig->boxes.push_back(text != nullptr ? text : L"");
  return IDOK;
}

BOOL WINAPI DialogAppRig::OpenFile(LPOPENFILENAMEW dialog) {
  if (g_rig == nullptr) return FALSE;
  FileDialogCall call{L"", L"", dialog->Flags};
  for (const wchar_t* part = dialog->lpstrFilter; part != nullptr && *part != L'\0';
       part += wcslen(part) + 1) {
    call.filter.append(part, wcslen(part) + 1);
  }
  if (dialog->lpstrDefExt != nullptr) call.defaultExtension = dialog->lpstrDefExt;
  g_rig->fileDialogs.push_back(call);
  if (g_rig->fileAnswers.empty()) return FALSE;
  const std::wstring path = g_rig->fileAnswers.front();
  g_rig->fileAnswers.pop_front();
  if (dialog->lpstrFile == nullptr || path.size() >= dialog->nMaxFile) return FALSE;
  wcscpy(dialog->lpstrFile, path.c_str());
  return TRUE;
}

BOOL WINAPI DialogAppRig::SaveFile(LPOPENFILENAMEW) { return FALSE; }

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
  file << bytes;
  return static_cast<bool>(file);
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Utf16File(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  return bytes;
}

FileHeld::FileHeld(const std::wstring& path)
    : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {
  REQUIRE(handle_ != INVALID_HANDLE_VALUE);
}

FileHeld::~FileHeld() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}
