#include "base/AlphaChannelBackup.h"

#include <cstdlib>

namespace SWUI {

namespace {

constexpr size_t kStaticPixels = 65536;
BYTE g_staticAlpha[kStaticPixels];

// pBackup->rc clipped to the bitmap; FALSE when nothing of it lies on the bitmap.
bool ClipToBitmap(const AlphaChannelBackup* pBackup, RECT* rc) {
  const LONG width = pBackup->bm.bmWidth;
  const LONG height = pBackup->bm.bmHeight < 0 ? -pBackup->bm.bmHeight : pBackup->bm.bmHeight;
  const RECT bounds = {0, 0, width, height};
  RECT clipped = {};
  clipped.left = pBackup->rc.left > bounds.left ? pBackup->rc.left : bounds.left;
  clipped.top = pBackup->rc.top > bounds.top ? pBackup->rc.top : bounds.top;
  clipped.right = pBackup->rc.right < bounds.right ? pBackup->rc.right : bounds.right;
  clipped.bottom = pBackup->rc.bottom < bounds.bottom ? pBackup->rc.bottom : bounds.bottom;
  *rc = clipped;
  return clipped.right > clipped.left && clipped.bottom > clipped.top;
}

}  // namespace

BOOL BackupAlphaChannel(HDC hdc, LPCRECT prc, AlphaChannelBackup* pBackup) {
  pBackup->saved = nullptr;
  SetRectEmpty(&pBackup->rc);
  HGDIOBJ bmp = GetCurrentObject(hdc, OBJ_BITMAP);
  if (bmp == nullptr || GetObjectW(bmp, sizeof(BITMAP), &pBackup->bm) == 0 ||
      pBackup->bm.bmBitsPixel != 32) {
    return FALSE;
  }
  POINT org = {0, 0};
  GetViewportOrgEx(hdc, &org);
  RECT rc = {prc->left + org.x, prc->top + org.y, prc->right + 1 + org.x,
             prc->bottom + 1 + org.y};
  pBackup->rc = rc;
  RECT clipped;
  if (!ClipToBitmap(pBackup, &clipped) || pBackup->bm.bmBits == nullptr) return TRUE;
  pBackup->rc = clipped;
  const size_t w = static_cast<size_t>(clipped.right - clipped.left);
  const size_t h = static_cast<size_t>(clipped.bottom - clipped.top);
  BYTE* buf = w * h <= kStaticPixels ? g_staticAlpha : static_cast<BYTE*>(malloc(w * h));
  if (buf == nullptr) return TRUE;
  const BYTE* bits = static_cast<const BYTE*>(pBackup->bm.bmBits);
  const size_t stride = static_cast<size_t>(pBackup->bm.bmWidth) * 4;
  BYTE* out = buf;
  for (LONG y = clipped.top; y < clipped.bottom; ++y) {
    const BYTE* row = bits + y * stride + static_cast<size_t>(clipped.left) * 4 + 3;
    for (size_t x = 0; x < w; ++x) *out++ = row[x * 4];
  }
  pBackup->saved = buf;
  return TRUE;
}

void RestoreAlphaChannel(AlphaChannelBackup* pBackup) {
  if (pBackup->saved == nullptr) return;
  RECT clipped;
  if (ClipToBitmap(pBackup, &clipped) && pBackup->bm.bmBits != nullptr) {
    const size_t w = static_cast<size_t>(clipped.right - clipped.left);
    BYTE* bits = static_cast<BYTE*>(pBackup->bm.bmBits);
    const size_t stride = static_cast<size_t>(pBackup->bm.bmWidth) * 4;
    const BYTE* in = pBackup->saved;
    for (LONG y = clipped.top; y < clipped.bottom; ++y) {
      BYTE* row = bits + y * stride + static_cast<size_t>(clipped.left) * 4 + 3;
      for (size_t x = 0; x < w; ++x) row[x * 4] = *in++;
    }
  }
  if (pBackup->saved != g_staticAlpha) free(pBackup->saved);
  pBackup->saved = nullptr;
}

}  // namespace SWUI
