// Figures of the program's menu dialogs: the login, the password change, the volume limits, the
// device modes, the network settings (opened on its access-point page, asking the device nothing)
// and About, each from DoModal to its first paint beside a bare host dialog of its size
// (a root of one colour, nothing in it), medians of 15 alternating runs. The framework starts as
// the program starts it (InitApp, no device present, so the device modes list no names).
#include <windows.h>
// After windows.h, which it needs.
#include <gdiplus.h>

#include <cstdio>

#include "CApplication.h"
#include "CCommonDlg.h"
#include "CDlgChangePwdEventHandler.h"
#include "CDlgDeviceModeEventHandler.h"
#include "CDlgLoginEventHandler.h"
#include "CDlgSetNetWork.h"
#include "CDlgVolumeLimitEventHandler.h"
#include "DialogFirstPaint.h"
#include "core/SHostDialog.h"

int wmain() {
  OleInitialize(nullptr);
  ULONG_PTR gdiplus = 0;
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr) != Gdiplus::Ok) gdiplus = 0;

  if (CApplication::Get().InitApp(GetModuleHandleW(nullptr))) {
    bench::CompareFirstPaint<CCommonDlg<CDlgLoginEventHandler>>(
        "login: DoModal to paint", L"LAYOUT:XML_LOGIN", L"LAYOUT:BARE_340x140");
    bench::CompareFirstPaint<CCommonDlg<CDlgChangePwdEventHandler>>(
        "change password: DoModal to paint", L"XML_CHANGEPWD", L"LAYOUT:BARE_340x214");
    bench::CompareFirstPaint<CCommonDlg<CDlgVolumeLimitEventHandler>>(
        "volume limit: DoModal to paint", L"LAYOUT:XML_VOLUMELIMIT", L"LAYOUT:BARE_340x290");
    bench::CompareFirstPaint<CCommonDlg<CDlgDeviceModeEventHandler>>(
        "device mode (no device): DoModal to paint", L"XML_DEVICEMODE", L"LAYOUT:BARE_350x150");
    bench::CompareFirstPaint<CCommonDlg<CDlgSetNetWork>>(
        "network settings: DoModal to paint", CDlgSetNetWork::kLayout, L"LAYOUT:BARE_430x330");
    bench::CompareFirstPaint<SWUI::SHostDialog>("about: DoModal to paint", L"LAYOUT:XML_ABOUT",
                                                L"LAYOUT:BARE_340x190");
  } else {
    printf("InitApp failed\n");
  }
  CApplication::Destroy();

  if (gdiplus != 0) Gdiplus::GdiplusShutdown(gdiplus);
  OleUninitialize();
  return 0;
}
