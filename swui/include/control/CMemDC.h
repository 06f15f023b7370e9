// A memory device context for one bitmap: made compatible with a given DC, the bitmap selected
// into it, and everything put back and freed when it goes. Either it wraps a caller's bitmap
// (viewport origin 0,0; the bitmap stays the caller's), or it makes a compatible bitmap for a
// rectangle (viewport origin at minus the rectangle's top-left, so drawing uses the
// rectangle's own coordinates; the bitmap is freed with it).
#pragma once
#include <windows.h>

namespace SWUI {

class CMemDC {
 public:
  CMemDC(HDC hdc, HBITMAP bitmap);
  CMemDC(HDC hdc, const RECT& rc);
  // Re-selects the first bitmap, deletes a bitmap it made and the DC.
  ~CMemDC();
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  // Both the DC and its bitmap are there.
  bool IsValid() const { return m_hdc != nullptr && m_bitmap != nullptr; }
  HDC GetDC() const { return m_hdc; }
  HBITMAP GetBitmap() const { return m_bitmap; }
  // Selects another bitmap (the caller's) and answers the one it replaces; a bitmap this
  // object made is the caller's to delete from then on.
  HBITMAP ChangeBitmap(HBITMAP bitmap);

 private:
  void Select(HBITMAP bitmap);

  HDC m_hdc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_oldBitmap = nullptr;
  bool m_ownsBitmap = false;
};

}  // namespace SWUI
