// The base of the five render objects (pen, brush, bitmap, font, region). A render object is
// an IObject at its start and counted through its IObjRef part; it starts with one reference
// and deletes itself at the last release.
//
// Conventions of every render interface:
// - Colours are 0xAABBGGRR (a COLORREF with the alpha in the top byte); GDI gets the low 24
//   bits, the top byte is a constant alpha (0 transparent, 255 opaque).
// - Bitmap pixels are 32-bit, top-down rows of width x 4 bytes, bytes B, G, R, A, the colour
//   premultiplied by the alpha.
// - Render targets and objects report HRESULT codes; the factory's creators report BOOL.
#pragma once
#include <windows.h>

#include "base/IObjRef.h"
#include "base/IObject.h"

namespace SWUI {

struct IRenderFactory;

// What ObjectType answers; the render target selects objects by it.
enum OBJTYPE {
  OT_NULL = 0,
  OT_PEN = 1,
  OT_BRUSH = 2,
  OT_BITMAP = 3,
  OT_FONT = 4,
  OT_RGN = 5,
};

struct IRenderObj : public IObject, public IObjRef {
  // One of OBJTYPE.
  virtual int ObjectType() const = 0;
  // The factory that made the object; no reference is added.
  virtual IRenderFactory* GetRenderFactory() const = 0;
};

// The alpha byte of a 0xAABBGGRR colour.
inline BYTE GetAValue(COLORREF cr) { return static_cast<BYTE>(cr >> 24); }

}  // namespace SWUI
