// Shared font objects made from font descriptions (application singleton 4). A description is
// a list "key:value,..." over the current UI definition's default font: face, name, size and
// adding (lengths, "@dim/" names allowed), italic, bold, strike, underline, charset, weight;
// any other key is an extra property handed to the font. Fonts are kept by their full key
// (style word, face, name, properties), so equal descriptions share one object.
#pragma once
#include <unordered_map>

#include "IFont.h"
#include "IRenderFactory.h"
#include "core/FontInfo.h"
#include "base/SAutoRefPtr.h"
#include "core/SSingleton.h"
#include "base/SString.h"

namespace SWUI {

class SFontPool : public SSingleton<SFontPool> {
 public:
  explicit SFontPool(IRenderFactory* renderFactory);
  virtual ~SFontPool();

  IRenderFactory* GetRenderFactory() const { return m_renderFactory; }

  // The font of a description at a scale in percent (the empty description gives the default
  // font); null when the render factory makes none. The pool keeps its own reference.
  SAutoRefPtr<IFont> GetFont(const SStringW& desc, int scale);
  size_t GetCount() const { return m_fonts.size(); }

  // The key that GetFont looks up for a description at a scale.
  static FontInfo MakeFontInfo(const SStringW& desc, int scale);
  // The log font that a key gives, before the translator's substitution.
  static LOGFONTW MakeLogFont(const FontInfo& info);

 private:
  SAutoRefPtr<IFont> CreateFont(const FontInfo& info);

  SAutoRefPtr<IRenderFactory> m_renderFactory;
  std::unordered_map<FontInfo, SAutoRefPtr<IFont>, FontInfo::Hasher> m_fonts;
};

}  // namespace SWUI
