#include "controls/SIPAddressCtrl.h"

#include <cwchar>
#include <pugixml.hpp>

#include "controls/SEditIP.h"
#include "base/SAutoRefPtr.h"

using namespace SWUI;

namespace {

const wchar_t kFieldTemplate[] =
    L"<ipedit margin=\"0\" number=\"1\" transparent=\"1\" align=\"center\" maxBuf=\"3\" "
    L"mouseRelay=\"1\"/>";

}  // namespace

// ---- creation and layout -------------------------------------------------------------------

int SIPAddressCtrl::OnCreate(LPVOID lpCreateParam) {
  const int result = SWindow::OnCreate(lpCreateParam);
  if (result != 0) return result;
  pugi::xml_document doc;
  if (!doc.load_string(kFieldTemplate)) return -1;
  for (SEditIP*& field : m_fields) {
    auto* edit = new SEditIP();
    SAutoRefPtr<SEditIP> hold(edit);  // outlives a field that refuses its creation
    InsertChild(edit);
    if (!edit->InitFromXml(doc.first_child())) return -1;
    field = edit;
  }
  return 0;
}

int SIPAddressCtrl::FieldWidth(const RECT& client) {
  return (client.right - client.left - (kFieldCount - 1) * kFieldGap) / kFieldCount;
}

void SIPAddressCtrl::OnSize(UINT nType, SIZE size) {
  SWindow::OnSize(nType, size);
  LayoutFields();
}

void SIPAddressCtrl::LayoutFields() {
  const RECT client = GetClientRect();
  const int w = FieldWidth(client);
  for (int k = 0; k < kFieldCount; ++k) {
    if (m_fields[k] == nullptr) continue;
    const int left = client.left + k * (w + kFieldGap);
    const RECT rc = {left, client.top, left + w, client.bottom};
    m_fields[k]->Move(&rc);
  }
}

void SIPAddressCtrl::OnPaint(IRenderTarget* pRT) {
  const RECT client = GetClientRect();
  const int w = FieldWidth(client);
  const int y = client.top + (client.bottom - client.top - 2) / 2;
  for (int k = 0; k < kFieldCount - 1; ++k) {
    const int x = client.left + w + k * (w + kFieldGap);
    const RECT dot = {x, y, x + kDotSize, y + kDotSize};
    pRT->FillSolidRect(&dot, kDotColor);
  }
}

// ---- the address ---------------------------------------------------------------------------

SEditIP* SIPAddressCtrl::GetField(int index) const {
  return index >= 0 && index < kFieldCount ? m_fields[index] : nullptr;
}

void SIPAddressCtrl::SetOctetText(SWindow* field, BYTE value) {
  if (field == nullptr) return;
  wchar_t text[8];
  swprintf(text, 8, L"%u", static_cast<unsigned>(value));
  field->SetWindowText(text);
}

BYTE SIPAddressCtrl::ReadOctet(int index) {
  if (m_fields[index] == nullptr) return 0;
  // A field still holding "300" (it becomes "255" only when it loses the focus) must not
  // send its low byte, 44, as a part of the address.
  const int n = m_fields[index]->GetNumber();
  if (n > 255) return 255;
  return n < 0 ? 0 : static_cast<BYTE>(n);
}

int SIPAddressCtrl::GetAddress(DWORD* out) {
  if (out == nullptr) return 0;
  *out = 0;
  for (int k = 0; k < kFieldCount; ++k) *out |= static_cast<DWORD>(ReadOctet(k)) << (8 * k);
  return 0;
}

void SIPAddressCtrl::GetAddress(BYTE& f1, BYTE& f2, BYTE& f3, BYTE& f4) {
  f1 = ReadOctet(0);
  f2 = ReadOctet(1);
  f3 = ReadOctet(2);
  f4 = ReadOctet(3);
}

void SIPAddressCtrl::SetAddress(DWORD address) {
  for (int k = 0; k < kFieldCount; ++k)
    SetOctetText(m_fields[k], static_cast<BYTE>((address >> (8 * k)) & 0xFF));
}

void SIPAddressCtrl::SetAddress(BYTE f1, BYTE f2, BYTE f3, BYTE f4) {
  SetOctetText(m_fields[0], f1);
  SetOctetText(m_fields[1], f2);
  SetOctetText(m_fields[2], f3);
  SetOctetText(m_fields[3], f4);
}

void SIPAddressCtrl::ClearAddress() {
  for (SEditIP* field : m_fields) SetOctetText(field, 0);
}

bool SIPAddressCtrl::IsBlank() {
  for (SEditIP* field : m_fields) {
    if (field != nullptr && field->GetWindowTextLength() > 0) return false;
  }
  return true;
}
