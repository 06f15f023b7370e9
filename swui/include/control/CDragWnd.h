// The picture that follows the mouse while something is dragged: a topmost, click-through,
// layered popup of a bitmap's size. One may exist in the process at a time; the header's
// caption drag uses it. A 32-bit bitmap is shown with its own per-pixel alpha times a constant
// alpha; any other bitmap is painted as it is, made translucent by a colour key and a constant
// alpha. The bitmap stays the caller's and must live until EndDrag.
#pragma once
#include <windows.h>

#include "core/CSimpleWnd.h"

namespace SWUI {

class CDragWnd : public CSimpleWnd {
 public:
  // FALSE when a drag picture exists already, for a bitmap that cannot be read, or when the
  // window cannot be made; the window stays hidden until the first DragMove. hotSpot: the
  // point of the picture that stays under the mouse.
  static BOOL BeginDrag(HBITMAP bitmap, POINT hotSpot, COLORREF colorKey, BYTE alpha,
                        DWORD lwaFlags);
  // Shows the picture with its hot spot at the screen point, topmost, without activating it.
  static void DragMove(POINT screenPoint);
  // Destroys the picture; nothing when there is none.
  static void EndDrag();

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

 private:
  CDragWnd() = default;
  BOOL Show(HBITMAP bitmap, const BITMAP& info, COLORREF colorKey, BYTE alpha, DWORD lwaFlags);
  BOOL UpdateLayered(const BITMAP& info, BYTE alpha);
  void OnPaint();

  static CDragWnd* s_instance;
  HBITMAP m_bitmap = nullptr;
  SIZE m_size = {0, 0};
  POINT m_hotSpot = {0, 0};
};

}  // namespace SWUI
