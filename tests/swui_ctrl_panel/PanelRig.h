// The element rig with the framework's built-in skins loaded, for the panel, scroll view and
// list box tests; they add recording skins of their own (CellSkin.h: "cellsb" scroll-bar
// skins and "cells" plain skins, which fill what they draw with a colour of the state).
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include "ElementRig.h"

class PanelRig : public ElementRig {
 public:
  explicit PanelRig(int width = 200, int height = 200) : ElementRig(width, height, true) {}
};

