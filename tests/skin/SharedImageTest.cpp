// Images of the resources are decoded once, when first drawn, and shared by every skin that
// names them: counted through a decoder factory that records what it decodes.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>

#include "RecordingDecoders.h"
#include "SkinRig.h"
#include "core/SSkinImgList.h"
#include "core/SSkinPoolMgr.h"
#include "res.mgr/SResImageLoaders.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

namespace {

// An application whose decodes are recorded, with this program's resources (the framework's
// built-in skins and their images) as a provider.
struct SharedRig {
  SkinRig t{40, 20};
  RecordingDecoders* decoders;

  SharedRig() {
    decoders = new RecordingDecoders(t.Factory()->GetImgDecoderFactory());
    t.Factory()->SetImgDecoderFactory(decoders);
    auto* provider = new SResProviderPE();
    REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
    t.app.AddResProvider(provider);
    provider->Release();
  }
  ~SharedRig() { decoders->Release(); }
  SharedRig(const SharedRig&) = delete;
  SharedRig& operator=(const SharedRig&) = delete;

  void Draw(ISkinObj* skin, DWORD state = 0) {
    t.Clear(0xFF808080);
    const RECT rc = {0, 0, 40, 20};
    skin->Draw(t.Target(), &rc, state);
  }
};

bool SamePixels(IBitmap* a, IBitmap* b) {
  return a->Width() == b->Width() && a->Height() == b->Height() &&
         memcmp(a->GetPixelBits(), b->GetPixelBits(), a->Width() * a->Height() * 4) == 0;
}

}  // namespace

TEST_CASE("an image named by two skins is decoded once, when first drawn, and stays shared") {
  SharedRig r;
  SAutoRefPtr<ISkinObj> strip = r.t.Make(L"<imglist name='a' src='IMG:_SYS_CHECKBOX' states='8'/>");
  SAutoRefPtr<ISkinObj> frame =
      r.t.Make(L"<imgframe name='b' src='img:_sys_checkbox' states='8' margin='2,2,2,2'/>");
  CHECK(strip->GetSkinSize().cx > 0);
  CHECK(frame->GetSkinSize().cx == strip->GetSkinSize().cx);
  IBitmap* image = SkinAs<SSkinImgList>(strip)->GetImage();
  CHECK(image == SkinAs<SSkinImgList>(frame)->GetImage());
  // The colour-scheme dance of start-up (a tint and back) decodes nothing.
  strip->OnColorize(0xFFFFFF);
  strip->OnColorize(0);
  CHECK(r.decoders->Count() == 0);

  r.Draw(strip, 1);
  CHECK(r.decoders->Count() == 1);
  r.Draw(frame, 2);
  CHECK(r.decoders->Count() == 1);

  // The pixels are those the decoder gives the resource's bytes.
  const std::vector<BYTE> bytes = r.decoders->Images()[0];
  SAutoRefPtr<IBitmap> fresh;
  fresh.Attach(LoadBitmapFromMemory(r.t.Factory(), bytes.data(), bytes.size()));
  REQUIRE(fresh != nullptr);
  CHECK(SamePixels(image, fresh));

  // A tint is the skin's own copy: the other skin's image stays as it was.
  strip->OnColorize(RGB(200, 30, 30));
  r.Draw(strip, 1);
  CHECK(SkinAs<SSkinImgList>(strip)->GetImage() != image);
  CHECK_FALSE(SamePixels(SkinAs<SSkinImgList>(strip)->GetImage(), fresh));
  CHECK(SamePixels(SkinAs<SSkinImgList>(frame)->GetImage(), fresh));
  strip->OnColorize(0);
  CHECK(SkinAs<SSkinImgList>(strip)->GetImage() == image);
  CHECK(r.decoders->Count() == 2);  // the comparison's own decode

  // One scaled copy per size, shared as well, made from the one decode.
  SAutoRefPtr<ISkinObj> bigStrip;
  bigStrip.Attach(strip->Scale(150));
  SAutoRefPtr<ISkinObj> bigFrame;
  bigFrame.Attach(frame->Scale(150));
  REQUIRE(bigStrip != nullptr);
  REQUIRE(bigFrame != nullptr);
  CHECK(SkinAs<SSkinImgList>(bigStrip)->GetImage() == SkinAs<SSkinImgList>(bigFrame)->GetImage());
  r.Draw(bigStrip);
  CHECK(r.decoders->Count() == 2);
}

TEST_CASE("built-in skins nothing draws are never decoded") {
  SharedRig r;
  auto* provider = new SResProviderPE();
  REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  REQUIRE((r.t.app.LoadSystemNamedResource(provider) & SYSRES_SKIN_FAILED) == 0);
  provider->Release();
  SSkinPoolMgr& pools = *SSkinPoolMgr::getSingletonPtr();
  for (int i = 0; i < SSkinPoolMgr::kBuiltinSkinCount; ++i) {
    CHECK(pools.GetBuiltinSkin(i, 100)->GetSkinSize().cx >= 0);
  }
  CHECK(r.decoders->Count() == 0);
  r.Draw(pools.GetBuiltinSkin(4, 100));
  CHECK(r.decoders->Count() == 1);
}
