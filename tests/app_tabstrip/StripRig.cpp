#include "StripRig.h"

#include <pugixml.hpp>

#include "controls/SGifPlayer.h"
#include "controls/SSkinGif.h"
#include "core/SSkinPoolMgr.h"

using namespace SWUI;

namespace {

// What the strip asks of an "imgbtn": an element that is clicked.
class CloseButton : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"imgbtn")
};

}  // namespace

StripRig::StripRig(int width, int height) : ElementRig(width, height) {
  REQUIRE(app.TplRegisterFactory<SChromeTabCtrl>());
  REQUIRE(app.TplRegisterFactory<SGifPlayer>());
  REQUIRE(app.TplRegisterFactory<SSkinGif>());
  REQUIRE(app.TplRegisterFactory<CloseButton>(TRUE));
  pugi::xml_document doc;
  REQUIRE(doc.load_string(
      L"<skin><colorrect name='t.tab' normal='#c0c0c0' hover='#ffff00' pushdown='#0000ff'/>"
      L"<colorrect name='t.new' normal='#00ff00'/><colorrect name='t.close' normal='#ff0000'/>"
      L"</skin>"));
  pool.Attach(new SSkinPool());
  REQUIRE(pool->LoadSkins(doc.first_child()) == 3);
  SSkinPoolMgr::getSingleton().PushSkinPool(pool);
}

StripRig::~StripRig() { SSkinPoolMgr::getSingleton().PopSkinPool(pool); }

void StripRig::Load(const std::wstring& xml) {
  ElementRig::Load(xml.c_str());
  auto* strip = dynamic_cast<SChromeTabCtrl*>(root->FindChildByName(L"strip"));
  if (strip == nullptr) return;
  // The first slides began on the real clock: they start again on the rig's and end.
  strip->SetTickSource([this] { return now; });
  strip->UpdateChildrenPosition();
  Settle();
}

SChromeTabCtrl* StripRig::Strip() const {
  auto* strip = dynamic_cast<SChromeTabCtrl*>(Find(L"strip"));
  REQUIRE(strip != nullptr);
  return strip;
}

void StripRig::Frame(DWORD ms) {
  now += ms;
  container.OnNextFrame();
}

std::vector<DWORD> StripRig::TakeStripEvents() {
  std::vector<DWORD> ids;
  for (const TestContainer::Fired& f : container.fired) {
    if (f.id >= 10000400 && f.id <= 10000403) ids.push_back(f.id);
  }
  container.fired.clear();
  return ids;
}

std::wstring StripXml(int count, int desired, const std::wstring& attrs,
                      const std::wstring& children) {
  std::wstring xml = L"<root><chromeTabCtrl name='strip' pos='0,0,-0,30' tabDesiredSize='" +
                     std::to_wstring(desired) + L"' " + attrs + L">" + children + L"<tabs>";
  for (int i = 0; i < count; ++i) xml += L"<chromeTab>t" + std::to_wstring(i) + L"</chromeTab>";
  return xml + L"</tabs></chromeTabCtrl></root>";
}

std::string Str(const RECT& rc) {
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) +
         "," + std::to_string(rc.bottom);
}

std::string RectOf(SWindow* wnd) { return Str(wnd->GetWindowRect()); }

std::vector<int> Ordinals(SChromeTabCtrl* strip) {
  std::vector<int> out;
  for (int i = 0; i < strip->GetTabCount(); ++i) out.push_back(strip->GetTabOrdinal(i));
  return out;
}
