#include "SFont_GDI.h"

namespace SWUI {

SFont_GDI::SFont_GDI(IRenderFactory* pRenderFactory, const LOGFONTW* plf)
    : SFontBase_GDI(pRenderFactory), logFont_(*plf) {
  font_ = CreateFontIndirectW(&logFont_);
}

SFont_GDI::~SFont_GDI() {
  if (font_ != nullptr) DeleteObject(font_);
}

BOOL SFont_GDI::UpdateFont(const LOGFONTW* pLogFont) {
  if (font_ == nullptr || pLogFont == nullptr) return FALSE;
  DeleteObject(font_);
  logFont_ = *pLogFont;
  font_ = CreateFontIndirectW(&logFont_);
  return TRUE;
}

}  // namespace SWUI
