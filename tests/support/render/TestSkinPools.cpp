#include "TestSkinPools.h"

#include <pugixml.hpp>

#include "core/SSkinPoolMgr.h"
#include "base/SXmlMark.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

TestSkinPools::~TestSkinPools() {
  for (auto it = pools_.rbegin(); it != pools_.rend(); ++it) {
    SSkinPoolMgr::getSingleton().PopSkinPool(*it);
    (*it)->Release();
  }
  if (!pools_.empty()) CellSkin::log.clear();
}

void TestSkinPools::Add(SApplication& app, const wchar_t* xml) {
  app.TplRegisterFactory<CellSkin>();
  app.TplRegisterFactory<CellSbSkin>();
  pugi::xml_document doc;
  REQUIRE(doc.load_string(xml));
  auto* pool = new SSkinPool();
  REQUIRE(pool->LoadSkins(doc.first_child()) > 0);
  SXmlMark::ClearMarks(doc);
  SSkinPoolMgr::getSingleton().PushSkinPool(pool);
  pools_.push_back(pool);
  CellSkin::log.clear();
}

ISkinObj* TestSkinPools::Get(const wchar_t* name) const {
  for (auto it = pools_.rbegin(); it != pools_.rend(); ++it) {
    if (ISkinObj* skin = (*it)->GetSkin(SStringW(name), 100)) return skin;
  }
  FAIL("no test skin of that name");
  return nullptr;
}

CellSkin* TestSkinPools::Cells(const wchar_t* name) const {
  auto* skin = dynamic_cast<CellSkin*>(Get(name));
  REQUIRE(skin != nullptr);
  return skin;
}

CellSbSkin* TestSkinPools::CellsSb(const wchar_t* name) const {
  auto* skin = dynamic_cast<CellSbSkin*>(Get(name));
  REQUIRE(skin != nullptr);
  return skin;
}

void LoadSystemResources(SApplication& app) {
  auto* provider = new SResProviderPE();
  REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  const UINT failed = app.LoadSystemNamedResource(provider);
  app.AddResProvider(provider);
  provider->Release();
  REQUIRE((failed & SYSRES_SKIN_FAILED) == 0);
}
