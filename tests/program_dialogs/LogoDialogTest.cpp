// The logo image dialog over the program's own layout: the grid made from ImageCfg.ini, files
// added through the add button (only images that decode, never through GDI+), a click on an
// image making it the selection, and the tip that says whether that was written.
#include <doctest/doctest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "CCommonDlg.h"
#include "CDlgSetLogoImage.h"
#include "DialogAppRig.h"
#include "HostHarness.h"
#include "ModalDriver.h"
#include "TestImages.h"
#include "control/SImageWnd.h"
#include "controls/CTipWnd.h"
#include "core/SWindow.h"
#include "layout/SGridLayout.h"

using SWUI::SWindow;

namespace {

using LogoDlg = CCommonDlg<CDlgSetLogoImage>;

const int kFirst = CDlgSetLogoImage::kFirstImageId;

SWindow* Item(LogoDlg& dlg, int index) {
  SWindow* grid = dlg.Handler()->Grid();
  REQUIRE(grid != nullptr);
  SWindow* item = grid->FindChildByID(kFirst + index, 1);
  REQUIRE(item != nullptr);
  return item;
}

void Click(SWindow* element) {
  REQUIRE(element != nullptr);
  element->FireCommand();
}

int RowCount(LogoDlg& dlg) {
  auto* layout = static_cast<SWUI::SGridLayout*>(dlg.Handler()->Grid()->GetLayout());
  return layout->GetRowCount();
}

// The text of the tip that shows, as given (untranslated); empty without one.
std::wstring TipText() {
  CTipWnd* tip = CTipWnd::GetInstance();
  if (tip == nullptr) return std::wstring();
  SWindow* text = tip->GetRoot()->FindChildByName(L"txt_tip");
  return text != nullptr ? std::wstring(text->GetWindowText(TRUE).c_str()) : std::wstring();
}

std::wstring ProfileString(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t buf[MAX_PATH] = {};
  GetPrivateProfileStringW(section, key, L"", buf, MAX_PATH, file.c_str());
  return buf;
}

}  // namespace

TEST_CASE("logo dialog: the grid from the list, a file added through the button, a click selects") {
  DialogAppRig rig;
  const std::wstring red = rig.Folder(L"图片") + L"\\红.png";
  const std::wstring blue = rig.Folder(L"Ünïcødé") + L"\\λ.ico";
  const std::wstring broken = rig.Folder(L"broken") + L"\\cut.png";
  const std::wstring green = rig.Folder(L"new") + L"\\green.bmp";
  REQUIRE(WriteBytes(red, images::Png(40, 30, 0xE02020)));
  REQUIRE(WriteBytes(blue, images::Ico(32, 32, 0x2040E0)));
  REQUIRE(WriteBytes(broken, images::Png(40, 30, 0x20E020).substr(0, 60)));
  REQUIRE(WriteBytes(green, images::Bmp(300, 200, 0x20C040)));
  CreateDirectoryW(rig.DataFolder().c_str(), nullptr);
  REQUIRE(WriteBytes(rig.ListFile(),
                     Utf16File(L"[DIY]\r\ncount=3\r\ncurrentSelectIndex=0\r\n[DIYPath]\r\n0=" + red +
                               L"\r\n1=" + blue + L"\r\n2=" + broken + L"\r\n")));
  DWORD stored = 0x12345678;
  REQUIRE(WritePrivateProfileStructW(L"DIY", L"1", &stored, sizeof(stored), rig.ListFile().c_str()));
  rig.fileAnswers.push_back(green);

  LogoDlg dlg(L"LAYOUT:XML_SETLOGO");
  CDlgSetLogoImage* logo = dlg.Handler();
  ModalDriver drive({[&] {
                       // Three entries and the add button: one row of four.
                       CHECK(logo->List().Count() == 3);
                       CHECK(logo->List().Selection() == 0);
                       CHECK(RowCount(dlg) == 1);
                       CHECK(Item(dlg, 0)->IsClass(L"img"));
                       CHECK(Item(dlg, 3)->IsClass(L"imgbtn"));
                       CHECK(logo->BitmapOf(0) != nullptr);
                       CHECK(logo->BitmapOf(1) != nullptr);
                       // A listed file that does not decode keeps its place, empty.
                       CHECK(logo->BitmapOf(2) == nullptr);
                       Click(Item(dlg, 3));
                     },
                     [&] {
                       CHECK(rig.boxes.empty());
                       REQUIRE(logo->List().Count() == 4);
                       CHECK(RowCount(dlg) == 2);
                       CHECK(Item(dlg, 4)->IsClass(L"imgbtn"));
                       // Kept at the cell's size.
                       REQUIRE(logo->BitmapOf(3) != nullptr);
                       CHECK(logo->BitmapOf(3)->Width() == 100);
                       Click(Item(dlg, 1));
                     },
                     [&] {
                       CHECK(TipText() == L"Set Successed");
                       Click(dlg.GetRoot()->FindChildByName(L"btn_close"));
                     }});
  CHECK(dlg.DoModal(nullptr) == IDCANCEL);
  CHECK_FALSE(drive.TimedOut());

  REQUIRE(rig.fileDialogs.size() == 1);
  const wchar_t filter[] = L"图片文件(*.ico *.png *.jpg *.jpeg)\0*.ico;*.png;*.jpg;*.jpeg\0";
  CHECK(rig.fileDialogs[0].filter == std::wstring(filter, sizeof(filter) / sizeof(filter[0]) - 1));
  CHECK(rig.fileDialogs[0].defaultExtension == L"png");
  const std::wstring file = rig.ListFile();
  CHECK(GetPrivateProfileIntW(L"DIY", L"count", 0, file.c_str()) == 4);
  CHECK(GetPrivateProfileIntW(L"DIY", L"currentSelectIndex", -1, file.c_str()) == 1);
  CHECK(ProfileString(file, L"DIYPath", L"0") == red);
  CHECK(ProfileString(file, L"DIYPath", L"1") == blue);
  CHECK(ProfileString(file, L"DIYPath", L"3") == green);
  DWORD value = 1;
  CHECK(GetPrivateProfileStructW(L"DIY", L"1", &value, sizeof(value), file.c_str()));
  CHECK(value == 0x12345678);
  CHECK(GetPrivateProfileStructW(L"DIY", L"3", &value, sizeof(value), file.c_str()));
  CHECK(value == 0);
}

