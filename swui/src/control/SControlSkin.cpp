#include "control/SControlSkin.h"

#include "core/SSkinPoolMgr.h"
#include "core/SWindow.h"

namespace SWUI {

ISkinObj* SControlSkin::Find(const SStringW& name, int scale) {
  SSkinPoolMgr* pools = SSkinPoolMgr::getSingletonPtr();
  return pools != nullptr && !name.IsEmpty() ? pools->GetSkin(name, scale) : nullptr;
}

BOOL SControlSkin::Assign(SAutoRefPtr<ISkinObj>& skin, const SStringW& value, int scale) {
  if (value.IsEmpty()) {
    skin.Reset();
    return TRUE;
  }
  ISkinObj* found = Find(value, scale);
  if (found == nullptr) return FALSE;
  skin = found;
  return TRUE;
}

ISkinObj* SControlSkin::Builtin(int index) {
  SSkinPoolMgr* pools = SSkinPoolMgr::getSingletonPtr();
  return pools != nullptr ? pools->GetBuiltinSkin(index, 100) : nullptr;
}

BOOL SControlSkin::DrawState(ISkinObj* skin, IRenderTarget* pRT, const RECT& rc, int state) {
  if (skin == nullptr || state < 0 || state >= skin->GetStates()) return FALSE;
  skin->Draw(pRT, &rc, static_cast<DWORD>(state));
  return TRUE;
}

void SControlSkin::DrawOrNormal(ISkinObj* skin, IRenderTarget* pRT, const RECT& rc, int state) {
  if (skin == nullptr) return;
  if (state < 0 || state >= skin->GetStates()) state = 0;
  skin->Draw(pRT, &rc, static_cast<DWORD>(state));
}

SIZE SControlSkin::SizeOf(const ISkinObj* skin) {
  return skin != nullptr ? skin->GetSkinSize() : SIZE{0, 0};
}

void SControlSkin::Colorize(ISkinObj* skin, COLORREF cr) {
  if (skin != nullptr) skin->OnColorize(cr);
}

int SControlSkin::CheckState(DWORD wndState) {
  int state = SkinState_Normal;
  if (wndState & WndState_Disable) {
    state = SkinState_Disable;
  } else if (wndState & WndState_PushDown) {
    state = SkinState_PushDown;
  } else if (wndState & WndState_Hover) {
    state = SkinState_Hover;
  }
  return (wndState & WndState_Check) ? state + 4 : state;
}

SIZE SControlSkin::WrapContent(const SWindow* wnd, SIZE size, SIZE content) {
  ILayoutParam* param = wnd->GetLayoutParam();
  if (param == nullptr) return size;
  if (param->IsWrapContent(Horz)) size.cx = content.cx;
  if (param->IsWrapContent(Vert)) size.cy = content.cy;
  return size;
}

void SControlSkin::RelayoutIfWrapping(SWindow* wnd) {
  ILayoutParam* param = wnd->GetLayoutParam();
  if (wnd->GetParent() == nullptr || param == nullptr || !param->IsWrapContent(Any)) return;
  wnd->RequestRelayout(wnd, TRUE);
}

}  // namespace SWUI
