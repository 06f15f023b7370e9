#include "control/STabPage.h"

#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

STabPage::STabPage() : m_strTitle(this) { SetFlag(SWF_VISIBLE, FALSE); }

void STabPage::SetTitle(LPCWSTR title) { m_strTitle.SetText(SStringW(title)); }

HRESULT STabPage::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                               BOOL bLoading) {
  if (SAttrParse::IsName(strAttribName, L"title")) {
    m_strTitle.SetText(GetNamedString(strValue));
    return S_FALSE;
  }
  if (SAttrParse::IsName(strAttribName, L"iconIndex")) {
    m_iIconIndex = SAttrParse::Int(strValue);
    return S_FALSE;
  }
  return SWindow::SetAttribute(strAttribName, strValue, bLoading);
}

BOOL STabPage::UpdateToolTip(POINT, SwndToolTipInfo&) { return FALSE; }

}  // namespace SWUI
