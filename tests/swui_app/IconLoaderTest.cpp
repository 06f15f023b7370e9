// Icons and cursors from icon and cursor file images: entry choice, scaling, alpha, masks,
// hotspots, damaged images and their trace lines.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "DebugOutputCapture.h"
#include "IconFixtures.h"
#include "RawRead.h"
#include "TempFolder.h"
#include "res.mgr/SIconLoader.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;
using fixtures::IconImageSpec;
using fixtures::MakeIconFile;
using fixtures::SolidIcon;

namespace {

const uint32_t kRed = 0xFFFF0000u;
const uint32_t kBlue = 0xFF0000FFu;
const COLORREF kWhiteBack = 0xFFFFFF;

HICON FromImage(const std::string& file, int cx, int cy, BOOL cursor, UINT flags = 0) {
  return SIconLoader::FromFileImage(reinterpret_cast<const BYTE*>(file.data()), file.size(), cx, cy,
                                    cursor, flags);
}

// The icon drawn at size x size over white; pixels as 0x00RRGGBB, rows top-down.
std::vector<uint32_t> Draw(HICON icon, int size) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = size;
  bi.bmiHeader.biHeight = -size;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, target);
  HBRUSH white = CreateSolidBrush(kWhiteBack);
  RECT rc = {0, 0, size, size};
  FillRect(dc, &rc, white);
  DeleteObject(white);
  DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  GdiFlush();
  std::vector<uint32_t> px(static_cast<const uint32_t*>(bits),
                           static_cast<const uint32_t*>(bits) + size * size);
  for (uint32_t& p : px) p &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  return px;
}

struct IconFacts {
  BOOL isIcon = FALSE;
  DWORD hotX = 0;
  DWORD hotY = 0;
  LONG width = 0;
  bool hasColour = false;
  LONG maskHeight = 0;
};

// What GetIconInfo tells of a handle; destroys it.
IconFacts Facts(HICON icon) {
  IconFacts f;
  REQUIRE(icon != nullptr);
  ICONINFO ii{};
  REQUIRE(GetIconInfo(icon, &ii));
  f.isIcon = ii.fIcon;
  f.hotX = ii.xHotspot;
  f.hotY = ii.yHotspot;
  BITMAP bm{};
  GetObjectW(ii.hbmMask, sizeof(bm), &bm);
  f.maskHeight = bm.bmHeight;
  f.width = bm.bmWidth;
  f.hasColour = ii.hbmColor != nullptr;
  if (ii.hbmColor != nullptr) DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  DestroyIcon(icon);
  return f;
}

// The colour of the middle pixel when drawn at size, destroying the icon.
uint32_t Centre(HICON icon, int size) {
  REQUIRE(icon != nullptr);
  const uint32_t c = Draw(icon, size)[size / 2 * size + size / 2];
  DestroyIcon(icon);
  return c;
}

IconImageSpec PaletteIcon(int size, uint32_t rgb) {
  IconImageSpec s;
  s.width = s.height = size;
  s.bitCount = 8;
  s.palette = {0x000000, rgb};
  s.pixels.assign(static_cast<size_t>(size) * size, 1);
  return s;
}

}  // namespace

TEST_CASE(
    "entry choice: nearest size first, then nearest depth; cursors take the largest that fits") {
  const std::vector<IconImageSpec> twoSizes = {SolidIcon(16, 16, kRed), SolidIcon(32, 32, kBlue)};
  const std::string ico = MakeIconFile(twoSizes);
  const std::string cur = MakeIconFile(twoSizes, true);
  CHECK(Centre(FromImage(ico, 24, 24, FALSE), 24) == 0xFF0000);  // 16 against 16: the first
  CHECK(Centre(FromImage(cur, 24, 24, TRUE), 24) == 0xFF0000);   // the largest that fits
  CHECK(Centre(FromImage(ico, 30, 30, FALSE), 30) == 0x0000FF);
  CHECK(Centre(FromImage(cur, 8, 8, TRUE), 8) == 0xFF0000);  // none fits: the smallest

  // Same size, depths 8 and 32: the screen's depth picks 32, a monochrome request 8.
  const std::string depths = MakeIconFile({PaletteIcon(16, 0x00FF00), SolidIcon(16, 16, kRed)});
  CHECK(Centre(FromImage(depths, 16, 16, FALSE), 16) == 0xFF0000);
  CHECK(Centre(FromImage(depths, 16, 16, FALSE, LR_MONOCHROME), 16) == 0x00FF00);
}

