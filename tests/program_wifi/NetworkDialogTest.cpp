// The network dialog's pages and looks, Apply's checks, the settings block that reaches the
// device, the results, the joined look and the explain window, against the simulated processor.
#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "HidDevice/CommandReport.h"
#include "HostHarness.h"
#include "NetworkDialogRig.h"
#include "control/SComboBox.h"
#include "controls/SIPAddressCtrl.h"
#include "core/SWindow.h"

using SWUI::SWindow;

namespace {

// The STA page's look in one line: the list (enabled, background), the password cover, the
// status text shown, the joined name and the two buttons.
std::wstring Look() {
  auto* list = static_cast<SWUI::SComboBox*>(Element(L"wifiname_list"));
  REQUIRE(list->GetEditCtrl() != nullptr);
  // Grey while joined, else the edits' own background (the password edit's).
  const COLORREF own = Element(L"txt_password2_input")->GetStyle().GetBkgndColor();
  const COLORREF field = list->GetStyle().GetBkgndColor();
  const COLORREF edit = list->GetEditCtrl()->GetStyle().GetBkgndColor();
  std::wstring look = list->IsDisabled() ? L"list:off" : L"list:on";
  look += (field & 0xFFFFFF) == 0xBFBFBF && (edit & 0xFFFFFF) == 0xBFBFBF ? L" grey"
          : field == own && edit == own                                    ? L" own"
                                                                           : L" other";
  look += Shown(L"stapasswordunableWnd") ? L" covered" : L" open";
  const bool joined = Shown(L"txt_connectstatu");
  const bool free = Shown(L"txt_notconnectstatu");
  look += joined && !free ? L" joined" : free && !joined ? L" not-joined" : L" status?";
  look += L" '" + TextOf(Element(L"connecting_name")) + L"'";
  if (Shown(L"btnDisconnect")) look += L" [" + TextOf(Element(L"btnDisconnect")) + L"]";
  if (Shown(L"btnConnect")) look += L" [Connect Wifi]";
  return look;
}

const wchar_t* const kJoinedA = L"list:off grey covered joined 'A' [Disconnect]";
const wchar_t* const kNotJoined = L"list:on own open not-joined ''";

// The settings request the device received last (all 64 bytes).
SimDevice::Report LastSettings(SimDevice& dev) {
  SimDevice::Report last{};
  for (const SimDevice::Report& r : dev.Received()) {
    if (r[0] == CmdDeviceConfig) last = r;
  }
  return last;
}

// The request the block must give: code, byte 4 = flag | mode << 4, block bytes 2..59, check.
SimDevice::Report ExpectedSettings(const BYTE (&block)[60]) {
  SimDevice::Report r{};
  r[0] = CmdDeviceConfig;
  r[4] = static_cast<uint8_t>(block[0] | block[1] << 4);
  memcpy(r.data() + 5, block + 2, 58);
  CommandReport::Seal(r.data());
  return r;
}

ProgramRig::Step ChooseStation() {
  return Once([] { Choose(CDlgSetNetWork::kRadioSta); });
}

ProgramRig::Step UntilPage(const wchar_t* page) {
  return Until([page] { return Page() == page; });
}

}  // namespace

