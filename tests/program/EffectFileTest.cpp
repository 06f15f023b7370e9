// Effect files through the page buttons: export (9001) and import (9000) with the scripted file
// dialogs, end to end with the simulated processor, and damaged files offered to the import.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "CApplication.h"
#include "CUIEventHandler.h"
#include "DamagedFileSweep.h"
#include "DebugOutputCapture.h"
#include "EffectFile.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "IndependentReading.h"
#include "ProgramImages.h"
#include "ProgramRig.h"
#include "core/SWindow.h"

namespace {

using Image = std::vector<uint8_t>;

constexpr DWORD kDialogFlags =
    OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING;
// Every 8th cut and value character, and a tenth of the library's mutations, go through the
// program: each costs a file and the platform's profile read (milliseconds under Wine).
constexpr size_t kSweepEvery = 8;
constexpr int kSweepMutations = 200;

// An effect the controls can show as it is, with other master volumes than the program's.
Image EffectImage(int step) {
  Image image = ShowableImage(DefaultParamImages::Disco(), step);
  image[0] = 7;
  image[1] = 8;
  image[2] = 9;
  return image;
}

std::string EffectText(const uint8_t* image) {
  return "[ORVConfig]\r\ndata=" +
         HexText(image, kParamTransferSize, ByteSum(image, kParamTransferSize)) + "\r\n";
}

void Click(int id) { ProgramRig::Element(id)->FireCommand(); }

CDeviceController& Controller() { return ProgramRig::App().DeviceController(); }

void Connect() {
  Controller().SetSessionSettleMs(0);
  REQUIRE(Controller().ConnectDevice());
}

// The image the program should hold after importing `file`: the file's bytes 3..1381 over the
// image it held, whose master volumes stay.
Image Imported(const Image& before, const Image& file) {
  Image expected = before;
  std::memcpy(expected.data() + 3, file.data() + 3, kParamTransferSize - 3);
  return expected;
}

const char kEnglish[] = "[Config]\r\nLang = 1\r\n";

}  // namespace

TEST_CASE("effect files: export and import ask the system's dialogs, a cancel does nothing") {
  ProgramRig rig;
  rig.WriteSettings(kEnglish);
  TestFolder folder;
  CHECK(rig.Run({Once([&] {
    DebugOutputCapture debug;
    const std::wstring path = folder.Sub(L"saved.orv");
    rig.fileAnswers = {path};
    Click(9001);
    REQUIRE(rig.fileDialogs.size() == 1);
    const FileDialogCall call = rig.fileDialogs[0];
    CHECK(call.save);
    CHECK(call.filter == std::wstring(L"ORV effect file(*.orv)\0*.orv;\0", 30));
    CHECK(call.defaultExtension == L"orv");  // a name typed without extension gets ".orv"
    CHECK(call.flags == kDialogFlags);
    CHECK(call.fileChars == 260);
    CHECK(call.titleChars == 256);
    CHECK(ReadBytes(path) == EffectText(Controller().CurrentImage()));
    CHECK(debug.Contains("\nORVK2: Export Data:\n"));
    CHECK(rig.boxes.empty());

    // Cancelled: no file, no message; the open dialog has the same settings.
    const ProgramImages before = ProgramImages::Take();
    Click(9001);
    Click(9000);
    REQUIRE(rig.fileDialogs.size() == 3);
    CHECK_FALSE(rig.fileDialogs[2].save);
    CHECK(rig.fileDialogs[2].filter == call.filter);
    CHECK(rig.fileDialogs[2].defaultExtension == L"orv");
    CHECK(rig.fileDialogs[2].flags == kDialogFlags);
    CHECK(ProgramImages::Take() == before);
    CHECK(rig.boxes.empty());

    // A file that cannot be written.
    rig.fileAnswers = {folder.Sub(L"missing\\x.orv")};
    Click(9001);
    REQUIRE(rig.boxes.size() == 1);
    CHECK(rig.boxes[0].text == L"Failed to export effect to file");
    CHECK(rig.boxes[0].caption.empty());
    CHECK(rig.boxes[0].type == MB_OK);
    CHECK(rig.boxes[0].framework);
  })}) == 0);
}

