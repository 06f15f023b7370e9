// The installed translators of the current language, newest first: a request goes to each in
// turn until one knows the text; fonts are substituted by the newest alone.
#pragma once
#include <windows.h>

#include <vector>

#include "core/ITranslatorMgr.h"
#include "base/SAutoRefPtr.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class STranslatorMgr : public TObjRefImpl<ITranslatorMgr> {
 public:
  static constexpr int kMaxNameLength = 63;

  STranslatorMgr();

  // A name other than the current one (exact case) drops every installed translator.
  void SetLanguage(LPCWSTR name) override;
  void GetLanguage(wchar_t name[64]) override;
  // A new, empty STranslator with one reference for the caller.
  BOOL CreateTranslator(ITranslator** out) override;
  // The first translator sets the language when none is set; another language or a GUID
  // already installed is refused.
  BOOL InstallTranslator(ITranslator* translator) override;
  BOOL UninstallTranslator(REFGUID id) override;
  // 0 for an empty source; else the first answer of a translator, newest first, that is
  // positive or -1; 0 when none knows the text.
  int tr(LPCWSTR src, LPCWSTR ctx, wchar_t* buf, int bufLen) override;
  BOOL UpdateLogFont(LPCWSTR fontName, LOGFONTW* logFont) override;

  size_t GetTranslatorCount() const { return m_translators.size(); }

 private:
  wchar_t m_lang[kMaxNameLength + 1];
  std::vector<SAutoRefPtr<ITranslator>> m_translators;  // newest first
};

// Creates an STranslatorMgr with one reference for the caller; TRUE.
BOOL Translator_SCreateInstance(IObjRef** out);

}  // namespace SWUI
