#include "core/SUiDef.h"

#include "core/SSkinPoolMgr.h"
#include "core/SStylePoolMgr.h"
#include "res.mgr/SUiDefInfo.h"

namespace SWUI {

SUiDef::SUiDef() = default;

SUiDef::~SUiDef() = default;

IUiDefInfo* SUiDef::CreateUiDefInfo(IResProvider* provider, LPCWSTR ref) {
  auto* info = new SUiDefInfo();
  {
    SAutoRefPtr<IUiDefInfo> previous = m_pCurUiDef;
    SetUiDef(info);
    info->Init(provider, ref);
    SetUiDef(previous);
  }
  // The pools are pushed here and nowhere else, so a definition is pushed once whichever
  // path installs it.
  if (SSkinPool* skins = info->GetSkinPool()) {
    if (SSkinPoolMgr* mgr = SSkinPoolMgr::getSingletonPtr()) mgr->PushSkinPool(skins);
  }
  if (SStylePool* styles = info->GetStylePool()) {
    if (SStylePoolMgr* mgr = SStylePoolMgr::getSingletonPtr()) mgr->PushStylePool(styles);
  }
  return info;
}

void SUiDef::SetUiDef(IUiDefInfo* info) { m_pCurUiDef = info; }

}  // namespace SWUI