TEST_CASE("logo dialog: a refused file is not listed; a cancelled choice adds nothing") {
  DialogAppRig rig;
  const std::wstring gif = rig.Folder(L"in") + L"\\looks_like.png";
  REQUIRE(WriteBytes(gif, "GIF89a this is no image the list takes"));
  rig.fileAnswers.push_back(gif);
  LogoDlg dlg(L"LAYOUT:XML_SETLOGO");
  ModalDriver drive({[&] { Click(Item(dlg, 0)); },  // refused
                     [&] { Click(Item(dlg, 0)); },  // cancelled
                     [&] { dlg.EndDialog(IDCANCEL); }});
  dlg.DoModal(nullptr);
  CHECK(rig.fileDialogs.size() == 2);
  REQUIRE(rig.boxes.size() == 1);
  CHECK(rig.boxes[0] == CDlgSetLogoImage::kRefusedText);
  CHECK(dlg.Handler()->List().Count() == 0);
  // The file exists (made on opening) and lists nothing.
  CHECK(ReadBytes(rig.ListFile()) == "\xFF\xFE");
}

TEST_CASE("logo dialog: a selection that is not written shows no success tip") {
  DialogAppRig rig;
  const std::wstring red = rig.Folder(L"in") + L"\\red.png";
  REQUIRE(WriteBytes(red, images::Png(8, 8, 0xE02020)));
  CreateDirectoryW(rig.DataFolder().c_str(), nullptr);
  REQUIRE(WriteBytes(rig.ListFile(),
                     Utf16File(L"[DIY]\r\ncount=1\r\n[DIYPath]\r\n0=" + red + L"\r\n")));
  LogoDlg dlg(L"LAYOUT:XML_SETLOGO");
  std::wstring tip;
  ModalDriver drive({[&] {
    FileHeld held(rig.ListFile());
    Click(Item(dlg, 0));
    tip = TipText();
    dlg.EndDialog(IDCANCEL);
  }});
  dlg.DoModal(nullptr);
  CHECK(tip == L"Set Failed");
  CHECK(dlg.Handler()->List().Selection() == -1);
}

TEST_CASE("logo dialog: a count of a billion opens 1000 entries and the button adds no more") {
  DialogAppRig rig;
  CreateDirectoryW(rig.DataFolder().c_str(), nullptr);
  REQUIRE(WriteBytes(rig.ListFile(), Utf16File(L"[DIY]\r\ncount=1000000000\r\n")));
  rig.fileAnswers.push_back(L"C:\\never\\asked.png");
  LogoDlg dlg(L"LAYOUT:XML_SETLOGO");
  ModalDriver drive({[&] {
    CHECK(dlg.Handler()->List().Count() == 1000);
    CHECK(RowCount(dlg) == 251);
    Click(Item(dlg, 1000));
    dlg.EndDialog(IDCANCEL);
  }});
  dlg.DoModal(nullptr);
  CHECK(rig.fileDialogs.empty());
  REQUIRE(rig.boxes.size() == 1);
  CHECK(rig.boxes[0] == CDlgSetLogoImage::kFullText);
}

