#include "core/SCaret.h"

#include "RenderFactoryUtil.h"
#include "core/ISwndElement.h"
#include "core/SWindowMgr.h"

namespace SWUI {

SCaret::SCaret(SwndHandle owner, HBITMAP bitmap, int width, int height)
    : m_owner(owner), m_size{width > 0 ? width : 0, height > 0 ? height : 0} {
  if (m_size.cx == 0 || m_size.cy == 0) return;
  m_image = RenderFactoryUtil::NewRenderTarget(m_size.cx, m_size.cy);
  if (m_image == nullptr) return;
  PaintImage(bitmap);
}

void SCaret::PaintImage(HBITMAP bitmap) {
  RECT all = {0, 0, m_size.cx, m_size.cy};
  BITMAP info = {};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) == 0) {
    m_image->FillSolidRect(&all, 0xFF000000);
    return;
  }
  HDC dst = m_image->GetDC(0);
  HDC src = CreateCompatibleDC(dst);
  if (src != nullptr) {
    HGDIOBJ old = SelectObject(src, bitmap);
    StretchBlt(dst, 0, 0, m_size.cx, m_size.cy, src, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
  }
  m_image->ReleaseDC(dst);
}

RECT SCaret::Draw(IRenderTarget* rt, int x, int y) {
  RECT drawn = {};
  ISwndElement* owner = SWindowMgr::GetWindow(m_owner);
  if (rt == nullptr || owner == nullptr || m_image == nullptr) return drawn;
  RECT clip = {};
  owner->GetClientRect(&clip);
  for (ISwndElement* up = owner->GetParentElement(); up != nullptr; up = up->GetParentElement()) {
    RECT client = {};
    up->GetClientRect(&client);
    IntersectRect(&clip, &clip, &client);
  }
  owner->ContainerFrameToHost(clip);
  const RECT caret = {x, y, x + m_size.cx, y + m_size.cy};
  if (!IntersectRect(&drawn, &caret, &clip)) return RECT{};
  rt->BitBlt(&drawn, m_image, drawn.left - x, drawn.top - y, DSTINVERT);
  return drawn;
}

}  // namespace SWUI
