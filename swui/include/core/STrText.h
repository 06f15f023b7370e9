// A translatable text: the raw text as written and its translation in the owner's context,
// made again whenever the raw text is set or the language changes.
#pragma once
#include "core/ITrCtxProvider.h"
#include "base/SString.h"

namespace SWUI {

class STrText {
 public:
  explicit STrText(ITrCtxProvider* owner = nullptr) : m_owner(owner) {}

  void SetOwner(ITrCtxProvider* owner) { m_owner = owner; }
  // Stores the raw text and translates it; without an owner the translation stays as it was.
  void SetText(const SStringW& text);
  // The raw text, or its translation.
  SStringW GetText(BOOL bRaw) const { return bRaw ? m_strRaw : m_strTr; }
  // Translates the raw text again (after a language change); nothing without an owner.
  void TranslateText();

 private:
  ITrCtxProvider* m_owner;
  SStringW m_strRaw;
  SStringW m_strTr;
};

}  // namespace SWUI
