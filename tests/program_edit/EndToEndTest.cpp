// One control of each family moved as a user moves it, in a session with the simulated
// processor: exactly the rows it stands for change in the processor's bank, with the bytes the
// pages' rules give, and the bank goes on mirroring the program's image.
#include <doctest/doctest.h>

#include <functional>
#include <string>
#include <vector>

#include "EditRig.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "control/SSliderBar.h"
#include "control/SSpinButtonCtrl.h"

using namespace ParamRow;

namespace {

int SliderValue(int id) {
  return dynamic_cast<SWUI::SSliderBar*>(ProgramRig::Element(id))->GetValue();
}

struct Case {
  const char* what;
  std::function<void()> action;
  // The rows and values the processor must hold afterwards, from the image before the move.
  std::function<RowValues()> rows;
  // Further checks of the program afterwards.
  std::function<void()> then = [] {};
  bool mirrors = true;
  // 'd' reports the move took, when it matters.
  int reports = -1;
};

RowValues WorkModeRows(uint16_t value) {
  return {{MainWorkMode, value}, {SubWorkMode, value}, {SCWorkMode, value}, {Sur_WorkMode, value}};
}

}  // namespace

TEST_CASE("end to end: each family's move writes exactly its rows to the processor") {
  EditRig rig;
  const std::vector<std::pair<int, uint16_t>> presets = {
      {Main_MU, 0x8032},          {Main_MI, 0x8032},
      {EchoEFFLevel, 0x20},       {MainL_HPF_Multiple, 2},
      {MainL_HPF_FREQ, 50},       {MainL_HPF_Type, 0},
      {Main_LinkAdjust, 0},       {Main_Select, 0x00},
      {BandRow(MainEQInfo0mode, 0, 0), 1}, {BandRow(MainEQInfo0mode, 0, 3), 20},
      {BandRow(MainEQInfo0mode, 0, 4), 10}, {BandRow(MainEQInfo0mode, 2, 2), 240},
      {Music_LinkAdjust, 2},      {Music_Select, 0x83},
      {MusicR_EQSel, 0x05},       {BandRow(MusicEQInfo0mode, 0, 2), 240},
      {BandRow(MusicREQInfo0mode, 0, 2), 240}, {MusicL_HPF_FREQ, 10},
      {MusicR_HPF_FREQ, 10},      {Sur_LinkAdjust, 2},
      {SCSURAT + 2, 10},          {SurR_Cmp_AT + 2, 10},
      {Mic_LinkAdjust, 0},        {Mic_Exp_AT, 0x83},
      {SysMusicLimterVolume, 50}, {Musicvolume, 30},
      {MainWorkMode, 0},          {SubWorkMode, 0},
      {SCWorkMode, 0},            {Sur_WorkMode, 0},
      {SysMusicInPort_Gain, 0},   {MicFeedBackMode, 0},
      {MainL_LPF_Multiple, 0},    {MainL_LPF_FREQ, 130},
      {MainR_LPF_Multiple, 0},    {MainR_LPF_FREQ, 130},
      {MusicL_LPF_Multiple, 1},   {MusicL_LPF_FREQ, 140},
      {MusicR_LPF_Multiple, 1},   {MusicR_LPF_FREQ, 131},
  };
  for (const auto& preset : presets) rig.Preset(preset.first, preset.second);

  const std::vector<Case> cases = {
      {"fixed slider, mute bit kept: Main_MU 0x8032 + 60",
       [] { EditRig::MoveSlider(2430, 60); }, [] { return RowValues{{Main_MU, 0x803C}}; },
       [] { CHECK(ProgramRig::TextOf(6430) == L"60%"); }},
      {"music volume above its limit", [] { EditRig::MoveSlider(2000, 70); },
       [] { return RowValues{{Musicvolume, 50}}; },
       [] {
         CHECK(SliderValue(2000) == 50);
         CHECK(ProgramRig::TextOf(4000) == L"50");
         CHECK(GetParam(EditRig::Controller().Bank0Image(), Musicvolume) == 50);
         CHECK(GetParam(EditRig::Controller().Bank1Image(), Musicvolume) == 50);
       }},
      {"mix toggle checked: unmuted", [] { EditRig::PressSpace(1401); },
       [] { return RowValues{{Main_MI, 0x0032}}; }},
      {"effect level toggle unchecked: muted", [] { EditRig::PressSpace(1300); },
       [] { return RowValues{{EchoEFFLevel, 0xA0}}; }},
      {"band gain slider", [] { EditRig::MoveSlider(2402, 300); },
       [] {
         return RowValues{{Main_Select, 0x02}, {BandRow(MainEQInfo0mode, 2, 2), 300}};
       },
       [] { CHECK(ProgramRig::TextOf(4402) == L"6.0dB"); }},
      {"band gain edit, link mode 2: both sets", [] { EditRig::TypeAndLeave(4100, L"3.45"); },
       [] {
         return RowValues{{Music_Select, 0x80},
                          {MusicR_EQSel, 0x00},
                          {BandRow(MusicEQInfo0mode, 0, 2), 274},
                          {BandRow(MusicREQInfo0mode, 0, 2), 274}};
       },
       [] {
         CHECK(ProgramRig::TextOf(4100) == L"3.4dB");
         CHECK(SliderValue(2100) == 274);
       },
       true, 1},
      {"filter slider at 130 with Multiple 2", [] { EditRig::MoveSlider(2425, 130); },
       [] { return RowValues{{MainL_HPF_FREQ, 124}}; },
       [] {
         CHECK(SliderValue(2425) == 124);
         CHECK(ProgramRig::TextOf(6425) == L"20600.0Hz");
       }},
      {"filter slider, link mode 2: both sides", [] { EditRig::MoveSlider(2120, 40); },
       [] { return RowValues{{MusicL_HPF_FREQ, 40}, {MusicR_HPF_FREQ, 40}}; }},
      {"dynamics slider, link mode 2: both blocks", [] { EditRig::MoveSlider(2721, 20); },
       [] { return RowValues{{SCSURAT + 2, 20}, {SurR_Cmp_AT + 2, 20}}; },
       [] { CHECK(ProgramRig::TextOf(6721) == L"0dBu"); }},
      {"expander attack keeps the expander on", [] { EditRig::MoveSlider(2822, 5); },
       [] { return RowValues{{Mic_Exp_AT, 0x85}}; }},
      {"EQ PASS: the enable bit of the shown set", [] { EditRig::PressSpace(1450); },
       [] { return RowValues{{Main_Select, 0x82}}; }},
      {"filter type combo box", [] { EditRig::Choose(8400, 3); },
       [] { return RowValues{{MainL_HPF_Type, 3}}; },
       [] { CHECK_FALSE(ProgramRig::Element(2427)->IsDisabled(TRUE)); }},
      {"filter range combo box", [] { EditRig::Choose(8410, 1); },
       [] { return RowValues{{MainL_HPF_Multiple, 1}}; }},
      // With x100 a frequency index above 123 goes to the top, 124 (20.6 kHz).
      {"filter range combo box to x100, frequency beyond it, link mode 0: the shown side",
       [] { EditRig::Choose(8411, 2); },
       [] { return RowValues{{MainL_LPF_Multiple, 2}, {MainL_LPF_FREQ, 124}}; },
       [] {
         CHECK(SliderValue(2426) == 124);
         CHECK(ProgramRig::TextOf(6426) == L"20600.0Hz");
       }},
      {"filter range combo box to x100, frequency beyond it, link mode 2: both sides",
       [] { EditRig::Choose(8111, 2); },
       [] {
         return RowValues{{MusicL_LPF_Multiple, 2}, {MusicR_LPF_Multiple, 2},
                          {MusicL_LPF_FREQ, 124}, {MusicR_LPF_FREQ, 124}};
       },
       [] {
         CHECK(SliderValue(2126) == 124);
         CHECK(ProgramRig::TextOf(6126) == L"20600.0Hz");
       }},
      {"anti-feedback combo box", [] { EditRig::Choose(8200, 2); },
       [] { return RowValues{{MicFeedBackMode, 2}}; }},
      {"expander tab's range combo box: no channel, nothing", [] { EditRig::Choose(8810, 1); },
       [] { return RowValues{}; }},
      {"music input port radio", [] { EditRig::CheckRadio(19012); },
       [] { return RowValues{{SysMusicInPort_Gain, 2}}; },
       [] {
         CHECK(SliderValue(2132) == EditRig::Param(Sys_Music_AIN1Gain + 2));
         CHECK(GetParam(EditRig::Controller().Bank1Image(), SysMusicInPort_Gain) == 2);
       }},
      {"Auto radio", [] { EditRig::CheckRadio(14501); }, [] { return WorkModeRows(0x80); },
       [] {
         CHECK(ProgramRig::Element(14601)->IsDisabled(TRUE));
         CHECK(GetParam(EditRig::Controller().Bank1Image(), SCWorkMode) == 0x81);
       }},
      {"Manual radio", [] { EditRig::CheckRadio(14500); }, [] { return WorkModeRows(0x00); },
       [] { CHECK_FALSE(ProgramRig::Element(14601)->IsDisabled(TRUE)); }},
      {"side radio", [] { EditRig::CheckRadio(14701); },
       [] { return RowValues{{Main_LinkAdjust, 1}}; }},
      {"side radio back", [] { EditRig::CheckRadio(14700); },
       [] { return RowValues{{Main_LinkAdjust, 0}}; }},
      {"band type radio: band pass to low shelf", [] { EditRig::CheckRadio(14002); },
       [] {
         return RowValues{{Main_Select, 0x80}, {BandRow(MainEQInfo0mode, 0, 0), 2}};
       },
       [] {
         auto* spin = dynamic_cast<SWUI::SSpinButtonCtrl*>(ProgramRig::Element(3400));
         int lo = 0;
         int hi = 0;
         spin->GetRange(&lo, &hi);
         CHECK(hi == 28);
         CHECK(spin->GetValue() == 10);  // the stored shelf Q
       }},
      {"Q edit stepped up", [] { EditRig::StepEdit(7400, VK_UP); },
       [] { return RowValues{{BandRow(MainEQInfo0mode, 0, 4), 11}}; }},
      {"Disco radio: the work mode rows, forced", [] { EditRig::CheckRadio(14600); },
       [] { return WorkModeRows(1); }, [] {}, false},
  };

  rig.Run({rig.Connect(), Once([&] {
             for (const Case& c : cases) {
               const std::string what = c.what;
               CAPTURE(what);
               const RowValues want = c.rows();
               const DeviceDiff diff = rig.Apply(c.action);
               CHECK(diff.rows == want);
               if (c.mirrors) CHECK(diff.mirrors);
               if (c.reports >= 0) CHECK(diff.reports == static_cast<size_t>(c.reports));
               c.then();
             }
           })});
}
