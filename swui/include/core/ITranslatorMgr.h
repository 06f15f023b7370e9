// The installed translators of the current language.
#pragma once
#include <windows.h>

#include "base/IObjRef.h"
#include "core/ITranslator.h"

namespace SWUI {

struct ITranslatorMgr : public IObjRef {
  virtual void SetLanguage(LPCWSTR name) = 0;
  virtual void GetLanguage(wchar_t name[64]) = 0;
  virtual BOOL CreateTranslator(ITranslator** out) = 0;
  virtual BOOL InstallTranslator(ITranslator* translator) = 0;
  virtual BOOL UninstallTranslator(REFGUID id) = 0;
  // As ITranslator::tr, asking the installed translators newest first.
  virtual int tr(LPCWSTR src, LPCWSTR ctx, wchar_t* buf, int bufLen) = 0;
  virtual BOOL UpdateLogFont(LPCWSTR fontName, LOGFONTW* logFont) = 0;
  virtual ~ITranslatorMgr() = default;
};

}  // namespace SWUI
