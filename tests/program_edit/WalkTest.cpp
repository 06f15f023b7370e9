// Every slider, toggle and combo box of the main window, moved once each in a session: the
// processor's bank changes in exactly the rows the control stands for. And moving the focus
// across the pages (Left, Right, Tab) writes nothing.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "CUIEventHandler.h"
#include "EditRig.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/CommandReport.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "control/SComboBox.h"
#include "control/SSliderBar.h"
#include "core/SWindow.h"

using namespace ParamRow;
using SWUI::SWindow;

namespace {

// What a control stands for, with every channel linked to its left side: rows its move must
// change, and rows it may change besides (a band's selection, a frequency a range cuts back).
struct Oracle {
  std::set<int> required;
  std::set<int> optional;
};

// ---- the pages' controls and their rows, as the pages define them ---------------------------

const std::map<int, int> kFixedRows = {
    {2000, Musicvolume},     {2001, Micvolume},         {2002, Effectvolume},
    {2130, Music_Pitch_Vol}, {2131, Music_Pitch_Level}, {2132, Sys_Music_AIN1Gain},
    {2140, Mic_Pitch_Vol},   {2141, Mic_Pitch_Level},   {2240, MicA_Vol},
    {2241, MicB_Vol},        {2242, MicFeedBackMode},   {2320, EchoHPF_FREQ},
    {2360, EchoLPF_FREQ},    {2361, ReverbLPF_FREQ},    {2362, ReverbHPF_FREQ},
    {2330, EchoEFFLevel},    {2331, EchoDirectLevel},   {2332, ReverbLevel},
    {2333, Reverb_DrectLevel}, {2334, EchoPre_Delay},   {2335, EchoDelay},
    {2336, EchoRepeat},      {2337, EchoPreDelay_R},    {2338, EchoDelay_R},
    {2339, EchoTap1Time},    {2340, EchoTap2Time},      {2341, EchoTap3Time},
    {2342, EchoTap1Level},   {2343, EchoTap2Level},     {2344, EchoTap3Level},
    {2345, ReverbPre_Delay}, {2346, ReverbTime},        {2347, RevBandWidth},
    {2348, RevEarlyReflection}, {2349, RevRomSize},     {2350, RevDiffProcedure},
    {2351, RevTimbre0},      {2352, RevTimbre1},        {2353, RevTimbre2},
    {2354, RevTimbre3},        {2355, RevTimbre4},    {2356, RevTimbre5},
    {2430, Main_MU},         {2431, Main_MI},           {2432, Main_Echo},
    {2433, Main_Rev},        {2434, MainDelay_L},       {2435, MainDelay_R},
    {2530, SCCEN_MU},        {2531, SCCEN_MI},          {2532, SCCEN_Echo},
    {2533, SCCEN_Rev},       {2534, SCCENDelay},        {2630, SubMusic_Mix},
    {2631, SubMic_Mix},      {2632, SubDelay},          {2635, Sub_Echo},
    {2636, Sub_Rev},         {2730, SCSUR_MU},          {2731, SCSUR_MI},
    {2732, SCSUR_Echo},      {2733, SCSUR_Rev},         {2734, SCSURDelay_L},
    {2735, SCSURDelay_R},
    // Toggles and the echo tap switches.
    {1300, EchoEFFLevel},    {1301, EchoDirectLevel},   {1302, ReverbLevel},
    {1303, Reverb_DrectLevel}, {1400, Main_MU},         {1401, Main_MI},
    {1402, Main_Echo},       {1403, Main_Rev},          {1404, MainMute_L},
    {1405, MainMute_R},      {1500, SCCEN_MU},          {1501, SCCEN_MI},
    {1502, SCCEN_Echo},      {1503, SCCEN_Rev},         {1504, SCCENMute},
    {1600, SubMusic_Mix},    {1601, SubMic_Mix},        {1602, SubMute},
    {1605, Sub_Echo},        {1606, Sub_Rev},           {1700, SCSUR_MU},
    {1701, SCSUR_MI},        {1702, SCSUR_Echo},        {1703, SCSUR_Rev},
    {1704, SCSURMute_L},     {1705, SCSURMute_R},       {1800, Mic_Exp_AT},
    {2370, EchoTap1Level},   {2371, EchoTap2Level},     {2372, EchoTap3Level},
    {8200, MicFeedBackMode},
};

// Per channel with filters: its left high-pass and low-pass blocks (type, frequency, range,
// Q) and the ids of frequency slider, Q slider, type and range combo boxes of each.
struct FilterPage {
  int highPass, lowPass;
  int hpIds[4], lpIds[4];
};
const FilterPage kFilterPages[] = {
    {MusicL_HPF_Type, MusicL_LPF_Type, {2120, 2125, 8112, 8110}, {2126, 2127, 8113, 8111}},
    {MicHPF_Type, MicLPF_Type, {2225, 2227, 8212, 8210}, {2226, 2228, 8213, 8211}},
    {MainL_HPF_Type, MainL_LPF_Type, {2425, 2427, 8400, 8410}, {2426, 2428, 8401, 8411}},
    {CenHPF, CenLPF, {2525, 2527, 8500, 8510}, {2526, 2528, 8501, 8511}},
    {SubHPF, SubLPF, {2620, 2633, 8600, 8610}, {2637, 2634, 8601, 8611}},
    {SurL_HPF_Type, SurL_LPF_TYPE, {2725, 2727, 8700, 8710}, {2726, 2728, 8701, 8711}},
};

// Dynamics: the first id (field 1) and the left block's attack row.
const std::pair<int, int> kDynamics[] = {{2121, MusicL_Exp_AT}, {2221, MicAT},   {2821, MicAT + 4},
                                         {2421, MainAT},        {2521, SCCENAT}, {2621, SubAT},
                                         {2721, SCSURAT}};
// Threshold, attack, release, ratio: the rows LU, AT, RT, Ratio of the block.
const int kDynamicsFieldRow[4] = {2, 0, 1, 3};

// Per page: its first EQ set and band count.
const std::pair<int, int> kBands[] = {{MusicEQInfo0mode, 11}, {MicEQInfo0mode, 20},
                                      {EchoEQInfo0mode, 5},   {MainEQInfo0mode, 7},
                                      {SCCENEQInfo0mode, 7},  {SubEQInfo0mode, 7},
                                      {SCSUREQInfo0mode, 7}};

// How many controls the pages define: the fixed rows, the expander tab's range pair, each
// filter page's eight, each dynamics block's four, the bands and each page's "EQ PASS".
size_t ControlCount() {
  size_t bands = 0;
  for (const auto& b : kBands) bands += b.second;
  return kFixedRows.size() + 2 + 8 * std::size(kFilterPages) + 4 * std::size(kDynamics) + bands +
         std::size(kBands);
}

bool OracleOf(int id, Oracle* out) {
  auto fixed = kFixedRows.find(id);
  if (fixed != kFixedRows.end()) {
    *out = {{fixed->second}, {}};
    return true;
  }
  if (id == 8810 || id == 8811) {  // the expander tab's range pair: no channel, no rows
    *out = {};
    return true;
  }
  for (const FilterPage& f : kFilterPages) {
    for (int side = 0; side < 2; ++side) {
      const int block = side == 0 ? f.highPass : f.lowPass;
      const int* ids = side == 0 ? f.hpIds : f.lpIds;
      if (id == ids[0]) *out = {{block + 1}, {}};
      if (id == ids[1]) *out = {{block + 3}, {}};
      if (id == ids[2]) *out = {{block + 0}, {}};
      if (id == ids[3]) *out = {{block + 2}, {block + 1}};
      if (id == ids[0] || id == ids[1] || id == ids[2] || id == ids[3]) return true;
    }
  }
  for (const auto& d : kDynamics) {
    if (id >= d.first && id < d.first + 4) {
      *out = {{d.second + kDynamicsFieldRow[id - d.first]}, {}};
      return true;
    }
  }
  const int page = (id / 100) % 10 - 1;
  if (page < 0 || page > 6) return false;
  const int set = kBands[page].first;
  if (id % 1000 == (page + 1) * 100 + 50 && id / 1000 == 1) {  // "EQ PASS"
    *out = {{set - 1}, {}};
    return true;
  }
  const int k = id % 100;
  if (id / 1000 == 2 && (id / 100) % 10 == page + 1 && k < kBands[page].second) {
    *out = {{set + 5 * k + 2}, {set - 1}};
    return true;
  }
  return false;
}

void Collect(SWindow* parent, std::vector<SWindow*>* out) {
  for (SWindow* child = parent->GetWindow(SWUI::GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(SWUI::GSW_NEXTSIBLING)) {
    const int id = child->GetID();
    const bool control = child->IsClass(L"sliderbar") || child->IsClass(L"check") ||
                         child->IsClass(L"combobox");
    // 1000 connects; the connection displays carry no id but their names' (65535 and up).
    if (control && id != 0 && id != 1000 && id < 65535) out->push_back(child);
    Collect(child, out);
  }
}

// A move as a user makes it: a slider one step (down unless at its bottom), a toggle flipped,
// a combo box's next item.
void Move(SWindow* control) {
  const int id = control->GetID();
  if (auto* slider = dynamic_cast<SWUI::SSliderBar*>(control)) {
    int lo = 0;
    int hi = 0;
    slider->GetRange(&lo, &hi);
    EditRig::MoveSlider(id, slider->GetValue() > lo ? slider->GetValue() - 1 : lo + 1);
  } else if (auto* combo = dynamic_cast<SWUI::SComboBox*>(control)) {
    REQUIRE(combo->GetCount() > 1);
    EditRig::Choose(id, (combo->GetCurSel() + 1) % combo->GetCount());
  } else {
    EditRig::PressSpace(id);
  }
}

std::string RowNames(const std::set<int>& rows) {
  std::string names;
  for (int row : rows) names += std::string(names.empty() ? "" : ", ") + g_ParamDesc[row].name;
  return names;
}

void PresetLeftLinks(EditRig& rig) {
  for (int row : {Music_LinkAdjust, Mic_LinkAdjust, Main_LinkAdjust, Sur_LinkAdjust}) {
    rig.Preset(row, 0);
  }
  rig.Preset(SysMusicInPort_Gain, 0);
  // The anti-feedback slider and combo box share a row: apart, each move is a change.
  rig.Preset(MicFeedBackMode, 3);
  // Volumes below their limits, so that a step down is a change.
  for (int row : {Musicvolume, Micvolume, Effectvolume}) rig.Preset(row, 20);
  for (int row : {SysMusicLimterVolume, SysMicLimterVolume, SysEffLimterVolume}) {
    rig.Preset(row, 60);
  }
}

}  // namespace

TEST_CASE("walk: every slider, toggle and combo box changes exactly its rows in the processor") {
  EditRig rig;
  PresetLeftLinks(rig);
  size_t walked = 0;
  rig.Run({rig.Connect(), Once([&] {
             // Every page's controls, as if each page had been shown.
             ProgramRig::Logic().BuildAllPages();
             std::vector<SWindow*> controls;
             Collect(ProgramRig::Root(), &controls);
             for (SWindow* control : controls) {
               const int id = control->GetID();
               CAPTURE(id);
               Oracle oracle;
               REQUIRE_MESSAGE(OracleOf(id, &oracle), "a control the pages do not define");
               const DeviceDiff diff = rig.Apply([&] { Move(control); });
               std::set<int> changed;
               for (const auto& row : diff.rows) changed.insert(row.first);
               std::set<int> unexpected;
               for (int row : changed) {
                 if (!oracle.required.count(row) && !oracle.optional.count(row)) {
                   unexpected.insert(row);
                 }
               }
               std::set<int> missing;
               for (int row : oracle.required) {
                 if (!changed.count(row)) missing.insert(row);
               }
               CHECK_MESSAGE(unexpected.empty(), "also changed: " << RowNames(unexpected));
               CHECK_MESSAGE(missing.empty(), "unchanged: " << RowNames(missing));
               CHECK(diff.mirrors);
               ++walked;
             }
           })},
          120000);
  CHECK(walked == ControlCount());
}

TEST_CASE("walk: Left, Right and Tab across every page write nothing") {
  EditRig rig;
  PresetLeftLinks(rig);
  std::vector<uint8_t> image;
  size_t writes = 0;
  int effectView = -1;
  std::vector<ProgramRig::Step> steps = {rig.Connect(), Once([&] {
                                           EditRig::Controller().FlushPendingParams();
                                           image.assign(EditRig::Image(),
                                                        EditRig::Image() + kParamImageSize);
                                           writes = rig.Device().ReceivedCount(CmdWriteParams);
                                           effectView = EditRig::Controller().GetEffectLinkMode();
                                         })};
  for (int page = 0; page < CUIEventHandler::kPageCount; ++page) {
    steps.push_back(Once([page] { EditRig::SelectPage(page); }));
    for (UINT key : {VK_RIGHT, VK_LEFT, VK_TAB}) {
      // Enough presses to pass every focus stop of the page at least once.
      steps.push_back(Once([key] {
        for (int i = 0; i < 400; ++i) PostMessageW(ProgramRig::MainHwnd(), WM_KEYDOWN, key, 1);
      }));
    }
  }
  steps.push_back(Once([&] {
    EditRig::Controller().FlushPendingParams();
    CHECK(rig.Device().ReceivedCount(CmdWriteParams) == writes);
    CHECK(std::memcmp(image.data(), EditRig::Image(), kParamImageSize) == 0);
    CHECK(EditRig::Controller().GetEffectLinkMode() == effectView);
  }));
  rig.Run(steps, 120000);
  CHECK_FALSE(rig.TimedOut());
}
