// The skin rig with the application's own skin classes registered in its application, as
// start-up registers them.
#pragma once
#include <cstdio>

#include "GeometryChecks.h"
#include "SkinRig.h"
#include "controls/SSkinGif.h"
#include "controls/SSkinNewScrollbar.h"
#include "controls/SSkinVScrollbar.h"
#include "controls/ZUSkinHScrollbar.h"

class AppSkinRig : public SkinRig {
 public:
  AppSkinRig(int width, int height) : SkinRig(width, height) {
    REQUIRE(app.TplRegisterFactory<SWUI::SSkinVScrollbar>());
    REQUIRE(app.TplRegisterFactory<SWUI::SSkinNewScrollbar>());
    REQUIRE(app.TplRegisterFactory<SWUI::ZUSkinHScrollbar>());
    REQUIRE(app.TplRegisterFactory<SWUI::SSkinGif>());
  }
};

