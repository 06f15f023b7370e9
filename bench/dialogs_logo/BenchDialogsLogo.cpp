// From DoModal to the first paint of the logo image dialog (an empty list, and a list of 12 PNG
// images decoded when it opens, half of them larger than a cell) and of the progress dialog, each
// against a bare host dialog of its size (the framework's dialog with an empty root), medians of 15
// alternating runs. The application runs without its main window over a temporary data folder.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AppSeams.h"
#include "CApplication.h"
#include "CCommonDlg.h"
#include "CDlgProgress.h"
#include "CDlgSetLogoImage.h"
#include "DialogFirstPaint.h"
#include "PngFixtures.h"
#include "TempFile.h"

namespace {

std::wstring g_root;

HRESULT WINAPI TempFolder(HWND, int, HANDLE, DWORD, LPWSTR path) {
  wcsncpy(path, g_root.c_str(), MAX_PATH - 1);
  path[MAX_PATH - 1] = L'\0';
  return S_OK;
}

int NoBox(HWND, LPCWSTR, LPCWSTR, UINT) { return IDOK; }
int WINAPI NoSystemBox(HWND, LPCWSTR, LPCWSTR, UINT) { return IDOK; }
BOOL WINAPI NoFile(LPOPENFILENAMEW) { return FALSE; }

bool WriteFileBytes(const std::wstring& path, const std::vector<BYTE>& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                  done == bytes.size();
  CloseHandle(file);
  return ok;
}

// Twelve PNG images in the list, 64 x 38 and 200 x 120 in turn.
bool FillList() {
  const std::wstring list = g_root + L"\\" + CApplication::kDataFolderName + L"\\ImageCfg.ini";
  DeleteFileW(list.c_str());
  LogoImageList images(list);
  if (!images.EnsureFile()) return false;
  for (int i = 0; i < 12; ++i) {
    const UINT side = i % 2 == 0 ? 64 : 200;
    const std::vector<BYTE> png = fixtures::EncodePng(
        fixtures::Fill(side, side * 3 / 5, {static_cast<BYTE>(i * 20), 80, 200, 255}));
    const std::wstring path = g_root + L"\\image" + std::to_wstring(i) + L".png";
    if (!WriteFileBytes(path, png) || !images.Add(path)) return false;
  }
  return images.Save();
}

}  // namespace

int main() {
  g_root = fixtures::TempPath(L"bench_dialogs_logo");
  fixtures::RemoveTree(g_root);
  CreateDirectoryW(g_root.c_str(), nullptr);
  const AppSeams seams = {&TempFolder, &NoBox, &NoSystemBox, &NoFile, &NoFile};
  AppSeams::Bind(&seams);
  if (!CApplication::Get().InitApp(GetModuleHandleW(nullptr))) {
    printf("InitApp failed\n");
    return 1;
  }
  using LogoDlg = CCommonDlg<CDlgSetLogoImage>;
  bench::CompareFirstPaint<LogoDlg>("logo dialog, empty list: DoModal to paint",
                                    L"LAYOUT:XML_SETLOGO", L"LAYOUT:BENCH_BARE_480X360");
  if (FillList()) {
    bench::CompareFirstPaint<LogoDlg>("logo dialog, 12 images: DoModal to paint",
                                      L"LAYOUT:XML_SETLOGO", L"LAYOUT:BENCH_BARE_480X360");
  } else {
    printf("the image list could not be written\n");
  }
  bench::CompareFirstPaint<CDlgProgress>("progress dialog: DoModal to paint",
                                         L"LAYOUT:XML_PROGRESS", L"LAYOUT:BENCH_BARE_320X110");
  CApplication::Destroy();
  AppSeams::Bind(nullptr);
  fixtures::RemoveTree(g_root);
  return 0;
}
