// The zip provider and its reader: entry kinds, passwords, damaged packages, the sub-folder,
// a second Init, an archive from an outside zip tool and one made by the build.
#include <doctest/doctest.h>
#include <windows.h>
#include <objbase.h>

#include <cstring>
#include <string>
#include <vector>

#include "IBitmap.h"
#include "IImgX.h"
#include "IRenderFactory.h"
#include "IconFixtures.h"
#include "LittleEndian.h"
#include "OutsideZip.h"
#include "PngFixtures.h"
#include "RawRead.h"
#include "RenderModule.h"
#include "TempFolder.h"
#include "ZipFixtures.h"
#include "base/SAutoRefPtr.h"
#include "res.mgr/SResProviderPE.h"
#include "res.mgr/SResProviderZip.h"
#include "res.mgr/SZipReader.h"

using namespace SWUI;
using fixtures::MakeZip;
using fixtures::ZipEntrySpec;

namespace {

const char kLongText[] =
    "Packages hold layouts, images and texts; the same words repeat so that deflate has "
    "something to do. Packages hold layouts, images and texts; the same words repeat.";

// An index listing each (type, name, path).
std::string Index(const std::vector<std::vector<std::string>>& rows) {
  std::string xml = "<resource>";
  for (const auto& r : rows) {
    xml += "<" + r[0] + "><file name=\"" + r[1] + "\" path=\"" + r[2] + "\"/></" + r[0] + ">";
  }
  return xml + "</resource>";
}

ZipEntrySpec Entry(const std::string& name, const std::string& data, bool deflate = false,
                   const std::string& password = "", bool descriptor = false) {
  ZipEntrySpec e;
  e.name = name;
  e.data = data;
  e.deflate = deflate;
  e.password = password;
  e.dataDescriptor = descriptor;
  return e;
}

ZipResParam FileParam(const std::wstring& path, const char* password = nullptr,
                      LPCWSTR childDir = nullptr, IRenderFactory* render = nullptr) {
  ZipResParam p{};
  p.type = 0;
  p.pRenderFac = render;
  p.pszZipFile = path.c_str();
  p.pszPsw = password;
  p.pszChildDir = childDir;
  return p;
}

BOOL InitWith(SResProviderZip& zip, const ZipResParam& param) {
  return zip.Init(reinterpret_cast<WPARAM>(&param), 0);
}

// Writes a little-endian 32-bit field.
void Patch32(std::string& bytes, size_t at, uint32_t v) {
  std::string field;
  fixtures::PutLE32(field, v);
  bytes.replace(at, 4, field);
}

std::string Narrow(const wchar_t* s) { return std::string(s, s + wcslen(s)); }

}  // namespace

TEST_CASE("stored, deflated and encrypted entries read back exactly, with or without descriptors") {
  const std::string small = "plain stored bytes";
  const std::vector<ZipEntrySpec> entries = {
      Entry("uires.idx", Index({{"TEXT", "stored", "a.txt"},
                                {"TEXT", "deflated", "b.txt"},
                                {"TEXT", "stored-enc", "c.txt"},
                                {"TEXT", "deflated-enc", "d.txt"},
                                {"TEXT", "deflated-enc-desc", "e.txt"},
                                {"TEXT", "stored-enc-desc", "f.txt"},
                                {"TEXT", "deflated-desc", "g.txt"}})),
      Entry("a.txt", small),
      Entry("b.txt", kLongText, true),
      Entry("c.txt", small, false, "pw"),
      Entry("d.txt", kLongText, true, "pw"),
      Entry("e.txt", kLongText, true, "pw", true),
      Entry("f.txt", small, false, "pw", true),
      Entry("g.txt", kLongText, true, "", true),
  };
  TempFolder dir;
  const std::wstring path = dir.Write(L"kinds.zip", MakeZip(entries));
  SResProviderZip zip;
  REQUIRE(InitWith(zip, FileParam(path, "pw")));
  const struct {
    const wchar_t* name;
    std::string data;
  } kExpected[] = {
      {L"stored", small},           {L"deflated", kLongText},          {L"stored-enc", small},
      {L"deflated-enc", kLongText}, {L"deflated-enc-desc", kLongText}, {L"stored-enc-desc", small},
      {L"deflated-desc", kLongText}};
  for (const auto& e : kExpected) {
    CAPTURE(Narrow(e.name));
    CHECK(zip.HasResource(L"text", e.name));
    CHECK(zip.GetRawBufferSize(L"TEXT", e.name) == e.data.size());
    CHECK(ReadRaw(zip, L"Text", e.name) == e.data);
    CHECK(RefusesShortBuffer(zip, L"TEXT", e.name));
  }
  CHECK_FALSE(zip.HasResource(L"TEXT", L"absent"));
  CHECK(zip.GetRawBufferSize(L"TEXT", L"absent") == 0);
  char buf[4];
  CHECK_FALSE(zip.GetRawBuffer(L"TEXT", L"absent", buf, sizeof(buf)));
}

