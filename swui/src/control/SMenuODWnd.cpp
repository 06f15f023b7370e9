#include "control/SMenuODWnd.h"

#include "../core/RenderFactoryUtil.h"
#include "control/SMenu.h"

namespace SWUI {

namespace {

// Owner-draw notifications as a parent reflects them back to the control that sent them.
const UINT kOcmDrawItem = 0x202B;
const UINT kOcmMeasureItem = 0x202C;
const UINT kOcmDeleteItem = 0x202D;
const UINT kOcmCompareItem = 0x2039;

const UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
const int kSeparatorHeight = 3;

void DrawSkin(ISkinObj* skin, IRenderTarget* rt, const RECT& rc, int state) {
  if (skin != nullptr) skin->Draw(rt, &rc, static_cast<DWORD>(state));
}

}  // namespace

SMenuODWnd::SMenuODWnd(HWND hOwner, SMenuAttr* attr) : m_hOwner(hOwner), m_attr(attr) {}

BOOL SMenuODWnd::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam,
                                      LRESULT& lResult, DWORD mapId) {
  if (mapId != 0) return FALSE;
  switch (msg) {
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
      lResult = IsWindow(m_hOwner) ? SendMessageW(m_hOwner, msg, wParam, lParam) : 0;
      return TRUE;
    case WM_DRAWITEM:
    case kOcmDrawItem: {
      auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (dis == nullptr || dis->CtlType != ODT_MENU) return FALSE;
      DrawItem(dis);
      lResult = TRUE;
      return TRUE;
    }
    case WM_MEASUREITEM:
    case kOcmMeasureItem: {
      auto* mis = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
      if (mis == nullptr || mis->CtlType != ODT_MENU) return FALSE;
      MeasureItem(mis);
      lResult = TRUE;
      return TRUE;
    }
    case WM_DELETEITEM:
    case kOcmDeleteItem:
      lResult = TRUE;
      return TRUE;
    case WM_COMPAREITEM:
    case kOcmCompareItem:
      lResult = 0;
      return TRUE;
    case WM_MENUCHAR:
      lResult = OnMenuChar(LOWORD(wParam), reinterpret_cast<HMENU>(lParam));
      return TRUE;
    default: {
      BOOL handled = FALSE;
      lResult = ReflectNotifications(msg, wParam, lParam, handled);
      // A control that leaves its colours alone answers 0: the default colours then apply.
      if (handled && msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC && lResult == 0) {
        handled = FALSE;
      }
      return handled;
    }
  }
}

void SMenuODWnd::MeasureItem(LPMEASUREITEMSTRUCT mis) const {
  auto* data = reinterpret_cast<const SMenuItemData*>(mis->itemData);
  if (data == nullptr) {
    ISkinObj* sep = m_attr->GetSepSkin();
    mis->itemHeight = static_cast<UINT>(sep != nullptr ? sep->GetSkinSize().cy : kSeparatorHeight);
    mis->itemWidth = 0;
    return;
  }
  SIZE text = {0, 0};
  SAutoRefPtr<IRenderTarget> rt = RenderFactoryUtil::NewRenderTarget(0, 0);
  if (rt != nullptr) {
    if (m_attr->GetFont() != nullptr) rt->SelectObject(m_attr->GetFont(), nullptr);
    rt->MeasureText(data->strText, data->strText.GetLength(), &text);
  }
  int width = m_attr->GetIconSize().cx + 2 * m_attr->GetIconMargin() + text.cx +
              2 * m_attr->GetTextMargin();
  if (m_attr->GetMaxWidth() >= 0 && width > m_attr->GetMaxWidth()) width = m_attr->GetMaxWidth();
  mis->itemHeight = static_cast<UINT>(m_attr->GetItemHeight());
  mis->itemWidth = static_cast<UINT>(width);
}

