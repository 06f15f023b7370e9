#include "TabRig.h"

#include <pugixml.hpp>

#include "core/SSkinPoolMgr.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

TabRig::TabRig(int width, int height) : ElementRig(width, height) {
  auto* provider = new SResProviderPE();
  REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  REQUIRE((app.LoadSystemNamedResource(provider) & SYSRES_SKIN_FAILED) == 0);
  provider->Release();
  pugi::xml_document doc;
  REQUIRE(doc.load_string(
      L"<skin><colorrect name='t.tab' normal='#c0c0c0' hover='#ffff00' pushdown='#0000ff'/>"
      L"<colorrect name='t.sep' normal='#ff00ff'/><colorrect name='t.frame' normal='#00ff00'/>"
      L"</skin>"));
  pool.Attach(new SSkinPool());
  REQUIRE(pool->LoadSkins(doc.first_child()) == 3);
  SSkinPoolMgr::getSingleton().PushSkinPool(pool);
}

TabRig::~TabRig() { SSkinPoolMgr::getSingleton().PopSkinPool(pool); }

STabCtrl* TabRig::Tab() const {
  auto* tab = dynamic_cast<STabCtrl*>(Find(L"tab"));
  REQUIRE(tab != nullptr);
  return tab;
}

std::vector<DWORD> TabRig::TakeTabEvents() {
  std::vector<DWORD> ids;
  for (const TestContainer::Fired& f : container.fired) {
    if (f.id >= 11000 && f.id <= 11003) ids.push_back(f.id);
  }
  container.fired.clear();
  return ids;
}

std::vector<SWindow*> TabRig::Sliders() const {
  std::vector<SWindow*> found;
  for (SWindow* c = Tab()->GetWindow(GSW_FIRSTCHILD); c != nullptr;
       c = c->GetWindow(GSW_NEXTSIBLING)) {
    if (c->IsClass(L"tabslider")) found.push_back(c);
  }
  return found;
}

std::vector<int> VisiblePages(STabCtrl* tab) {
  std::vector<int> shown;
  for (int i = 0; i < tab->GetItemCount(); ++i) {
    if (tab->GetItem(i)->IsVisible(FALSE)) shown.push_back(i);
  }
  return shown;
}

std::string Str(const RECT& rc) {
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) +
         "," + std::to_string(rc.bottom);
}

std::string ItemRect(STabCtrl* tab, int index) {
  RECT rc = {-1, -1, -1, -1};
  return tab->GetItemRect(index, &rc) ? Str(rc) : "none";
}
