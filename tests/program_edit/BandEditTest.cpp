// A page's EQ bands edited in the running program: typed gains, frequencies and Q values read
// exactly and snapped to the device's tables, what is no number refused, the link mode choosing
// the sets, and a refresh moving the band controls without writing.
#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CUIEventHandler.h"
#include "EditRig.h"
#include "HostHarness.h"
#include "EqBandEdit.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "ParamText.h"
#include "control/SSpinButtonCtrl.h"

using namespace ParamRow;

namespace {

// Main output, band 1: gain edit 4401, frequency edit 6401, Q edit 7401, its type radios.
constexpr int kGainEdit = 4401;
constexpr int kFreqEdit = 6401;
constexpr int kQEdit = 7401;
constexpr int kShelfRadio = 14012;
constexpr int kBandPassRadio = 14011;

struct Typed {
  const char* what;
  int edit;
  const wchar_t* text;
  RowValues rows;       // written (with the band's selection, when anything is)
  const wchar_t* shown;  // the edit's text afterwards
};

}  // namespace

TEST_CASE("band edits: typed values read exactly, snapped, clamped; no number writes nothing") {
  EditRig rig;
  rig.Preset(Main_LinkAdjust, 0);
  rig.Preset(Main_Select, 0x81);
  rig.Preset(BandRow(MainEQInfo0mode, 1, 0), 1);  // band pass
  rig.Preset(BandRow(MainEQInfo0mode, 1, 1), 100);
  rig.Preset(BandRow(MainEQInfo0mode, 1, 2), 274);
  rig.Preset(BandRow(MainEQInfo0mode, 1, 3), 16);
  rig.Preset(BandRow(MainEQInfo0mode, 1, 4), 20);
  const int gain = BandRow(MainEQInfo0mode, 1, 2);
  const int freq = BandRow(MainEQInfo0mode, 1, 1);
  const int q = BandRow(MainEQInfo0mode, 1, 3);
  const int shelfQ = BandRow(MainEQInfo0mode, 1, 4);
  const std::vector<Typed> cases = {
      {"the gain the slider holds, in another form", kGainEdit, L"3.40", {}, L"3.4dB"},
      {"below the floor", kGainEdit, L"-30", {{gain, 0}}, L"-24.0dB"},
      {"above the top, with its unit", kGainEdit, L"20dB", {{gain, 360}}, L"12.0dB"},
      {"tenths truncated", kGainEdit, L" 3.45 ", {{gain, 274}}, L"3.4dB"},
      {"empty", kGainEdit, L"", {}, L"3.4dB"},
      {"letters", kGainEdit, L"abc", {}, L"3.4dB"},
      {"a decimal comma", kGainEdit, L"3,5", {}, L"3.4dB"},
      {"an exponent", kGainEdit, L"1e30", {}, L"3.4dB"},
      {"not a number", kGainEdit, L"nan", {}, L"3.4dB"},
      {"infinity", kGainEdit, L"inf", {}, L"3.4dB"},
      {"frequency below the table", kFreqEdit, L"10", {{freq, 0}}, L"19.7"},
      {"frequency above the table", kFreqEdit, L"25000Hz", {{freq, 361}}, L"20600"},
      {"frequency no number", kFreqEdit, L"1e30", {}, L"20600"},
      {"Q below the table", kQEdit, L"0.3", {{q, 0}}, L"0.40"},
      {"Q read exactly: 0.58 is nearest 0.59", kQEdit, L"0.58", {{q, 7}}, L"0.59"},
      {"Q above the band pass table", kQEdit, L"200", {{q, 100}}, L"128"},
  };
  std::vector<ProgramRig::Step> steps = {rig.Connect()};
  steps.push_back(Once([&] {
    EditRig::SelectPage(3);  // only a shown edit takes the focus
    for (const Typed& c : cases) {
      const std::string what = c.what;
      CAPTURE(what);
      const DeviceDiff diff = rig.Apply([&] { EditRig::TypeAndLeave(c.edit, c.text); });
      RowValues want = c.rows;
      if (!want.empty()) want[Main_Select] = 0x81;  // band 1, the set's bit 7 kept
      // The selection may already stand at band 1 from an earlier case.
      if (diff.rows.count(Main_Select) == 0) want.erase(Main_Select);
      CHECK(diff.rows == want);
      CHECK(ProgramRig::TextOf(c.edit) == std::wstring(c.shown));
    }
    // On a shelf the Q index tops out at 28 (2.00).
    EditRig::CheckRadio(kShelfRadio);
    const DeviceDiff shelf = rig.Apply([] { EditRig::TypeAndLeave(kQEdit, L"200"); });
    CHECK(shelf.rows == RowValues{{shelfQ, 28}});
    CHECK(ProgramRig::TextOf(kQEdit) == L"2.00");
    // Back to band pass: the spin widens and shows the band pass Q again.
    EditRig::CheckRadio(kBandPassRadio);
    auto* spin = dynamic_cast<SWUI::SSpinButtonCtrl*>(ProgramRig::Element(3401));
    int lo = 0;
    int hi = 0;
    spin->GetRange(&lo, &hi);
    CHECK(hi == 100);
    CHECK(spin->GetValue() == 100);
  }));
  rig.Run(steps);
  CHECK_FALSE(rig.TimedOut());
}