TEST_CASE("network dialog: AP page first; Home/pass1234 goes as its exact block; Set Successed") {
  NetworkDialogRig r;
  r.dev.InjectFault(SimDevice::HeldReply, 1, CmdDeviceConfig);
  std::wstring opened, port, loading, waitText, after;
  BYTE address[4] = {};
  bool passwordShownAfterSwitch = false;
  r.Run(Join({OpenDialog(),
              {Once([&] {
                 opened = Page();
                 port = TextOf(Element(L"txt_port_input"));
                 auto* ip = static_cast<SIPAddressCtrl*>(Element(L"ip_txt"));
                 ip->GetAddress(address[0], address[1], address[2], address[3]);
                 Type(L"txt_name_input", L" Home ");
                 Toggle(CDlgSetNetWork::kPasswordSwitch);
                 passwordShownAfterSwitch = Shown(L"setpasswordwnd");
                 Type(L"txt_password_input", L"pass1234");
                 Press(L"btnOK");
               }),
               Until([&] { return r.dev.HeldCount() == 1; }), Once([&] {
                 loading = Page();
                 waitText = TextOf(Element(L"txt_wait"));
                 r.dev.ReleaseHeld();
               }),
               Until([&] { return !r.rig.boxes.empty(); }), Once([&] { after = Page(); })},
              CloseDialog()}));
  CHECK(opened == L"AP");
  CHECK(port == L"8086");
  CHECK(address[0] == 192);
  CHECK(address[1] == 168);
  CHECK(address[2] == 1);
  CHECK(address[3] == 1);
  CHECK(passwordShownAfterSwitch);
  CHECK(loading == L"Loading");
  CHECK(waitText == L"Setting Wifi info...");
  CHECK(after == L"AP");
  BYTE block[60] = {0, 0, 'H', 'o', 'm', 'e'};
  memcpy(block + 22, "pass1234", 8);
  CHECK(LastSettings(r.dev) == ExpectedSettings(block));
  CHECK(r.Prompts() == std::vector<std::wstring>{L"Set Successed"});
  REQUIRE(!r.rig.boxes.empty());
  CHECK(r.rig.boxes[0].caption == L"prompt");
}

TEST_CASE("network dialog: the device's result 1, 0 or no valid reply decides the message") {
  NetworkDialogRig r;
  struct Case {
    const char* what;
    uint8_t deviceResult;
    bool validReply;
    const wchar_t* prompt;
  };
  const Case cases[] = {
      {"result 1", 1, true, L"Set Successed"},
      {"result 0", 0, true, L"Set Failed"},
      {"no valid reply (-1)", 1, false, L"Set Failed"},
  };
  Steps steps;
  std::vector<std::wstring> prompts;
  for (const Case& c : cases) {
    Steps one = Join({{Once([&r, &c] {
                        r.rig.boxes.clear();
                        r.dev.Inspect([&](SimProcessor& p) { p.wifiSetResult = c.deviceResult; });
                        if (!c.validReply) {
                          r.dev.InjectFault(SimDevice::BadFlag, 5, CmdDeviceConfig);
                        }
                      })},
                      OpenDialog(),
                      {Once([] {
                         Type(L"txt_name_input", L"Home");
                         Press(L"btnOK");
                       }),
                       Until([&r] { return !r.rig.boxes.empty(); }),
                       Once([&r, &prompts] { prompts.push_back(r.Prompts().at(0)); })},
                      CloseDialog()});
    steps.insert(steps.end(), one.begin(), one.end());
  }
  r.Run(steps);
  CHECK(prompts == std::vector<std::wstring>{L"Set Successed", L"Set Failed", L"Set Failed"});
}

TEST_CASE("network dialog: STA with state 1, networks A and B, joined to A shows the joined look") {
  NetworkDialogRig r;
  r.SetUpNetworks(1, {"A", "B"}, "A");
  r.dev.InjectFault(SimDevice::HeldReply, 1, CmdWifiState);
  std::wstring loading, waitText, page, look;
  std::vector<std::wstring> items;
  int joinFlag = -1;
  r.Run(Join({OpenDialog(),
              {ChooseStation(), Until([&] { return r.dev.HeldCount() == 1; }), Once([&] {
                 loading = Page();
                 waitText = TextOf(Element(L"txt_wait"));
                 r.dev.ReleaseHeld();
               }),
               Until([] { return Page() != L"Loading"; }), Once([&] {
                 page = Page();
                 look = Look();
                 items = ListItems();
                 joinFlag = Handler().JoinFlag();
               })},
              CloseDialog()}));
  CHECK(loading == L"Loading");
  CHECK(waitText == L"Loading Wifi data...");
  CHECK(page == L"STA");
  CHECK(look == kJoinedA);
  CHECK(items == std::vector<std::wstring>{L"A", L"B"});
  CHECK(joinFlag == 1);
  // State, list (two names and its end), joined network: in that order, nothing else.
  std::vector<int> asked;
  for (const SimDevice::Report& rq : r.dev.Received()) {
    if (rq[0] >= CmdWifiState && rq[0] <= CmdWifiConnection) asked.push_back(rq[0]);
  }
  CHECK(asked == std::vector<int>{CmdWifiState, CmdWifiList, CmdWifiList, CmdWifiList,
                                  CmdWifiConnection});
}

