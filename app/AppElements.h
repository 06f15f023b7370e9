// The element classes the page logic binds its controls as. Each lookup asks for one of these
// (a typed lookup checks the class), so a layout element of another kind is never driven as
// one of them.
#pragma once
#include "control/SCheckBox.h"
#include "control/SRadioBox.h"
#include "control/SSliderBar.h"
#include "control/SStatic.h"

// Parameter sliders ("zuslider" answers "sliderbar").
using ParamSlider = SWUI::SSliderBar;
// Toggles and status checks ("zucheckbtn" answers "check").
using ParamCheck = SWUI::SCheckBox;
// Radio buttons of the pages ("zuradiobtn" answers "radio").
using ParamRadio = SWUI::SRadioBox;
// Value texts.
using ValueText = SWUI::SStatic;