TEST_CASE("effect files: an import sends 'h' and 24 'j'; the device's bank is the file with the "
          "program's volumes, the controls show it, the banks stay") {
  ProgramRig rig;
  rig.WriteSettings(kEnglish);
  SimDevice& device = rig.PlugProcessor();
  TestFolder folder;
  CHECK(rig.Run({Once([&] {
    Connect();
    uint8_t* current = Controller().CurrentImage();
    current[0] = 40;
    current[1] = 41;
    current[2] = 42;
    const Image file = EffectImage(3);
    const std::wstring path = folder.Write(L"made.orv", EffectText(file.data()));
    const ProgramImages before = ProgramImages::Take();
    device.ClearRecords();
    rig.fileAnswers = {path};
    Click(9000);

    const std::vector<SimDevice::Report> sent = device.Received();
    REQUIRE(sent.size() == 25);
    CHECK(sent[0][0] == 0x68);
    CHECK(sent[0][7] == 0);  // slot 0: the bank the device works with
    for (size_t i = 1; i < sent.size(); ++i) CHECK(sent[i][0] == 0x6A);
    device.Inspect([&](SimProcessor& p) {
      p.Settle();
      const uint8_t* bank = p.banks[p.activeBank];
      CHECK(std::memcmp(bank + 3, file.data() + 3, kParamTransferSize - 3) == 0);
      CHECK(bank[0] == 40);
      CHECK(bank[1] == 41);
      CHECK(bank[2] == 42);
      return 0;
    });
    const ProgramImages after = ProgramImages::Take();
    CHECK(after.current == Imported(before.current, file));
    CHECK(after.bank0 == before.bank0);
    CHECK(after.bank1 == before.bank1);
    CHECK(after.curves != before.curves);
    CHECK(ControlsDiffer(current) == "");
    CHECK_FALSE(ProgramRig::Logic().IsRefreshing());
    CHECK(rig.boxes.empty());
    // The refresh queued nothing: a flush sends nothing more.
    Controller().FlushPendingParams();
    CHECK(device.ReceivedCount() == 25);

    // The exported file is the imported one but for the volumes.
    const std::wstring again = folder.Sub(L"again.orv");
    rig.fileAnswers = {again};
    Click(9001);
    CHECK(ReadBytes(again) == EffectText(after.current.data()));
  })}) == 0);
}

TEST_CASE("effect files: a refused file changes nothing and sends nothing; a failed upload keeps "
          "the image and says so") {
  ProgramRig rig;
  rig.WriteSettings(kEnglish);
  SimDevice& device = rig.PlugProcessor();
  TestFolder folder;
  CHECK(rig.Run({Once([&] {
    Connect();
    const Image file = EffectImage(1);
    std::string damaged = EffectText(file.data());
    damaged[100] = damaged[100] == '0' ? '1' : '0';  // the sum no longer holds
    const ProgramImages before = ProgramImages::Take();
    device.ClearRecords();
    rig.fileAnswers = {folder.Write(L"damaged.orv", damaged)};
    Click(9000);
    REQUIRE(rig.boxes.size() == 1);
    CHECK(rig.boxes[0].text == L"Failed to import effect from file");
    CHECK(rig.boxes[0].type == MB_OK);
    CHECK(ProgramImages::Take() == before);
    CHECK(device.ReceivedCount() == 0);

    // A band gain of 6019.9 dB written in by hand, its sum made right: refused the same way.
    Image wild = file;
    SetImageParam(wild.data(), ParamRow::MusicEQInfo0gain, 60439);
    rig.fileAnswers = {folder.Write(L"wild.orv", EffectText(wild.data()))};
    Click(9000);
    REQUIRE(rig.boxes.size() == 2);
    CHECK(rig.boxes[1].text == L"Failed to import effect from file");
    CHECK(ProgramImages::Take() == before);
    CHECK(device.ReceivedCount() == 0);

    // The device refuses the blocks: the image is imported all the same, and the user told.
    device.InjectFault(SimDevice::BadFlag, 5, 0x6A);
    rig.fileAnswers = {folder.Write(L"good.orv", EffectText(file.data()))};
    Click(9000);
    REQUIRE(rig.boxes.size() == 3);
    CHECK(rig.boxes[2].text == L"Failed to send effect to device");
    CHECK(rig.boxes[2].type == MB_OK);
    CHECK(ProgramImages::Take().current == Imported(before.current, file));
    CHECK(ControlsDiffer(Controller().CurrentImage()) == "");
    device.ClearFaults();

    // Without a session the import is the program's alone, and no failure.
    REQUIRE(Controller().EndSession());
    device.ClearRecords();
    const Image other = EffectImage(2);
    rig.fileAnswers = {folder.Write(L"other.orv", EffectText(other.data()))};
    Click(9000);
    CHECK(rig.boxes.size() == 3);
    CHECK(device.ReceivedCount() == 0);
    CHECK(ProgramImages::Take().current == Imported(before.current, other));
  })}) == 0);
}

