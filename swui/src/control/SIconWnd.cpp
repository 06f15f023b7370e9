#include "control/SIconWnd.h"

#include "control/SControlSkin.h"
#include "core/SApplication.h"
#include "core/SAttrParse.h"

namespace SWUI {

SIconWnd::~SIconWnd() {
  if (m_theIcon != nullptr) DestroyIcon(m_theIcon);
}

HRESULT SIconWnd::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"src")) {
    SApplication* app = SApplication::getSingletonPtr();
    HICON icon = app != nullptr ? app->LoadIconByRef(value) : nullptr;
    if (icon == nullptr) return E_FAIL;
    SetIcon(icon);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

void SIconWnd::SetIcon(HICON hIcon) {
  if (hIcon == m_theIcon) return;
  if (m_theIcon != nullptr) DestroyIcon(m_theIcon);
  m_theIcon = hIcon;
  SControlSkin::RelayoutIfWrapping(this);
  Invalidate();
}

SIZE SIconWnd::GetDesiredSize(LPCRECT pRcContainer) {
  SIZE content = {0, 0};
  ICONINFO info = {};
  if (m_theIcon != nullptr && GetIconInfo(m_theIcon, &info)) {
    content = SIZE{static_cast<LONG>(info.xHotspot) * 2, static_cast<LONG>(info.yHotspot) * 2};
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  }
  return SControlSkin::WrapContent(this, SWindow::GetDesiredSize(pRcContainer), content);
}

void SIconWnd::OnPaint(IRenderTarget* pRT) {
  if (m_theIcon == nullptr) return;
  RECT rc;
  GetClientRect(&rc);
  pRT->DrawIconEx(rc.left, rc.top, m_theIcon, rc.right - rc.left, rc.bottom - rc.top, DI_NORMAL);
}

}  // namespace SWUI
