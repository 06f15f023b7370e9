// The animated-image skin and the GIF skin: frames, delays and pixels from a GIF the test
// writes itself, loading from memory, files, resources and decoders, and the failures.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "AppSkinRig.h"
#include "GdiplusSession.h"
#include "GifWriter.h"
#include "PngFixtures.h"
#include "RenderModule.h"
#include "TempFile.h"
#include "base/TObjRefImpl.h"

using namespace SWUI;
using fixtures::GdiplusSession;
using fixtures::GifFrame;
using fixtures::StillGif;
using fixtures::TempPath;
using fixtures::ThreeColourGif;
using fixtures::WriteGif;

namespace {

const DWORD kRed = 0xFFFF0000u;
const DWORD kGreen = 0xFF00FF00u;
const DWORD kBlue = 0xFF0000FFu;
const DWORD kBlack = 0xFF000000u;
const DWORD kFrameColors[] = {kRed, kGreen, kBlue};

// One blue 2 x 2 frame whose top-left pixel is transparent.
std::vector<uint8_t> TransparentGif() {
  GifFrame frame;
  frame.indices = {3, 2, 2, 2};
  frame.transparent = 3;
  return WriteGif(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x000000}, {frame});
}

// A temporary file, written for sure.
class TempFile : public fixtures::TempFile {
 public:
  TempFile(const wchar_t* name, const std::vector<uint8_t>& bytes)
      : fixtures::TempFile(name, bytes) {
    REQUIRE(Written());
  }
};

// Raw resources held in memory, by upper-cased type and name; remembers the types asked for.
class MemoryProvider : public TObjRefImpl<IResProvider> {
 public:
  void Add(const wchar_t* type, const wchar_t* name, std::vector<uint8_t> bytes) {
    items_[Key(type, name)] = std::move(bytes);
  }
  std::vector<std::wstring> asked;

  BOOL Init(WPARAM, LPARAM) override { return TRUE; }
  BOOL HasResource(LPCWSTR type, LPCWSTR name) override {
    asked.push_back(type);
    return items_.count(Key(type, name)) != 0;
  }
  HICON LoadIcon(LPCWSTR, int, int) override { return nullptr; }
  HBITMAP LoadBitmap(LPCWSTR) override { return nullptr; }
  HCURSOR LoadCursor(LPCWSTR) override { return nullptr; }
  IBitmap* LoadImage(LPCWSTR, LPCWSTR) override { return nullptr; }
  IImgX* LoadImgX(LPCWSTR, LPCWSTR) override { return nullptr; }
  size_t GetRawBufferSize(LPCWSTR type, LPCWSTR name) override {
    auto it = items_.find(Key(type, name));
    return it != items_.end() ? it->second.size() : 0;
  }
  BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buf, size_t size) override {
    auto it = items_.find(Key(type, name));
    if (it == items_.end() || size < it->second.size()) return FALSE;
    memcpy(buf, it->second.data(), it->second.size());
    return TRUE;
  }

 private:
  static std::wstring Key(LPCWSTR type, LPCWSTR name) {
    std::wstring key = std::wstring(type) + L":" + name;
    CharUpperW(&key[0]);
    return key;
  }
  std::map<std::wstring, std::vector<uint8_t>> items_;
};

// A decoded image of solid 2 x 2 frames with chosen delays; a frame with `broken` set copies
// no pixels.
class FakeImage : public TObjRefImpl<IImgX> {
 public:
  struct Frame : IImgFrame {
    DWORD pixel = 0;
    int delay = 0;
    bool broken = false;
    BOOL GetSize(UINT* w, UINT* h) override {
      *w = *h = 2;
      return TRUE;
    }
    BOOL CopyPixels(const RECT*, UINT, UINT size, BYTE* buf) override {
      if (broken || size != 16) return FALSE;
      for (int i = 0; i < 4; ++i) memcpy(buf + i * 4, &pixel, 4);
      return TRUE;
    }
    int GetDelay() override { return delay; }
  };
  std::vector<Frame> frames;

  int LoadFromMemory(void*, size_t) override { return 0; }
  int LoadFromFileW(LPCWSTR) override { return 0; }
  UINT GetFrameCount() override { return static_cast<UINT>(frames.size()); }
  IImgFrame* GetFrame(UINT i) override { return i < frames.size() ? &frames[i] : nullptr; }
};

SSkinGif* GifOf(const SAutoRefPtr<ISkinObj>& skin) { return SkinAs<SSkinGif>(skin); }

