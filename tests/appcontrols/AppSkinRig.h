// The skin rig with the application's own skin classes registered in its application, as
// start-up registers them.
#pragma once
#include <cstdio>

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

// Rectangles compared and printed in checks.
inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
namespace doctest {
template <>
struct StringMaker<RECT> {
  static String convert(const RECT& rc) {
    char text[64];
    snprintf(text, sizeof(text), "(%ld,%ld,%ld,%ld)", rc.left, rc.top, rc.right, rc.bottom);
    return text;
  }
};
}  // namespace doctest
