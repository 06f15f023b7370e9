// The EQ editor's handles dragged on the main output page of the running program: a band's
// gain and frequency, the high-pass filter with its range following, and the bandwidth guides
// changing the band's Q. Each drag is pressed, moved and released on the handle itself.
#include <doctest/doctest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "EditRig.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/EqTables.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "ParamControls.h"
#include "control/SComboBox.h"
#include "control/SSliderBar.h"
#include "controls/EventThumbMoving.h"
#include "controls/ZuEQ.h"
#include "core/SWindow.h"

using namespace ParamRow;

namespace {

ZuEQ* Editor() { return dynamic_cast<ZuEQ*>(ProgramRig::Element(L"eq_curve")); }

POINT CentreOf(int id) {
  const RECT rc = ProgramRig::Element(id)->GetWindowRect();
  return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

bool Placed(int id) {
  SWUI::SWindow* handle = ProgramRig::Element(id);
  const RECT rc = handle->GetWindowRect();
  return handle->IsVisible(TRUE) && rc.right > rc.left;
}

// The first row (searching down from the top) whose gain lies in (lo, hi].
int RowOfGain(double lo, double hi) {
  const ZuEQ* editor = Editor();
  for (int y = -2000; y < 2000; ++y) {
    const double db = editor->GainAtY(y);
    if (db > lo && db <= hi) return y;
  }
  FAIL("no row shows that gain");
  return 0;
}

// The first column whose frequency (Hz) lies in (lo, hi).
int ColumnOfFreq(double lo, double hi) {
  const ZuEQ* editor = Editor();
  for (int x = -2000; x < 4000; ++x) {
    const double hz = editor->FreqAtX(x);
    if (hz > lo && hz < hi) return x;
  }
  FAIL("no column shows that frequency");
  return 0;
}

// The band frequency index nearest to a frequency, searched here over the whole table.
int NearestBandIndex(double hz) {
  const long long tenths = static_cast<long long>(hz * 10.0);
  int best = 0;
  for (int i = 1; i < kEqFreqCount; ++i) {
    if (std::llabs(static_cast<long long>(g_eqFreqTable[i]) - tenths) <
        std::llabs(static_cast<long long>(g_eqFreqTable[best]) - tenths)) {
      best = i;
    }
  }
  return best;
}

}  // namespace

TEST_CASE("handles: band, high-pass and guide drags write the band and filter rows") {
  EditRig rig;
  const int gain = BandRow(MainEQInfo0mode, 0, 2);
  const int freq = BandRow(MainEQInfo0mode, 0, 1);
  const int q = BandRow(MainEQInfo0mode, 0, 3);
  rig.Preset(Main_LinkAdjust, 0);
  rig.Preset(Main_Select, 0);
  rig.Preset(BandRow(MainEQInfo0mode, 0, 0), 1);
  rig.Preset(freq, 150);
  rig.Preset(gain, 240);
  rig.Preset(q, 20);
  rig.Preset(MainL_HPF_Type, 1);
  rig.Preset(MainL_HPF_Multiple, 0);
  rig.Preset(MainL_HPF_FREQ, 50);
  rig.Run({rig.Connect(), Once([] { EditRig::SelectPage(3); }), Until([] { return Placed(900); }),
           Once([&] {
             // A click on a handle proposes no move: nothing is written.
             CHECK(rig.Apply([] { EditRig::Drag(900, 0, 0); }).rows.empty());

             // Down to a row between -4 and -3 dB: tenths of a dB truncated toward zero, so
             // -3.47 dB would be raw 206 (the rows lie a fraction of a dB apart).
             POINT at = CentreOf(900);
             const int y = RowOfGain(-4.0, -3.0);
             const double db = Editor()->GainAtY(y);
             DeviceDiff diff = rig.Apply([&] { EditRig::Drag(900, 0, y - at.y); });
             CHECK(EditRig::Param(gain) == 240 + static_cast<int>(std::trunc(db * 10.0)));
             CHECK(EditRig::Param(gain) > 200);
             CHECK(EditRig::Param(gain) <= 210);
             CHECK(EditRig::Param(freq) == NearestBandIndex(Editor()->FreqAtX(at.x)));
             CHECK(diff.rows.count(gain) == 1);
             CHECK(diff.mirrors);
             // Above the +12 dB line: the top, 360.
             at = CentreOf(900);
             diff = rig.Apply([&] { EditRig::Drag(900, 0, RowOfGain(12.0, 1e9) - at.y); });
             CHECK(EditRig::Param(gain) == 360);
             CHECK(diff.mirrors);
           }),
           Until([] { return Placed(926) && Placed(928); }), Once([&] {
             // The high-pass handle across the ranges' thresholds: one step of range per drag.
             struct Leg {
               double lo, hi;  // where to (Hz)
               int multiple;   // the range afterwards
             };
             const Leg legs[] = {{400, 500, 1},   {4000, 5000, 2}, {1000, 1500, 1},
                                 {100, 150, 0},   {250, 290, 0},   {4000, 5000, 1},
                                 {21000, 25000, 2}};
             for (const Leg& leg : legs) {
               CAPTURE(leg.lo);
               const int x = ColumnOfFreq(leg.lo, leg.hi);
               const double hz = Editor()->FreqAtX(x);
               const int before = EditRig::Param(MainL_HPF_Multiple);
               const DeviceDiff diff =
                   rig.Apply([&] { EditRig::Drag(926, x - CentreOf(926).x, 0); });
               const FilterThumbValue want = ChannelFilterThumb(hz * 10.0, before);
               CHECK(want.multiple == leg.multiple);
               CHECK(EditRig::Param(MainL_HPF_Multiple) == leg.multiple);
               CHECK(EditRig::Param(MainL_HPF_FREQ) == want.index);
               CHECK(dynamic_cast<SWUI::SComboBox*>(ProgramRig::Element(8410))->GetCurSel() ==
                     leg.multiple);
               CHECK(dynamic_cast<SWUI::SSliderBar*>(ProgramRig::Element(2425))->GetValue() ==
                     want.index);
               for (const auto& row : diff.rows) {
                 CHECK((row.first == MainL_HPF_Multiple || row.first == MainL_HPF_FREQ));
               }
               CHECK(diff.mirrors);
             }
             CHECK(EditRig::Param(MainL_HPF_FREQ) == 124);

             // The guides of band 0 (the band changed last): towards the band raises its Q by
             // one per pixel.
             rig.Apply([] { EditRig::MoveSlider(2400, 250); });
             DeviceDiff diff = rig.Apply([] { EditRig::Drag(928, 5, 0); });
             CHECK(diff.rows == RowValues{{q, 25}});
             diff = rig.Apply([] { EditRig::Drag(929, -5, 0); });
             CHECK(diff.rows == RowValues{{q, 30}});
             diff = rig.Apply([] { EditRig::Drag(929, 5, 0); });
             CHECK(diff.rows == RowValues{{q, 25}});
             // Never beyond the band pass range, nor a shelf's.
             rig.Apply([] { EditRig::Drag(928, 300, 0); });
             CHECK(EditRig::Param(q) == 100);
             EditRig::CheckRadio(14002);
             rig.Apply([] { EditRig::Drag(928, 300, 0); });
             CHECK(EditRig::Param(BandRow(MainEQInfo0mode, 0, 4)) == 28);
             rig.Apply([] { EditRig::Drag(929, 300, 0); });
             CHECK(EditRig::Param(BandRow(MainEQInfo0mode, 0, 4)) == 0);
           })});
  CHECK_FALSE(rig.TimedOut());
}

TEST_CASE("handles: on the effect page the filter handles move the echo or reverb filters") {
  EditRig rig;
  rig.Run({rig.Connect(), Once([&] {
             EditRig::SelectPage(2);
             ZuEQ* editor = Editor();
             // The editor stands hidden beside the effect page; its mapping holds all the same.
             struct Leg {
               int handle;
               int view;  // side radio: 13700 echo, 13701 reverb
               int row;
               int slider;
             };
             const Leg legs[] = {{926, 13700, EchoHPF_FREQ, 2320},
                                 {927, 13700, EchoLPF_FREQ, 2360},
                                 {926, 13701, ReverbHPF_FREQ, 2362},
                                 {927, 13701, ReverbLPF_FREQ, 2361}};
             for (const Leg& leg : legs) {
               CAPTURE(leg.row);
               EditRig::CheckRadio(leg.view);
               SWUI::SWindow* handle = ProgramRig::Element(leg.handle);
               const RECT rc = handle->GetWindowRect();
               const int x = ColumnOfFreq(leg.handle == 926 ? 300.0 : 8000.0, 1e9);
               EventThumbMoving move(handle);
               move.curLeft = rc.left;
               move.curTop = move.newTop = rc.top;
               move.newLeft = x - (rc.right - rc.left) / 2;
               const double tenths = editor->FreqAtX(move.newLeft + (rc.right - rc.left) / 2) * 10;
               // The nearest entry, within what the slider reaches.
               auto* slider = dynamic_cast<SWUI::SSliderBar*>(ProgramRig::Element(leg.slider));
               int lo = 0;
               int hi = 0;
               slider->GetRange(&lo, &hi);
               const int want = std::min(
                   hi, leg.handle == 926 ? EffectHighPassThumb(tenths) : EffectLowPassThumb(tenths));
               const DeviceDiff diff = rig.Apply([&] { handle->FireEvent(move); });
               CHECK(diff.rows == RowValues{{leg.row, static_cast<uint16_t>(want)}});
               CHECK(slider->GetValue() == want);
             }
           })});
  CHECK_FALSE(rig.TimedOut());
}
