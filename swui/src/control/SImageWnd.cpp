#include "control/SImageWnd.h"

#include <cwchar>

#include "control/SControlSkin.h"
#include "core/SAttrParse.h"

namespace SWUI {

SImageWnd::SImageWnd() { m_dwFlags |= SWF_MSGTRANSPARENT; }

HRESULT SImageWnd::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"skin")) {
    SAutoRefPtr<ISkinObj> skin;
    if (!SControlSkin::Assign(skin, value, GetScale())) return E_FAIL;
    if (skin != nullptr) {
      SetSkin(skin, m_iIcon);
    } else {
      m_pSkin.Reset();  // an empty value
    }
    return AfterAttribute(name, value, bLoading, S_OK);
  }
  if (SAttrParse::IsName(name, L"iconIndex")) {
    m_iIcon = SAttrParse::Int(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  if (SAttrParse::IsName(name, L"tile")) {
    m_fl = SAttrParse::Int(value);
    return AfterAttribute(name, value, bLoading, S_OK);
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

BOOL SImageWnd::SetSkin(ISkinObj* pSkin, int iFrame, BOOL) {
  if (pSkin == nullptr) return FALSE;
  InvalidateRect(nullptr);
  m_pSkin = pSkin;
  m_iIcon = iFrame;
  m_pImg.Reset();
  MarkStaticContentDirty(false);
  SControlSkin::RelayoutIfWrapping(this);
  InvalidateRect(nullptr);
  return TRUE;
}

void SImageWnd::SetImage(IBitmap* pBitmap, int nFilterLevel) {
  m_pImg = pBitmap;
  m_nFilterLevel = nFilterLevel;
  MarkStaticContentDirty(false);
  SControlSkin::RelayoutIfWrapping(this);
  InvalidateRect(nullptr);
}

BOOL SImageWnd::SetIcon(int iFrame) {
  if (m_pSkin == nullptr || iFrame < 0 || iFrame >= m_pSkin->GetStates()) return FALSE;
  m_iIcon = iFrame;
  MarkStaticContentDirty(false);
  InvalidateRect(nullptr);
  return TRUE;
}

BOOL SImageWnd::IsStaticContent() const {
  // A bitmap given by the program may change in place; a skin's state may not.
  return std::wcscmp(GetObjectClass(), SImageWnd::ClassName()) == 0 && m_pImg == nullptr &&
         !IsFocusable();
}

void SImageWnd::OnColorize(COLORREF cr) {
  SWindow::OnColorize(cr);
  SControlSkin::Colorize(m_pSkin, cr);
}

void SImageWnd::OnScaleChanged(int scale) {
  SWindow::OnScaleChanged(scale);
  ScaleSkin(m_pSkin, scale);
}

SIZE SImageWnd::GetDesiredSize(LPCRECT pRcContainer) {
  SIZE content = SControlSkin::SizeOf(m_pSkin);
  if (m_pImg != nullptr) content = m_pImg->Size();
  return SControlSkin::WrapContent(this, SWindow::GetDesiredSize(pRcContainer), content);
}

void SImageWnd::OnPaint(IRenderTarget* pRT) {
  if (m_pImg == nullptr) {
    SControlSkin::DrawState(m_pSkin, pRT, m_rcWindow, m_iIcon);
    return;
  }
  UINT mode = EM_STRETCH;
  if (m_fl == kTileNone) {
    mode = EM_NULL;
  } else if (m_fl == kTileRepeat) {
    mode = EM_TILE;
  } else if (m_fl != kTileStretch) {
    return;
  }
  const SIZE size = m_pImg->Size();
  const RECT src = {0, 0, size.cx, size.cy};
  pRT->DrawBitmapEx(&m_rcWindow, m_pImg, &src, (static_cast<UINT>(m_nFilterLevel) << 16) | mode,
                    0xFF);
}

}  // namespace SWUI
