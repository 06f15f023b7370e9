#include "control/SListItemLook.h"

#include "control/SControlSkin.h"
#include "core/SAttrParse.h"
#include "core/SWindow.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

SListItemLook::SListItemLook(COLORREF crItemBg, COLORREF crItemBg2, COLORREF crSelBg,
                             COLORREF crHotBg, COLORREF crText, COLORREF crSelText)
    : m_crItemBg(crItemBg),
      m_crItemBg2(crItemBg2),
      m_crItemSelBg(crSelBg),
      m_crItemHotBg(crHotBg),
      m_crText(crText),
      m_crSelText(crSelText) {
  for (SLayoutSize* size : {&m_ptIcon[0], &m_ptIcon[1], &m_ptText[0], &m_ptText[1]}) {
    size->SetInvalid();
  }
}

HRESULT SListItemLook::SetAttribute(const SStringW& name, const SStringW& value) {
  using P = SAttrParse;
  struct ColorAttr {
    LPCWSTR name;
    COLORREF SListItemLook::*field;
  };
  static const ColorAttr kColors[] = {
      {L"colorItemBkgnd", &SListItemLook::m_crItemBg},
      {L"colorItemBkgnd2", &SListItemLook::m_crItemBg2},
      {L"colorItemSelBkgnd", &SListItemLook::m_crItemSelBg},
      {L"colorItemHotBkgnd", &SListItemLook::m_crItemHotBg},
      {L"colorText", &SListItemLook::m_crText},
      {L"colorSelText", &SListItemLook::m_crSelText},
  };
  for (const ColorAttr& color : kColors) {
    if (!P::IsName(name, color.name)) continue;
    if (value.IsEmpty()) return E_FAIL;
    this->*color.field = GetNamedColor(value);
    return S_FALSE;
  }
  struct SizeAttr {
    LPCWSTR name;
    SLayoutSize* field;
  };
  const SizeAttr sizes[] = {{L"icon-x", &m_ptIcon[0]},
                            {L"icon-y", &m_ptIcon[1]},
                            {L"text-x", &m_ptText[0]},
                            {L"text-y", &m_ptText[1]}};
  for (const SizeAttr& size : sizes) {
    if (!P::IsName(name, size.name)) continue;
    *size.field = GetNamedDimension(value);
    return S_FALSE;
  }
  return E_NOTIMPL;
}

SListItemLook::RowColors SListItemLook::ColorsOf(int nRow, bool selected, bool hot,
                                                 bool hasItemSkin) const {
  RowColors colors = {m_crItemBg, m_crText, 0};
  if ((nRow & 1) && m_crItemBg2 != CR_INVALID) colors.bg = m_crItemBg2;
  if (!selected && !hot) return colors;
  const COLORREF crMark = selected ? m_crItemSelBg : m_crItemHotBg;
  if (hasItemSkin) {
    colors.skinState = selected ? 2 : 1;
  } else if (crMark != CR_INVALID) {
    colors.bg = crMark;
  }
  if (m_crSelText != CR_INVALID) colors.text = m_crSelText;
  return colors;
}

void SListItemLook::DrawBackground(IRenderTarget* pRT, const RECT& rc, const RowColors& colors,
                                   ISkinObj* itemSkin) const {
  if (colors.bg != CR_INVALID) pRT->FillSolidRect(&rc, colors.bg);
  SControlSkin::DrawState(itemSkin, pRT, rc, colors.skinState);
}

void SListItemLook::DrawIconText(SWindow* wnd, IRenderTarget* pRT, const RECT& rcCell,
                                 ISkinObj* iconSkin, int nImage, const SStringW& text,
                                 int nItemHeight) const {
  const int scale = wnd->GetScale();
  bool iconDrawn = false;
  RECT rcIcon = {0, 0, 0, 0};
  if (nImage != -1 && iconSkin != nullptr) {
    const SIZE size = iconSkin->GetSkinSize();
    const int x = m_ptIcon[0].IsSpecifiedSize() ? m_ptIcon[0].toPixelSize(scale) : nItemHeight / 6;
    const int y = m_ptIcon[1].IsSpecifiedSize() ? m_ptIcon[1].toPixelSize(scale)
                                                : (nItemHeight - size.cy) / 2;
    rcIcon =
        RECT{rcCell.left + x, rcCell.top + y, rcCell.left + x + size.cx, rcCell.top + y + size.cy};
    iconDrawn = SControlSkin::DrawState(iconSkin, pRT, rcIcon, nImage) != FALSE;
  }
  RECT rcText = rcCell;
  if (m_ptText[0].IsSpecifiedSize()) {
    rcText.left = rcCell.left + m_ptText[0].toPixelSize(scale);
  } else if (iconDrawn) {
    rcText.left = rcIcon.right + nItemHeight / 6;
  }
  UINT format = DT_SINGLELINE | DT_VCENTER;
  if (m_ptText[1].IsSpecifiedSize()) {
    rcText.top = rcCell.top + m_ptText[1].toPixelSize(scale);
    format = DT_SINGLELINE;
  }
  wnd->DrawText(pRT, text, text.GetLength(), &rcText, format);
}

}  // namespace SWUI