TEST_CASE(
    "a request of 0 x 0 takes the first entry's size, or the system size with LR_DEFAULTSIZE") {
  const std::vector<IconImageSpec> images = {SolidIcon(16, 16, kRed), SolidIcon(48, 48, kBlue)};
  CHECK(Facts(FromImage(MakeIconFile(images), 0, 0, FALSE)).width == 16);
  CHECK(Facts(FromImage(MakeIconFile(images), 0, 0, FALSE, LR_DEFAULTSIZE)).width ==
        GetSystemMetrics(SM_CXICON));
  const std::string cur = MakeIconFile({SolidIcon(48, 48, kBlue), SolidIcon(16, 16, kRed)}, true);
  CHECK(Facts(FromImage(cur, 0, 0, TRUE)).width == 48);
  CHECK(Facts(FromImage(cur, 0, 0, TRUE, LR_DEFAULTSIZE)).width == GetSystemMetrics(SM_CXCURSOR));
  CHECK(FromImage(MakeIconFile({}), 0, 0, FALSE) == nullptr);
}

TEST_CASE(
    "alpha: none at all draws through the mask; any alpha blends as the platform's own icons") {
  // All alpha bytes 0: the colour and the mask decide.
  IconImageSpec opaque = SolidIcon(4, 4, 0x00FF0000u);
  opaque.mask[0] = 1;  // transparent: AND 1, XOR 0
  opaque.pixels[0] = 0;
  std::vector<uint32_t> drawn = Draw(FromImage(MakeIconFile({opaque}), 4, 4, FALSE), 4);
  CHECK(drawn[0] == 0xFFFFFF);
  CHECK(drawn[5] == 0xFF0000);

  // With alpha: one half-transparent pixel blends with the white below, exactly as the
  // platform's own loader draws the same file.
  IconImageSpec translucent = SolidIcon(4, 4, kRed);
  translucent.pixels[0] = 0x80FF0000u;
  TempFolder dir;
  const std::string file = MakeIconFile({translucent});
  HICON platform = static_cast<HICON>(LoadImageW(nullptr, dir.Write(L"alpha.ico", file).c_str(),
                                                 IMAGE_ICON, 4, 4, LR_LOADFROMFILE));
  REQUIRE(platform != nullptr);
  const std::vector<uint32_t> expected = Draw(platform, 4);
  DestroyIcon(platform);
  HICON icon = FromImage(file, 4, 4, FALSE);
  drawn = Draw(icon, 4);
  DestroyIcon(icon);
  CHECK(drawn[5] == 0xFF0000);
  CHECK(drawn[0] == expected[0]);
  const uint32_t g = (drawn[0] >> 8) & 0xFF;
  CHECK((drawn[0] >> 16) == 0xFF);
  CHECK(g >= 126);
  CHECK(g <= 128);

  icon = FromImage(file, 8, 8, FALSE);  // scaled, the alpha goes along
  drawn = Draw(icon, 8);
  DestroyIcon(icon);
  CHECK(drawn[0] == expected[0]);
  CHECK(drawn[8 * 8 - 1] == 0xFF0000);
}

TEST_CASE("hotspots: an icon's is its centre, a cursor's scales with the image") {
  IconImageSpec arrow = SolidIcon(32, 32, kRed);
  arrow.hotspotX = 6;
  arrow.hotspotY = 10;
  const std::string cur = MakeIconFile({arrow}, true);
  IconFacts f = Facts(FromImage(cur, 16, 16, TRUE));
  CHECK_FALSE(f.isIcon);
  CHECK(f.hotX == 3);
  CHECK(f.hotY == 5);
  f = Facts(FromImage(cur, 32, 32, TRUE));
  CHECK(f.hotX == 6);
  CHECK(f.hotY == 10);
  f = Facts(FromImage(MakeIconFile({arrow}), 16, 16, FALSE));
  CHECK(f.isIcon);
  CHECK(f.hotX == 8);
  CHECK(f.hotY == 8);
}

