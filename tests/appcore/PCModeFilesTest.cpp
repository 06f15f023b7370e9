// PC mode files: the format written, the sorted list, save/load/delete and their failures.
#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "IndependentReading.h"
#include "SettableImage.h"
#include "PCModeFiles.h"

namespace {

using Image = std::vector<uint8_t>;

Image Pattern(uint8_t seed, uint16_t workMode) {
  Image image(kParamSlotSize);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 13 + seed);
  MakeSettable(image.data(), kParamTransferSize);
  SetImageParam(image.data(), ParamRow::MainWorkMode, workMode);
  return image;
}

std::string Bank(const Image& image) {
  return HexText(image.data(), kParamTransferSize, ReferenceCrc8(image.data(), kParamTransferSize));
}

// A mode file exactly as the settings writer lays it out.
std::string ModeText(bool sing, const Image& singBank, const Image& discoBank) {
  return std::string("[mode]\r\nsing = ") + (sing ? "true" : "false") +
         "\r\n\r\n\r\n[data]\r\nversion = 2\r\n\r\n\r\n[SingData]\r\ndata = " + Bank(singBank) +
         "\r\n\r\n\r\n[DiscoData]\r\ndata = " + Bank(discoBank) + "\r\n";
}

bool SameBank(const uint8_t* a, const Image& b) {
  return std::memcmp(a, b.data(), kParamTransferSize) == 0;
}

std::vector<std::wstring> Names(const PCModeList& list) {
  std::vector<std::wstring> names;
  for (const PCModeEntry& e : list) names.push_back(e.name);
  return names;
}

struct Slots {
  Image current = Image(kParamSlotSize, 0xC1);
  Image sing = Image(kParamSlotSize, 0xC2);
  Image disco = Image(kParamSlotSize, 0xC3);
  bool Untouched() const {
    return current == Image(kParamSlotSize, 0xC1) && sing == Image(kParamSlotSize, 0xC2) &&
           disco == Image(kParamSlotSize, 0xC3);
  }
  bool Load(int index, const PCModeList& list) {
    return LoadPCMode(index, list, current.data(), sing.data(), disco.data());
  }
};

}  // namespace

TEST_CASE("saving in sing and in disco writes the golden layout and loads back the same images") {
  TestFolder folder;
  PCModeList list;
  for (bool sing : {true, false}) {
    CAPTURE(sing);
    const Image current = Pattern(1, sing ? 0x80 : 0x81);  // the Auto bit says nothing of the bank
    const Image bank0 = Pattern(2, 0x00);
    const Image bank1 = Pattern(3, 0x01);
    const std::wstring name = sing ? L"Sing mode" : L"Disco mode";
    const int index = SavePCMode(folder.Path(), &list, name, current.data(), bank0.data(), bank1.data());
    REQUIRE(index >= 0);
    const PCModeEntry* entry = GetPCMode(index, list);
    REQUIRE(entry);
    CHECK(entry->name == name);
    CHECK(entry->path == folder.Path() + L"\\mode\\" + name + L".orm");
    const Image& singBank = sing ? current : bank0;
    const Image& discoBank = sing ? bank1 : current;
    CHECK(ReadBytes(entry->path) == ModeText(sing, singBank, discoBank));

    Slots slots;
    REQUIRE(slots.Load(index, list));
    CHECK(SameBank(slots.current.data(), current));
    CHECK(SameBank(slots.sing.data(), singBank));
    CHECK(SameBank(slots.disco.data(), discoBank));
    // System rows beyond the 1382 bytes never come from a file.
    CHECK(slots.current[kParamTransferSize] == 0xC1);
    CHECK(slots.sing[kParamSlotSize - 1] == 0xC2);
  }
  CHECK(Names(list) == std::vector<std::wstring>{L"Disco mode", L"Sing mode"});
}

TEST_CASE("hand-made files: a golden .orm and a version-1 .morv list and load") {
  TestFolder folder;
  REQUIRE(folder.MakeFolder(L"mode"));
  const Image a = Pattern(40, 0x00);
  const Image b = Pattern(41, 0x01);
  // Written freely: lower-case section and key names, no spaces, other order, a comment.
  folder.Write(L"mode\\Golden.orm", "; kept by hand\n[singdata]\ndata=" + Bank(a) +
                                        "\n[DISCODATA]\nDATA=" + Bank(b) +
                                        "\n[Data]\nVersion=2\n[mode]\nsing=no\n");
  folder.Write(L"mode\\Old.morv", ModeText(true, b, a).replace(
                                      ModeText(true, b, a).find("version = 2"), 11, "version = 1"));
  PCModeList list;
  ScanPCModes(folder.Path(), &list);
  REQUIRE(Names(list) == std::vector<std::wstring>{L"Old", L"Golden"});
  Slots slots;
  REQUIRE(slots.Load(1, list));
  CHECK(SameBank(slots.current.data(), b));  // "sing=no": the disco bank is current
  CHECK(SameBank(slots.sing.data(), a));
  REQUIRE(slots.Load(0, list));
  CHECK(SameBank(slots.current.data(), b));
  CHECK(SameBank(slots.disco.data(), a));
}

