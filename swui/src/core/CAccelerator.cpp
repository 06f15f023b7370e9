#include "core/CAccelerator.h"

#include <cwchar>

namespace SWUI {

namespace {

struct NamedKey {
  const wchar_t* name;
  WORD key;
};

// Names read in accelerator texts (there is none for End).
constexpr NamedKey kParsedNames[] = {
    {L"esc", VK_ESCAPE},    {L"enter", VK_RETURN},  {L"up", VK_UP},       {L"down", VK_DOWN},
    {L"left", VK_LEFT},     {L"right", VK_RIGHT},   {L"home", VK_HOME},   {L"pageup", VK_PRIOR},
    {L"pagedown", VK_NEXT}, {L"insert", VK_INSERT}, {L"space", VK_SPACE}, {L"delete", VK_DELETE},
    {L"print", VK_PRINT},
};

// Names written for keys.
constexpr NamedKey kWrittenNames[] = {
    {L"Left", VK_LEFT},     {L"Enter", VK_RETURN},  {L"ESC", VK_ESCAPE}, {L"Space", VK_SPACE},
    {L"PageUp", VK_PRIOR},  {L"PageDown", VK_NEXT}, {L"End", VK_END},    {L"Home", VK_HOME},
    {L"Up", VK_UP},         {L"Right", VK_RIGHT},   {L"Down", VK_DOWN},  {L"Print", VK_PRINT},
    {L"Insert", VK_INSERT}, {L"Delete", VK_DELETE},
};

struct PunctuationKey {
  wchar_t ch;
  WORD key;
};

// The OEM punctuation keys of a US layout, as accelerator texts write them.
constexpr PunctuationKey kPunctuation[] = {
    {L'-', VK_OEM_MINUS}, {L'=', VK_OEM_PLUS}, {L',', VK_OEM_COMMA}, {L'.', VK_OEM_PERIOD},
    {L';', VK_OEM_1},     {L'/', VK_OEM_2},    {L'`', VK_OEM_3},     {L'[', VK_OEM_4},
    {L'\\', VK_OEM_5},    {L']', VK_OEM_6},    {L'\'', VK_OEM_7},
};

template <class T, size_t N>
constexpr bool KeysDistinct(const T (&table)[N]) {
  for (size_t i = 0; i < N; ++i) {
    for (size_t j = i + 1; j < N; ++j) {
      if (table[i].key == table[j].key) return false;
    }
  }
  return true;
}
static_assert(KeysDistinct(kParsedNames), "two key names for one key");
static_assert(KeysDistinct(kWrittenNames), "two key names for one key");
static_assert(KeysDistinct(kPunctuation), "two characters for one key");

// What formatting accepts from the keyboard layout for the other keys.
const wchar_t kPunctuationChars[] = L"=',-./;[\\]`";

const size_t kMaxTextLength = 100;

}  // namespace

CAccelerator::CAccelerator(WORD key, bool ctrl, bool alt, bool shift)
    : m_modifier(static_cast<WORD>((ctrl ? kCtrl : 0) | (alt ? kAlt : 0) | (shift ? kShift : 0))),
      m_key(key) {}

CAccelerator::CAccelerator(DWORD packed) : m_modifier(HIWORD(packed)), m_key(LOWORD(packed)) {}

SStringW CAccelerator::FormatAccelKey() const { return FormatHotkey(GetAcc()); }

WORD CAccelerator::ParseKey(const SStringW& token) {
  for (const NamedKey& entry : kParsedNames) {
    if (token.CompareNoCase(entry.name) == 0) return entry.key;
  }
  const wchar_t* text = token.c_str();
  if (token.GetLength() == 1) {
    const wchar_t ch = text[0];
    if (ch >= L'a' && ch <= L'z') return static_cast<WORD>(ch - L'a' + 'A');
    if (ch >= L'0' && ch <= L'9') return static_cast<WORD>(ch);
    for (const PunctuationKey& entry : kPunctuation) {
      if (entry.ch == ch) return entry.key;
    }
    return 0;
  }
  if (text[0] == L'f') return static_cast<WORD>(_wtoi(text + 1) + VK_F1 - 1);
  if (wcsncmp(text, L"num ", 4) == 0) {
    const wchar_t* rest = text + 4;
    if (wcscmp(rest, L"del") == 0) return VK_DECIMAL;
    if (wcscmp(rest, L"*") == 0) return VK_MULTIPLY;
    if (wcscmp(rest, L"+") == 0) return VK_ADD;
    return static_cast<WORD>(_wtoi(rest) + VK_NUMPAD0);
  }
  return 0;
}

DWORD CAccelerator::TranslateAccelKey(LPCWSTR text) {
  if (text == nullptr || wcsnlen(text, kMaxTextLength) >= kMaxTextLength) return 0;
  SStringW lower(text);
  lower.MakeLower();
  SArray<SStringW> tokens;
  SplitString(lower, L'+', tokens);
  WORD modifier = 0;
  WORD key = 0;
  for (const SStringW& token : tokens) {
    if (token.CompareNoCase(L"ctrl") == 0) {
      modifier |= kCtrl;
    } else if (token.CompareNoCase(L"alt") == 0) {
      modifier |= kAlt;
    } else if (token.CompareNoCase(L"shift") == 0) {
      modifier |= kShift;
    } else {
      key = ParseKey(token);
      break;
    }
  }
  return MAKELONG(key, modifier);
}

SStringW CAccelerator::KeyName(WORD key) {
  for (const NamedKey& entry : kWrittenNames) {
    if (entry.key == key) return entry.name;
  }
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    const wchar_t ch = static_cast<wchar_t>(key);
    return SStringW(&ch, 1);
  }
  SStringW name;
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return name.Format(L"Num %d", key - VK_NUMPAD0);
  if (key == VK_MULTIPLY) return L"Num *";
  if (key == VK_ADD) return L"Num +";
  if (key == VK_DECIMAL) return L"Num Del";
  if (key >= VK_F1 && key <= VK_F12) return name.Format(L"F%d", key - VK_F1 + 1);
  // Dead keys come back with bit 31 set, and so are never kept.
  const UINT mapped = MapVirtualKeyW(key, MAPVK_VK_TO_CHAR);
  const wchar_t ch = static_cast<wchar_t>(mapped);
  if (mapped != 0 && mapped <= 0xFFFF && wcschr(kPunctuationChars, ch) != nullptr) {
    return SStringW(&ch, 1);
  }
  return name;
}

SStringW CAccelerator::FormatHotkey(DWORD packed) {
  const CAccelerator acc(packed);
  if (acc.m_modifier == 0 && acc.m_key == 0) return SStringW();
  SStringW text;
  if (acc.m_modifier & kCtrl) text += L"Ctrl+";
  if (acc.m_modifier & kShift) text += L"Shift+";
  if (acc.m_modifier & kAlt) text += L"Alt+";
  text += KeyName(acc.m_key);
  return text;
}

}  // namespace SWUI
