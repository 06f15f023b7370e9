// The IP address control ("ipctrl"): an IPv4 address edited as four octet fields (SEditIP)
// side by side, 2 pixels apart, with a grey dot between each two. The packed address has the
// first octet in its low byte. Attributes are the element's own.
#pragma once
#include <windows.h>

#include "core/SWindow.h"

class SEditIP;

class SIPAddressCtrl : public SWUI::SWindow {
  SWUI_CLASS_NAME(SWUI::SWindow, L"ipctrl")

 public:
  static const int kFieldCount = 4;
  static const int kFieldGap = 2;
  static const int kDotSize = 3;
  static const COLORREF kDotColor = 0xFF999999;

  SIPAddressCtrl() = default;

  // The four fields packed, first | second << 8 | third << 16 | fourth << 24; a field reads
  // as its leading number, a number above 255 as 255. Always 0; nothing without out.
  int GetAddress(DWORD* out);
  void GetAddress(BYTE& f1, BYTE& f2, BYTE& f3, BYTE& f4);
  void SetAddress(DWORD address);
  void SetAddress(BYTE f1, BYTE f2, BYTE f3, BYTE f4);
  // Every field shows "0".
  void ClearAddress();
  // No field holds any text.
  bool IsBlank();
  // The field (0..3), null before creation.
  SEditIP* GetField(int index) const;

  // value as a decimal text ("%u") of the element.
  static void SetOctetText(SWUI::SWindow* field, BYTE value);

 protected:
  int OnCreate(LPVOID lpCreateParam);
  void OnSize(UINT nType, SIZE size);
  void OnPaint(SWUI::IRenderTarget* pRT);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_CREATE(OnCreate)
  MSG_WM_SIZE(OnSize)
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWUI::SWindow)

 private:
  // The width of one field for the client rectangle.
  static int FieldWidth(const RECT& client);
  BYTE ReadOctet(int index);
  void LayoutFields();

  SEditIP* m_fields[kFieldCount] = {nullptr, nullptr, nullptr, nullptr};
};
