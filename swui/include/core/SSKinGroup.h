// A skin that delegates each state to another skin, found by name in the skin pools: the
// normal, hover, pushed and disabled skins, each drawn as its own state 0.
//
// Attributes, besides those of SSkinObjBase: "normal", "hover", "pushDown", "disable" (skin
// names, looked up at the group's scale when the attribute is set; a name no pool holds
// leaves that state empty, drawn as nothing).
#pragma once
#include "base/SAutoRefPtr.h"
#include "core/SSkinObjBase.h"

namespace SWUI {

class SSKinGroup : public SSkinObjBase {
  SWUI_CLASS_NAME(SSkinObjBase, L"group")

 public:
  SSKinGroup() = default;

  BOOL IgnoreState() const override { return FALSE; }
  int GetStates() const override { return 4; }
  // The size of the first state skin that is set.
  SIZE GetSkinSize() const override;
  // The base fields; the state skins are looked up again by their names at the new scale.
  void CopyScaledInto(ISkinObj* pTarget, int nScale) const override;

  ISkinObj* GetStateSkin(int state) const;

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SSkinObjBase::SetAttribute;

 protected:
  void OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  // Looks a state's skin up by name at the group's scale.
  void Resolve(int state);

  SStringW names_[4];
  SAutoRefPtr<ISkinObj> skins_[4];
};

}  // namespace SWUI