std::vector<UINT> Delays(const SSkinAni* ani) {
  std::vector<UINT> out;
  for (int i = 0; i < ani->GetFrameCount(); ++i) out.push_back(ani->GetFrameDelay(i));
  return out;
}

// Draws the skin in a state into the 8 x 8 corner of the target and checks the frame's
// pixels: the black block and the frame's colour around it.
void CheckFrameDrawn(const SkinRig& t, ISkinObj* skin, DWORD state, DWORD color) {
  t.Clear();
  const RECT rc = {0, 0, 8, 8};
  skin->Draw(t.Target(), &rc, state);
  CHECK(t.Pixel(1, 1) == kBlack);
  CHECK(t.Pixel(3, 3) == kBlack);
  CHECK(t.Pixel(4, 4) == color);
  CHECK(t.Pixel(7, 0) == color);
  CHECK(t.Pixel(0, 7) == color);
}

}  // namespace

TEST_CASE("a GIF skin holds every frame with its delay and draws the frame a state names") {
  GdiplusSession gdiplus;
  AppSkinRig t(48, 16);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<gif name='g'/>");
  SSkinGif* gif = GifOf(skin);
  const std::vector<uint8_t> bytes = ThreeColourGif();
  REQUIRE(gif->LoadFromMemory(bytes.data(), bytes.size()) == 3);
  CHECK(skin->GetStates() == 3);
  CHECK(skin->GetSkinSize().cx == 8);
  CHECK(skin->GetSkinSize().cy == 8);
  CHECK(Delays(gif) == std::vector<UINT>{10, 0, 20});
  CHECK(gif->GetFrameDelay(3) == 0);
  CHECK(gif->GetFrameDelay(-1) == 0);

  for (int f = 0; f < 3; ++f) {
    CAPTURE(f);
    CheckFrameDrawn(t, skin, static_cast<DWORD>(f), kFrameColors[f]);
    CHECK(gif->GetCurrentFrame() == f);
  }
  // -1 draws the current frame; frames that do not exist leave it.
  CheckFrameDrawn(t, skin, static_cast<DWORD>(-1), kBlue);
  gif->SelectActiveFrame(1);
  CheckFrameDrawn(t, skin, static_cast<DWORD>(-1), kGreen);
  gif->SelectActiveFrame(3);
  gif->SelectActiveFrame(-2);
  CheckFrameDrawn(t, skin, 7, kGreen);
  CHECK(gif->GetCurrentFrame() == 1);

  // Stretched into a larger rectangle; a sheet of the three frames to look at.
  t.Clear();
  for (int f = 0; f < 3; ++f) {
    const RECT rc = {16 * f, 0, 16 * f + 16, 16};
    skin->Draw(t.Target(), &rc, static_cast<DWORD>(f));
  }
  CHECK(t.Pixel(7, 7) == kBlack);
  CHECK(t.Pixel(8, 8) == kRed);
  CHECK(t.Pixel(16 + 15, 15) == kGreen);
  CHECK(t.Pixel(32 + 7, 0) == kBlack);
  CHECK(t.Pixel(32 + 8, 0) == kBlue);
  t.render.SavePng(L"appskins-gif-frames", 4);

  // Transparent pixels stay transparent (premultiplied: all zero).
  const std::vector<uint8_t> clear = TransparentGif();
  REQUIRE(gif->LoadFromMemory(clear.data(), clear.size()) == 1);
  t.Clear(0x11223344);
  const RECT two = {0, 0, 2, 2};
  skin->DrawWithAlpha(t.Target(), &two, 0, 0xFF);
  CHECK(t.Pixel(0, 0) == 0x11443322u);
  CHECK(t.Pixel(1, 1) == kBlue);
}

