// The translator of an application that installed none: it translates nothing.
#pragma once
#include "core/ITranslatorMgr.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SNullTranslator : public TObjRefImpl<ITranslatorMgr> {
 public:
  void SetLanguage(LPCWSTR name) override;
  void GetLanguage(wchar_t name[64]) override;
  BOOL CreateTranslator(ITranslator** out) override;
  BOOL InstallTranslator(ITranslator* translator) override;
  BOOL UninstallTranslator(REFGUID id) override;
  int tr(LPCWSTR src, LPCWSTR ctx, wchar_t* buf, int bufLen) override;
  BOOL UpdateLogFont(LPCWSTR fontName, LOGFONTW* logFont) override;
};

}  // namespace SWUI
