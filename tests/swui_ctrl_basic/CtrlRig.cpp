#include "CtrlRig.h"

#include <algorithm>

#include "core/SAttrParse.h"
#include "core/SSkinPoolMgr.h"
#include "core/SXmlMark.h"
#include "res.mgr/SResProviderPE.h"

using namespace SWUI;

// ---- TestAccelMgr --------------------------------------------------------------------------

void TestAccelMgr::RegisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) {
  auto& targets = table_[acc.GetAcc()];
  targets.insert(targets.begin(), target);
}

void TestAccelMgr::UnregisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) {
  auto it = table_.find(acc.GetAcc());
  if (it == table_.end()) return;
  auto& targets = it->second;
  targets.erase(std::remove(targets.begin(), targets.end(), target), targets.end());
}

void TestAccelMgr::UnregisterAccelerators(IAcceleratorTarget* target) {
  for (auto& entry : table_) {
    auto& targets = entry.second;
    targets.erase(std::remove(targets.begin(), targets.end(), target), targets.end());
  }
}

BOOL TestAccelMgr::Press(DWORD acc) {
  auto it = table_.find(acc);
  if (it == table_.end()) return FALSE;
  const std::vector<IAcceleratorTarget*> targets = it->second;
  for (IAcceleratorTarget* target : targets) {
    if (target->OnAcceleratorPressed(CAccelerator(acc))) return TRUE;
  }
  return FALSE;
}

size_t TestAccelMgr::Count(DWORD acc) const {
  auto it = table_.find(acc);
  return it == table_.end() ? 0 : it->second.size();
}

size_t TestAccelMgr::Total() const {
  size_t total = 0;
  for (const auto& entry : table_) total += entry.second.size();
  return total;
}

// ---- CtrlContainer -------------------------------------------------------------------------

BOOL CtrlContainer::RegisterTimelineHandler(ITimelineHandler* handler) {
  if (OnTimeline(handler)) return FALSE;
  timeline.push_back(handler);
  return TRUE;
}

BOOL CtrlContainer::UnregisterTimelineHandler(ITimelineHandler* handler) {
  auto it = std::find(timeline.begin(), timeline.end(), handler);
  if (it == timeline.end()) return FALSE;
  timeline.erase(it);
  return TRUE;
}

void CtrlContainer::Frame() {
  const std::vector<ITimelineHandler*> copy = timeline;
  for (ITimelineHandler* handler : copy) handler->OnNextFrame();
}

bool CtrlContainer::OnTimeline(ITimelineHandler* handler) const {
  return std::find(timeline.begin(), timeline.end(), handler) != timeline.end();
}

// ---- CellSkin ------------------------------------------------------------------------------

std::vector<CellDraw> CellSkin::log;

DWORD CellSkin::Colour(int state) {
  static const DWORD kColours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                   0xFFFF00FF, 0xFF00FFFF, 0xFF800000, 0xFF008000};
  return kColours[state % 8];
}

HRESULT CellSkin::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"states")) {
    states_ = SAttrParse::Int(value);
    return S_OK;
  }
  if (SAttrParse::IsName(name, L"size")) {
    swscanf(value, L"%ld,%ld", &size_.cx, &size_.cy);
    return S_OK;
  }
  return SSkinObjBase::SetAttribute(name, value, bLoading);
}

void CellSkin::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) {
  log.push_back(CellDraw{dwState, *rcDraw, byAlpha});
  if (dwState >= static_cast<DWORD>(states_)) return;
  // The target takes colours as 0xAABBGGRR.
  const DWORD argb = Colour(static_cast<int>(dwState));
  const COLORREF cr = RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF) |
                      (static_cast<COLORREF>(byAlpha) << 24);
  pRT->FillSolidRect(rcDraw, cr);
}

// ---- CtrlRig -------------------------------------------------------------------------------

namespace {

const wchar_t kCellSkins[] =
    L"<skin><cells name='cells4'/><cells name='cells8' states='8'/>"
    L"<cells name='cells6' states='6'/><cells name='cells3' states='3'/>"
    L"<cells name='big' size='20,12'/></skin>";

}  // namespace

CtrlRig::CtrlRig(int width, int height) : ElementRig(width, height), ctrl(width, height) {
  auto* provider = new SResProviderPE();
  REQUIRE(provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0));
  CHECK((app.LoadSystemNamedResource(provider) & SYSRES_SKIN_FAILED) == 0);
  provider->Release();

  app.TplRegisterFactory<CellSkin>();
  pugi::xml_document doc;
  REQUIRE(doc.load_string(kCellSkins));
  pool_ = new SSkinPool();
  REQUIRE(pool_->LoadSkins(doc.first_child()) == 5);
  SXmlMark::ClearMarks(doc);
  SSkinPoolMgr::getSingleton().PushSkinPool(pool_);
  CellSkin::log.clear();

  root->SetContainer(&ctrl);
  ctrl.SetRoot(root);
}

CtrlRig::~CtrlRig() {
  // The children go while their container still lives; the rig destroys the bare root.
  while (SWindow* child = root->GetWindow(GSW_FIRSTCHILD)) root->DestroyChild(child);
  root->SetContainer(&container);
  SSkinPoolMgr::getSingleton().PopSkinPool(pool_);
  pool_->Release();
}

ISkinObj* CtrlRig::Skin(LPCWSTR name) const {
  ISkinObj* skin = SSkinPoolMgr::getSingleton().GetSkin(name, 100);
  REQUIRE(skin != nullptr);
  return skin;
}

LRESULT CtrlRig::Send(SWindow* wnd, UINT msg, int x, int y, WPARAM wParam) {
  return wnd->SSendMessage(msg, wParam, MAKELPARAM(x, y));
}

// ---- EventLog ------------------------------------------------------------------------------

EventLog::EventLog(SWindow* wnd, std::vector<DWORD> wanted) {
  for (DWORD id : wanted) {
    wnd->SubscribeEvent(id, FnSlot([this](EventArgs* e) {
                          ids.push_back(static_cast<DWORD>(e->GetID()));
                          return false;
                        }));
  }
}

size_t EventLog::Count(DWORD id) const {
  return static_cast<size_t>(std::count(ids.begin(), ids.end(), id));
}
