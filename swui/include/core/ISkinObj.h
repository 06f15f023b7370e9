// A skin: a reusable drawing recipe for backgrounds, borders, buttons and scroll bars, drawn
// by state into a rectangle of a render target. Skins are created by XML tag through the
// object factories (kind 2), configured by attributes, and kept by name and scale in skin
// pools, which hand out scaled copies.
#pragma once
#include <windows.h>

#include "IRenderTarget.h"
#include "base/IObjRef.h"
#include "base/IObject.h"

namespace SWUI {

// The state index elements draw: 0 normal, 1 hover, 2 pushed, 3 disabled (checkable elements
// add 4 for the checked states).
enum SkinState {
  SkinState_Normal = 0,
  SkinState_Hover = 1,
  SkinState_PushDown = 2,
  SkinState_Disable = 3,
};

struct ISkinObj : public IObjRef, public IObject {
  // DrawWithAlpha at the skin's own alpha.
  virtual void Draw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState) = 0;
  virtual void DrawWithAlpha(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState,
                             BYTE byAlpha) = 0;
  // The natural size of one state.
  virtual SIZE GetSkinSize() const = 0;
  // True when the skin looks the same in every state (no redraw on a state change).
  virtual BOOL IgnoreState() const = 0;
  virtual int GetStates() const = 0;
  virtual BYTE GetAlpha() const = 0;
  virtual void SetAlpha(BYTE byAlpha) = 0;
  // Re-tints the skin with a colour (0 removes the tint).
  virtual void OnColorize(COLORREF cr) = 0;
  // The scale in percent the skin was made for.
  virtual int GetScale() const = 0;
  // A new copy made for another scale, owned by the caller; null for skins that do not scale.
  virtual ISkinObj* Scale(int nScale) = 0;
};

}  // namespace SWUI
