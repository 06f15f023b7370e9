// The bank switch of the "Sing" and "Disco" radios, and radios and combo boxes while the page
// logic refreshes.
#include <doctest/doctest.h>

#include <cstring>
#include <vector>

#include "CUIEventHandler.h"
#include "EditRig.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"

using namespace ParamRow;

namespace {

using Bytes = std::vector<uint8_t>;

// A row that tells the images apart: bank 0, bank 1 and the current image each hold their own.
constexpr int kMarkRow = MainDelay_L;

Bytes Copy(const uint8_t* image) { return Bytes(image, image + kParamTransferSize); }

// Marks the three images and returns them as they are then.
void MarkImages(Bytes* current, Bytes* bank0, Bytes* bank1) {
  CDeviceController& c = EditRig::Controller();
  SetImageParam(c.CurrentImage(), kMarkRow, 11);
  SetImageParam(c.Bank0Image(), kMarkRow, 22);
  SetImageParam(c.Bank1Image(), kMarkRow, 33);
  *current = Copy(c.CurrentImage());
  *bank0 = Copy(c.Bank0Image());
  *bank1 = Copy(c.Bank1Image());
}

// The image without its work mode rows, which the switch writes afterwards.
Bytes WithoutWorkMode(Bytes image) {
  for (int row : {MainWorkMode, SubWorkMode, SCWorkMode, Sur_WorkMode}) {
    SetImageParam(image.data(), row, 0);
  }
  return image;
}

}  // namespace

TEST_CASE("work mode: Sing and Disco swap the banks by the mode's low bits, never its Auto bit") {
  EditRig rig;
  rig.Preset(MainWorkMode, 0x81);  // Auto, disco
  rig.Run({rig.Connect(), Once([&] {
             CDeviceController& c = EditRig::Controller();
             Bytes current, bank0, bank1;
             MarkImages(&current, &bank0, &bank1);
             // To sing: the image goes into the disco bank, the sing bank comes in.
             const DeviceDiff diff = rig.Apply([] { EditRig::CheckRadio(14601); });
             CHECK(GetParam(c.CurrentImage(), kMarkRow) == 22);
             CHECK(WithoutWorkMode(Copy(c.Bank1Image())) == WithoutWorkMode(current));
             CHECK(WithoutWorkMode(Copy(c.CurrentImage())) == WithoutWorkMode(bank0));
             CHECK(EditRig::Param(MainWorkMode) == 0x80);
             CHECK(diff.rows.at(Sur_WorkMode) == 0x80);
             // And back to disco.
             MarkImages(&current, &bank0, &bank1);
             rig.Apply([] { EditRig::CheckRadio(14600); });
             CHECK(GetParam(c.CurrentImage(), kMarkRow) == 33);
             CHECK(GetParam(c.Bank0Image(), kMarkRow) == 11);
             CHECK(EditRig::Param(MainWorkMode) == 0x81);
           })});
  CHECK_FALSE(rig.TimedOut());
}

TEST_CASE("work mode: a switch to the mode the image holds copies nothing") {
  EditRig rig;
  rig.Preset(MainWorkMode, 0);
  rig.Run({rig.Connect(), Once([&] {
             CDeviceController& c = EditRig::Controller();
             Bytes current, bank0, bank1;
             MarkImages(&current, &bank0, &bank1);
             // The image says disco, the radios (not yet refreshed) still sing.
             SetImageParam(c.CurrentImage(), MainWorkMode, 1);
             const DeviceDiff diff = rig.Apply([] { EditRig::CheckRadio(14600); });
             CHECK(GetParam(c.CurrentImage(), kMarkRow) == 11);
             CHECK(Copy(c.Bank0Image()) == bank0);
             CHECK(Copy(c.Bank1Image()) == bank1);
             // The four rows are sent all the same (forced).
             CHECK(diff.rows.count(MainWorkMode) == 1);
             CHECK(diff.rows.count(Sur_WorkMode) == 1);
           })});
  CHECK_FALSE(rig.TimedOut());
}

TEST_CASE("refreshing: radios and combo boxes write nothing meanwhile") {
  EditRig rig;
  rig.Preset(SysMusicInPort_Gain, 0);
  rig.Preset(MainL_HPF_Type, 0);
  rig.Preset(Main_LinkAdjust, 0);
  rig.Run({rig.Connect(), Once([&] {
             CUIEventHandler& logic = ProgramRig::Logic();
             const Bytes bank1 = Copy(EditRig::Controller().Bank1Image());
             logic.SetRefreshing(true);
             const DeviceDiff diff = rig.Apply([] {
               EditRig::CheckRadio(19012);
               EditRig::CheckRadio(14701);
               EditRig::CheckRadio(14501);
               EditRig::CheckRadio(14002);
               EditRig::Choose(8400, 3);
               EditRig::Choose(8200, 2);
             });
             logic.SetRefreshing(false);
             CHECK(diff.rows.empty());
             CHECK(diff.reports == 0);
             CHECK(Copy(EditRig::Controller().Bank1Image()) == bank1);
           })});
  CHECK_FALSE(rig.TimedOut());
}
