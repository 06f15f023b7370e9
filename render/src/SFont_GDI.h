// A GDI font made from a LOGFONTW, which it keeps.
#pragma once
#include <windows.h>

#include "IFont.h"
#include "TGdiRenderObjImpl.h"

namespace SWUI {

using SFontBase_GDI = TGdiRenderObjImpl<IFont, OT_FONT>;

class SFont_GDI : public SFontBase_GDI {
  SWUI_CLASS_NAME_EX(SFontBase_GDI, L"font", OBJ_TYPE_UNDEF)

 public:
  SFont_GDI(IRenderFactory* pRenderFactory, const LOGFONTW* plf);
  ~SFont_GDI() override;

  const LOGFONTW* LogFont() const override { return &logFont_; }
  LPCWSTR FamilyName() const override { return logFont_.lfFaceName; }
  int TextSize() const override { return logFont_.lfHeight; }
  BOOL IsBold() const override { return logFont_.lfWeight == FW_BOLD; }
  BOOL IsUnderline() const override { return logFont_.lfUnderline; }
  BOOL IsItalic() const override { return logFont_.lfItalic; }
  BOOL IsStrikeOut() const override { return logFont_.lfStrikeOut; }
  BOOL UpdateFont(const LOGFONTW* pLogFont) override;

  HFONT GetFont() const { return font_; }

 private:
  LOGFONTW logFont_;
  HFONT font_ = nullptr;
};

}  // namespace SWUI
