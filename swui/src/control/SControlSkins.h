// What the range controls (progress, slider, scroll bar, spin button) do with their skins:
// look one up by name, draw one in a state, measure one. A control may hold no skin at all
// (an unknown name, no built-in pool); such a skin is neither drawn nor measured.
#pragma once
#include <windows.h>

#include "IRenderTarget.h"
#include "core/ISkinObj.h"
#include "core/SAutoRefPtr.h"
#include "core/SString.h"

namespace SWUI {

class SControlSkins {
 public:
  // The skin the pools hold under the name at the scale; null when none does.
  static ISkinObj* Find(const SStringW& name, int scale);
  // A skin attribute: the named skin replaces the held one (S_OK); a name no pool knows
  // keeps the held skin and is refused (E_FAIL).
  static HRESULT Assign(SAutoRefPtr<ISkinObj>& skin, const SStringW& name, int scale);
  // A built-in skin at scale 100, or null.
  static ISkinObj* Builtin(int index);
  // Draws the state, or state 0 when the skin has fewer states; nothing without a skin.
  static void Draw(ISkinObj* skin, IRenderTarget* pRT, const RECT& rc, int state);
  // The skin's size; 0 x 0 without a skin.
  static SIZE Size(const ISkinObj* skin);
  // Colourises a skin that is there.
  static void Colorize(ISkinObj* skin, COLORREF cr);
};

}  // namespace SWUI
