#include "core/SSKinGroup.h"

#include "core/SSkinPoolMgr.h"

namespace SWUI {

namespace {

const LPCWSTR kStateAttrs[4] = {L"normal", L"hover", L"pushDown", L"disable"};

}  // namespace

ISkinObj* SSKinGroup::GetStateSkin(int state) const {
  return state >= 0 && state < 4 ? static_cast<ISkinObj*>(skins_[state]) : nullptr;
}

SIZE SSKinGroup::GetSkinSize() const {
  for (const auto& skin : skins_) {
    if (skin) return skin->GetSkinSize();
  }
  return SIZE{0, 0};
}

void SSKinGroup::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) {
  ISkinObj* skin = GetStateSkin(static_cast<int>(dwState));
  if (skin != nullptr) skin->DrawWithAlpha(pRT, rcDraw, 0, byAlpha);
}

void SSKinGroup::Resolve(int state) {
  SSkinPoolMgr* pools = SSkinPoolMgr::getSingletonPtr();
  skins_[state] = pools != nullptr && !names_[state].IsEmpty()
                      ? pools->GetSkin(names_[state], scale_)
                      : nullptr;
}

void SSKinGroup::CopyScaledInto(ISkinObj* pTarget, int nScale) const {
  SSkinObjBase::CopyScaledInto(pTarget, nScale);
  auto* target = dynamic_cast<SSKinGroup*>(pTarget);
  if (target == nullptr) return;
  for (int s = 0; s < 4; ++s) {
    target->names_[s] = names_[s];
    target->Resolve(s);
  }
}

HRESULT SSKinGroup::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  for (int s = 0; s < 4; ++s) {
    if (P::IsName(name, kStateAttrs[s])) {
      names_[s] = value;
      Resolve(s);
      return AfterAttribute(name, value, bLoading, S_OK);
    }
  }
  return SSkinObjBase::SetAttribute(name, value, bLoading);
}

}  // namespace SWUI