TEST_CASE("a GIF skin loads from files and resources; a new source replaces the frames") {
  GdiplusSession gdiplus;
  AppSkinRig t(8, 8);
  TempFile file(L"three.gif", ThreeColourGif());

  SAutoRefPtr<ISkinObj> fromFile = t.Make(L"<gif name='f'/>");
  CHECK(GifOf(fromFile)->LoadFromFile(file.Path().c_str()) == 3);
  CheckFrameDrawn(t, fromFile, 2, kBlue);
  CHECK(GifOf(fromFile)->LoadFromFile(TempPath(L"missing.gif").c_str()) == 0);
  CHECK(GifOf(fromFile)->LoadFromFile(nullptr) == 0);

  const std::wstring fileRef = L"<gif name='r' src='file:" + file.Path() + L"'/>";
  SAutoRefPtr<ISkinObj> byRef = t.Make(fileRef.c_str());
  CHECK(byRef->GetStates() == 3);

  // A bare name is a resource of type "gif".
  SAutoRefPtr<MemoryProvider> provider;
  provider.Attach(new MemoryProvider);
  provider->Add(L"GIF", L"anim", ThreeColourGif());
  provider->Add(L"GIF", L"still", StillGif());
  provider->Add(L"IMG", L"junk", std::vector<uint8_t>(64, 0x5A));
  t.app.AddResProvider(provider);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<gif name='g' src='anim'/>");
  SSkinGif* gif = GifOf(skin);
  REQUIRE(gif->GetFrameCount() == 3);
  REQUIRE_FALSE(provider->asked.empty());
  CHECK(provider->asked.back() == L"gif");
  gif->SelectActiveFrame(2);

  // A second source: one frame of another size, no delay, and no frame selection.
  CHECK(t.Set(skin, L"src", L"GIF:still") == S_FALSE);
  CHECK(gif->GetFrameCount() == 1);
  CHECK(gif->GetCurrentFrame() == 0);
  CHECK(gif->GetFrameDelay(0) == 0);
  CHECK(skin->GetSkinSize().cx == 4);
  gif->SelectActiveFrame(0);
  t.Clear();
  const RECT rc = {0, 0, 8, 8};
  skin->Draw(t.Target(), &rc, 1);
  CHECK(t.Pixel(0, 0) == kBlue);
  CHECK(t.Pixel(7, 7) == kBlue);

  // Sources that do not load leave the frames as they are; the attribute still succeeds.
  CHECK(t.Set(skin, L"src", L"GIF:nothing") == S_FALSE);
  CHECK(t.Set(skin, L"src", L"IMG:junk") == S_FALSE);
  CHECK(gif->GetFrameCount() == 1);
  t.app.RemoveResProvider(provider);
}

TEST_CASE("bytes that are no image give a GIF skin no frames and nothing to draw") {
  GdiplusSession gdiplus;
  AppSkinRig t(8, 8);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<gif name='g'/>");
  SSkinGif* gif = GifOf(skin);
  std::vector<uint8_t> garbage(300);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
  CHECK(gif->LoadFromMemory(garbage.data(), garbage.size()) == 0);
  std::vector<uint8_t> cut = ThreeColourGif();
  cut.resize(10);  // the header alone
  CHECK(gif->LoadFromMemory(cut.data(), cut.size()) == 0);
  CHECK(gif->LoadFromMemory(nullptr, 10) == 0);
  CHECK(gif->LoadFromMemory(garbage.data(), 0) == 0);
  CHECK(skin->GetStates() == 0);
  CHECK(skin->GetSkinSize().cx == 0);
  CHECK(skin->GetSkinSize().cy == 0);
  t.Clear();
  const RECT rc = {0, 0, 8, 8};
  skin->Draw(t.Target(), &rc, 0);
  CHECK(t.render.CountPixels([](DWORD p) { return p != 0; }) == 0);
}

