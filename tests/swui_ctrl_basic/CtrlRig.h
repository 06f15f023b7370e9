// What the basic control tests stand on: the element rig with the framework's built-in skins
// and cell skins that fill each state with a colour of their own and record every draw
// ("cells4": 4 states, "cells8": 8, "cells6": 6, "cells3": 3, all 10 x 10; "big": 4 states of
// 20 x 12).
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include "ElementRig.h"
#include "EventLog.h"
#include "control/SAnimateImgWnd.h"
#include "control/SButton.h"
#include "control/SCaption.h"
#include "control/SCheckBox.h"
#include "control/SGroup.h"
#include "control/SIconWnd.h"
#include "control/SImageButton.h"
#include "control/SImageWnd.h"
#include "control/SLine.h"
#include "control/SLink.h"
#include "control/SRadioBox.h"
#include "control/SRealWnd.h"
#include "control/SStatic.h"
#include "control/SToggle.h"
#include "core/SSkinPoolMgr.h"

constexpr wchar_t kBasicSkins[] =
    L"<skin><cells name='cells4'/><cells name='cells8' states='8'/>"
    L"<cells name='cells6' states='6'/><cells name='cells3' states='3'/>"
    L"<cells name='big' size='20,12'/></skin>";

class CtrlRig : public ElementRig {
 public:
  explicit CtrlRig(int width = 200, int height = 200) : ElementRig(width, height, true) {
    AddSkins(kBasicSkins);
  }
};

// An element message with a point in host coordinates.
inline LRESULT Send(SWUI::SWindow* wnd, UINT msg, int x, int y, WPARAM wParam = 0) {
  return wnd->SSendMessage(msg, wParam, MAKELPARAM(x, y));
}
