#include "core/STranslatorMgr.h"

#include <cwchar>

#include "core/STranslator.h"

namespace SWUI {

STranslatorMgr::STranslatorMgr() { m_lang[0] = 0; }

void STranslatorMgr::SetLanguage(LPCWSTR name) {
  if (name == nullptr) name = L"";
  if (wcscmp(name, m_lang) != 0) m_translators.clear();
  wcsncpy(m_lang, name, kMaxNameLength);
  m_lang[kMaxNameLength] = 0;
}

void STranslatorMgr::GetLanguage(wchar_t name[64]) {
  if (name != nullptr) wcscpy(name, m_lang);
}

BOOL STranslatorMgr::CreateTranslator(ITranslator** out) {
  if (out == nullptr) return FALSE;
  *out = new STranslator();
  return TRUE;
}

BOOL STranslatorMgr::InstallTranslator(ITranslator* translator) {
  if (translator == nullptr) return FALSE;
  if (m_lang[0] == 0) translator->GetName(m_lang);
  if (!translator->NameEqual(m_lang)) return FALSE;
  const GUID id = translator->GetGuid();
  for (const auto& installed : m_translators) {
    if (IsEqualGUID(installed->GetGuid(), id)) return FALSE;
  }
  m_translators.insert(m_translators.begin(), SAutoRefPtr<ITranslator>(translator));
  return TRUE;
}

BOOL STranslatorMgr::UninstallTranslator(REFGUID id) {
  for (auto it = m_translators.begin(); it != m_translators.end(); ++it) {
    if (IsEqualGUID((*it)->GetGuid(), id)) {
      m_translators.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}

int STranslatorMgr::tr(LPCWSTR src, LPCWSTR ctx, wchar_t* buf, int bufLen) {
  if (src == nullptr || src[0] == 0) return 0;
  for (const auto& translator : m_translators) {
    int answer = translator->tr(src, ctx, buf, bufLen);
    if (answer > 0 || answer == -1) return answer;
  }
  return 0;
}

BOOL STranslatorMgr::UpdateLogFont(LPCWSTR fontName, LOGFONTW* logFont) {
  if (m_translators.empty()) return FALSE;
  return m_translators.front()->getFontInfo(fontName, logFont);
}

BOOL Translator_SCreateInstance(IObjRef** out) {
  if (out == nullptr) return FALSE;
  *out = new STranslatorMgr();
  return TRUE;
}

}  // namespace SWUI
