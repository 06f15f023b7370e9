// Accelerators: reading and writing their text forms.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>

#include "core/CAccelerator.h"

using namespace SWUI;

namespace {

// UTF-8, so that doctest prints what it compares.
std::string Text(const SStringW& s) { return StringW2A(s, CP_UTF8).c_str(); }
std::string Text(const wchar_t* s) { return Text(SStringW(s)); }

}  // namespace

TEST_CASE("accelerator texts read into packed forms and write back") {
  struct Case {
    const wchar_t* text;
    WORD modifier;
    WORD key;
    const wchar_t* written;
  };
  const Case cases[] = {
      {L"Ctrl+Shift+S", 6, 'S', L"Ctrl+Shift+S"},
      {L"alt+f4", 1, VK_F4, L"Alt+F4"},
      {L"shift+alt+ctrl+num 5", 7, VK_NUMPAD5, L"Ctrl+Shift+Alt+Num 5"},
      {L"ctrl+end", 2, 0, L"Ctrl+"},  // End has no name to read, though it has one to write
      {L"ctrl", 2, 0, L"Ctrl+"},
      {L"CTRL+F12", 2, VK_F12, L"Ctrl+F12"},
      {L"ctrl+fx", 2, 111, L"Ctrl+/"},  // "f" and no number: 0 + 111, the keypad slash
      {L"num del", 0, VK_DECIMAL, L"Num Del"},
      {L"num *", 0, VK_MULTIPLY, L"Num *"},
      {L"num 0", 0, VK_NUMPAD0, L"Num 0"},
      {L"esc", 0, VK_ESCAPE, L"ESC"},
      {L"Enter", 0, VK_RETURN, L"Enter"},
      {L"pageup", 0, VK_PRIOR, L"PageUp"},
      {L"ctrl+delete", 2, VK_DELETE, L"Ctrl+Delete"},
      {L"a", 0, 'A', L"A"},
      {L"alt+7", 1, '7', L"Alt+7"},
      {L"ctrl+a+b", 2, 'A', L"Ctrl+A"},  // the first key ends the text
      {L"ctrl+?", 2, 0, L"Ctrl+"},
      {L"hyper+a", 0, 0, L""},
      {L"", 0, 0, L""},
  };
  for (const Case& c : cases) {
    CAPTURE(Text(c.text));
    const DWORD packed = CAccelerator::TranslateAccelKey(c.text);
    CHECK(packed == static_cast<DWORD>(c.modifier) * 65536 + c.key);
    CHECK(Text(CAccelerator::FormatHotkey(packed)) == Text(c.written));
    const CAccelerator acc(packed);
    CHECK(acc.GetModifier() == c.modifier);
    CHECK(acc.GetKey() == c.key);
    CHECK(Text(acc.FormatAccelKey()) == Text(c.written));
  }
  CHECK(CAccelerator::TranslateAccelKey(L"Ctrl+Shift+S") == 393299);
}

TEST_CASE("texts of 100 characters or more are refused") {
  std::wstring text;
  for (int i = 0; i < 18; ++i) text += L"ctrl+";
  text += L"shift+f12";
  REQUIRE(text.size() == 99);
  CHECK(CAccelerator::TranslateAccelKey(text.c_str()) == 0x60000u + VK_F12);
  text.insert(0, L"a");  // "actrl+...": 100 characters
  CHECK(CAccelerator::TranslateAccelKey(text.c_str()) == 0);
  CHECK(CAccelerator::TranslateAccelKey(nullptr) == 0);
}

TEST_CASE("accelerators built from a key and flags pack Ctrl 2, Alt 1, Shift 4") {
  CHECK(CAccelerator('K', true, false, false).GetAcc() == 0x2004Bu);
  CHECK(CAccelerator('K', false, true, false).GetAcc() == 0x1004Bu);
  CHECK(CAccelerator('K', false, false, true).GetAcc() == 0x4004Bu);
  CHECK(CAccelerator('K', true, true, true) == CAccelerator(0x7004Bu));
  CHECK(CAccelerator(VK_END, false, false, false).FormatAccelKey() == SStringW(L"End"));
  CHECK(CAccelerator::FormatHotkey(0).IsEmpty());
  CHECK(CAccelerator::FormatHotkey(VK_SHIFT).IsEmpty());  // no name: the empty key name
}

// Punctuation keys are written as the keyboard layout names them; the expected texts are those
// of the US layout that Wine uses here.
TEST_CASE("punctuation keys read as fixed codes and are written through the keyboard layout") {
  struct Case {
    const wchar_t* text;
    WORD key;
  };
  const Case cases[] = {
      {L"-", VK_OEM_MINUS}, {L"=", VK_OEM_PLUS},   {L",", VK_OEM_COMMA}, {L".", VK_OEM_PERIOD},
      {L";", VK_OEM_1},     {L"/", VK_OEM_2},      {L"`", VK_OEM_3},     {L"[", VK_OEM_4},
      {L"\\", VK_OEM_5},    {L"]", VK_OEM_6},      {L"'", VK_OEM_7},
  };
  for (const Case& c : cases) {
    CAPTURE(Text(c.text));
    const DWORD packed = CAccelerator::TranslateAccelKey((std::wstring(L"ctrl+") + c.text).c_str());
    CHECK(packed == 0x20000u + c.key);
    CHECK(Text(CAccelerator::FormatHotkey(packed)) == "Ctrl+" + Text(c.text));
  }
}