TEST_CASE("passwords: wrong, missing and too long ones read nothing") {
  TempFolder dir;
  const std::string index = Index({{"TEXT", "secret", "s.txt"}});
  const std::wstring encryptedIndex =
      dir.Write(L"ei.zip", MakeZip({Entry("uires.idx", index, true, "right"),
                                    Entry("s.txt", "secret text", false, "right")}));
  SResProviderZip zip;
  CHECK_FALSE(InitWith(zip, FileParam(encryptedIndex, "wrong")));
  CHECK_FALSE(InitWith(zip, FileParam(encryptedIndex)));
  REQUIRE(InitWith(zip, FileParam(encryptedIndex, "right")));
  CHECK(ReadRaw(zip, L"TEXT", L"secret") == "secret text");

  const std::wstring plainIndex =
      dir.Write(L"pi.zip",
                MakeZip({Entry("uires.idx", index), Entry("s.txt", "secret text", true, "right")}));
  SResProviderZip other;
  REQUIRE(InitWith(other, FileParam(plainIndex, "wrong")));
  CHECK(other.HasResource(L"TEXT", L"secret"));
  CHECK(other.GetRawBufferSize(L"TEXT", L"secret") == 11);
  CHECK(ReadRaw(other, L"TEXT", L"secret") == "<none>");

  const std::string longest(SZipReader::kMaxPassword, 'k');
  const std::wstring keyed =
      dir.Write(L"long.zip",
                MakeZip({Entry("uires.idx", index), Entry("s.txt", "long key", false, longest)}));
  SResProviderZip third;
  REQUIRE(InitWith(third, FileParam(keyed, longest.c_str())));
  CHECK(ReadRaw(third, L"TEXT", L"secret") == "long key");
  const std::string tooLong = longest + "k";
  CHECK_FALSE(InitWith(third, FileParam(keyed, tooLong.c_str())));
}

TEST_CASE("the known-answer archive of an outside zip tool decrypts, inflates and checks") {
  TempFolder dir;
  const std::wstring path = dir.Write(
      L"outside.zip", std::string(reinterpret_cast<const char*>(kOutsideZip), sizeof(kOutsideZip)));
  SZipReader reader;
  REQUIRE(reader.OpenFile(path.c_str()));
  REQUIRE(reader.SetPassword("Tevaro pins the cipher"));
  std::vector<BYTE> data;
  REQUIRE(reader.ReadEntry(reader.FindEntry(L"DEFLATED.TXT"), &data));
  const std::string fox = "The quick brown fox jumps over the lazy dog.";
  CHECK(std::string(data.begin(), data.end()) == fox + " " + fox + "\n");
  REQUIRE(reader.ReadEntry(reader.FindEntry(L"stored.txt"), &data));
  CHECK(std::string(data.begin(), data.end()) == "stored by zip\n");
  REQUIRE(reader.SetPassword("Tevaro pins the cypher"));
  CHECK_FALSE(reader.ReadEntry(reader.FindEntry(L"stored.txt"), &data));
  CHECK(data.empty());
}