TEST_CASE("network dialog: without a valid reply the station is not joined and the list empty") {
  NetworkDialogRig r;
  r.SetUpNetworks(1, {"A", "B"}, "A");
  for (int cmd : {CmdWifiState, CmdWifiList, CmdWifiConnection}) {
    r.dev.InjectFault(SimDevice::BadFlag, -1, cmd);
  }
  std::wstring look;
  std::vector<std::wstring> items{L"unread"};
  r.Run(Join({OpenDialog(), {ChooseStation(), UntilPage(L"STA"), Once([&] {
                               look = Look();
                               items = ListItems();
                             })},
              CloseDialog()}));
  CHECK(look == kNotJoined);
  CHECK(items.empty());
}

TEST_CASE("network dialog: Disconnect and Connect Wifi change only the look; OK then joins") {
  NetworkDialogRig r;
  r.SetUpNetworks(1, {"A", "B"}, "A");
  std::wstring afterDisconnect, afterConnect, afterJoin;
  INT_PTR runningAfterConnect = 0;
  size_t sentBeforeOk = 99;
  r.Run(Join({OpenDialog(),
              {ChooseStation(), UntilPage(L"STA"), Once([&] {
                 Press(L"btnDisconnect");
                 afterDisconnect = Look();
                 // btnConnect has id 1 (from the named-ID table), as OK has: it must not end
                 // the dialog.
                 REQUIRE(Element(L"btnConnect")->GetID() == IDOK);
                 Press(L"btnConnect");
                 afterConnect = Look();
                 runningAfterConnect = Dialog().GetResult();
                 Press(L"btnDisconnect");
                 sentBeforeOk = r.dev.ReceivedCount(CmdDeviceConfig);
                 static_cast<SWUI::SComboBox*>(Element(L"wifiname_list"))->SetCurSel(1);
                 Type(L"txt_password2_input", L"secret");
                 Press(L"btnOK");
               }),
               Until([&] { return !r.rig.boxes.empty(); }), Once([&] { afterJoin = Look(); })},
              CloseDialog()}));
  CHECK(afterDisconnect == L"list:on own open not-joined '' [Connect Wifi]");
  CHECK(afterConnect == kJoinedA);
  CHECK(runningAfterConnect == SWUI::SHostDialog::kRunning);
  CHECK(sentBeforeOk == 0);
  CHECK(r.Prompts() == std::vector<std::wstring>{L"Set Successed"});
  CHECK(afterJoin == L"list:off grey covered joined 'B' [Disconnect]");
  BYTE block[60] = {0, 1, 'B'};
  memcpy(block + 22, "secret", 6);
  CHECK(LastSettings(r.dev) == ExpectedSettings(block));
}

TEST_CASE("network dialog: a joined station with Set IP sends flag and mode in byte 4") {
  NetworkDialogRig r;
  r.SetUpNetworks(1, {"A"}, "A");
  bool addressShown = false;
  r.Run(Join({OpenDialog(),
              {ChooseStation(), UntilPage(L"STA"), Once([&] {
                 Toggle(CDlgSetNetWork::kSetIpSwitch);
                 addressShown = Shown(L"setaddressswnd");
                 Press(L"btnOK");
               }),
               Until([&] { return !r.rig.boxes.empty(); })},
              CloseDialog()}));
  CHECK(addressShown);
  BYTE block[60] = {1, 1};
  memcpy(block + 40, "192.168.1.1", 11);
  memcpy(block + 55, "8086", 4);
  const SimDevice::Report sent = LastSettings(r.dev);
  CHECK(sent[4] == 0x11);
  CHECK(sent == ExpectedSettings(block));
}