TEST_CASE("frames from a decoder are kept in hundredths") {
  GdiplusSession gdiplus;
  AppSkinRig t(8, 8);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<gif name='g'/>");
  SSkinGif* gif = GifOf(skin);

  // The GDI+ decoder answers milliseconds, at least 100.
  IImgDecoderFactory* decoders = t.Factory()->GetImgDecoderFactory();
  REQUIRE(decoders != nullptr);
  const std::vector<uint8_t> bytes = ThreeColourGif();
  REQUIRE(gif->LoadFromMemoryWith(decoders, bytes.data(), bytes.size()) == 3);
  CHECK(Delays(gif) == std::vector<UINT>{10, 10, 20});
  for (int f = 0; f < 3; ++f) CheckFrameDrawn(t, skin, static_cast<DWORD>(f), kFrameColors[f]);
  TempFile file(L"decoded.gif", StillGif());
  CHECK(gif->LoadFromFileWith(decoders, file.Path().c_str()) == 1);
  CHECK(gif->LoadFromMemoryWith(nullptr, bytes.data(), bytes.size()) == 0);

  // The PNG decoder ("apng") answers hundredths.
  IObjRef* pngObj = nullptr;
  REQUIRE(CreateImgDecoderFactoryByName(L"imgdecoder-png", &pngObj));
  SAutoRefPtr<IImgDecoderFactory> png;
  png.Attach(static_cast<IImgDecoderFactory*>(pngObj));
  fixtures::ApngSpec apng;
  apng.width = apng.height = 8;
  apng.frames.push_back(
      fixtures::ApngFrame(fixtures::Fill(8, 8, {255, 0, 0, 255}), 0, 0, 0, 0, 10, 100));
  apng.frames.push_back(
      fixtures::ApngFrame(fixtures::Fill(8, 8, {0, 0, 255, 255}), 0, 0, 0, 0, 25, 100));
  const std::vector<BYTE> apngBytes = fixtures::EncodeApng(apng);
  REQUIRE(gif->LoadFromMemoryWith(png, apngBytes.data(), apngBytes.size()) == 2);
  CHECK(Delays(gif) == std::vector<UINT>{10, 25});

  SAutoRefPtr<FakeImage> image;
  image.Attach(new FakeImage);
  image->frames.resize(3);
  const int delays[] = {10, 0, 20};
  for (int f = 0; f < 3; ++f) {
    image->frames[f].pixel = kFrameColors[f];
    image->frames[f].delay = delays[f];
  }
  CHECK(gif->LoadFrom(image, L"apng") == 3);
  CHECK(Delays(gif) == std::vector<UINT>{10, 0, 20});
  for (int f = 0; f < 3; ++f) image->frames[f].delay = delays[f] * 10;
  image->frames[1].delay = -5;
  CHECK(gif->LoadFrom(image, L"gdi+") == 3);
  CHECK(Delays(gif) == std::vector<UINT>{10, 0, 20});
  CHECK(gif->LoadFrom(image, nullptr) == 3);
  CHECK(Delays(gif) == std::vector<UINT>{10, 0, 20});
  t.Clear();
  const RECT rc = {0, 0, 8, 8};
  skin->Draw(t.Target(), &rc, 2);
  CHECK(t.Pixel(5, 5) == kBlue);

  // A frame that cannot be read fails the load and keeps the frames held.
  image->frames.resize(2);
  image->frames[1].broken = true;
  CHECK(gif->LoadFrom(image, L"apng") == 0);
  CHECK(gif->GetFrameCount() == 3);
  image->frames.clear();
  CHECK(gif->LoadFrom(image, L"apng") == 0);
  CHECK(gif->LoadFrom(nullptr, L"apng") == 0);
  CHECK(gif->GetFrameCount() == 3);
}

TEST_CASE("a scaled GIF skin resamples every frame and keeps the delays") {
  GdiplusSession gdiplus;
  AppSkinRig t(16, 16);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<gif name='g' alpha='200'/>");
  const std::vector<uint8_t> bytes = ThreeColourGif();
  REQUIRE(GifOf(skin)->LoadFromMemory(bytes.data(), bytes.size()) == 3);
  SAutoRefPtr<ISkinObj> copy;
  copy.Attach(skin->Scale(200));
  REQUIRE(copy);
  SSkinGif* big = GifOf(copy);
  CHECK(big->GetScale() == 200);
  CHECK(big->GetAlpha() == 200);
  CHECK(big->GetSkinSize().cx == 16);
  CHECK(Delays(big) == std::vector<UINT>{10, 0, 20});
  t.Clear();
  const RECT rc = {0, 0, 16, 16};
  copy->DrawWithAlpha(t.Target(), &rc, 1, 0xFF);
  CHECK(t.Pixel(7, 7) == kBlack);
  CHECK(t.Pixel(8, 8) == kGreen);
}

TEST_CASE("the animated-image classes") {
  AppSkinRig t(4, 4);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<gif name='g'/>");
  CHECK(skin->IsClass(L"gif"));
  CHECK(skin->IsClass(L"skinani"));
  CHECK(skin->IsClass(L"skinObjBase"));
  CHECK(SStringW(skin->GetObjectClass()) == L"gif");
  CHECK(skin->GetObjectType() == OBJ_TYPE_SKIN);
  CHECK(t.app.BaseObjectInfo(SObjectInfo(L"gif", OBJ_TYPE_SKIN)).Name() == SStringW(L"skinani"));

  // The base loads nothing and, without frames, draws nothing.
  SAutoRefPtr<SSkinAni> ani;
  ani.Attach(new SSkinAni);
  CHECK(ani->LoadFromFile(L"x.gif") == 0);
  const uint8_t byte = 0;
  CHECK(ani->LoadFromMemory(&byte, 1) == 0);
  CHECK(ani->GetStates() == 0);
  CHECK_FALSE(ani->IsClass(L"gif"));
  const RECT rc = {0, 0, 4, 4};
  ani->Draw(t.Target(), &rc, 0);
  CHECK(t.render.CountPixels([](DWORD p) { return p != 0; }) == 0);
}
