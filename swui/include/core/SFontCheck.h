// Whether a font face is installed: a replaceable function, so that tests can answer for faces
// without installing them. The default enumerates the screen's fonts of that face.
#pragma once
#include <windows.h>

namespace SWUI {

using FunFontCheck = BOOL (*)(LPCWSTR face);

// The default check: TRUE when the screen has at least one font of the face.
BOOL DefFontCheck(LPCWSTR face);
// Installs fn (null restores the default) and returns the check it replaces.
FunFontCheck SetFontCheck(FunFontCheck fn);
// Asks the installed check.
BOOL CheckFont(LPCWSTR face);

}  // namespace SWUI
