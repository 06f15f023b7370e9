#include "RangeRig.h"

#include <pugixml.hpp>

#include "core/SAttrParse.h"
#include "core/SSkinPoolMgr.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

HRESULT CellSkin::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  SArray<SStringW> parts;
  SplitString(value, L',', parts);
  if (SAttrParse::IsName(name, L"size")) {
    if (parts.GetCount() != 2) return E_INVALIDARG;
    size_ = SIZE{SAttrParse::Int(parts[0]), SAttrParse::Int(parts[1])};
    return S_OK;
  }
  if (SAttrParse::IsName(name, L"colors")) {
    colors_.clear();
    for (size_t i = 0; i < parts.GetCount(); ++i) colors_.push_back(GetNamedColor(parts[i]));
    return S_OK;
  }
  return SSkinObjBase::SetAttribute(name, value, bLoading);
}

void CellSkin::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE) {
  draws.push_back(Draw{*rcDraw, dwState});
  const size_t index = dwState & 0xFFFF;
  if (index < colors_.size()) pRT->FillSolidRect(rcDraw, colors_[index]);
}

namespace {

const wchar_t kTestSkins[] =
    L"<skin>"
    L"<cellskin name='bg' size='100,8' colors='#c0c0c0'/>"
    L"<cellskin name='bar' size='1,8' colors='#0000ff'/>"
    L"<cellskin name='thumb' size='10,20' colors='#ff0000,#00ff00,#0000ff,#808080'/>"
    L"<cellskin name='vthumb' size='20,10' colors='#ff0000,#00ff00,#0000ff,#808080'/>"
    L"<cellskin name='sb' size='90,10' "
    L"colors='#ff0000,#00ff00,#0000ff,#ffff00,#000000,#ff00ff'/>"
    L"<cellskin name='up' size='12,8' colors='#ff0000,#00ff00,#0000ff,#808080'/>"
    L"<cellskin name='down' size='12,8' colors='#ff0000,#00ff00,#0000ff,#808080'/>"
    L"</skin>";

}  // namespace

RangeRig::RangeRig(int width, int height) : ElementRig(width, height) {
  auto* provider = new SResProviderPE();
  REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  app.LoadSystemNamedResource(provider);
  provider->Release();
  REQUIRE(SSkinPoolMgr::getSingleton().GetBuiltinSkin(14, 100) != nullptr);

  app.TplRegisterFactory<CellSkin>();
  pugi::xml_document doc;
  REQUIRE(doc.load_string(kTestSkins));
  pool_ = new SSkinPool();
  REQUIRE(pool_->LoadSkins(doc.first_child()) == 7);
  SSkinPoolMgr::getSingleton().PushSkinPool(pool_);
}

RangeRig::~RangeRig() {
  SSkinPoolMgr::getSingleton().PopSkinPool(pool_);
  pool_->Release();
}

CellSkin* RangeRig::Skin(const wchar_t* name) const {
  auto* skin = dynamic_cast<CellSkin*>(pool_->GetSkin(SStringW(name), 100));
  REQUIRE(skin != nullptr);
  return skin;
}

void RangeRig::ClearDraws() const {
  for (const wchar_t* name : {L"bg", L"bar", L"thumb", L"vthumb", L"sb", L"up", L"down"}) {
    Skin(name)->draws.clear();
  }
}

void HoldKeys(std::initializer_list<int> keys) {
  BYTE state[256] = {};
  for (int key : keys) state[key] = 0x80;
  REQUIRE(SetKeyboardState(state));
}