TEST_CASE("damaged packages fail: a comment, a bad CRC, sizes that lie") {
  const std::string stored = "stored entry bytes";
  const std::vector<ZipEntrySpec> entries = {
      Entry("uires.idx", Index({{"TEXT", "s", "s.txt"}, {"TEXT", "d", "d.txt"}})),
      Entry("s.txt", stored), Entry("d.txt", kLongText, true)};
  const std::string good = MakeZip(entries);
  TempFolder dir;
  SResProviderZip zip;
  REQUIRE(InitWith(zip, FileParam(dir.Write(L"good.zip", good))));
  CHECK(ReadRaw(zip, L"TEXT", L"s") == stored);

  CHECK_FALSE(InitWith(zip, FileParam(dir.Write(L"comment.zip", MakeZip(entries, "a comment")))));
  CHECK_FALSE(InitWith(zip, FileParam(dir.Write(L"junk.zip", std::string(200, 'j')))));
  CHECK_FALSE(
      InitWith(zip, FileParam(dir.Write(L"noindex.zip", MakeZip({Entry("s.txt", stored)})))));
  CHECK_FALSE(InitWith(zip, FileParam(dir.Path() + L"\\missing.zip")));
  CHECK_FALSE(zip.Init(0, 0));

  // Headers in the order the writer puts them: locals of uires.idx, s.txt, d.txt, then the
  // directory entries in the same order.
  std::vector<size_t> local;
  std::vector<size_t> central;
  for (size_t at = good.find("PK\x03\x04"); at != std::string::npos;
       at = good.find("PK\x03\x04", at + 4)) {
    local.push_back(at);
  }
  for (size_t at = good.find("PK\x01\x02"); at != std::string::npos;
       at = good.find("PK\x01\x02", at + 4)) {
    central.push_back(at);
  }
  REQUIRE(local.size() == 3);
  REQUIRE(central.size() == 3);
  const size_t storedData = good.find(stored);

  std::string flipped = good;
  flipped[storedData + 3] ^= 0x20;  // same size, wrong CRC
  SResProviderZip damaged;
  REQUIRE(InitWith(damaged, FileParam(dir.Write(L"crc.zip", flipped))));
  CHECK(ReadRaw(damaged, L"TEXT", L"s") == "<none>");
  CHECK(ReadRaw(damaged, L"TEXT", L"d") == std::string(kLongText));

  std::string longer = good;  // a stored entry said to be one byte longer than its data
  Patch32(longer, local[1] + 22, static_cast<uint32_t>(stored.size() + 1));
  Patch32(longer, central[1] + 24, static_cast<uint32_t>(stored.size() + 1));
  REQUIRE(InitWith(damaged, FileParam(dir.Write(L"size.zip", longer))));
  CHECK(damaged.GetRawBufferSize(L"TEXT", L"s") == 0);  // no caller allocates for a lie
  CHECK(ReadRaw(damaged, L"TEXT", L"s") == "<none>");

  std::string shorter = good;  // a deflated entry said to be one byte shorter than it inflates
  Patch32(shorter, local[2] + 22, static_cast<uint32_t>(sizeof(kLongText) - 2));
  Patch32(shorter, central[2] + 24, static_cast<uint32_t>(sizeof(kLongText) - 2));
  REQUIRE(InitWith(damaged, FileParam(dir.Write(L"inflate.zip", shorter))));
  CHECK(ReadRaw(damaged, L"TEXT", L"d") == "<none>");

  std::string disagree = good;  // local header and directory disagree on the CRC
  Patch32(disagree, local[1] + 14, 0x12345678);
  REQUIRE(InitWith(damaged, FileParam(dir.Write(L"disagree.zip", disagree))));
  CHECK(ReadRaw(damaged, L"TEXT", L"s") == "<none>");

  std::string beyond = good;  // an entry whose data would run into the directory
  Patch32(beyond, central[1] + 42, static_cast<uint32_t>(central[0] - 20));
  REQUIRE(InitWith(damaged, FileParam(dir.Write(L"beyond.zip", beyond))));
  CHECK(ReadRaw(damaged, L"TEXT", L"s") == "<none>");
}

TEST_CASE("the sub-folder is one prefix however it is written, and names ignore case and slashes") {
  TempFolder dir;
  const std::wstring path = dir.Write(
      L"skin.zip", MakeZip({Entry("Skin/uires.idx",
                                  Index({{"TEXT", "b", "a/B.txt"}, {"TEXT", "c", "a\\c.txt"}})),
                            Entry("Skin/a/b.txt", "bee"), Entry("skin/A/C.TXT", "sea")}));
  for (const wchar_t* child : {L"skin", L"skin/", L"skin\\", L"SKIN//", L"skin\\/"}) {
    CAPTURE(Narrow(child));
    SResProviderZip zip;
    REQUIRE(InitWith(zip, FileParam(path, nullptr, child)));
    CHECK(zip.GetChildDir().size() == 5);
    CHECK(zip.GetChildDir().back() == L'\\');
    CHECK(ReadRaw(zip, L"TEXT", L"b") == "bee");
    CHECK(ReadRaw(zip, L"TEXT", L"c") == "sea");
  }
  SResProviderZip root;
  for (const wchar_t* child : {static_cast<const wchar_t*>(nullptr), L"", L"/"}) {
    CHECK_FALSE(InitWith(root, FileParam(path, nullptr, child)));  // no index at the root
  }
}

