#include "PanelRig.h"

#include <cwchar>

#include "core/SAttrParse.h"
#include "core/SSkinPoolMgr.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

std::vector<SkinDraw>* RecordingSbSkin::log = nullptr;
std::vector<SkinDraw>* RecordingSkin::log = nullptr;

DWORD StateColor(int state) {
  static const DWORD kColors[] = {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0,
                                  0xFFD0E0F0, 0xFF203010, 0xFF506040, 0xFF809070};
  return kColors[static_cast<unsigned>(state) % 8];
}

namespace {

// A raw 0xAARRGGBB pixel as the colour FillSolidRect takes (0xAABBGGRR).
COLORREF FillOf(DWORD raw) {
  return (raw & 0xFF00FF00u) | ((raw >> 16) & 0xFF) | ((raw & 0xFF) << 16);
}

}  // namespace

HRESULT RecordingSbSkin::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"ideal")) {
    ideal_ = SAttrParse::Int(value);
    return S_OK;
  }
  if (SAttrParse::IsName(name, L"arrows")) {
    arrows_ = SAttrParse::Int(value) != 0;
    return S_OK;
  }
  return SSkinScrollbar::SetAttribute(name, value, bLoading);
}

void RecordingSbSkin::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE) {
  const int state = static_cast<int>((dwState >> 16) & 0xFF);
  if (log != nullptr) {
    log->push_back(SkinDraw{static_cast<int>(LOWORD(dwState)), state, (dwState >> 24) != 0,
                            *rcDraw});
  }
  pRT->FillSolidRect(rcDraw, FillOf(StateColor(state)));
}

HRESULT RecordingSkin::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"states")) {
    states_ = SAttrParse::Int(value);
    return S_OK;
  }
  if (SAttrParse::IsName(name, L"size")) {
    int w = 0;
    int h = 0;
    if (swscanf(value, L"%d,%d", &w, &h) != 2) return E_INVALIDARG;
    size_ = SIZE{w, h};
    return S_OK;
  }
  return SSkinObjBase::SetAttribute(name, value, bLoading);
}

void RecordingSkin::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE) {
  if (log != nullptr) log->push_back(SkinDraw{-1, static_cast<int>(dwState), FALSE, *rcDraw});
  pRT->FillSolidRect(rcDraw, FillOf(StateColor(static_cast<int>(dwState))));
}

PanelRig::PanelRig(int width, int height) : ElementRig(width, height) {
  auto* provider = new SResProviderPE();
  REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  REQUIRE((app.LoadSystemNamedResource(provider) & SYSRES_SKIN_FAILED) == 0);
  app.AddResProvider(provider);
  provider->Release();
  app.TplRegisterFactory<RecordingSbSkin>();
  app.TplRegisterFactory<RecordingSkin>();
  RecordingSbSkin::log = &draws;
  RecordingSkin::log = &draws;
}

PanelRig::~PanelRig() {
  for (auto it = pools_.rbegin(); it != pools_.rend(); ++it) {
    SSkinPoolMgr::getSingleton().PopSkinPool(*it);
    (*it)->Release();
  }
  RecordingSbSkin::log = nullptr;
  RecordingSkin::log = nullptr;
}

void PanelRig::AddSkins(const wchar_t* xml) {
  pugi::xml_document doc;
  REQUIRE(doc.load_string(xml));
  auto* pool = new SSkinPool();
  REQUIRE(pool->LoadSkins(doc.first_child()) > 0);
  SSkinPoolMgr::getSingleton().PushSkinPool(pool);
  pools_.push_back(pool);
}
