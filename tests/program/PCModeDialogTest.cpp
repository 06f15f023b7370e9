// The PC mode dialog, opened from the main window's "PC Mode" button (9003): its list and
// stored index, saving (also over a mode of that name, and a save that fails), deleting, and
// the recall end to end with the simulated processor; damaged mode files offered to the recall.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "CApplication.h"
#include "CCommonDlg.h"
#include "CDlgPCModeEventHandler.h"
#include "DamagedFileSweep.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "IndependentReading.h"
#include "ParamControls.h"
#include "ProgramImages.h"
#include "ProgramRig.h"
#include "control/SComboBox.h"
#include "control/SEdit.h"
#include "controls/CTipWnd.h"
#include "core/SWindow.h"

namespace {

using Image = std::vector<uint8_t>;
using Steps = std::vector<ProgramRig::Step>;
using PCModeDialog = CCommonDlg<CDlgPCModeEventHandler>;

const char kEnglish[] = "[Config]\r\nLang = 1\r\n";
// Every 10th cut and value character, and a tenth of the library's mutations, go through the
// dialog's recall: each costs a file written and read (milliseconds under Wine).
constexpr size_t kSweepEvery = 10;
constexpr int kSweepMutations = 400;

PCModeDialog* Dialog() { return dynamic_cast<PCModeDialog*>(ProgramRig::OwnedDialog()); }

SWUI::SWindow* DialogElement(const wchar_t* name) {
  REQUIRE(Dialog() != nullptr);
  SWUI::SWindow* found = Dialog()->GetRoot()->FindChildByName(name);
  REQUIRE(found != nullptr);
  return found;
}

SWUI::SComboBox* Modes() { return static_cast<SWUI::SComboBox*>(DialogElement(L"devMode")); }

SWUI::SWindow* NameEdit() { return DialogElement(L"txt_input"); }

std::wstring NameText() { return NameEdit()->GetWindowText().c_str(); }

void Press(const wchar_t* name) { DialogElement(name)->FireCommand(); }

void TypeName(const std::wstring& name) { NameEdit()->SetWindowText(name.c_str()); }

std::vector<std::wstring> ModeItems() {
  std::vector<std::wstring> items;
  for (int i = 0; i < Modes()->GetCount(); ++i) items.push_back(Modes()->GetLBText(i, TRUE).c_str());
  return items;
}

// The text of the confirmation tip that shows, or "" without one.
std::wstring TipText() {
  CTipWnd* tip = CTipWnd::GetInstance();
  if (tip == nullptr) return L"";
  SWUI::SWindow* text = tip->GetRoot()->FindChildByName(L"txt_tip");
  return text != nullptr ? text->GetWindowText(TRUE).c_str() : L"?";
}

CDeviceController& Controller() { return ProgramRig::App().DeviceController(); }

long StoredIndex() {
  return ProgramRig::App().Settings().GetLongValue(L"Config", L"CurrentSelectPCModeIndex", -99);
}

void StoreIndex(long index) {
  ProgramRig::App().Settings().SetLongValue(L"Config", L"CurrentSelectPCModeIndex", index);
}

// Steps that open the dialog from its button and wait for it.
Steps Open() {
  return {Once([] { ProgramRig::Defer([] { ProgramRig::Element(9003)->FireCommand(); }); }),
          Until([] { return Dialog() != nullptr; })};
}

Steps Close() {
  return {Once([] { Press(L"btn_close"); }), Until([] { return Dialog() == nullptr; })};
}

Steps Join(std::initializer_list<Steps> parts) {
  Steps all;
  for (const Steps& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A bank the pages can show as it is, in a work mode of its own.
Image Filled(int step, uint16_t workMode) {
  Image image = ShowableImage(workMode & 0x7F ? DefaultParamImages::Disco() : DefaultParamImages::Sing(), step);
  // All four work mode rows alike, as the work mode radios keep them: the refresh after the
  // recall reaches the Manual/Auto radio's handler, which would rewrite rows that differ.
  for (int row : kWorkModeRows) SetImageParam(image.data(), row, workMode);
  return image;
}

// Saves a mode of each name, with one image as all three.
void SaveModes(const ModeFolder& folder, std::initializer_list<const wchar_t*> names,
               const Image& image) {
  PCModeList list;
  for (const wchar_t* name : names) {
    REQUIRE(SavePCMode(folder.ProgramFolder(), &list, name, image.data(), image.data(),
                       image.data()) >= 0);
  }
}

void Connect() {
  Controller().SetSessionSettleMs(0);
  REQUIRE(Controller().ConnectDevice());
}

bool SameBank(const uint8_t* a, const uint8_t* b) {
  return std::memcmp(a + 3, b + 3, kParamTransferSize - 3) == 0;
}

}  // namespace

TEST_CASE("PC mode dialog: empty at first; saving, a name of 25 characters, and saving again "
          "with No and with Yes") {
  ModeFolder folder;
  ProgramRig rig;
  rig.WriteSettings(kEnglish);
  std::string firstFile;
  CHECK(rig.Run(Join({Open(), {Once([&] {
    // No modes: nothing listed (the layout's placeholders are gone), nothing named, and a
    // selection change does nothing until a first save.
    CHECK(ModeItems().empty());
    CHECK(Modes()->GetCurSel() == -1);
    CHECK(NameText().empty());
    CHECK_FALSE(Dialog()->Handler()->IsInitialised());
    CHECK(static_cast<SWUI::SEdit*>(NameEdit())->GetLimitText() == 20);

    TypeName(L"");
    Press(L"btnAdd");
    TypeName(L"a|b");
    Press(L"btnAdd");
    REQUIRE(rig.boxes.size() == 2);
    CHECK(rig.boxes[0].text == L"Name cannot be empty");
    CHECK(rig.boxes[1].text == L"Name contains illegal charactors");
    CHECK(rig.boxes[1].type == MB_OK);
    rig.boxes.clear();

    TypeName(L"  Rock  ");
    Press(L"btnAdd");
    CHECK(rig.boxes.empty());
    CHECK(TipText() == L"Save pc mode successfully");
    CHECK(ModeItems() == std::vector<std::wstring>{L"Rock"});
    CHECK(Modes()->GetCurSel() == 0);
    CHECK(StoredIndex() == 0);
    firstFile = ReadBytes(folder.File(L"Rock.orm"));
    CHECK(firstFile.find("version = 2") != std::string::npos);

    // Saved under its first 20 characters, in its sorted place.
    TypeName(L"ABCDEFGHIJKLMNOPQRSTUVWXY");
    Press(L"btnAdd");
    CHECK(ModeItems() == std::vector<std::wstring>{L"ABCDEFGHIJKLMNOPQRST", L"Rock"});
    CHECK(Modes()->GetCurSel() == 0);
    CHECK(StoredIndex() == 0);
    CHECK(GetFileAttributesW(folder.File(L"ABCDEFGHIJKLMNOPQRST.orm").c_str()) !=
          INVALID_FILE_ATTRIBUTES);
    // The selection puts the mode's name into the edit.
    Modes()->SetCurSel(1);
    CHECK(NameText() == L"Rock");

    // The same name again, in another case, with another image: No keeps the file.
    Controller().SetParam(ParamRow::EchoDelay, 77);
    rig.boxes.clear();
    rig.boxAnswer = IDNO;
    TypeName(L"ROCK");
    Press(L"btnAdd");
    REQUIRE(rig.boxes.size() == 1);
    CHECK(rig.boxes[0].text == L"Name already exists,whether to replace?");
    CHECK(rig.boxes[0].caption == L"prompt");
    CHECK(rig.boxes[0].type == MB_YESNO);
    CHECK(ReadBytes(folder.File(L"Rock.orm")) == firstFile);
    // Yes replaces it in place: one item, the stored index is its position.
    rig.boxAnswer = IDYES;
    Modes()->SetCurSel(0);
    TypeName(L"ROCK");
    Press(L"btnAdd");
    CHECK(ReadBytes(folder.File(L"Rock.orm")) != firstFile);
    CHECK(ModeItems() == std::vector<std::wstring>{L"ABCDEFGHIJKLMNOPQRST", L"Rock"});
    CHECK(Modes()->GetCurSel() == 1);
    CHECK(StoredIndex() == 1);
    CHECK(Dialog()->Handler()->Modes().size() == 2);
    CTipWnd::HideTip();
  })}, Close()})) == 0);
}

TEST_CASE("PC mode dialog with no modes: Recall and Delete say none is saved, the empty list "
          "opens one row tall, Escape closes the dialog") {
  ModeFolder folder;
  ProgramRig rig;
  rig.WriteSettings(kEnglish);
  CHECK(rig.Run(Join({Open(), {Once([&] {
    Press(L"btnRecall");
    Press(L"btnDelete");
    REQUIRE(rig.boxes.size() == 2);
    for (const ShownMessageBox& box : rig.boxes) {
      CHECK(box.text == L"No PC mode saved yet");
      CHECK(box.type == MB_OK);
    }

    // The empty list opens no taller than one of its rows; with a mode saved it takes its
    // rows again.
    SWUI::SComboBox* modes = Modes();
    const int row = modes->GetListBox()->GetItemHeight();
    for (int saved = 0; saved < 2; ++saved) {
      if (saved == 1) {
        for (const wchar_t* name : {L"First", L"Second"}) {
          TypeName(name);
          Press(L"btnAdd");
        }
        CTipWnd::HideTip();
      }
      CAPTURE(saved);
      modes->DropDown();
      REQUIRE(modes->IsDropDownOpen());
      RECT rc;
      GetWindowRect(modes->GetDropDownWnd()->m_hWnd, &rc);
      if (saved == 0) {
        CHECK(rc.bottom - rc.top > 0);
        CHECK(rc.bottom - rc.top <= row + 4);
      } else {
        CHECK(rc.bottom - rc.top >= 2 * row);
      }
      modes->CloseUp();
    }
  })}, {Once([] { PostMessageW(Dialog()->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); }),
        Until([] { return Dialog() == nullptr; })}})) == 0);
  CHECK(rig.boxes.size() == 2);
}

TEST_CASE("PC mode dialog: the stored index, read from config.ini, selects its mode; 0, -1 and "
          "the count select the first") {
  ModeFolder folder;
  const Image image = Filled(1, 0);
  SaveModes(folder, {L"b", L"a", L"c"}, image);
  ProgramRig rig;
  rig.WriteSettings(kEnglish);
  Steps steps;
  const struct {
    int stored;
    int selected;
  } cases[] = {{2, 2}, {1, 1}, {0, 0}, {-1, 0}, {3, 0}, {1000, 0}};
  for (const auto& c : cases) {
    // Written to the file only: the dialog reads the file, not the application's settings.
    steps.push_back(Once([&rig, c] {
      rig.WriteSettings(std::string(kEnglish) +
                        "CurrentSelectPCModeIndex = " + std::to_string(c.stored) + "\r\n");
    }));
    for (const ProgramRig::Step& s : Open()) steps.push_back(s);
    steps.push_back(Once([c] {
      CAPTURE(c.stored);
      CHECK(ModeItems() == std::vector<std::wstring>{L"a", L"b", L"c"});
      CHECK(Modes()->GetCurSel() == c.selected);
      CHECK(NameText() == ModeItems()[c.selected]);
      CHECK(Dialog()->Handler()->IsInitialised());
    }));
    for (const ProgramRig::Step& s : Close()) steps.push_back(s);
  }
  CHECK(rig.Run(steps) == 0);
}

TEST_CASE("PC mode dialog: delete asks first; the file, the item and the name go, the stored "
          "index follows its mode") {
  ModeFolder folder;
  const Image image = Filled(2, 0);
  SaveModes(folder, {L"a", L"b", L"c"}, image);
  ProgramRig rig;
  rig.WriteSettings(kEnglish);
  CHECK(rig.Run(Join({Open(), {Once([&] {
    // Without a device a recall is the program's alone, and no failure.
    Modes()->SetCurSel(0);
    Press(L"btnRecall");
    CHECK(rig.boxes.empty());
    CHECK(TipText() == L"Recall device mode successfully");
    CTipWnd::HideTip();
    CHECK(SameBank(Controller().CurrentImage(), image.data()));
    CHECK(StoredIndex() == 0);
    StoreIndex(2);

    rig.boxAnswer = IDCANCEL;
    Press(L"btnDelete");
    REQUIRE(rig.boxes.size() == 1);
    CHECK(rig.boxes[0].text == L"Are you sure to delete seleted item?");
    CHECK(rig.boxes[0].type == MB_OKCANCEL);
    CHECK(ModeItems().size() == 3);

    rig.boxAnswer = IDOK;
    Press(L"btnDelete");
    CHECK(ModeItems() == std::vector<std::wstring>{L"b", L"c"});
    CHECK(Modes()->GetCurSel() == -1);
    CHECK(NameText().empty());
    CHECK(GetFileAttributesW(folder.File(L"a.orm").c_str()) == INVALID_FILE_ATTRIBUTES);
    CHECK(StoredIndex() == 1);  // "c" moved from 2 to 1
    // Nothing selected: nothing is deleted or recalled, and the user is told what is missing.
    const size_t boxes = rig.boxes.size();
    Press(L"btnDelete");
    Press(L"btnRecall");
    REQUIRE(rig.boxes.size() == boxes + 2);
    CHECK(rig.boxes[boxes].text == L"Choose a PC mode first");
    CHECK(rig.boxes[boxes + 1].text == L"Choose a PC mode first");
    CHECK(ModeItems() == std::vector<std::wstring>{L"b", L"c"});

    // A file that cannot be deleted keeps its mode.
    HANDLE held = CreateFileW(folder.File(L"b.orm").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    Modes()->SetCurSel(0);
    Press(L"btnDelete");
    CloseHandle(held);
    CHECK(rig.boxes.back().text == L"Delete failed, may delete file without permission");
    CHECK(rig.boxes.back().caption == L"Error");
    CHECK(ModeItems() == std::vector<std::wstring>{L"b", L"c"});
  })}, Close()})) == 0);
}

TEST_CASE("PC mode dialog: a save that cannot complete says so; file, list, selection and "
          "stored index stay as they were") {
  ModeFolder folder;
  SaveModes(folder, {L"Keep", L"Other"}, Filled(7, 0));
  const std::string kept = ReadBytes(folder.File(L"Keep.orm"));
  ProgramRig rig;
  rig.WriteSettings(kEnglish + std::string("CurrentSelectPCModeIndex = 1\r\n"));
  CHECK(rig.Run(Join({Open(), {Once([&] {
    const std::vector<std::wstring> items = {L"Keep", L"Other"};
    REQUIRE(ModeItems() == items);
    REQUIRE(Modes()->GetCurSel() == 1);
    // A save that went through would change the file, the selection and the stored index.
    Controller().SetParam(ParamRow::EchoDelay, 77);
    StoreIndex(1);
    rig.boxAnswer = IDYES;
    auto failedSave = [&](const char* name) {
      CAPTURE(name);
      rig.boxes.clear();
      TypeName(std::wstring(name, name + std::strlen(name)));
      Press(L"btnAdd");
      REQUIRE(rig.boxes.size() == 2);
      CHECK(rig.boxes[0].text == L"Name already exists,whether to replace?");
      CHECK(rig.boxes[1].text == L"Save failed");
      CHECK(rig.boxes[1].caption.empty());
      CHECK(rig.boxes[1].type == MB_OK);
      CHECK(CTipWnd::GetInstance() == nullptr);
      CHECK(ModeItems() == items);
      CHECK(Dialog()->Handler()->Modes().size() == 2);
      CHECK(Modes()->GetCurSel() == 1);
      CHECK(StoredIndex() == 1);
    };

    // A listed mode whose file is held open without delete sharing cannot be replaced.
    HANDLE held = CreateFileW(folder.File(L"Keep.orm").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    failedSave("Keep");
    CloseHandle(held);
    CHECK(ReadBytes(folder.File(L"Keep.orm")) == kept);

    // A new name whose file name a folder takes: no item for it.
    REQUIRE(CreateDirectoryW(folder.File(L"New.orm").c_str(), nullptr));
    failedSave("New");
  })}, Close()})) == 0);
}

TEST_CASE("PC mode dialog: recall sends 'h'(0), 24 'j', '|'(0,0), 24 'j', '|'(0,1), '~'(2); "
          "device and program hold the mode, the pages show it") {
  ModeFolder folder;
  const Image sing = Filled(3, 0x80), disco = Filled(4, 0x81);
  PCModeList list;
  // Saved while disco was current: the disco bank becomes the current image.
  REQUIRE(SavePCMode(folder.ProgramFolder(), &list, L"Party", disco.data(), sing.data(),
                     disco.data()) == 0);
  ProgramRig rig;
  rig.WriteSettings(kEnglish);
  SimDevice& device = rig.PlugProcessor();
  CHECK(rig.Run(Join({Open(), {Once([&] {
    Connect();
    uint8_t* current = Controller().CurrentImage();
    current[0] = 30;
    current[1] = 31;
    current[2] = 32;
    device.ClearRecords();
    Press(L"btnRecall");
    CHECK(rig.boxes.empty());
    CHECK(TipText() == L"Recall device mode successfully");
    CTipWnd::HideTip();
    CHECK(StoredIndex() == 0);

    const std::vector<SimDevice::Report> sent = device.Received();
    REQUIRE(sent.size() == 52);
    CHECK(sent[0][0] == 0x68);
    CHECK(sent[0][7] == 0);
    for (int i = 1; i <= 24; ++i) CHECK(sent[i][0] == 0x6A);
    CHECK(sent[25][0] == 0x7C);
    CHECK(sent[25][4] == 0);
    CHECK(sent[25][5] == 0);
    for (int i = 26; i <= 49; ++i) CHECK(sent[i][0] == 0x6A);
    CHECK(sent[50][0] == 0x7C);
    CHECK(sent[50][4] == 0);
    CHECK(sent[50][5] == 1);
    CHECK(sent[51][0] == 0x7E);
    CHECK(sent[51][4] == 2);

    device.Inspect([&](SimProcessor& p) {
      CHECK(SameBank(p.banks[0], sing.data()));
      CHECK(SameBank(p.banks[1], disco.data()));
      CHECK(p.banks[0][1] == 31);  // the master volumes stay the program's
      CHECK(p.banks[1][2] == 32);
      return 0;
    });
    CHECK(SameBank(current, disco.data()));
    CHECK(SameBank(Controller().Bank0Image(), sing.data()));
    CHECK(SameBank(Controller().Bank1Image(), disco.data()));
    CHECK(current[0] == 30);
    CHECK(ControlsDiffer(current) == "");

    // The device refuses the upload: said so, no tip; the program holds the mode all the same.
    device.InjectFault(SimDevice::BadFlag, 5, 0x7C);
    Press(L"btnRecall");
    REQUIRE(rig.boxes.size() == 1);
    CHECK(rig.boxes[0].text == L"Recall device mode failed");
    CHECK(CTipWnd::GetInstance() == nullptr);
    device.ClearFaults();

    // A file that no longer reads: said so, nothing changed, nothing sent.
    WriteBytes(list[0].path, "[data]\r\nversion = 2\r\n");
    const ProgramImages before = ProgramImages::Take();
    device.ClearRecords();
    Press(L"btnRecall");
    REQUIRE(rig.boxes.size() == 2);
    CHECK(rig.boxes[1].text == L"Can not open file");
    CHECK(rig.boxes[1].caption == L"Error");
    CHECK(rig.boxes[1].type == MB_OK);
    CHECK(ProgramImages::Take() == before);
    CHECK(device.ReceivedCount() == 0);
  })}, Close()})) == 0);
}

TEST_CASE("PC mode dialog: damaged mode files offered to the recall change nothing, or load "
          "exactly what they say") {
  ModeFolder folder;
  const Image sing = Filled(5, 0), disco = Filled(6, 1);
  PCModeList list;
  REQUIRE(SavePCMode(folder.ProgramFolder(), &list, L"m", sing.data(), sing.data(),
                     disco.data()) == 0);
  const std::string good = ReadBytes(list[0].path);
  ProgramRig rig;
  rig.WriteSettings(kEnglish);
  SimDevice& device = rig.PlugProcessor();
  CHECK(rig.Run(Join({Open(), {Once([&] {
    Connect();
    const unsigned seed = damaged::Seed();
    MESSAGE("damaged-file sweep seed: " << seed);
    const ProgramImages start = ProgramImages::Take();
    auto probe = [&](const std::string& bytes, const std::string& what, damaged::Tally* tally) {
      WriteBytes(list[0].path, bytes);
      const ProgramImages before = ProgramImages::Take();
      const size_t boxes = rig.boxes.size();
      device.ClearRecords();
      Press(L"btnRecall");
      CTipWnd::HideTip();
      if (rig.boxes.size() == boxes + 1 && rig.boxes.back().text == L"Can not open file") {
        if (ProgramImages::Take() != before) tally->Fail(what + ": refused, but the images changed");
        if (device.ReceivedCount() != 0) tally->Fail(what + ": refused, but something was sent");
        return false;
      }
      const ModeReading r = ReadModeIndependently(bytes);
      const ProgramImages after = ProgramImages::Take();
      const uint8_t* current = r.sing ? r.singBank.data() : r.discoBank.data();
      if (rig.boxes.size() != boxes || !r.ok || !SameBank(after.current.data(), current) ||
          !SameBank(after.bank0.data(), r.singBank.data()) ||
          !SameBank(after.bank1.data(), r.discoBank.data()) || device.ReceivedCount() != 52) {
        tally->Fail(what + ": accepted, but not what the file says");
      }
      // Back to the start for the next case.
      auto& c = Controller();
      std::memcpy(c.CurrentImage(), start.current.data(), kParamSlotSize);
      std::memcpy(c.Bank0Image(), start.bank0.data(), kParamSlotSize);
      std::memcpy(c.Bank1Image(), start.bank1.data(), kParamSlotSize);
      c.RefreshCurves();
      return true;
    };
    damaged::Tally tally;
    for (const char* version : {"0", "3", "two", "-1", ""}) {
      std::string changed = good;
      changed.replace(changed.find("version = 2"), 11, std::string("version = ") + version);
      if (probe(changed, std::string("version ") + version, &tally)) {
        tally.Fail(std::string("version ") + version + " was accepted");
      }
    }
    std::string missing = good;
    missing.erase(missing.find("version = 2"), 11);
    if (probe(missing, "version missing", &tally)) tally.Fail("a file without version was accepted");

    damaged::Plan plan;
    plan.good = good;
    const size_t singAt = good.find("[SingData]\r\ndata = ") + 19;
    const size_t discoAt = good.find("[DiscoData]\r\ndata = ") + 20;
    plan.lastValueEnd = discoAt + 2766;
    plan.values = {{singAt, singAt + 2766}, {discoAt, discoAt + 2766}};
    plan.bothChanges = true;
    plan.seed = seed;
    plan.mutations = kSweepMutations;
    plan.every = kSweepEvery;
    damaged::Run(plan, probe, &tally);
    MESSAGE("mode files: " << tally.accepted << " accepted, " << tally.refused << " refused");
    CHECK_MESSAGE(tally.failures.empty(), tally.Report());
  })}, Close()}), 180000) == 0);
}

TEST_CASE("PC mode dialog: a folder of 3,000 modes, one of them held by another") {
  ModeFolder folder;
  const Image image = Filled(3, 0);
  SaveModes(folder, {L"m0000"}, image);
  const std::string bytes = ReadBytes(folder.File(L"m0000.orm"));
  for (int i = 1; i < 3000; ++i) {
    wchar_t name[16];
    swprintf(name, 16, L"m%04d.orm", i);
    REQUIRE(WriteBytes(folder.File(name), bytes));
  }
  ProgramRig rig;
  rig.WriteSettings(kEnglish + std::string("CurrentSelectPCModeIndex = 2999\r\n"));
  HANDLE held = INVALID_HANDLE_VALUE;
  CHECK(rig.Run(Join({Open(), {Once([&] {
    REQUIRE(Modes()->GetCount() == 3000);
    CHECK(Modes()->GetCurSel() == 2999);
    CHECK(NameText() == L"m2999");
    // Held by another after it was listed: the recall cannot read it and changes nothing.
    held = CreateFileW(folder.File(L"m2999.orm").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                       OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    const ProgramImages before = ProgramImages::Take();
    Press(L"btnRecall");
    REQUIRE(rig.boxes.size() == 1);
    CHECK(rig.boxes[0].text == L"Can not open file");
    CHECK(ProgramImages::Take() == before);
  })}, Close(), Open(), {Once([&] {
    // Held while the list is read: left out.
    CHECK(Modes()->GetCount() == 2999);
    CloseHandle(held);
  })}, Close()}), 120000) == 0);
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
}

TEST_CASE("PC mode dialog: a file named \"mode\" lists no mode, and a save says it failed") {
  ModeFolder folder;
  REQUIRE(WriteBytes(folder.Path(), "not a folder"));
  ProgramRig rig;
  rig.WriteSettings(kEnglish);
  CHECK(rig.Run(Join({Open(), {Once([&] {
    CHECK(Modes()->GetCount() == 0);
    TypeName(L"first");
    Press(L"btnAdd");
    REQUIRE(rig.boxes.size() == 1);
    CHECK(rig.boxes[0].text == L"Save failed");
    CHECK(Modes()->GetCount() == 0);
  })}, Close()})) == 0);
  CHECK(ReadBytes(folder.Path()) == "not a folder");
  DeleteFileW(folder.Path().c_str());
}