TEST_CASE("the list holds only true mode files, .morv first, each group by name ignoring case") {
  TestFolder folder;
  REQUIRE(folder.MakeFolder(L"mode"));
  const Image x = Pattern(7, 0);
  const std::string good = ModeText(true, x, x);
  for (const wchar_t* name : {L"b.orm", L"A.orm", L"c.morv", L"Z.MORV", L"a2.ORM"}) {
    folder.Write(std::wstring(L"mode\\") + name, good);
  }
  folder.Write(L"mode\\bank.orm", "[data]\r\ndata = " + Bank(x) + "\r\nversion = 2\r\n");
  // Not listed: other extensions, an empty name, version 3, no version, over 1 MiB, a folder.
  for (const wchar_t* name : {L"x.orm.bak", L"y.ormx", L"z.morv2", L".orm", L"w.or"}) {
    folder.Write(std::wstring(L"mode\\") + name, good);
  }
  std::string v3 = good;
  v3.replace(v3.find("version = 2"), 11, "version = 3");
  folder.Write(L"mode\\v3.orm", v3);
  folder.Write(L"mode\\none.orm", "[mode]\r\nsing = true\r\n");
  folder.Write(L"mode\\big.orm", good + std::string(kMaxModeFileBytes, ';'));
  REQUIRE(folder.MakeFolder(L"mode\\dir.orm"));

  PCModeList list;
  list.push_back({L"stale", L"stale"});
  ScanPCModes(folder.Path(), &list);
  CHECK(Names(list) == std::vector<std::wstring>{L"c", L"Z", L"A", L"a2", L"b", L"bank"});
  CHECK(list[1].path == folder.Path() + L"\\mode\\Z.MORV");

  // A new mode goes to its sorted place, and the index says where.
  const int index = SavePCMode(folder.Path(), &list, L"B1", x.data(), x.data(), x.data());
  CHECK(index == 5);
  CHECK(Names(list) == std::vector<std::wstring>{L"c", L"Z", L"A", L"a2", L"b", L"B1", L"bank"});
  PCModeList rescanned;
  ScanPCModes(folder.Path(), &rescanned);
  CHECK(Names(rescanned) == Names(list));

  // A single-bank file is listed but is no loadable mode.
  Slots slots;
  CHECK_FALSE(slots.Load(6, list));
  CHECK(slots.Untouched());

  PCModeList none;
  ScanPCModes(folder.Sub(L"nowhere"), &none);
  CHECK(none.empty());
}

