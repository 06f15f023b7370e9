// The element classes the page logic binds its controls as. Each lookup asks for one of these
// (a typed lookup checks the class), so a layout element of another kind is never driven as
// one of them.
#pragma once
#include "control/SCheckBox.h"
#include "control/SComboBox.h"
#include "control/SStatic.h"
#include "controls/ZuRadioButton.h"
#include "controls/ZuSlider.h"

// Parameter sliders.
using ParamSlider = ZuSlider;
// Toggles, and the status checks and echo tap switches ("zucheckbtn" answers "check" too).
using ParamCheck = SWUI::SCheckBox;
// Combo boxes of the pages (filter types and ranges, the anti-feedback mode).
using ParamCombo = SWUI::SComboBox;
// Radio buttons of the pages.
using ParamRadio = ZuRadioButton;
// Value texts.
using ValueText = SWUI::SStatic;
