// What the controls share about their skins: looking a skin up by name, a skin attribute,
// drawing a state only where the skin has one (or falling back to the normal state), measuring
// and colourising a skin that may be missing, the check-state table of checkable controls and
// taking a content size on the axes that wrap their content. A control may hold no skin at all
// (an unknown name, no built-in pool); such a skin is neither drawn nor measured.
#pragma once
#include <windows.h>

#include "IRenderTarget.h"
#include "core/ISkinObj.h"
#include "base/SAutoRefPtr.h"
#include "base/SString.h"

namespace SWUI {

class SWindow;

class SControlSkin {
 public:
  // The skin the pools hold under the name at the scale; null when none does.
  static ISkinObj* Find(const SStringW& name, int scale);
  // A skin attribute: an empty value clears the skin; a name the pools know at the scale
  // replaces it; any other name is refused (FALSE) and the skin stays as it was.
  static BOOL Assign(SAutoRefPtr<ISkinObj>& skin, const SStringW& value, int scale);
  // The built-in skin of an index at scale 100, or null (no application yet).
  static ISkinObj* Builtin(int index);
  // Draws the state when the skin exists and has it (0 <= state < its state count); a state
  // the skin lacks draws nothing. TRUE when drawn.
  static BOOL DrawState(ISkinObj* skin, IRenderTarget* pRT, const RECT& rc, int state);
  // Draws the state, or the normal state 0 when the skin has fewer states (as an element's
  // background does); nothing without a skin.
  static void DrawOrNormal(ISkinObj* skin, IRenderTarget* pRT, const RECT& rc, int state);
  // The skin's size, 0 x 0 without a skin.
  static SIZE SizeOf(const ISkinObj* skin);
  // Colourises a skin that is there.
  static void Colorize(ISkinObj* skin, COLORREF cr);
  // The state of a checkable control's skin: 0 normal, 1 hover, 2 pushed, 3 disabled, 4 more
  // when checked; disabled wins over pushed, pushed over hover.
  static int CheckState(DWORD wndState);
  // Replaces each axis of size on which the element's layout parameter wraps its content by
  // that axis of content.
  static SIZE WrapContent(const SWindow* wnd, SIZE size, SIZE content);
  // An element whose content changed size and that wraps it on an axis asks to be laid out
  // again (nothing without a parent).
  static void RelayoutIfWrapping(SWindow* wnd);
};

}  // namespace SWUI
