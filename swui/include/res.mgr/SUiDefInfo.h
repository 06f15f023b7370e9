// A UI definition loaded from one XML resource of a provider: the default font and, in this
// order, the sections "string", "color", "dim", "skin", "style" and "objattr". A section may
// name another resource of the same provider with src="type:name"; its element of the same
// name is then read from there. Loading stops at the first failure, logged, keeping what was
// loaded before it.
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "core/IUiDefInfo.h"
#include "base/SAutoRefPtr.h"
#include "core/SSkinPool.h"
#include "base/TObjRefImpl.h"
#include "res.mgr/IResProvider.h"
#include "res.mgr/SNamedColor.h"
#include "res.mgr/SNamedDimension.h"
#include "res.mgr/SNamedString.h"
#include "res.mgr/SObjDefAttr.h"
#include "res.mgr/SStylePool.h"

namespace SWUI {

class SUiDefInfo : public TObjRefImpl<IUiDefInfo> {
 public:
  // The face of a definition without a usable one.
  static const wchar_t kDefaultFace[];
  // Size 12, character set 1.
  static constexpr DWORD kDefaultStyle = 0xC00001;

  // Empty tables and the fallback font.
  SUiDefInfo();

  // The font of a definition without "font": name "default", kDefaultStyle, kDefaultFace.
  static FontInfo FallbackFont();

  // Loads the definition named "type:name" from provider. Failures are logged, not returned.
  void Init(IResProvider* provider, LPCWSTR ref);

  void SetSkinPool(SSkinPool* pool) override { m_skinPool = pool; }
  SSkinPool* GetSkinPool() override { return m_skinPool; }
  void SetStylePool(SStylePool* pool) override { m_stylePool = pool; }
  SStylePool* GetStylePool() override { return m_stylePool; }
  void SetObjDefAttr(SObjDefAttr* defAttr) override { m_objDefAttr = defAttr; }
  SObjDefAttr* GetObjDefAttr() override { return m_objDefAttr; }
  SNamedColor& GetNamedColor() override { return m_namedColor; }
  SNamedString& GetNamedString() override { return m_namedString; }
  SNamedDimension& GetNamedDimension() override { return m_namedDimension; }
  const FontInfo& GetDefFontInfo() override { return m_defFont; }

 private:
  void LoadDefaultFont(pugi::xml_node font);
  void LoadSections(IResProvider* provider, pugi::xml_node root);
  // The section element, or the one that its "src" names; empty to skip the section. holder
  // keeps a redirected document alive while the section loads.
  pugi::xml_node FetchSection(IResProvider* provider, pugi::xml_node root, LPCWSTR section,
                              pugi::xml_document& holder);
  // The "skin" section becomes the definition's own skin pool, replacing an older one; its
  // skins are made while the definition is current, so their values may name the strings,
  // colours and dimensions read before them.
  void LoadSkins(pugi::xml_node skin);
  void LoadStyles(pugi::xml_node style);
  void LoadObjDefAttr(pugi::xml_node objattr);

  SAutoRefPtr<SSkinPool> m_skinPool;
  SAutoRefPtr<SStylePool> m_stylePool;
  SAutoRefPtr<SObjDefAttr> m_objDefAttr;
  SNamedColor m_namedColor;
  SNamedString m_namedString;
  SNamedDimension m_namedDimension;
  FontInfo m_defFont;
};

}  // namespace SWUI
