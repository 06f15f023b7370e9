#include "Screenshots.h"

#include <doctest/doctest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "CApplication.h"
#include "HostHarness.h"
#include "HidDevice/CDeviceController.h"
#include "ProgramRig.h"
#include "RenderRig.h"
#include "control/STabCtrl.h"
#include "controls/SChromeTabCtrl.h"
#include "core/SHostWnd.h"

namespace screenshots {

namespace {

struct Shot {
  std::wstring name;
  SIZE size;
};

std::vector<Shot>& Written() {
  static std::vector<Shot> shots;
  return shots;
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

}  // namespace

std::wstring Folder() { return RenderRig::FolderBesideProgram(L"..\\..\\screenshots"); }

void Shoot(SWUI::SHostWnd& host, const wchar_t* name) {
  const std::wstring path = Folder() + L"\\" + name + L".png";
  const bool saved = HostHarness::SavePngFile(host, path);
  CHECK_MESSAGE(saved, "screenshot not written: " << Narrow(name));
  if (!saved) return;
  RECT rc = {0, 0, 0, 0};
  GetClientRect(host.m_hWnd, &rc);
  Written().push_back({name, SIZE{rc.right, rc.bottom}});
}

void PrintList() {
  std::printf("Screenshots in %s:\n", Narrow(Folder()).c_str());
  for (const Shot& shot : Written()) {
    std::printf("  %s.png (%ldx%ld)\n", Narrow(shot.name).c_str(), shot.size.cx, shot.size.cy);
  }
  std::fflush(stdout);
}

void ShowTourPage(int page) {
  auto* strip = dynamic_cast<SWUI::SChromeTabCtrl*>(ProgramRig::Element(L"orv_chromeTab"));
  REQUIRE(strip != nullptr);
  strip->SetCurSel(strip->FindTabByOrdinal(page == 7 ? 1 : page));
  auto* micTabs = dynamic_cast<SWUI::STabCtrl*>(ProgramRig::Element(L"micparam_tab"));
  REQUIRE(micTabs != nullptr);
  micTabs->SetCurSel(page == 7 ? 1 : 0);
}

ProgramRig::Step ConnectAtStartValues(SimDevice& device, SIZE size) {
  return Once([&device, size] {
    CDeviceController& controller = ProgramRig::App().DeviceController();
    device.Inspect([&controller](SimProcessor& p) {
      for (auto& bank : p.banks) std::memcpy(bank, controller.CurrentImage(), sizeof bank);
      return 0;
    });
    controller.SetSessionSettleMs(0);
    ProgramRig::Element(1000)->FireCommand();
    CHECK(controller.IsConnected());
    SetWindowPos(ProgramRig::MainHwnd(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  });
}

}  // namespace screenshots
