// One language's translation table.
#pragma once
#include <windows.h>

#include "base/IObjRef.h"

namespace SWUI {

struct ITranslator : public IObjRef {
  // Loads the table; kind 1 means data is the "language" XML element.
  virtual BOOL Load(LPVOID data, UINT kind) = 0;
  // Copies the language name (64 characters with the terminator).
  virtual void GetName(wchar_t name[64]) = 0;
  virtual BOOL NameEqual(LPCWSTR name) = 0;
  virtual GUID GetGuid() = 0;
  // Length + 1 of the translation (copied when buf holds it), -1 when buf is too small,
  // 0 when the text is unknown.
  virtual int tr(LPCWSTR src, LPCWSTR ctx, wchar_t* buf, int bufLen) = 0;
  // Replaces the face and character set of a font for this language; false when untouched.
  virtual BOOL getFontInfo(LPCWSTR fontName, LOGFONTW* logFont) = 0;
  virtual BYTE charsetFromString(LPCWSTR charset) = 0;
  virtual ~ITranslator() = default;
};

}  // namespace SWUI
