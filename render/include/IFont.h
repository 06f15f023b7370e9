// A font (object type OT_FONT), made by the render factory from a LOGFONTW.
#pragma once
#include "IRenderObj.h"

namespace SWUI {

struct IFont : public IRenderObj {
  // The log font the font was made from.
  virtual const LOGFONTW* LogFont() const = 0;
  virtual LPCWSTR FamilyName() const = 0;
  // lfHeight as given (negative values mean character height).
  virtual int TextSize() const = 0;
  // TRUE only for a weight of exactly 700.
  virtual BOOL IsBold() const = 0;
  virtual BOOL IsUnderline() const = 0;
  virtual BOOL IsItalic() const = 0;
  virtual BOOL IsStrikeOut() const = 0;
  // Remakes the font from a new log font; FALSE (and no change) when the font holds no GDI
  // font.
  virtual BOOL UpdateFont(const LOGFONTW* pLogFont) = 0;
};

}  // namespace SWUI
