// The drawing settings shared by every HMENU of one owner-drawn menu tree: skins, margins,
// colours, font, icon size, translation context and widest item. Each HMENU of the tree keeps
// one reference in its MENUINFO data (MIM_MENUDATA).
//
// Menu data is trusted only when it is a live attribute object made here: every one is
// recorded while it lives, so a foreign menu's data is recognised without reading it.
//
// Attributes (names in any letter case): "itemSkin", "iconSkin", "sepSkin", "checkSkin" (skin
// names at scale 100; an unknown name fails with E_FAIL and keeps the skin), "itemHeight",
// "iconMargin", "textMargin", "maxWidth" (integers, decimal or 0x hex), "colorText",
// "colorTextSel", "cororTextGray" (colours; empty fails with E_FAIL), "iconSize" ("cx,cy";
// anything else E_INVALIDARG), "font" (a font description of the font pool), "trCtx" (text,
// "@string/" resolved). Other names go to the object default (E_FAIL).
#pragma once
#include <windows.h>

#include "IFont.h"
#include "core/ISkinObj.h"
#include "base/SAutoRefPtr.h"
#include "base/SObjectImpl.h"
#include "base/SString.h"
#include "core/TObjRefImpl2.h"

namespace SWUI {

using SMenuAttrBase = SObjectImpl<IObject>;

class SMenuAttr : public TObjRefImpl2<IObjRef, SMenuAttr>, public SMenuAttrBase {
  SWUI_CLASS_NAME_EX(SMenuAttrBase, L"menuattr", OBJ_TYPE_UNDEF)

 public:
  // The built-in item, separator and check skins, margins 2 and 5, 16 x 16 icons and the
  // system's menu text colours (opaque).
  SMenuAttr();
  ~SMenuAttr() override;

  // The attribute object of a menu made by the framework, or null for a foreign menu, a menu
  // without data or a handle that is no menu. No reference is added.
  static SMenuAttr* OfMenu(HMENU hMenu);
  // Stores this object (or null) as the menu's data; no reference is taken or dropped.
  BOOL SetAsMenuData(HMENU hMenu);

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SMenuAttrBase::SetAttribute;
  // A height of 0 takes the item skin's; no font takes the font pool's default.
  void OnInitFinished(pugi::xml_node xmlNode) override;

  ISkinObj* GetItemSkin() const { return m_itemSkin; }
  ISkinObj* GetIconSkin() const { return m_iconSkin; }
  ISkinObj* GetSepSkin() const { return m_sepSkin; }
  ISkinObj* GetCheckSkin() const { return m_checkSkin; }
  int GetItemHeight() const { return m_itemHeight; }
  int GetIconMargin() const { return m_iconMargin; }
  int GetTextMargin() const { return m_textMargin; }
  COLORREF GetTextColor() const { return m_colorText; }
  COLORREF GetTextSelColor() const { return m_colorTextSel; }
  COLORREF GetTextGrayColor() const { return m_colorTextGray; }
  SIZE GetIconSize() const { return m_iconSize; }
  IFont* GetFont() const { return m_font; }
  const SStringW& GetTrCtx() const { return m_trCtx; }
  // -1 when items may be as wide as their text.
  int GetMaxWidth() const { return m_maxWidth; }

 private:
  static HRESULT ParseSkin(const SStringW& value, SAutoRefPtr<ISkinObj>& skin);

  SAutoRefPtr<ISkinObj> m_itemSkin;
  SAutoRefPtr<ISkinObj> m_iconSkin;
  SAutoRefPtr<ISkinObj> m_sepSkin;
  SAutoRefPtr<ISkinObj> m_checkSkin;
  int m_itemHeight = 0;
  int m_iconMargin = 2;
  int m_textMargin = 5;
  COLORREF m_colorText;
  COLORREF m_colorTextSel;
  COLORREF m_colorTextGray;
  SIZE m_iconSize = {16, 16};
  SAutoRefPtr<IFont> m_font;
  SStringW m_trCtx;
  int m_maxWidth = -1;
};

}  // namespace SWUI