TEST_CASE("logo dialog: with two images (screenshot)") {
  DialogAppRig rig;
  const std::wstring folder = rig.Folder(L"in");
  rig.fileAnswers = {folder + L"\\red.png", folder + L"\\blue.jpg"};
  REQUIRE(WriteBytes(rig.fileAnswers[0], images::Png(64, 64, 0xE02020)));
  REQUIRE(WriteBytes(rig.fileAnswers[1], images::Jpeg(200, 120, 0x2040E0)));
  LogoDlg dlg(L"LAYOUT:XML_SETLOGO");
  bool saved = false;
  ModalDriver drive({[&] { Click(Item(dlg, 0)); }, [&] { Click(Item(dlg, 1)); },
                     [&] {
                       saved = HostHarness::SavePng(dlg, L"logo_two_images");
                       dlg.EndDialog(IDCANCEL);
                     }});
  dlg.DoModal(nullptr);
  CHECK(dlg.Handler()->List().Count() == 2);
  CHECK(saved);
}

// Damaged files of every format the button takes: cut at many lengths, and a few hundred
// seeded mutations (bytes replaced, inserted or deleted). Each is added through the button;
// it must be refused with the message (the list unchanged) or decoded and listed.
TEST_CASE("logo dialog: damaged files added through the button are refused or decoded") {
  const char* seedText = getenv("TEVARO_SWEEP_SEED");
  const unsigned seed = seedText != nullptr ? static_cast<unsigned>(strtoul(seedText, nullptr, 0))
                                            : 20240521u;
  printf("logo sweep seed %u (TEVARO_SWEEP_SEED sets another)\n", seed);
  std::mt19937 random(seed);
  const int kMutations = 250;
  struct Good {
    const char* what;
    std::string bytes;
  };
  const Good goods[] = {
      {"PNG", images::Png(12, 10, 0x3366CC)},
      {"BMP", images::Bmp(12, 10, 0x3366CC)},
      {"JPEG", images::Jpeg(12, 10, 0x3366CC)},
      {"ICO", images::Ico(16, 16, 0x3366CC, 0x80)},
  };
  for (const Good& good : goods) {
    const std::string what = good.what;
    CAPTURE(what);
    std::vector<std::string> cases;
    const size_t step = good.bytes.size() / 60 + 1;
    for (size_t cut = 0; cut < good.bytes.size(); cut += step) cases.push_back(good.bytes.substr(0, cut));
    for (int m = 0; m < kMutations; ++m) {
      std::string bytes = good.bytes;
      const int changes = 1 + static_cast<int>(random() % 3);
      for (int k = 0; k < changes && !bytes.empty(); ++k) {
        const size_t at = random() % bytes.size();
        switch (random() % 3) {
          case 0: bytes[at] = static_cast<char>(random()); break;
          case 1: bytes.insert(at, 1, static_cast<char>(random())); break;
          default: bytes.erase(at, 1); break;
        }
      }
      cases.push_back(bytes);
    }

    DialogAppRig rig;
    const std::wstring path = rig.Folder(L"sweep") + L"\\damaged.png";
    LogoDlg dlg(L"LAYOUT:XML_SETLOGO");
    int refused = 0;
    int decoded = 0;
    std::vector<std::string> faults;
    ModalDriver drive({[&] {
      CDlgSetLogoImage* logo = dlg.Handler();
      for (size_t i = 0; i < cases.size(); ++i) {
        REQUIRE(WriteBytes(path, cases[i]));
        rig.fileAnswers.push_back(path);
        const int before = logo->List().Count();
        const size_t boxes = rig.boxes.size();
        Click(Item(dlg, before));
        const bool listed = logo->List().Count() == before + 1;
        const bool told = rig.boxes.size() == boxes + 1;
        if (listed && !told && logo->BitmapOf(before) != nullptr) {
          ++decoded;
        } else if (!listed && told) {
          ++refused;
        } else {
          faults.push_back("case " + std::to_string(i) + " neither refused nor decoded");
        }
      }
      dlg.EndDialog(IDCANCEL);
    }});
    dlg.DoModal(nullptr);
    MESSAGE(what << ": " << cases.size() << " files, " << refused << " refused, " << decoded
                      << " decoded");
    CHECK(faults.empty());
    CHECK(refused + decoded == static_cast<int>(cases.size()));
    CHECK(refused > 0);
  }
}
