// The IP address control: typing moves between the fields, the packed address both ways,
// numbers above 255, the fields' places and dots by pixels, the host's input method.
#include <doctest/doctest.h>
#include <windows.h>

#include <imm.h>

#include "HostHarness.h"
#include "controls/SEditIP.h"
#include "controls/SIPAddressCtrl.h"

using namespace SWUI;

namespace {

const wchar_t kLayout[] =
    L"<SWUI width='320' height='60'><root colorBkgnd='#ffffff'>"
    L"<ipctrl name='ip' pos='10,10,@276,@25'/>"
    L"<edit name='other' pos='10,40,@100,@18'/>"
    L"</root></SWUI>";

struct IpHost {
  IpHost() {
    h.app.TplRegisterFactory<SIPAddressCtrl>();
    h.app.TplRegisterFactory<SEditIP>();
    h.Open(kLayout);
    ip = h.Find<SIPAddressCtrl>(L"ip");
    for (int k = 0; k < 4; ++k) REQUIRE(ip->GetField(k) != nullptr);
  }
  SEditIP* Field(int k) const { return ip->GetField(k); }
  SStringW Text(int k) const { return Field(k)->GetWindowText(); }
  void Type(const wchar_t* text) {
    for (const wchar_t* p = text; *p != 0; ++p) h.Char(*p);
  }

  HostHarness h{true};
  SIPAddressCtrl* ip = nullptr;
};

}  // namespace

TEST_CASE("typing into the IP fields: digits only, the focus moves when full or at a dot") {
  IpHost t;
  t.Field(0)->SetFocus();
  REQUIRE(t.Field(0)->IsFocused());

  t.Type(L"192");
  CHECK(t.Text(0) == L"192");
  CHECK(t.Field(1)->IsFocused());

  t.Type(L"1x6-8");  // what is not a digit is dropped
  CHECK(t.Text(1) == L"168");
  CHECK(t.Field(2)->IsFocused());

  t.Type(L"10.");  // the dot moves on and is not shown
  CHECK(t.Text(2) == L"10");
  CHECK(t.Field(3)->IsFocused());

  t.Type(L"2");
  t.h.Key(VK_BACK);  // Backspace reaches the edit
  CHECK(t.Text(3) == L"");
  t.Type(L"255.");  // the last field has nowhere to go
  CHECK(t.Text(3) == L"255");
  CHECK(t.Field(3)->IsFocused());
  DWORD address = 0;
  CHECK(t.ip->GetAddress(&address) == 0);
  CHECK(address == 0xFF0AA8C0u);

  // An accepted character shows in the typed colour.
  CHECK(t.Field(0)->GetDefaultCharFormat().crTextColor == RGB(0x50, 0x50, 0x50));

  // A fourth digit is refused by the full field, and the focus still moves on.
  t.Field(1)->SetFocus();
  t.Field(1)->SetSel(MAKELONG(3, 3));
  t.Type(L"9");
  CHECK(t.Text(1) == L"168");
  CHECK(t.Field(2)->IsFocused());
}

TEST_CASE("the packed IP address has the first octet in its low byte, both ways") {
  IpHost t;
  CHECK(t.ip->IsBlank());
  t.ip->SetAddress(0x0101A8C0u);
  CHECK(t.Text(0) == L"192");
  CHECK(t.Text(1) == L"168");
  CHECK(t.Text(2) == L"1");
  CHECK(t.Text(3) == L"1");
  CHECK_FALSE(t.ip->IsBlank());
  DWORD address = 0;
  t.ip->GetAddress(&address);
  CHECK(address == 0x0101A8C0u);

  t.ip->SetAddress(10, 0, 0, 254);
  BYTE b[4] = {};
  t.ip->GetAddress(b[0], b[1], b[2], b[3]);
  CHECK(b[0] == 10);
  CHECK(b[3] == 254);
  t.ip->GetAddress(&address);
  CHECK(address == 0xFE00000Au);

  t.ip->ClearAddress();
  for (int k = 0; k < 4; ++k) CHECK(t.Text(k) == L"0");
  CHECK_FALSE(t.ip->IsBlank());
  CHECK(t.ip->GetAddress(nullptr) == 0);
}

TEST_CASE("an IP field above 255 reads as 255, and shows it once it loses the focus") {
  IpHost t;
  t.ip->SetAddress(0x0101A8C0u);
  t.Field(0)->SetFocus();
  t.Field(0)->SetWindowText(L"");
  t.Type(L"300");  // moves the focus on: the field shows 255
  CHECK(t.Text(0) == L"255");

  // Still holding "300" (set while focused): read as 255, not as its low byte 44.
  t.Field(2)->SetFocus();
  t.Field(2)->SetWindowText(L"300");
  DWORD address = 0;
  t.ip->GetAddress(&address);
  CHECK(address == 0x01FFA8FFu);
  t.h.Find(L"other")->SetFocus();
  CHECK(t.Text(2) == L"255");
}

TEST_CASE("the IP fields and dots of a 276 x 25 control, by pixels") {
  IpHost t;
  const RECT ctl = t.ip->GetWindowRect();
  const int left[] = {0, 69, 138, 207};
  for (int k = 0; k < 4; ++k) {
    CAPTURE(k);
    const RECT rc = t.Field(k)->GetWindowRect();
    CHECK(rc.left - ctl.left == left[k]);
    CHECK(rc.right - rc.left == 67);
    CHECK(rc.top == ctl.top);
    CHECK(rc.bottom == ctl.bottom);
  }
  t.h.Paint();
  const RECT all = {ctl.left, ctl.top, ctl.right, ctl.bottom};
  CHECK(t.h.CountRgb(all, 0x999999) == 3 * 9);
  for (int x : {67, 136, 205}) {
    CAPTURE(x);
    const RECT dot = {ctl.left + x, ctl.top + 11, ctl.left + x + 3, ctl.top + 14};
    CHECK(t.h.CountRgb(dot, 0x999999) == 9);
  }
  t.ip->SetAddress(0x0101A8C0u);
  t.h.Paint();
  t.h.SavePng(L"ipctrl", 3);
  CHECK(t.h.Rgb(ctl.left + 67, ctl.top + 11) == 0x999999);
  CHECK(t.h.Rgb(ctl.left + 205 + 2, ctl.top + 13) == 0x999999);
}

TEST_CASE("an IP field's focus in and out leaves the host its own input method context") {
  IpHost t;
  HWND host = t.h.Hwnd();
  const HIMC original = ImmAssociateContext(host, nullptr);
  ImmAssociateContext(host, original);
  REQUIRE(original != nullptr);

  t.Field(0)->SetFocus();
  CHECK(ImmGetContext(host) == nullptr);
  t.Field(1)->SetFocus();  // from field to field
  t.h.Find(L"other")->SetFocus();
  const HIMC after = ImmAssociateContext(host, nullptr);
  CHECK(after == original);
  ImmAssociateContext(host, original);
}