TEST_CASE("effect files: a file of 200 MB, a device name or a folder is refused unread") {
  ProgramRig rig;
  rig.WriteSettings(kEnglish);
  TestFolder folder;
  // An effect that would import, followed by 200 MB (written sparse, in a moment).
  const std::wstring large = folder.Write(L"large.orv", EffectText(EffectImage(1).data()));
  HANDLE h = CreateFileW(large.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  REQUIRE(h != INVALID_HANDLE_VALUE);
  LARGE_INTEGER size;
  size.QuadPart = 200LL << 20;
  CHECK(SetFilePointerEx(h, size, nullptr, FILE_BEGIN));
  CHECK(SetEndOfFile(h));
  CloseHandle(h);
  REQUIRE(folder.MakeFolder(L"folder.orv"));
  const std::wstring paths[] = {large, L"CON", folder.Sub(L"lpt1.orv"), folder.Sub(L"folder.orv")};
  CHECK(rig.Run({Once([&] {
    const ProgramImages before = ProgramImages::Take();
    for (const std::wstring& path : paths) {
      rig.fileAnswers = {path};
      Click(9000);
    }
    CHECK(ProgramImages::Take() == before);
  })}) == 0);
  REQUIRE(rig.boxes.size() == 4);
  for (const ShownMessageBox& box : rig.boxes) {
    CHECK(box.text == L"Failed to import effect from file");
  }
}

TEST_CASE("effect files: damaged files offered to the import change nothing, or import exactly "
          "what they say") {
  ProgramRig rig;
  rig.WriteSettings(kEnglish);
  SimDevice& device = rig.PlugProcessor();
  TestFolder folder;
  CHECK(rig.Run({Once([&] {
    Connect();
    const unsigned seed = damaged::Seed();
    MESSAGE("damaged-file sweep seed: " << seed);
    const Image file = EffectImage(5);
    damaged::Plan plan;
    plan.good = EffectText(file.data());
    const size_t begin = plan.good.find("data=") + 5;
    plan.lastValueEnd = begin + kEffectValueChars;
    plan.values = {{begin, plan.lastValueEnd}};
    plan.seed = seed;
    plan.mutations = kSweepMutations;
    plan.every = kSweepEvery;

    const ProgramImages start = ProgramImages::Take();
    int counter = 0;
    auto probe = [&](const std::string& bytes, const std::string& what, damaged::Tally* tally) {
      // A fresh name each time: the platform caches profile files it read recently.
      const std::wstring path = folder.Write(L"e" + std::to_wstring(counter++) + L".orv", bytes);
      const ProgramImages before = ProgramImages::Take();
      const size_t boxes = rig.boxes.size();
      device.ClearRecords();
      rig.fileAnswers = {path};
      Click(9000);
      DeleteFileW(path.c_str());
      const bool refused = rig.boxes.size() == boxes + 1 &&
                           rig.boxes.back().text == L"Failed to import effect from file";
      if (refused) {
        if (ProgramImages::Take() != before) tally->Fail(what + ": refused, but the images changed");
        if (device.ReceivedCount() != 0) tally->Fail(what + ": refused, but something was sent");
        return false;
      }
      Image independent;
      if (rig.boxes.size() != boxes || !ReadEffectIndependently(bytes, &independent) ||
          ProgramImages::Take().current != Imported(before.current, independent) ||
          device.ReceivedCount() != 25) {
        tally->Fail(what + ": accepted, but not what the file says");
      }
      // Back to the start for the next case.
      std::memcpy(Controller().CurrentImage(), start.current.data(), kParamSlotSize);
      Controller().RefreshCurves();
      return true;
    };
    damaged::Tally tally;
    damaged::Run(plan, probe, &tally);
    MESSAGE("effect files: " << tally.accepted << " accepted, " << tally.refused << " refused");
    CHECK_MESSAGE(tally.failures.empty(), tally.Report());
  })}, 120000) == 0);
}
