// A keyboard accelerator: a virtual-key code with the Ctrl, Alt and Shift modifiers, and its
// text forms ("Ctrl+Shift+S"). The packed form is modifiers x 65536 + key.
#pragma once
#include <windows.h>

#include "base/SString.h"

namespace SWUI {

class CAccelerator {
 public:
  // Modifier bits.
  static const WORD kAlt = 1;
  static const WORD kCtrl = 2;
  static const WORD kShift = 4;

  CAccelerator(WORD key, bool ctrl, bool alt, bool shift);
  // From the packed form: modifiers in the high word, key in the low word.
  explicit CAccelerator(DWORD packed = 0);
  ~CAccelerator() = default;

  WORD GetModifier() const { return m_modifier; }
  WORD GetKey() const { return m_key; }
  DWORD GetAcc() const { return MAKELONG(m_key, m_modifier); }

  // The text of this accelerator (FormatHotkey of its packed form).
  SStringW FormatAccelKey() const;

  // "ctrl", "alt" and "shift" joined to a key name by '+', any case; the first word that is
  // not a modifier is the key and ends the text. 0 for texts of 100 characters or more; a
  // key that is missing or not recognised is 0.
  static DWORD TranslateAccelKey(LPCWSTR text);
  // "Ctrl+", "Shift+", "Alt+" (in that order) and the key's name; empty for 0. Punctuation
  // keys are named by the keyboard layout.
  static SStringW FormatHotkey(DWORD packed);

  friend bool operator==(const CAccelerator& a, const CAccelerator& b) {
    return a.m_modifier == b.m_modifier && a.m_key == b.m_key;
  }
  friend bool operator!=(const CAccelerator& a, const CAccelerator& b) { return !(a == b); }

 private:
  static WORD ParseKey(const SStringW& token);
  static SStringW KeyName(WORD key);

  WORD m_modifier;
  WORD m_key;
};

}  // namespace SWUI
