// The root element of one level of a skinned popup menu ("menuRoot"): it holds the level's
// items and separators, stacked from the top of its client rectangle, each as wide as the
// level, and keeps what every item of the level is drawn with: the item background, icon,
// check-mark, sub-menu arrow and separator skins, the item height, the icon column and its
// icon offset, the text offset, the least width and the sub-menu offset. A sub-menu level's
// root takes the top menu's attributes first, so all levels share one look.
#pragma once
#include <pugixml.hpp>

#include "core/SLayoutSize.h"
#include "core/SWindow.h"

namespace SWUI {

class SMenuEx;
class SMenuExItem;

class SMenuExRoot : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"menuRoot")

 public:
  // "iconPos" with one value: its y, which centres the icons vertically.
  static constexpr float kIconCentred = -1000.0f;
  // Children at least this wide (separators) do not widen the level.
  static constexpr int kWideChild = 2000;

  explicit SMenuExRoot(SMenuEx* pOwnerMenu);

  SMenuEx* GetOwnerMenu() const { return m_pOwnerMenu; }
  ISkinObj* GetItemSkin() const { return m_pItemSkin; }
  ISkinObj* GetIconSkin() const { return m_pIconSkin; }
  ISkinObj* GetCheckSkin() const { return m_pCheckSkin; }
  ISkinObj* GetArrowSkin() const { return m_pArrowSkin; }
  ISkinObj* GetSepSkin() const { return m_pSepSkin; }
  int GetContextHelpId() const { return m_nContextHelpId; }
  // Lengths in pixels at the element's scale.
  int GetItemHeight() const { return ToPixels(m_itemHeight); }
  int GetIconBarWidth() const { return ToPixels(m_iconBarWidth); }
  int GetTextOffset() const { return ToPixels(m_textOffset); }
  int GetMinWidth() const { return ToPixels(m_minWidth); }
  int GetSubMenuOffset() const { return ToPixels(m_subMenuOffset); }
  int GetIconX() const { return ToPixels(m_iconPos[0]); }
  int GetIconY() const { return ToPixels(m_iconPos[1]); }
  BOOL IsIconCentred() const { return m_iconPos[1].fSize == kIconCentred; }

  // The first item after (bForward) or before start that is enabled and visible, wrapping
  // round at the ends (from the first or last child when start is null); null when none is.
  SMenuExItem* GetNextMenuItem(SMenuExItem* pStart, BOOL bForward) const;
  // Skins, sizes, style and frame of another level's root (a sub-menu made at run time).
  void CopyLookFrom(const SMenuExRoot& other);

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  // "menuItem" makes an item, "sep" a separator; other elements make nothing.
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  // The widest child narrower than kWideChild and the sum of the child heights, plus the
  // margins; then cut to "maxWidth" (when given) and raised to "minWidth".
  SIZE GetDesiredSize(int nParentWid, int nParentHei) override;
  using SWindow::GetDesiredSize;
  void UpdateChildrenPosition() override;
  void GetChildrenLayoutRect(RECT* prc) const override;
  void OnScaleChanged(int scale) override;

 protected:
  int ToPixels(const SLayoutSize& size) const { return size.toPixelSize(GetScale()); }

  SAutoRefPtr<ISkinObj> m_pItemSkin;
  SAutoRefPtr<ISkinObj> m_pIconSkin;
  SAutoRefPtr<ISkinObj> m_pCheckSkin;
  SAutoRefPtr<ISkinObj> m_pArrowSkin;
  SAutoRefPtr<ISkinObj> m_pSepSkin;
  SMenuEx* m_pOwnerMenu;
  SLayoutSize m_itemHeight{26.0f, dp};
  SLayoutSize m_iconBarWidth{24.0f, dp};
  SLayoutSize m_textOffset;
  SLayoutSize m_iconPos[2];
  SLayoutSize m_minWidth{100.0f, dp};
  SLayoutSize m_subMenuOffset;
  int m_nContextHelpId = 0;

 private:
  HRESULT SetOwnAttribute(const SStringW& name, const SStringW& value);
};

}  // namespace SWUI
