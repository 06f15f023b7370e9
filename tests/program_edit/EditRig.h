// The program run with a processor whose bank the test sets first, connected through the
// connect toggle, and the controls moved as a user moves them: sliders by their own step
// path, toggles by the space key, combo boxes and radios by their selection, edits typed into
// and left, handles dragged. Each move's rows are read back from the processor's bank.
//
//   EditRig rig;
//   rig.Preset(ParamRow::Main_MU, 0x8032);
//   rig.Run({rig.Connect(), Once([&] {
//     const DeviceDiff diff = rig.Apply([] { EditRig::MoveSlider(2430, 60); });
//     CHECK(diff.rows == RowValues{{ParamRow::Main_MU, 0x803C}});
//   })});
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <doctest/doctest.h>

#include "ProgramRig.h"

class CDeviceController;

// Band k's row of a field (0 type, 1 frequency, 2 gain, 3 Q, 4 shelf Q) in the EQ set whose
// first row is `set`.
inline int BandRow(int set, int k, int field) { return set + 5 * k + field; }

// Rows and their values as the processor holds them.
using RowValues = std::map<int, uint16_t>;

struct DeviceDiff {
  RowValues rows;        // every row whose bytes in the processor's bank changed, new value
  size_t reports = 0;    // 'd' reports the processor received
  bool mirrors = false;  // the processor's bank equals the program's image afterwards
};

class EditRig : public ProgramRig {
 public:
  EditRig();

  // A row of the processor's active bank before the run (the program reads it on connect).
  void Preset(int row, uint16_t value);
  // The step that connects through the connect toggle (the session's settle time cut).
  Step Connect();

  // Runs the action, sends what it left pending and compares the processor's bank.
  DeviceDiff Apply(const std::function<void()>& action);
  // The processor's active bank, in an image-sized buffer.
  std::vector<uint8_t> DeviceBank();
  SimDevice& Device() { return device_; }

  // ---- a user's moves (during a run) ----------------------------------------------------
  static CDeviceController& Controller();
  static const uint8_t* Image();
  static uint16_t Param(int row);
  static void MoveSlider(int id, int position);
  static void PressSpace(int id);  // a toggle or check box
  static void Choose(int id, int item);  // a combo box
  static void CheckRadio(int id);
  // Types into an edit and moves the focus away from it.
  static void TypeAndLeave(int id, const wchar_t* text);
  // A key to the focused element's host, through the program's loop.
  static void StepEdit(int id, UINT key);
  static void SelectPage(int page);
  // Presses a handle at its centre, moves by (dx, dy) and releases it.
  static void Drag(int id, int dx, int dy);

 private:
  SimDevice& device_;
};

namespace doctest {
template <>
struct StringMaker<RowValues> {
  static String convert(const RowValues& rows);
};
}  // namespace doctest
