// Images through the providers and the manager, decoded by the render factory's decoder.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>

#include "IBitmap.h"
#include "IImgX.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "TempFolder.h"
#include "core/SApplication.h"
#include "res.mgr/SResImageLoaders.h"
#include "res.mgr/SResProviderFiles.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

namespace {

std::string ReadSelfResource(LPCWSTR type, LPCWSTR name) {
  SResProviderPE pe;
  pe.Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0);
  std::string bytes(pe.GetRawBufferSize(type, name), '\0');
  if (!bytes.empty()) pe.GetRawBuffer(type, name, &bytes[0], bytes.size());
  return bytes;
}

// An application whose render factory decodes through GDI+.
struct DecodingApp {
  DecodingApp() {
    IObjRef* obj = nullptr;
    CreateRenderFactory_GDI(&obj);
    render = static_cast<IRenderFactory*>(obj);
    IObjRef* decoders = nullptr;
    REQUIRE(CreateImgDecoderFactoryByName(L"imgdecoder-gdip", &decoders));
    render->SetImgDecoderFactory(static_cast<IImgDecoderFactory*>(decoders));
    decoders->Release();
    app = new SApplication(render, GetModuleHandleW(nullptr));
  }
  ~DecodingApp() {
    delete app;
    render->Release();
  }
  IRenderFactory* render = nullptr;
  SApplication* app = nullptr;
};

void CheckSize(IBitmap* bitmap) {
  REQUIRE(bitmap != nullptr);
  CHECK(bitmap->Width() == 3);
  CHECK(bitmap->Height() == 2);
  bitmap->Release();
}

}  // namespace

TEST_CASE("images load from the module, a folder and a file reference") {
  DecodingApp fixture;
  SApplication& app = *fixture.app;
  std::string png = ReadSelfResource(L"PNG", L"IMG_SMALL");
  REQUIRE(png.size() > 8);

  SResProviderPE pe;
  REQUIRE(pe.Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  CheckSize(pe.LoadImage(L"png", L"IMG_SMALL"));
  IImgX* img = pe.LoadImgX(L"PNG", L"IMG_SMALL");
  REQUIRE(img != nullptr);
  CHECK(img->GetFrameCount() == 1);
  img->Release();
  CHECK(pe.LoadImage(L"LAYOUT", L"XML_TEST") == nullptr);  // not an image: no frames

  TempFolder dir;
  std::wstring file = dir.Write(L"small.png", png);
  dir.Write(L"uires.idx", "<resource><IMG><file name=\"small\" path=\"small.png\"/></IMG></resource>");
  SResProviderFiles files;
  REQUIRE(files.Init(reinterpret_cast<WPARAM>(dir.Path().c_str()), 0));
  CheckSize(files.LoadImage(L"IMG", L"small"));
  img = files.LoadImgX(L"img", L"SMALL");
  REQUIRE(img != nullptr);
  img->Release();

  CheckSize(app.LoadImageByRef((L"file:" + file).c_str()));
  CheckSize(app.LoadImageByRef((L"FILE:" + file).c_str()));
  CHECK(app.LoadImageByRef((L"file:" + dir.Path() + L"\\absent.png").c_str()) == nullptr);

  app.AddResProvider(&pe);
  CheckSize(app.LoadImageByRef(L"PNG:IMG_SMALL"));
  CHECK(app.LoadImageByRef(L"PNG:NOT_THERE") == nullptr);
  app.RemoveResProvider(&pe);

  CHECK(LoadBitmapFromMemory(png.data(), 0) == nullptr);
  CHECK(LoadImgXFromMemory("not an image", 12) == nullptr);
}

TEST_CASE("the image loaders give null without a decoder or an application") {
  std::string png = ReadSelfResource(L"PNG", L"IMG_SMALL");
  CHECK(LoadBitmapFromMemory(png.data(), png.size()) == nullptr);  // no application
  IObjRef* obj = nullptr;
  CreateRenderFactory_GDI(&obj);
  auto* render = static_cast<IRenderFactory*>(obj);
  {
    SApplication app(render, GetModuleHandleW(nullptr));
    CHECK(LoadImgXFromMemory(png.data(), png.size()) == nullptr);  // no decoder factory
    CHECK(LoadBitmapFromMemory(png.data(), png.size()) == nullptr);
  }
  render->Release();
}