TEST_CASE("saving under an existing name replaces it in place; names that are no file names are refused") {
  TestFolder folder;
  PCModeList list;
  const Image first = Pattern(1, 0), second = Pattern(2, 0), bank = Pattern(3, 1);
  REQUIRE(SavePCMode(folder.Path(), &list, L"Rock", first.data(), bank.data(), bank.data()) == 0);
  REQUIRE(SavePCMode(folder.Path(), &list, L"Pop", first.data(), bank.data(), bank.data()) == 0);
  CHECK(FindPCMode(list, L"ROCK") == 1);
  CHECK(FindPCMode(list, L"Jazz") == -1);

  bool replaced = false;
  CHECK(SavePCMode(folder.Path(), &list, L"ROCK", second.data(), bank.data(), bank.data(), &replaced) == 1);
  CHECK(replaced);
  CHECK(Names(list) == std::vector<std::wstring>{L"Pop", L"Rock"});
  Slots slots;
  REQUIRE(slots.Load(1, list));
  CHECK(SameBank(slots.current.data(), second));
  PCModeList rescanned;
  ScanPCModes(folder.Path(), &rescanned);
  CHECK(Names(rescanned) == std::vector<std::wstring>{L"Pop", L"Rock"});

  // A file of the name that the list does not hold is replaced and listed under its own name.
  const std::wstring path = folder.Write(L"mode\\jazz.orm", "junk");
  CHECK(SavePCMode(folder.Path(), &list, L"Jazz", first.data(), bank.data(), bank.data(), &replaced) == 0);
  CHECK_FALSE(replaced);
  CHECK(list[0].name == L"jazz");
  CHECK(ReadBytes(path) == ModeText(true, first, bank));

  for (const wchar_t* bad : {L"", L"a/b", L"a\\b", L"a:b", L"a*b", L"a?b", L"a\"b", L"a<b", L"a>b",
                             L"a|b", L"tab\there", L"end.", L"end ", L"CON", L"con", L"Nul.txt",
                             L"com1", L"LPT9", L"aux .x", L"COM\u00B9"}) {
    CAPTURE(std::string(bad, bad + wcslen(bad)));
    CHECK_FALSE(IsValidPCModeName(bad));
    CHECK(SavePCMode(folder.Path(), &list, bad, first.data(), bank.data(), bank.data()) == -1);
    CHECK(PCModeFilePath(folder.Path(), bad).empty());
  }
  for (const wchar_t* ok : {L"Rock 2", L"CONSOLE", L"com10", L".hidden", L"\u4E2D\u6587"}) {
    CAPTURE(std::string(ok, ok + wcslen(ok)));
    CHECK(IsValidPCModeName(ok));
  }
  CHECK(list.size() == 3);
  CHECK(SavePCMode(folder.Path(), &list, std::wstring(300, L'a'), first.data(), bank.data(), bank.data()) == -1);
  CHECK(SavePCMode(folder.Path(), &list, L"x", nullptr, bank.data(), bank.data()) == -1);
  CHECK(SavePCMode(folder.Path(), nullptr, L"x", first.data(), bank.data(), bank.data()) == -1);
  CHECK(list.size() == 3);
}

TEST_CASE("a save that cannot complete loses nothing") {
  TestFolder folder;
  PCModeList list;
  const Image first = Pattern(1, 0), second = Pattern(2, 0);
  REQUIRE(SavePCMode(folder.Path(), &list, L"Keep", first.data(), first.data(), first.data()) == 0);
  const std::string before = ReadBytes(list[0].path);

  // The old file held open without delete sharing: it cannot be replaced.
  HANDLE held = CreateFileW(list[0].path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  REQUIRE(held != INVALID_HANDLE_VALUE);
  CHECK(SavePCMode(folder.Path(), &list, L"Keep", second.data(), second.data(), second.data()) == -1);
  CloseHandle(held);
  CHECK(ReadBytes(list[0].path) == before);
  CHECK(list.size() == 1);

  // No temporary file is left behind.
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(folder.Sub(L"mode\\*.tmp").c_str(), &data);
  CHECK(find == INVALID_HANDLE_VALUE);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);

  // The program folder missing: the mode folder cannot be made.
  PCModeList other;
  CHECK(SavePCMode(folder.Sub(L"gone"), &other, L"New", first.data(), first.data(), first.data()) == -1);
  CHECK(other.empty());
}

TEST_CASE("loading fails without touching the images: missing file, bad version, bad index") {
  TestFolder folder;
  PCModeList list;
  const Image image = Pattern(5, 0);
  REQUIRE(SavePCMode(folder.Path(), &list, L"M", image.data(), image.data(), image.data()) == 0);
  const std::string good = ReadBytes(list[0].path);
  Slots slots;
  CHECK_FALSE(slots.Load(-1, list));
  CHECK_FALSE(slots.Load(1, list));
  for (const char* version : {"0", "3", "two", "-1", "", "2x", "1.0"}) {
    CAPTURE(version);
    std::string text = good;
    text.replace(text.find("version = 2"), 11, std::string("version = ") + version);
    WriteBytes(list[0].path, text);
    CHECK_FALSE(slots.Load(0, list));
  }
  std::string noVersion = good;
  noVersion.erase(noVersion.find("version = 2"), 11);
  WriteBytes(list[0].path, noVersion);
  CHECK_FALSE(slots.Load(0, list));
  // A bank shorter than 1382 bytes whose check matches is a damaged file.
  std::string shortBank = good;
  const size_t at = shortBank.find("[DiscoData]\r\ndata = ") + 20;
  shortBank.replace(at, 2766, HexText(image.data(), 999, ReferenceCrc8(image.data(), 999)));
  WriteBytes(list[0].path, shortBank);
  CHECK_FALSE(slots.Load(0, list));
  DeleteFileW(list[0].path.c_str());
  CHECK_FALSE(slots.Load(0, list));
  CHECK(slots.Untouched());
  CHECK_FALSE(LoadPCMode(0, list, nullptr, slots.sing.data(), slots.disco.data()));

  // Version 1 loads as 2 does.
  std::string v1 = good;
  v1.replace(v1.find("version = 2"), 11, "version = 1");
  WriteBytes(list[0].path, v1);
  CHECK(slots.Load(0, list));
}

