// Effect files: the format written, the checked read, and what a refused file leaves alone.
#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "EffectFile.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/EqTables.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "IndependentReading.h"
#include "SettableImage.h"

namespace {

std::vector<uint8_t> Pattern(uint8_t seed) {
  std::vector<uint8_t> image(kParamSlotSize);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + seed);
  MakeSettable(image.data(), kParamTransferSize);
  return image;
}

std::string EffectText(const std::vector<uint8_t>& image) {
  return "[ORVConfig]\r\ndata=" + HexText(image.data(), kParamTransferSize,
                                          ByteSum(image.data(), kParamTransferSize)) + "\r\n";
}

std::wstring W(const std::string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

TEST_CASE("an exported effect is [ORVConfig] data of 2766 characters and reads back") {
  TestFolder folder;
  const std::vector<uint8_t> image = Pattern(3);
  const std::wstring path = folder.Sub(L"a.orv");
  REQUIRE(ExportEffectFile(path.c_str(), image.data()));
  const std::string text = ReadBytes(path);
  CHECK(text == EffectText(image));
  const size_t value = text.find("data=") + 5;
  CHECK(text.find_first_not_of("0123456789ABCDEF", value) - value == 2766);

  std::vector<uint8_t> back(kParamTransferSize, 0);
  REQUIRE(ReadEffectFile(path.c_str(), back.data()));
  CHECK(std::memcmp(back.data(), image.data(), kParamTransferSize) == 0);

  // A file made by hand in the documented form imports and exports to the same text.
  const std::vector<uint8_t> other = Pattern(200);
  const std::wstring made = folder.Write(L"made.orv", EffectText(other));
  REQUIRE(ReadEffectFile(made.c_str(), back.data()));
  CHECK(std::memcmp(back.data(), other.data(), kParamTransferSize) == 0);
  const std::wstring again = folder.Sub(L"again.orv");
  REQUIRE(ExportEffectFile(again.c_str(), back.data()));
  CHECK(ReadBytes(again) == EffectText(other));

  // Exporting over an existing effect replaces its value.
  REQUIRE(ExportEffectFile(again.c_str(), image.data()));
  CHECK(ReadBytes(again) == EffectText(image));
}

TEST_CASE("export fails where the file cannot be written") {
  TestFolder folder;
  const std::vector<uint8_t> image = Pattern(1);
  CHECK_FALSE(ExportEffectFile(folder.Sub(L"missing\\a.orv").c_str(), image.data()));
  CHECK_FALSE(ExportEffectFile(nullptr, image.data()));
  CHECK_FALSE(ExportEffectFile(L"", image.data()));
  CHECK_FALSE(ExportEffectFile(folder.Sub(L"a.orv").c_str(), nullptr));
  // The platform reads a file whole before it changes it: one that is no effect file it may
  // read is not written into, and stays as it was.
  const std::string large(kMaxEffectFileBytes + 1, ';');
  const std::wstring big = folder.Write(L"big.orv", large);
  CHECK_FALSE(ExportEffectFile(big.c_str(), image.data()));
  CHECK(ReadBytes(big) == large);
  CHECK_FALSE(ExportEffectFile(folder.Sub(L"aux.orv").c_str(), image.data()));
  REQUIRE(folder.MakeFolder(L"folder.orv"));
  CHECK_FALSE(ExportEffectFile(folder.Sub(L"folder.orv").c_str(), image.data()));
}

TEST_CASE("an import keeps the current volumes and takes bytes 3 .. 1381 from the file") {
  TestFolder folder;
  std::vector<uint8_t> fileImage = Pattern(9);
  fileImage[0] = 11;
  fileImage[1] = 12;
  fileImage[2] = 13;
  const std::wstring path = folder.Write(L"e.orv", EffectText(fileImage));

  CDeviceController controller;
  uint8_t* current = controller.CurrentImage();
  current[0] = 50;
  current[1] = 60;
  current[2] = 70;
  std::vector<uint8_t> buffer(kParamSlotSize, 0);
  REQUIRE(ReadEffectFile(path.c_str(), buffer.data()));
  controller.UploadImage(buffer.data());  // not connected: the image is replaced all the same
  CHECK(current[0] == 50);
  CHECK(current[1] == 60);
  CHECK(current[2] == 70);
  CHECK(std::memcmp(current + 3, fileImage.data() + 3, kParamTransferSize - 3) == 0);
}

TEST_CASE("a refused effect file leaves the buffer untouched") {
  TestFolder folder;
  const std::vector<uint8_t> image = Pattern(5);
  const std::string hex = HexText(image.data(), kParamTransferSize, ByteSum(image.data(), kParamTransferSize));
  std::string lower = hex;
  lower[10] = static_cast<char>(lower[10] == 'A' ? 'b' : 'a');
  std::string badSum = hex;
  badSum[2765] = badSum[2765] == '0' ? '1' : '0';
  struct Case {
    const char* what;
    std::string text;
  } cases[] = {
      {"no section", "data=" + hex + "\r\n"},
      {"other section", "[Other]\r\ndata=" + hex + "\r\n"},
      {"no key", "[ORVConfig]\r\nvalue=" + hex + "\r\n"},
      {"empty value", "[ORVConfig]\r\ndata=\r\n"},
      {"one digit short", "[ORVConfig]\r\ndata=" + hex.substr(1) + "\r\n"},
      {"one byte short", "[ORVConfig]\r\ndata=" + hex.substr(2) + "\r\n"},
      {"one digit more", "[ORVConfig]\r\ndata=" + hex + "0\r\n"},
      {"one byte more", "[ORVConfig]\r\ndata=" + hex + "00\r\n"},
      {"far too long", "[ORVConfig]\r\ndata=" + hex + hex + "\r\n"},
      {"lower-case digit", "[ORVConfig]\r\ndata=" + lower + "\r\n"},
      {"wrong sum", "[ORVConfig]\r\ndata=" + badSum + "\r\n"},
      {"quoted", "[ORVConfig]\r\ndata=\"" + hex + "\"\r\n"},
      {"quoted without its last byte", "[ORVConfig]\r\ndata=\"" + hex.substr(0, 2764) + "\"\r\n"},
      {"space inside", "[ORVConfig]\r\ndata=" + hex.substr(0, 100) + " " + hex.substr(101) + "\r\n"},
      {"empty file", ""},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    const std::wstring path = folder.Write(W(c.what) + L".orv", c.text);
    std::vector<uint8_t> out(kParamTransferSize, 0xEE);
    CHECK_FALSE(ReadEffectFile(path.c_str(), out.data()));
    CHECK(out == std::vector<uint8_t>(kParamTransferSize, 0xEE));
  }
  std::vector<uint8_t> out(kParamTransferSize, 0xEE);
  CHECK_FALSE(ReadEffectFile(folder.Sub(L"absent.orv").c_str(), out.data()));
  CHECK_FALSE(ReadEffectFile(nullptr, out.data()));
  CHECK(out == std::vector<uint8_t>(kParamTransferSize, 0xEE));
}

TEST_CASE("the effect dialogs' filter and default extension") {
  const std::wstring filter = EffectFileFilter(L"ORV effect file");
  CHECK(filter == std::wstring(L"ORV effect file(*.orv)\0*.orv;\0\0", 31));
  CHECK(std::wstring(kEffectFileExtension) == L"orv");
}

TEST_CASE("only an ordinary effect file of at most 64 KiB is read at all") {
  TestFolder folder;
  const std::vector<uint8_t> image = Pattern(9);
  const std::string text = EffectText(image);
  // Comment lines after the effect make a file of any size that would otherwise import.
  auto padded = [&](size_t size) {
    return text + ";" + std::string(size - text.size() - 3, 'x') + "\r\n";
  };
  REQUIRE(folder.MakeFolder(L"folder.orv"));
  const struct {
    const char* what;
    std::wstring path;
    bool read;
  } cases[] = {
      {"64 KiB", folder.Write(L"limit.orv", padded(kMaxEffectFileBytes)), true},
      {"a byte more", folder.Write(L"over.orv", padded(kMaxEffectFileBytes + 1)), false},
      {"a folder", folder.Sub(L"folder.orv"), false},
      {"a device", L"NUL", false},
      {"a device name in a folder", folder.Sub(L"com1.orv"), false},
      {"the device namespace", L"\\\\.\\NUL", false},
      {"no such file", folder.Sub(L"missing.orv"), false},
  };
  for (const auto& c : cases) {
    CAPTURE(c.what);
    std::vector<uint8_t> out(kParamTransferSize, 0xEE);
    CHECK(ReadEffectFile(c.path.c_str(), out.data()) == c.read);
    const std::vector<uint8_t> effect(image.begin(), image.begin() + kParamTransferSize);
    CHECK((out == effect) == c.read);
  }
}

namespace {

// Hand-edited values with their checksum made right, as a user's hostile files would be: each
// one on top of the program's own sing image.
struct WildValue {
  const char* what;
  int row;
  uint16_t value;
};
const WildValue kWildValues[] = {
    {"band gain of 6019.9 dB", ParamRow::MusicEQInfo3gain, 60439},
    {"mix of 16273 %", ParamRow::Main_MU, 16273},
    {"muted mix of 101 %", ParamRow::SCSUR_MI, 0x8000 | 101},
    {"mic volume of 245 %", ParamRow::MicA_Vol, 245},
    {"filter type past the last item", ParamRow::MicHPF_Type, 5},
    {"band type past the radios", ParamRow::Mic2EQInfo7mode, 4},
    {"band frequency past the table", ParamRow::EchoEQInfo0freq, 362},
    {"shelf Q past its spin", ParamRow::SubEQInfo2Q2, 29},
    {"switch neither on nor off", ParamRow::MainMute_R, 2},
    {"link mode 3", ParamRow::Sur_LinkAdjust, 3},
    {"master volume above its slider", ParamRow::Effectvolume, 71},
};

std::vector<uint8_t> SingWith(int row, uint16_t value) {
  std::vector<uint8_t> image(DefaultParamImages::Sing(),
                             DefaultParamImages::Sing() + kParamImageSize);
  SetImageParam(image.data(), row, value);
  return image;
}

}  // namespace

TEST_CASE("effect files with a value no control can set are refused; the program's own import") {
  TestFolder folder;
  for (const WildValue& wild : kWildValues) {
    CAPTURE(wild.what);
    const std::wstring path =
        folder.Write(W(wild.what) + L".orv", EffectText(SingWith(wild.row, wild.value)));
    std::vector<uint8_t> out(kParamTransferSize, 0xEE);
    CHECK_FALSE(ReadEffectFile(path.c_str(), out.data()));
    CHECK(out == std::vector<uint8_t>(kParamTransferSize, 0xEE));
  }
  // Every default image, and what the controller holds after its controls' own writes at their
  // ends, exported and imported again.
  CDeviceController controller;
  controller.SetParam(ParamRow::Main_MU, 0x8000 | 100);
  controller.SetParam(ParamRow::MicEQInfo19gain, 360);
  controller.SetParam(ParamRow::ReverbLPF_FREQ, kEffectLpfCount - 1);
  for (const uint8_t* image :
       {DefaultParamImages::Sing(), DefaultParamImages::Disco(),
        static_cast<const uint8_t*>(controller.CurrentImage())}) {
    const std::wstring path = folder.Sub(L"own.orv");
    REQUIRE(ExportEffectFile(path.c_str(), image));
    std::vector<uint8_t> out(kParamTransferSize, 0);
    CHECK(ReadEffectFile(path.c_str(), out.data()));
    CHECK(std::memcmp(out.data(), image, kParamTransferSize) == 0);
  }
}
