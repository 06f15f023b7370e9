#include "NetworkDialogRig.h"

#include <doctest/doctest.h>

#include <string>

#include "CApplication.h"
#include "CMainDlg.h"
#include "control/SComboBox.h"
#include "control/SListBox.h"
#include "core/SWindow.h"

using SWUI::SWindow;

NetworkDialogRig::NetworkDialogRig() : dev(rig.PlugProcessor()) {
  rig.WriteSettings("[Config]\r\nLang = 1\r\n");
}

void NetworkDialogRig::Run(std::function<void()> body, DWORD timeoutMs) {
  CHECK(rig.Run({Once([] {
                   CDeviceController& controller = ProgramRig::App().DeviceController();
                   controller.SetSessionSettleMs(0);
                   REQUIRE(controller.ConnectDevice());
                 }),
                 Once(body)},
                timeoutMs) == 0);
  CHECK_FALSE(rig.TimedOut());
}

std::vector<std::wstring> NetworkDialogRig::Prompts() const {
  std::vector<std::wstring> texts;
  for (const ShownMessageBox& box : rig.boxes) texts.push_back(box.text);
  return texts;
}

void NetworkDialogRig::SetUpNetworks(uint8_t state, std::vector<std::string> list,
                                     const std::string& joined) {
  dev.Inspect([&](SimProcessor& p) {
    p.wifiState = state;
    p.wifiList = list;
    p.wifiConnected = joined;
  });
}

INT_PTR RunDialog(NetworkDlg& dlg, std::vector<PolledSteps::Step> steps, DWORD timeoutMs) {
  steps.push_back([&dlg] {
    if (dlg.GetResult() == SWUI::SHostDialog::kRunning) Press(dlg, L"btn_close");
    return true;
  });
  PolledSteps driver(std::move(steps), timeoutMs, [&dlg] { dlg.EndDialog(IDABORT); });
  const INT_PTR code = dlg.DoModal(ProgramRig::MainHwnd());
  CHECK_MESSAGE(!driver.TimedOut(), "the dialog's steps did not finish, at step "
                                        << driver.StepsDone());
  return code;
}

SWindow* Element(NetworkDlg& dlg, const wchar_t* name) {
  SWindow* found = dlg.GetRoot()->FindChildByName(name);
  REQUIRE_MESSAGE(found != nullptr,
                  "no element named " << std::string(SWUI::StringW2A(SWUI::SStringW(name)).c_str()));
  return found;
}

SWindow* Element(NetworkDlg& dlg, int id) {
  SWindow* found = dlg.GetRoot()->FindChildByID(id);
  REQUIRE_MESSAGE(found != nullptr, "no element with id " << id);
  return found;
}

bool Shown(NetworkDlg& dlg, const wchar_t* name) {
  return Element(dlg, name)->IsVisible(TRUE) != FALSE;
}

std::wstring TextOf(SWindow* element) { return element->GetWindowText(TRUE).c_str(); }

std::wstring Page(NetworkDlg& dlg) {
  std::wstring page;
  int count = 0;
  const std::pair<const wchar_t*, const wchar_t*> pages[] = {
      {L"APWnd", L"AP"}, {L"STAWnd", L"STA"}, {L"LoadingWnd", L"Loading"}};
  for (const auto& p : pages) {
    if (Shown(dlg, p.first)) {
      page = p.second;
      ++count;
    }
  }
  return count > 1 ? L"many" : page;
}

std::vector<std::wstring> ListItems(NetworkDlg& dlg) {
  auto* combo = dynamic_cast<SWUI::SComboBox*>(Element(dlg, L"wifiname_list"));
  REQUIRE(combo != nullptr);
  REQUIRE(combo->GetListBox() != nullptr);
  std::vector<std::wstring> items;
  for (int i = 0; i < combo->GetListBox()->GetCount(); ++i) {
    items.push_back(combo->GetListBox()->GetText(i, TRUE).c_str());
  }
  return items;
}

void Choose(NetworkDlg& dlg, int radioId) { Element(dlg, radioId)->SetCheck(TRUE); }

void Toggle(NetworkDlg& dlg, int checkId) {
  SWindow* check = Element(dlg, checkId);
  check->SetCheck(!check->IsChecked());
  check->FireCommand();
}

void Press(NetworkDlg& dlg, const wchar_t* name) { Element(dlg, name)->FireCommand(); }

void Type(NetworkDlg& dlg, const wchar_t* name, const wchar_t* text) {
  Element(dlg, name)->SetWindowText(text);
}