TEST_CASE("deleting removes the file and the entry; a file already gone counts as deleted") {
  TestFolder folder;
  PCModeList list;
  const Image image = Pattern(6, 0);
  REQUIRE(SavePCMode(folder.Path(), &list, L"A", image.data(), image.data(), image.data()) == 0);
  REQUIRE(SavePCMode(folder.Path(), &list, L"B", image.data(), image.data(), image.data()) == 1);
  REQUIRE(SavePCMode(folder.Path(), &list, L"C", image.data(), image.data(), image.data()) == 2);
  const std::wstring pathA = list[0].path;
  CHECK(DeletePCMode(0, &list));
  CHECK(GetFileAttributesW(pathA.c_str()) == INVALID_FILE_ATTRIBUTES);
  CHECK(Names(list) == std::vector<std::wstring>{L"B", L"C"});
  DeleteFileW(list[1].path.c_str());
  CHECK(DeletePCMode(1, &list));
  CHECK(Names(list) == std::vector<std::wstring>{L"B"});
  CHECK_FALSE(DeletePCMode(1, &list));
  CHECK_FALSE(DeletePCMode(-1, &list));

  // A file that cannot be deleted keeps its entry.
  HANDLE held = CreateFileW(list[0].path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  REQUIRE(held != INVALID_HANDLE_VALUE);
  CHECK_FALSE(DeletePCMode(0, &list));
  CloseHandle(held);
  CHECK(list.size() == 1);
  CHECK(GetPCMode(0, list) == &list[0]);
  CHECK(GetPCMode(1, list) == nullptr);
  CHECK(GetPCMode(-1, list) == nullptr);
}

TEST_CASE("a single-bank file saves and loads one image") {
  TestFolder folder;
  const Image image = Pattern(8, 0);
  REQUIRE(SavePCModeBank(folder.Path(), L"One", image.data()));
  const std::wstring path = PCModeFilePath(folder.Path(), L"One");
  CHECK(ReadBytes(path) == "[data]\r\ndata = " + Bank(image) + "\r\nversion = 2\r\n");
  Image out(kParamSlotSize, 0xAB);
  REQUIRE(LoadPCModeBank(path, out.data()));
  CHECK(SameBank(out.data(), image));
  CHECK(out[kParamTransferSize] == 0xAB);

  // A two-bank mode file is no single-bank file, and a damaged one changes nothing.
  PCModeList list;
  REQUIRE(SavePCMode(folder.Path(), &list, L"Two", image.data(), image.data(), image.data()) == 0);
  Image untouched(kParamSlotSize, 0xAB);
  CHECK_FALSE(LoadPCModeBank(list[0].path, untouched.data()));
  std::string damaged = ReadBytes(path);
  damaged[20] = damaged[20] == '0' ? '1' : '0';
  WriteBytes(path, damaged);
  CHECK_FALSE(LoadPCModeBank(path, untouched.data()));
  CHECK(untouched == Image(kParamSlotSize, 0xAB));
  CHECK_FALSE(SavePCModeBank(folder.Path(), L"bad|name", image.data()));
}

TEST_CASE("a mode file with a value no control can set in either bank is refused") {
  const Image good = Pattern(9, 0);
  struct Case {
    const char* what;
    int row;
    uint16_t value;
  };
  const Case cases[] = {
      {"band gain past +12 dB", ParamRow::MainEQInfo2gain, 361},
      {"echo delay past its slider", ParamRow::EchoDelay, 1001},
      {"work mode bank 2", ParamRow::MainWorkMode, 2},
  };
  for (const Case& c : cases) {
    for (bool wildSing : {true, false}) {
      CAPTURE(c.what);
      CAPTURE(wildSing);
      Image wild = good;
      SetImageParam(wild.data(), c.row, c.value);
      const std::string file =
          wildSing ? ModeText(true, wild, good) : ModeText(true, good, wild);
      Slots slots;
      CHECK_FALSE(DecodePCModeFile(file, slots.current.data(), slots.sing.data(),
                                   slots.disco.data()));
      CHECK(slots.Untouched());
    }
  }
  Slots slots;
  CHECK(DecodePCModeFile(ModeText(true, good, good), slots.current.data(), slots.sing.data(),
                         slots.disco.data()));
}