TEST_CASE("a second Init takes only a good package, keeps no old key and frees the old file") {
  TempFolder dir;
  const std::string index = Index({{"TEXT", "secret", "s.txt"}, {"TEXT", "plain", "p.txt"}});
  const std::wstring first = dir.Write(
      L"first.zip", MakeZip({Entry("uires.idx", index), Entry("s.txt", "first secret", false, "pw"),
                             Entry("p.txt", "first plain")}));
  const std::wstring second =
      dir.Write(L"second.zip",
                MakeZip({Entry("uires.idx", index), Entry("s.txt", "second secret", false, "pw"),
                         Entry("p.txt", "second plain")}));
  const std::wstring damaged =
      dir.Write(L"damaged.zip", MakeZip({Entry("uires.idx", index)}, "trailing comment"));

  SResProviderZip zip;
  REQUIRE(InitWith(zip, FileParam(first, "pw")));
  CHECK(ReadRaw(zip, L"TEXT", L"secret") == "first secret");
  CHECK_FALSE(DeleteFileW(first.c_str()));  // held open

  CHECK_FALSE(InitWith(zip, FileParam(damaged, "other")));
  CHECK(ReadRaw(zip, L"TEXT", L"secret") == "first secret");

  REQUIRE(InitWith(zip, FileParam(second)));
  CHECK(ReadRaw(zip, L"TEXT", L"plain") == "second plain");
  CHECK(ReadRaw(zip, L"TEXT", L"secret") == "<none>");  // the old password is gone
  CHECK(DeleteFileW(first.c_str()));
}

