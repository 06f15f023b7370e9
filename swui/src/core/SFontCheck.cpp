#include "core/SFontCheck.h"

#include <cwchar>

namespace SWUI {

namespace {

FunFontCheck g_fontCheck = &DefFontCheck;

int CALLBACK CountFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

}  // namespace

BOOL DefFontCheck(LPCWSTR face) {
  if (face == nullptr || face[0] == 0 || wcslen(face) >= LF_FACESIZE) return FALSE;
  HDC dc = GetDC(nullptr);
  if (dc == nullptr) return FALSE;
  LOGFONTW lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  wcscpy(lf.lfFaceName, face);
  bool found = false;
  EnumFontFamiliesExW(dc, &lf, CountFont, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found ? TRUE : FALSE;
}

FunFontCheck SetFontCheck(FunFontCheck fn) {
  FunFontCheck old = g_fontCheck;
  g_fontCheck = fn != nullptr ? fn : &DefFontCheck;
  return old;
}

BOOL CheckFont(LPCWSTR face) { return g_fontCheck(face); }

}  // namespace SWUI