TEST_CASE("network dialog: refused input shows its message and sends nothing") {
  NetworkDialogRig r;
  struct Case {
    const char* what;
    bool station;
    const wchar_t* name;
    const wchar_t* refusal;
  };
  const Case cases[] = {
      {"AP name with e acute", false, L"Caf\u00e9", L"Name contains illegal charactors"},
      {"AP blank name", false, L"   ", L"Please input Wifi name"},
      {"STA not joined without a name", true, L"", L"Please input Wifi name"},
  };
  Steps steps;
  std::vector<std::wstring> prompts, pages;
  for (const Case& c : cases) {
    const wchar_t* page = c.station ? L"STA" : L"AP";
    Steps one = Join({{Once([&r] { r.rig.boxes.clear(); })},
                      OpenDialog(),
                      {Once([&c] {
                         if (c.station) Choose(CDlgSetNetWork::kRadioSta);
                       }),
                       UntilPage(page), Once([&r, &c, &prompts, &pages] {
                         Type(c.station ? L"wifiname_list" : L"txt_name_input", c.name);
                         Type(L"txt_password2_input", L"secret");
                         Press(L"btnOK");
                         pages.push_back(Page());
                         prompts.push_back(r.Prompts().empty() ? L"" : r.Prompts().back());
                       })},
                      CloseDialog()});
    steps.insert(steps.end(), one.begin(), one.end());
  }
  r.Run(steps);
  CHECK(prompts == std::vector<std::wstring>{L"Name contains illegal charactors",
                                             L"Please input Wifi name", L"Please input Wifi name"});
  CHECK(pages == std::vector<std::wstring>{L"AP", L"AP", L"STA"});
  CHECK(r.dev.ReceivedCount(CmdDeviceConfig) == 0);
}

TEST_CASE("network dialog: one explain window, raised and larger in English, gone with it") {
  NetworkDialogRig r;
  HWND first = nullptr, second = nullptr, reopened = nullptr;
  RECT dialogRect = {}, explainRect = {};
  bool closedByItsBox = false;
  r.Run(Join({OpenDialog(),
              {Once([&] {
                Press(L"btn_explain");
                REQUIRE(Handler().ExplainWindow() != nullptr);
                first = Handler().ExplainWindow()->m_hWnd;
                Press(L"btn_explain");
                second = Handler().ExplainWindow()->m_hWnd;
                GetWindowRect(Dialog().m_hWnd, &dialogRect);
                GetWindowRect(first, &explainRect);
                HostHarness::SavePng(*Handler().ExplainWindow(), L"network_explain");
                // Its close box closes it; the next click makes a new one.
                Handler().ExplainWindow()->GetRoot()->FindChildByName(L"btn_close")->FireCommand();
                closedByItsBox = !IsWindow(first);
                Press(L"btn_explain");
                reopened = Handler().ExplainWindow()->m_hWnd;
              })},
              CloseDialog()}));
  CHECK(first != nullptr);
  CHECK(second == first);
  CHECK(explainRect.right - explainRect.left == CExplainWnd::kEnglishWidth);
  CHECK(explainRect.bottom - explainRect.top == CExplainWnd::kEnglishHeight);
  // Centred over the dialog as made (215 high), then raised by 35.
  const int centredTop = (dialogRect.top + dialogRect.bottom) / 2 - 215 / 2;
  CHECK(explainRect.top == centredTop - CExplainWnd::kEnglishRaise);
  CHECK(closedByItsBox);
  CHECK(reopened != nullptr);
  CHECK_FALSE(IsWindow(reopened));
}

TEST_CASE("network dialog: screenshots of the AP page, the loading page and a joined station") {
  NetworkDialogRig r;
  r.SetUpNetworks(1, {"A", "B"}, "A");
  r.dev.InjectFault(SimDevice::HeldReply, 1, CmdWifiState);
  bool saved[3] = {};
  r.Run(Join({OpenDialog(),
              {Once([&] {
                 Type(L"txt_name_input", L"Home");
                 saved[0] = HostHarness::SavePng(Dialog(), L"network_ap");
                 Choose(CDlgSetNetWork::kRadioSta);
               }),
               Until([&] { return r.dev.HeldCount() == 1; }), Once([&] {
                 saved[1] = HostHarness::SavePng(Dialog(), L"network_loading");
                 r.dev.ReleaseHeld();
               }),
               UntilPage(L"STA"),
               Once([&] { saved[2] = HostHarness::SavePng(Dialog(), L"network_sta_joined"); })},
              CloseDialog()}));
  CHECK(saved[0]);
  CHECK(saved[1]);
  CHECK(saved[2]);
}