TEST_CASE("band edits: the link mode chooses the sets, each keeping its own enable bit") {
  EditRig rig;
  rig.Preset(Music_Select, 0x80);
  rig.Preset(MusicR_EQSel, 0x02);
  for (int set : {MusicEQInfo0mode, MusicREQInfo0mode}) {
    rig.Preset(BandRow(set, 4, 0), 1);
    rig.Preset(BandRow(set, 4, 1), 150);
  }
  const int left = BandRow(MusicEQInfo0mode, 4, 1);
  const int right = BandRow(MusicREQInfo0mode, 4, 1);
  rig.Run({rig.Connect(), Once([&] {
             CDeviceController& controller = EditRig::Controller();
             // Right (MIC B / R): the second set and its own selection row.
             controller.SetParam(Music_LinkAdjust, 1);
             DeviceDiff diff = rig.Apply([] { EditRig::TypeAndLeave(6104, L"1000"); });
             const uint16_t index = EditRig::Param(right);
             CHECK(index != 150);
             CHECK(diff.rows == RowValues{{MusicR_EQSel, 0x04}, {right, index}});
             CHECK(EditRig::Param(left) == 150);
             // Both: both selections, then the band row of both sets, in one report.
             controller.SetParam(Music_LinkAdjust, 2);
             diff = rig.Apply([] { EditRig::TypeAndLeave(6104, L"20"); });
             CHECK(diff.rows == RowValues{{Music_Select, 0x84}, {left, 1}, {right, 1}});
             CHECK(diff.reports == 1);
             // Any other mode: the text only.
             controller.SetParam(Music_LinkAdjust, 3);
             diff = rig.Apply([] { EditRig::TypeAndLeave(6104, L"5000"); });
             CHECK(diff.rows.empty());
             CHECK(ProgramRig::TextOf(6104) == BandFreqText(BandFreqIndex(50000)));
           })});
  CHECK_FALSE(rig.TimedOut());
}

TEST_CASE("band edits: a refresh moves type radios and Q spins and writes nothing") {
  EditRig rig;
  rig.Run({rig.Connect(), Once([&] {
             // Every page's controls, as if each page had been shown.
             ProgramRig::Logic().BuildAllPages();
             uint8_t* image = EditRig::Controller().CurrentImage();
             EditRig::Controller().FlushPendingParams();
             const size_t writes = rig.Device().ReceivedCount('d');
             // Every band of every page another type and Q than its controls show.
             for (int t = 0; t < CUIEventHandler::kPageCount; ++t) {
               const EqPageState& page = ProgramRig::Logic().Page(t);
               for (int set : {page.FirstRow(), page.SecondRow()}) {
                 if (set < 0) continue;
                 for (int k = 0; k < page.BandCount(); ++k) {
                   SetImageParam(image, BandRow(set, k, 0), (GetParam(image, BandRow(set, k, 0)) + 1) % 4);
                   SetImageParam(image, BandRow(set, k, 3), 50 + k);
                   SetImageParam(image, BandRow(set, k, 4), 3 + k % 20);
                 }
               }
             }
             const std::vector<uint8_t> before(image, image + kParamImageSize);
             ProgramRig::Logic().RefreshAll();
             EditRig::Controller().FlushPendingParams();
             CHECK(rig.Device().ReceivedCount('d') == writes);
             CHECK(std::memcmp(before.data(), image, kParamImageSize) == 0);
           })});
  CHECK_FALSE(rig.TimedOut());
}
