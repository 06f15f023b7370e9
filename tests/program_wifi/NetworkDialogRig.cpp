#include "NetworkDialogRig.h"

#include <doctest/doctest.h>

#include "CApplication.h"
#include "control/SComboBox.h"
#include "control/SListBox.h"
#include "core/SWindow.h"

using SWUI::SWindow;

NetworkDialogRig::NetworkDialogRig() : dev(rig.PlugProcessor()) {
  rig.WriteSettings("[Config]\r\nLang = 1\r\n");
}

void NetworkDialogRig::Run(Steps steps, DWORD timeoutMs) {
  steps.insert(steps.begin(), Once([] {
                 CDeviceController& controller = ProgramRig::App().DeviceController();
                 controller.SetSessionSettleMs(0);
                 REQUIRE(controller.ConnectDevice());
               }));
  CHECK(rig.Run(std::move(steps), timeoutMs) == 0);
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

Steps OpenDialog() {
  return {Once([] { ProgramRig::Defer([] { CDlgSetNetWork::Open(ProgramRig::MainHwnd()); }); }),
          Until(DialogOpen)};
}

Steps CloseDialog() {
  return {Once([] { Press(L"btn_close"); }), Until([] { return !DialogOpen(); })};
}

Steps Join(std::initializer_list<Steps> parts) {
  Steps all;
  for (const Steps& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

bool DialogOpen() { return dynamic_cast<NetworkDlg*>(ProgramRig::OwnedDialog()) != nullptr; }

NetworkDlg& Dialog() {
  auto* dialog = dynamic_cast<NetworkDlg*>(ProgramRig::OwnedDialog());
  REQUIRE(dialog != nullptr);
  return *dialog;
}

CDlgSetNetWork& Handler() {
  REQUIRE(Dialog().Handler() != nullptr);
  return *Dialog().Handler();
}

SWindow* Element(const wchar_t* name) {
  SWindow* found = Dialog().GetRoot()->FindChildByName(name);
  const std::string narrow = SWUI::StringW2A(SWUI::SStringW(name)).c_str();
  REQUIRE_MESSAGE(found != nullptr, "no element named " << narrow);
  return found;
}

SWindow* Element(int id) {
  SWindow* found = Dialog().GetRoot()->FindChildByID(id);
  REQUIRE_MESSAGE(found != nullptr, "no element with id " << id);
  return found;
}

bool Shown(const wchar_t* name) { return Element(name)->IsVisible(TRUE) != FALSE; }

std::wstring TextOf(SWindow* element) { return element->GetWindowText(TRUE).c_str(); }

std::wstring Page() {
  std::wstring page;
  int count = 0;
  const std::pair<const wchar_t*, const wchar_t*> pages[] = {
      {L"APWnd", L"AP"}, {L"STAWnd", L"STA"}, {L"LoadingWnd", L"Loading"}};
  for (const auto& p : pages) {
    if (Shown(p.first)) {
      page = p.second;
      ++count;
    }
  }
  return count > 1 ? L"many" : page;
}

std::vector<std::wstring> ListItems() {
  auto* combo = dynamic_cast<SWUI::SComboBox*>(Element(L"wifiname_list"));
  REQUIRE(combo != nullptr);
  REQUIRE(combo->GetListBox() != nullptr);
  std::vector<std::wstring> items;
  for (int i = 0; i < combo->GetListBox()->GetCount(); ++i) {
    items.push_back(combo->GetListBox()->GetText(i, TRUE).c_str());
  }
  return items;
}

void Choose(int radioId) { Element(radioId)->SetCheck(TRUE); }

void Toggle(int checkId) {
  SWindow* check = Element(checkId);
  check->SetCheck(!check->IsChecked());
  check->FireCommand();
}

void Press(const wchar_t* name) { Element(name)->FireCommand(); }

void Type(const wchar_t* name, const wchar_t* text) { Element(name)->SetWindowText(text); }
