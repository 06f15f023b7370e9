// What the controls share about their skins: looking a skin attribute up, drawing a state only
// where the skin has one, measuring a skin that may be missing, the check-state table of
// checkable controls and taking a content size on the axes that wrap their content.
#pragma once
#include <windows.h>

#include "IRenderTarget.h"
#include "core/ISkinObj.h"
#include "core/SAutoRefPtr.h"
#include "core/SString.h"

namespace SWUI {

class SWindow;

class SControlSkin {
 public:
  // A skin attribute: an empty value clears the skin; a name the pools know at the scale
  // replaces it; any other name is refused (FALSE) and the skin stays as it was.
  static BOOL Assign(SAutoRefPtr<ISkinObj>& skin, const SStringW& value, int scale);
  // The built-in skin of an index at scale 100, or null (no application yet).
  static ISkinObj* Builtin(int index);
  // Draws the state when the skin exists and has it (0 <= state < its state count); a state
  // the skin lacks draws nothing. TRUE when drawn.
  static BOOL DrawState(ISkinObj* skin, IRenderTarget* pRT, const RECT& rc, int state);
  // The skin's size, 0 x 0 without a skin.
  static SIZE SizeOf(ISkinObj* skin);
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