void SMenuODWnd::DrawItem(const DRAWITEMSTRUCT* dis) const {
  const int width = dis->rcItem.right - dis->rcItem.left;
  const int height = dis->rcItem.bottom - dis->rcItem.top;
  if (width <= 0 || height <= 0) return;
  // Only a framework-made menu's item data can be read as ours.
  if (SMenuAttr::OfMenu(reinterpret_cast<HMENU>(dis->hwndItem)) == nullptr) return;
  SAutoRefPtr<IRenderTarget> rt = RenderFactoryUtil::NewRenderTarget(width, height);
  if (rt == nullptr) return;
  const RECT rc = {0, 0, width, height};
  // Skins may leave parts clear; copied as they are, those parts would show black.
  rt->ClearRect(&rc, GetSysColor(COLOR_MENU) | 0xFF000000u);
  DrawItemContent(rt, rc, dis);
  HDC src = rt->GetDC(0);
  ::BitBlt(dis->hDC, dis->rcItem.left, dis->rcItem.top, width, height, src, 0, 0, SRCCOPY);
  rt->ReleaseDC(src);
}

void SMenuODWnd::DrawItemContent(IRenderTarget* rt, const RECT& rc,
                                 const DRAWITEMSTRUCT* dis) const {
  auto* data = reinterpret_cast<const SMenuItemData*>(dis->itemData);
  if (data == nullptr) {
    DrawSkin(m_attr->GetSepSkin(), rt, rc, 0);
    return;
  }
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  const bool checked = (dis->itemState & ODS_CHECKED) != 0;
  const bool disabled = (dis->itemState & ODS_GRAYED) != 0;
  MENUITEMINFOW mii = {};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(reinterpret_cast<HMENU>(dis->hwndItem), dis->itemID, FALSE, &mii);
  const bool radio = (mii.fType & MFT_RADIOCHECK) != 0;

  ISkinObj* itemSkin = m_attr->GetItemSkin();
  DrawSkin(itemSkin, rt, rc, selected ? 1 : 0);

  const SIZE icon = m_attr->GetIconSize();
  RECT rcIcon;
  rcIcon.left = rc.left + m_attr->GetIconMargin();
  rcIcon.top = rc.top + (rc.bottom - rc.top - icon.cy) / 2;
  rcIcon.right = rcIcon.left + icon.cx;
  rcIcon.bottom = rcIcon.top + icon.cy;
  if (checked) {
    DrawSkin(m_attr->GetCheckSkin(), rt, rcIcon, radio ? 1 : 0);
  } else {
    // Skins do not check the state they are given: an index past the icons draws nothing.
    ISkinObj* icons = m_attr->GetIconSkin();
    if (icons != nullptr && data->iIcon >= 0 && data->iIcon < icons->GetStates()) {
      DrawSkin(icons, rt, rcIcon, data->iIcon);
    }
  }

  RECT rcText = {rcIcon.right + m_attr->GetIconMargin() + m_attr->GetTextMargin(), rc.top,
                 rc.right - m_attr->GetTextMargin(), rc.bottom};
  const COLORREF color = disabled   ? m_attr->GetTextGrayColor()
                         : selected ? m_attr->GetTextSelColor()
                                    : m_attr->GetTextColor();
  if (m_attr->GetFont() != nullptr) rt->SelectObject(m_attr->GetFont(), nullptr);
  rt->SetTextColor(color);
  rt->DrawText(data->strText, data->strText.GetLength(), &rcText, kTextFormat);

  if (selected && itemSkin != nullptr && itemSkin->GetStates() > 2) DrawSkin(itemSkin, rt, rc, 2);
}

LRESULT SMenuODWnd::OnMenuChar(WCHAR ch, HMENU hMenu) const {
  // Only a framework-made menu's item data can be read as ours.
  if (SMenuAttr::OfMenu(hMenu) == nullptr) return 0;
  const WCHAR key = MenuHotKeyChar(ch);
  const int count = GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    const SMenuItemData* data = SMenu::GetItemData(hMenu, static_cast<UINT>(i), MF_BYPOSITION);
    if (data != nullptr && data->vHotKey != 0 && data->vHotKey == key) {
      return MAKELRESULT(i, MNC_EXECUTE);
    }
  }
  return 0;
}

}  // namespace SWUI