TEST_CASE("a package embedded by the build, written by cmake's archiver, serves from the module") {
  SResProviderPE pe;
  REQUIRE(pe.Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  const std::string raw = ReadRaw(pe, L"ZIPPKG", L"ZIP_PKG");
  REQUIRE(raw.size() > 30);
  CHECK((raw[6] & 0x08) != 0);  // sizes in a trailing descriptor
  CHECK(raw[8] == 8);           // deflated

  ZipResParam param{};
  param.type = 1;
  param.hInst = GetModuleHandleW(nullptr);
  param.pszResName = L"ZIP_PKG";
  param.pszResType = L"ZIPPKG";
  param.pszChildDir = L"zippkg";
  SResProviderZip zip;
  REQUIRE(InitWith(zip, param));
  CHECK(ReadRaw(zip, L"LAYOUT", L"main") == "<SWUI><root/></SWUI>\n");
  CHECK(ReadRaw(zip, L"TEXT", L"hello") == "hello from the package\n");  // an <item>, not a <file>
  param.pszResName = L"NO_SUCH_PKG";
  CHECK_FALSE(InitWith(zip, param));
  CHECK(ReadRaw(zip, L"TEXT", L"hello") == "hello from the package\n");
}

namespace {

// A 2 x 2 24-bit bitmap file; offBits may be set past the end to damage it.
std::string BitmapFile(uint32_t offBits = 54) {
  using fixtures::PutLE16;
  using fixtures::PutLE32;
  std::string bmp = "BM";
  PutLE32(bmp, 54 + 16);
  PutLE32(bmp, 0);
  PutLE32(bmp, offBits);
  PutLE32(bmp, 40);
  PutLE32(bmp, 2);
  PutLE32(bmp, 2);
  PutLE16(bmp, 1);
  PutLE16(bmp, 24);
  for (int i = 0; i < 6; ++i) PutLE32(bmp, 0);
  bmp += std::string(16, '\x7F');  // two rows of 6 bytes, padded to 8
  return bmp;
}

SAutoRefPtr<IRenderFactory> RenderWith(const wchar_t* decoderModule) {
  IObjRef* obj = nullptr;
  REQUIRE(CreateRenderFactory_GDI(&obj));
  SAutoRefPtr<IRenderFactory> render;
  render.Attach(static_cast<IRenderFactory*>(obj));
  IObjRef* decoders = nullptr;
  REQUIRE(CreateImgDecoderFactoryByName(decoderModule, &decoders));
  render->SetImgDecoderFactory(static_cast<IImgDecoderFactory*>(decoders));
  decoders->Release();
  return render;
}

void CheckIcon(HICON icon, BOOL isIcon, LONG width) {
  REQUIRE(icon != nullptr);
  ICONINFO ii{};
  REQUIRE(GetIconInfo(icon, &ii));
  CHECK(ii.fIcon == isIcon);
  BITMAP bm{};
  GetObjectW(ii.hbmColor, sizeof(bm), &bm);
  CHECK(bm.bmWidth == width);
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  DestroyIcon(icon);
}

}  // namespace

TEST_CASE("images, icons, cursors and bitmaps come out of the package") {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::vector<BYTE> png = fixtures::EncodePng(fixtures::Fill(3, 2, {30, 20, 10, 255}));
  const std::string icon = fixtures::MakeIconFile(
      {fixtures::SolidIcon(16, 16, 0xFFFF0000u), fixtures::SolidIcon(32, 32, 0xFF0000FFu)});
  const std::string cursor =
      fixtures::MakeIconFile({fixtures::SolidIcon(32, 32, 0xFF00FF00u)}, true);
  TempFolder dir;
  const std::wstring path = dir.Write(
      L"images.zip", MakeZip({Entry("uires.idx", Index({{"IMG", "pic", "pic.png"},
                                                        {"ICON", "logo", "logo.ico"},
                                                        {"CURSOR", "hand", "hand.cur"},
                                                        {"BITMAP", "bmp", "b.bmp"},
                                                        {"BITMAP", "bad", "bad.bmp"}})),
                              Entry("pic.png", std::string(png.begin(), png.end()), true),
                              Entry("logo.ico", icon, true), Entry("hand.cur", cursor),
                              Entry("b.bmp", BitmapFile()), Entry("bad.bmp", BitmapFile(60))}));

  for (const wchar_t* module : {L"imgdecoder-png", L"imgdecoder-wic"}) {
    CAPTURE(Narrow(module));
    SAutoRefPtr<IRenderFactory> render = RenderWith(module);
    SResProviderZip zip;
    REQUIRE(InitWith(zip, FileParam(path, nullptr, nullptr, render)));
    IBitmap* bitmap = zip.LoadImage(L"IMG", L"pic");
    REQUIRE(bitmap != nullptr);
    CHECK(bitmap->Width() == 3);
    CHECK(bitmap->Height() == 2);
    CHECK(*static_cast<const uint32_t*>(bitmap->GetPixelBits()) == 0xFF1E140Au);
    bitmap->Release();
    // The entry's bytes are freed when LoadImgX returns; the image must not need them.
    IImgX* img = zip.LoadImgX(L"IMG", L"pic");
    REQUIRE(img != nullptr);
    REQUIRE(img->GetFrameCount() == 1);
    std::vector<uint32_t> px(6);
    CHECK(img->GetFrame(0)->CopyPixels(nullptr, 12, 24, reinterpret_cast<BYTE*>(px.data())));
    CHECK(px == std::vector<uint32_t>(6, 0xFF1E140Au));
    img->Release();
    CHECK(zip.LoadImage(L"CURSOR", L"hand") == nullptr);  // not an image the decoder knows
  }

  SResProviderZip zip;
  REQUIRE(InitWith(zip, FileParam(path)));
  CHECK(zip.LoadImage(L"IMG", L"pic") == nullptr);  // no render factory, no images
  CheckIcon(zip.LoadIcon(L"logo", 16, 16), TRUE, 16);
  CheckIcon(zip.LoadCursor(L"hand"), FALSE, GetSystemMetrics(SM_CXCURSOR));
  HBITMAP hbmp = zip.LoadBitmap(L"bmp");
  REQUIRE(hbmp != nullptr);
  BITMAP bm{};
  GetObjectW(hbmp, sizeof(bm), &bm);
  CHECK(bm.bmWidth == 2);
  CHECK(bm.bmHeight == 2);
  DeleteObject(hbmp);
  CHECK(zip.LoadBitmap(L"bad") == nullptr);  // its bits would run past the end
  CHECK(zip.LoadIcon(L"absent", 0, 0) == nullptr);
  CoUninitialize();
}
