#include "core/SNullTranslator.h"

namespace SWUI {

void SNullTranslator::SetLanguage(LPCWSTR) {}

void SNullTranslator::GetLanguage(wchar_t name[64]) {
  if (name != nullptr) name[0] = 0;
}

BOOL SNullTranslator::CreateTranslator(ITranslator** out) {
  if (out != nullptr) *out = nullptr;
  return FALSE;
}

BOOL SNullTranslator::InstallTranslator(ITranslator*) { return FALSE; }

BOOL SNullTranslator::UninstallTranslator(REFGUID) { return FALSE; }

int SNullTranslator::tr(LPCWSTR, LPCWSTR, wchar_t*, int) { return 0; }

BOOL SNullTranslator::UpdateLogFont(LPCWSTR, LOGFONTW*) { return FALSE; }

}  // namespace SWUI
