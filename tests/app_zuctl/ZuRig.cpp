#include "ZuRig.h"

#include <pugixml.hpp>

#include "control/EventSliderPos.h"
#include "controls/ZuCheckButton.h"
#include "controls/ZuProgress.h"
#include "controls/ZuProgressEX.h"
#include "controls/ZuRadioButton.h"
#include "controls/ZuRotaryKnob.h"
#include "controls/ZuSlider.h"
#include "core/EventCmd.h"
#include "core/SSkinImgList.h"
#include "core/SSkinPoolMgr.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

ZuRig::ZuRig(int width, int height) : ElementRig(width, height) {
  auto* provider = new SResProviderPE();
  REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  app.LoadSystemNamedResource(provider);
  provider->Release();
  REQUIRE(SSkinPoolMgr::getSingleton().GetBuiltinSkin(14, 100) != nullptr);

  REQUIRE(app.TplRegisterFactory<ZuSlider>());
  REQUIRE(app.TplRegisterFactory<ZuCheckButton>());
  REQUIRE(app.TplRegisterFactory<ZuRadioButton>());
  REQUIRE(app.TplRegisterFactory<ZuProgress>());
  REQUIRE(app.TplRegisterFactory<ZuProgressEX>());
  REQUIRE(app.TplRegisterFactory<ZuRotaryKnob>());

  pool_ = new SSkinPool();
  SSkinPoolMgr::getSingleton().PushSkinPool(pool_);
}

ZuRig::~ZuRig() {
  SSkinPoolMgr::getSingleton().PopSkinPool(pool_);
  pool_->Release();
}

void ZuRig::AddCells(const wchar_t* name, int width, int height,
                     const std::vector<DWORD>& colors) {
  const std::wstring xml = std::wstring(L"<skin><imglist name='") + name + L"' states='" +
                           std::to_wstring(colors.size()) + L"'/></skin>";
  pugi::xml_document doc;
  REQUIRE(doc.load_string(xml.c_str()));
  REQUIRE(pool_->LoadSkins(doc.first_child()) == 1);
  auto* skin = dynamic_cast<SSkinImgList*>(pool_->GetSkin(SStringW(name), 100));
  REQUIRE(skin != nullptr);
  if (width == 0 || height == 0) return;  // a skin without an image has no size
  const int n = static_cast<int>(colors.size());
  std::vector<DWORD> pixels(static_cast<size_t>(width) * n * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width * n; ++x) pixels[y * width * n + x] = colors[x / width];
  }
  skin->SetImage(render.MakeBitmap(width * n, height, pixels.data()));
}

void ZuRig::PaintAndSave(const wchar_t* name) {
  Paint();
  render.SavePng(name, 3);
}

ZuEvents::ZuEvents(SWindow* wnd) {
  if (wnd->IsClass(L"sliderbar")) {
    REQUIRE(wnd->SubscribeEvent(EventSliderPos::EventID, FnSlot([this](EventArgs* e) {
                                  positions.push_back(static_cast<EventSliderPos*>(e)->nPos);
                                  return false;
                                })));
  }
  REQUIRE(wnd->SubscribeEvent(EventCmd::EventID, FnSlot([this](EventArgs*) {
                                ++commands;
                                return false;
                              })));
}
