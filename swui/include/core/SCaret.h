// The caret that a host window draws for its focused edit element: drawn by inverting the
// pixels under it, so that drawing it twice at the same place restores them, and clipped to
// where its element and every ancestor show. Used on the UI thread only, like the element it
// belongs to.
#pragma once
#include <windows.h>

#include "IRenderTarget.h"
#include "base/SAutoRefPtr.h"
#include "core/SwndHandle.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SCaret : public TObjRefImpl<IObjRef> {
 public:
  // The caret image is width x height, made through the application's render factory:
  // bitmap stretched over it, or opaque black without one.
  SCaret(SwndHandle owner, HBITMAP bitmap, int width, int height);

  // Inverts the caret rectangle at x, y (host client coordinates) within the intersection of
  // the client rectangles of the owner and its ancestors, converted to host coordinates;
  // returns the rectangle drawn, for invalidation (empty when nothing was drawn: no owner any
  // more, outside the clip, or no image).
  RECT Draw(IRenderTarget* rt, int x, int y);

  SwndHandle GetOwner() const { return m_owner; }
  SIZE GetSize() const { return m_size; }

 private:
  void PaintImage(HBITMAP bitmap);

  SwndHandle m_owner;
  SIZE m_size;
  SAutoRefPtr<IRenderTarget> m_image;
};

}  // namespace SWUI