TEST_CASE("monochrome and palette images, core headers included") {
  for (bool core : {false, true}) {
    CAPTURE(core);
    IconImageSpec mono;
    mono.width = mono.height = 8;
    mono.bitCount = 1;
    mono.coreHeader = core;
    mono.palette = {0x000000, 0xFFFFFF};
    mono.pixels.assign(64, 1);
    mono.mask.assign(64, 0);
    const IconFacts f = Facts(FromImage(MakeIconFile({mono}), 8, 8, FALSE));
    CHECK_FALSE(f.hasColour);  // one mask bitmap of both halves
    CHECK(f.maskHeight == 16);
    CHECK(Centre(FromImage(MakeIconFile({mono}), 8, 8, FALSE), 8) == 0xFFFFFF);

    IconImageSpec palette = PaletteIcon(8, 0x3366CC);
    palette.coreHeader = core;
    CHECK(Centre(FromImage(MakeIconFile({palette}), 8, 8, FALSE), 8) == 0x3366CC);
  }
}

TEST_CASE("damaged images: null with a trace line, except a mask cut short") {
  DebugOutputCapture capture;
  IconImageSpec spec = SolidIcon(8, 8, 0x000000FFu);
  spec.bitCount = 24;
  for (uint32_t& p : spec.pixels) p &= 0xFFFFFF;
  spec.mask[9] = 1;
  spec.pixels[9] = 0;
  const std::string image = fixtures::IconImageBytes(spec);
  const size_t colourEnd = 40 + 8 * 24;  // header, then 8 rows of 24 bytes
  auto fromInfo = [](const std::string& bytes) {
    return SIconLoader::FromBitmapInfo(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), 0,
                                       0, TRUE, 0, 0, 0);
  };
  HICON whole = fromInfo(image);
  CHECK(Draw(whole, 8)[9] == 0xFFFFFF);  // masked out
  DestroyIcon(whole);
  HICON maskCut = fromInfo(image.substr(0, colourEnd + 5));
  CHECK(Draw(maskCut, 8)[9] == 0x000000);  // no mask: drawn as it is
  DestroyIcon(maskCut);

  CHECK(fromInfo(image.substr(0, colourEnd - 1)) == nullptr);
  CHECK(capture.Contains("truncated file 231 < 40+192+32\n"));
  std::string bigHeader = image;
  bigHeader[1] = 0x10;  // 4136 bytes of header
  CHECK(fromInfo(bigHeader) == nullptr);
  CHECK(capture.Contains("invalid header size 4136\n"));
  std::string v4 = image;
  v4[0] = 108;
  CHECK(fromInfo(v4) == nullptr);
  CHECK(capture.Contains("invalid bitmap header 108\n"));
  CHECK(fromInfo(image.substr(0, 11)) == nullptr);

  // Directory damage: more entries than bytes, an image outside the file.
  std::string file = MakeIconFile({spec});
  std::string counted = file;
  counted[5] = 0x7F;  // 32513 entries
  CHECK(FromImage(counted, 8, 8, FALSE) == nullptr);
  std::string outside = file;
  outside[6 + 12 + 1] = 0x40;  // offset 0x4000 + 22
  CHECK(FromImage(outside, 8, 8, FALSE) == nullptr);
  CHECK(FromImage(file.substr(0, 5), 8, 8, FALSE) == nullptr);
}

TEST_CASE("from a file, and animated cursors handed to the platform") {
  TempFolder dir;
  const std::wstring path = dir.Write(L"a.ico", MakeIconFile({SolidIcon(16, 16, kRed)}));
  CHECK(Facts(SIconLoader::FromFile(path.c_str(), 16, 16, FALSE, 0)).width == 16);
  CHECK(SIconLoader::FromFile((dir.Path() + L"\\none.ico").c_str(), 16, 16, FALSE, 0) == nullptr);
  CHECK(SIconLoader::FromFile(dir.Write(L"empty.ico", "").c_str(), 16, 16, FALSE, 0) == nullptr);

  SResProviderPE pe;
  REQUIRE(pe.Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  const std::string ani = ReadRaw(pe, L"CURSOR", L"CUR_ANI");
  REQUIRE(ani.compare(0, 4, "RIFF") == 0);
  HICON cursor = FromImage(ani, 0, 0, TRUE, LR_DEFAULTSIZE);
  CHECK(cursor != nullptr);
  DestroyCursor(cursor);
}
