#include "MenuRig.h"

#include <doctest/doctest.h>

#include <pugixml.hpp>

#include "core/SSkinPoolMgr.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

MenuRig::MenuRig() : render(1, 1), app(render.Factory(), GetModuleHandleW(nullptr), L"SwuiMenuTest") {
  auto* provider = new SResProviderPE();
  REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  systemResourceFailures = app.LoadSystemNamedResource(provider);
  app.AddResProvider(provider);
  provider->Release();
}

MenuRig::~MenuRig() {
  for (auto it = pools.rbegin(); it != pools.rend(); ++it) {
    SSkinPoolMgr::getSingleton().PopSkinPool(*it);
    (*it)->Release();
  }
}

void MenuRig::AddSkins(const wchar_t* xml) {
  pugi::xml_document doc;
  REQUIRE(doc.load_string(xml));
  auto* pool = new SSkinPool();
  REQUIRE(pool->LoadSkins(doc.first_child()) > 0);
  SSkinPoolMgr::getSingleton().PushSkinPool(pool);
  pools.push_back(pool);
}

void MenuRig::Load(SMenu& menu, const wchar_t* xml) const {
  pugi::xml_document doc;
  REQUIRE(doc.load_string(xml));
  REQUIRE(menu.LoadMenu(doc.first_child()));
}

RecordingOwner::RecordingOwner() {
  REQUIRE(Create(L"menu owner", WS_POPUP, 0, 100, 100, 300, 200, nullptr, nullptr) != nullptr);
}

BOOL RecordingOwner::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& lResult,
                                          DWORD mapId) {
  if (mapId != 0) return FALSE;
  if (msg == WM_COMMAND) {
    commands.push_back(LOWORD(wParam));
    lResult = 0;
    return TRUE;
  }
  if (msg == WM_INITMENUPOPUP) ++initMenuPopups;
  return FALSE;
}

MENUITEMINFOW ItemInfo(HMENU menu, int pos) {
  MENUITEMINFOW mii = {};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
  REQUIRE(GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &mii));
  return mii;
}

DWORD Rgb(DWORD pixel) {
  return ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16);
}
