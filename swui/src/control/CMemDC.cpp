#include "control/CMemDC.h"

namespace SWUI {

CMemDC::CMemDC(HDC hdc, HBITMAP bitmap) : m_hdc(::CreateCompatibleDC(hdc)) {
  if (m_hdc == nullptr || bitmap == nullptr) return;
  Select(bitmap);
  ::SetViewportOrgEx(m_hdc, 0, 0, nullptr);
}

CMemDC::CMemDC(HDC hdc, const RECT& rc) : m_hdc(::CreateCompatibleDC(hdc)) {
  if (m_hdc == nullptr || rc.right <= rc.left || rc.bottom <= rc.top) return;
  HBITMAP made = ::CreateCompatibleBitmap(hdc, rc.right - rc.left, rc.bottom - rc.top);
  if (made == nullptr) return;
  m_ownsBitmap = true;
  Select(made);
  ::SetViewportOrgEx(m_hdc, -rc.left, -rc.top, nullptr);
}

CMemDC::~CMemDC() {
  if (m_hdc == nullptr) return;
  if (m_oldBitmap != nullptr) ::SelectObject(m_hdc, m_oldBitmap);
  if (m_ownsBitmap && m_bitmap != nullptr) ::DeleteObject(m_bitmap);
  ::DeleteDC(m_hdc);
}

void CMemDC::Select(HBITMAP bitmap) {
  HGDIOBJ old = ::SelectObject(m_hdc, bitmap);
  if (old == nullptr || old == HGDI_ERROR) {
    if (m_ownsBitmap) ::DeleteObject(bitmap);
    m_ownsBitmap = false;
    return;
  }
  m_oldBitmap = old;
  m_bitmap = bitmap;
}

HBITMAP CMemDC::ChangeBitmap(HBITMAP bitmap) {
  if (m_hdc == nullptr || bitmap == nullptr) return nullptr;
  HGDIOBJ old = ::SelectObject(m_hdc, bitmap);
  if (old == nullptr || old == HGDI_ERROR) return nullptr;
  // The bitmap this object made is no longer selected: it is the caller's from now on.
  if (m_oldBitmap == nullptr) m_oldBitmap = old;
  if (m_ownsBitmap) m_ownsBitmap = false;
  m_bitmap = bitmap;
  return static_cast<HBITMAP>(old);
}

}  // namespace SWUI
