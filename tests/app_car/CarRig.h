// The speaker view at (0, 0, 400, 300) in an element rig with its classes registered locally
// and GDI+ running. Default attributes: the drawing area runs from x 40 to 380 and from y 20 to
// 280, and millimetre (0, 0) is pixel (240, 80). The handles are 10 x 10 and placed by
// fractions: the listener centred on (240, 80), speaker 1 on (340, 80) (1000 mm to the right),
// speaker 2 on (240, 280) (2000 mm behind), speaker 3 anywhere.
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include <string>

#include "ElementRig.h"
#include "GdiplusSession.h"
#include "GeometryChecks.h"
#include "controls/ZuCar.h"
#include "controls/ZuCarCurve.h"
#include "controls/ZuCarGrid.h"
#include "controls/ZuCarThumb.h"

constexpr int kCarWidth = 400;
constexpr int kCarHeight = 300;

// A handle centred on (x, y) of the 400 x 300 view, by fractions of the view.
inline std::wstring ThumbXml(int id, int x, int y, const std::wstring& extra = L"") {
  wchar_t node[256];
  swprintf(node, 256,
           L"<zucarthumb id='%d' name='t%d' size='10,10' percentFloat='1' xFloat='%f' "
           L"yFloat='%f' %ls/>",
           id, id, (x - 5) / static_cast<double>(kCarWidth),
           (kCarHeight - (y - 5)) / static_cast<double>(kCarHeight), extra.c_str());
  return node;
}

inline std::wstring CarXml(const std::wstring& attrs = L"", const std::wstring& more = L"") {
  return L"<root><zucar name='car' pos='0,0,-0,-0' " + attrs +
         L">"
         L"<zucargrid name='grid' pos='0,0,-0,-0' colorText='#404040' font='size:10'/>"
         L"<zucarcurve name='curve' pos='0,0,-0,-0'/>" +
         ThumbXml(0, 240, 80) + ThumbXml(1, 340, 80) + ThumbXml(2, 240, 280) +
         ThumbXml(3, 100, 100) +
         L"<text name='ch1_tip' pos='0,0'/><text name='ch2_tip' pos='0,0'/>"
         L"<text name='ch3_tip' pos='0,0'/><text name='car_pos_tip' pos='0,0'/>" +
         more + L"</zucar></root>";
}

class CarRig {
 public:
  explicit CarRig(const std::wstring& xml = CarXml()) : rig(kCarWidth, kCarHeight) {
    REQUIRE(rig.app.TplRegisterFactory<ZuCar>());
    REQUIRE(rig.app.TplRegisterFactory<ZuCarThumb>());
    REQUIRE(rig.app.TplRegisterFactory<ZuCarGrid>());
    REQUIRE(rig.app.TplRegisterFactory<ZuCarCurve>());
    rig.Load(xml.c_str());
    car = dynamic_cast<ZuCar*>(rig.Find(L"car"));
    REQUIRE(car != nullptr);
  }

  ZuCarThumb* Thumb(int id) const {
    wchar_t name[8];
    swprintf(name, 8, L"t%d", id);
    auto* thumb = dynamic_cast<ZuCarThumb*>(rig.Find(name));
    REQUIRE(thumb != nullptr);
    return thumb;
  }
  SWUI::SWindow* Text(const wchar_t* name) const {
    SWUI::SWindow* text = rig.Find(name);
    REQUIRE(text != nullptr);
    return text;
  }
  SWUI::SStringW TextOf(const wchar_t* name) const { return Text(name)->GetWindowText(); }
  SWUI::SStringW TipOf(int id) const { return Thumb(id)->GetToolTipText(); }
  void Paint(const wchar_t* png = nullptr) {
    rig.Paint();
    if (png != nullptr) rig.render.SavePng(png, 2);
  }

  fixtures::GdiplusSession gdiplus;
  ElementRig rig;
  ZuCar* car = nullptr;
};
