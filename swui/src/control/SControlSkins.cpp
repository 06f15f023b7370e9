#include "SControlSkins.h"

#include "core/SSkinPoolMgr.h"

namespace SWUI {

ISkinObj* SControlSkins::Find(const SStringW& name, int scale) {
  SSkinPoolMgr* pools = SSkinPoolMgr::getSingletonPtr();
  return pools != nullptr ? pools->GetSkin(name, scale) : nullptr;
}

HRESULT SControlSkins::Assign(SAutoRefPtr<ISkinObj>& skin, const SStringW& name, int scale) {
  ISkinObj* found = Find(name, scale);
  if (found == nullptr) return E_FAIL;
  skin = found;
  return S_OK;
}

ISkinObj* SControlSkins::Builtin(int index) {
  SSkinPoolMgr* pools = SSkinPoolMgr::getSingletonPtr();
  return pools != nullptr ? pools->GetBuiltinSkin(index, 100) : nullptr;
}

void SControlSkins::Draw(ISkinObj* skin, IRenderTarget* pRT, const RECT& rc, int state) {
  if (skin == nullptr) return;
  if (state < 0 || state >= skin->GetStates()) state = 0;
  skin->Draw(pRT, &rc, static_cast<DWORD>(state));
}

SIZE SControlSkins::Size(const ISkinObj* skin) {
  return skin != nullptr ? skin->GetSkinSize() : SIZE{0, 0};
}

void SControlSkins::Colorize(ISkinObj* skin, COLORREF cr) {
  if (skin != nullptr) skin->OnColorize(cr);
}

}  // namespace SWUI
