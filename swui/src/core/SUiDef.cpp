#include "core/SUiDef.h"

namespace SWUI {

SUiDef::SUiDef() = default;

SUiDef::~SUiDef() = default;

IUiDefInfo* SUiDef::CreateUiDefInfo(IResProvider*, LPCWSTR) { return nullptr; }

void SUiDef::SetUiDef(IUiDefInfo* info) { m_pCurUiDef = info; }

}  // namespace SWUI
