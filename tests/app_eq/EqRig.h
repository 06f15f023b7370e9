// The EQ editor as the main window lays it out (600 x 300, ldist 38, tdist 18, rdist 0,
// bdist 16) in an element rig with the editor's classes registered locally, GDI+ running, and
// curve models made from bands given in a line.
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "ElementRig.h"
#include "Eq/EqCurve.h"
#include "GdiplusSession.h"
#include "GeometryChecks.h"
#include "controls/EventThumbMoving.h"
#include "controls/SMoveThumb.h"
#include "controls/ZuEQ.h"
#include "controls/ZuEqCurve.h"
#include "controls/ZuEqGrid.h"

constexpr DWORD kWhite = 0xFFFFFFFF;
constexpr DWORD kGridColor = 0xFF808080;  // "#808080"
constexpr int kEqWidth = 600;
constexpr int kEqHeight = 300;

// A peaking band.
inline EqBandInfo Band(double freq, double gain, double q = 1.0) {
  EqBandInfo band;
  band.shape = 0;
  band.freq = freq;
  band.gain = gain;
  band.q = q;
  return band;
}

// A curve model of the given regular bands (flat 1 kHz bands when only a count is given).
struct Model {
  EqCurveInfo info;

  explicit Model(std::initializer_list<EqBandInfo> bands) {
    const std::vector<EqBandInfo> list(bands);
    REQUIRE(InitEqCurve(info, list.data(), static_cast<int>(list.size())));
  }
  explicit Model(int count) {
    const std::vector<EqBandInfo> list(static_cast<size_t>(count), Band(1000, 0));
    REQUIRE(InitEqCurve(info, list.data(), count));
  }
  ~Model() { FreeEqCurve(info); }
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;
};

// The editor's layout: the grid, the curve, band handles 0..bands-1 (18 x 18, opaque centre
// colours), the two filter handles (40 x 18) and the two guides (20 x 17), all with canYMove as
// the main window has it. The editor fills the rig unless placed otherwise.
inline std::wstring EditorXml(int bands = 26, const std::wstring& pos = L"0,0,-0,-0") {
  std::wstring xml =
      L"<root><zueq name='eq' pos='" + pos +
      L"' ldist='38' tdist='18' rdist='0' bdist='16' "
      L"dbMax='12' dbMin='-24' nKedu='12' dbKeduVal='6' zeroXFreq='10'>"
      L"<zueqgrid name='grid' pos='0,0,-0,-0' colorBorder='#808080' colorText='#404040' "
      L"font='size:10'/>"
      L"<zueqcurve name='curve' pos='0,0,-0,-0'/>";
  for (int i = 0; i < bands; ++i) {
    wchar_t node[160];
    swprintf(node, 160,
             L"<moveThumb name='b%d' data='%d' float='1' size='18,18' "
             L"centerColor='#e8553fff'>%d</moveThumb>",
             i, i, i + 1);
    xml += node;
  }
  xml +=
      L"<moveThumb name='hp' data='-1' float='1' size='40,18' canYMove='0'>[HPF]</moveThumb>"
      L"<moveThumb name='lp' data='-2' float='1' size='40,18' canYMove='0'>[LPF]</moveThumb>"
      L"<moveThumb name='gl' data='-5' float='1' size='20,17' canYMove='0'/>"
      L"<moveThumb name='gr' data='-6' float='1' size='20,17' canYMove='0'/>"
      L"<window name='other' pos='0,0,@10,@10'/>"
      L"</zueq></root>";
  return xml;
}

class EqRig {
 public:
  explicit EqRig(const std::wstring& xml = EditorXml(), int width = kEqWidth,
                 int height = kEqHeight)
      : rig(width, height) {
    REQUIRE(rig.app.TplRegisterFactory<ZuEQ>());
    REQUIRE(rig.app.TplRegisterFactory<ZuEqGrid>());
    REQUIRE(rig.app.TplRegisterFactory<ZuEqCurve>());
    REQUIRE(rig.app.TplRegisterFactory<SMoveThumb>());
    rig.Load(xml.c_str());
    editor = dynamic_cast<ZuEQ*>(rig.Find(L"eq"));
    REQUIRE(editor != nullptr);
  }

  SMoveThumb* Thumb(const wchar_t* name) const {
    auto* thumb = dynamic_cast<SMoveThumb*>(rig.Find(name));
    REQUIRE(thumb != nullptr);
    return thumb;
  }
  SMoveThumb* BandThumb(int band) const {
    wchar_t name[16];
    swprintf(name, 16, L"b%d", band);
    return Thumb(name);
  }
  // The centre of a handle as the page logic takes it.
  static POINT Center(SWUI::SWindow* wnd) {
    const RECT rc = wnd->GetWindowRect();
    return POINT{rc.left + (rc.right - rc.left) / 2, rc.top + (rc.bottom - rc.top) / 2};
  }
  void Paint(const wchar_t* png = nullptr) {
    rig.Paint();
    if (png != nullptr) rig.render.SavePng(png, 2);
  }

  fixtures::GdiplusSession gdiplus;
  ElementRig rig;
  ZuEQ* editor = nullptr;
};

// Channels within a tolerance.
inline bool Near(DWORD a, DWORD b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d > tolerance || d < -tolerance) return false;
  }
  return true;
}
