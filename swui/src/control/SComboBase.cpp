#include "control/SComboBase.h"

#include <richedit.h>

#include "control/EventCBDropdown.h"
#include "control/EventCBSelChange.h"
#include "control/SControlSkin.h"
#include "control/SDropDownWnd_ComboBox.h"
#include "core/EventCmd.h"
#include "core/EventSwndDestroy.h"
#include "core/MemberFunctionSlot.h"
#include "core/EventRENotify.h"
#include "core/SApplication.h"
#include "core/SAttrParse.h"
#include "core/SMonitorArea.h"
#include "core/SObjectFactoryMgr.h"
#include "core/SRootWindow.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

constexpr int kBuiltinDropBtnSkin = 7;  // "_skin.sys.dropbtn"

}  // namespace

SComboBase::SComboBase() : m_nDropHeight(200.0f, dp) {
  SetFlag(SWF_FOCUSABLE, TRUE);
  m_style.SetAttribute(SStringW(L"align"), SStringW(L"left"), TRUE);
  m_style.SetAttribute(SStringW(L"valign"), SStringW(L"middle"), TRUE);
  m_pSkinBtn = SControlSkin::Builtin(kBuiltinDropBtnSkin);
  m_evtSet.AddEvent<EventCBSelChange>();
  m_evtSet.AddEvent<EventRENotify>();
  m_evtSet.AddEvent<EventCBDropdown>();
}

SComboBase::~SComboBase() = default;

// ---- the list ----------------------------------------------------------------------------

int SComboBase::FindString(LPCWSTR pszFind, int iStart) {
  if (pszFind == nullptr) return -1;
  for (int i = iStart < 0 ? 0 : iStart; i < GetCount(); ++i) {
    if (GetLBText(i, TRUE) == pszFind) return i;
  }
  return -1;
}

void SComboBase::OnSelChanged() {
  EventCBSelChange evt(this);
  evt.nCurSel = GetCurSel();
  FireEvent(evt);
}

// ---- attributes and creation -------------------------------------------------------------

HRESULT SComboBase::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                 BOOL bLoading) {
  using P = SAttrParse;
  HRESULT hr = S_FALSE;
  if (P::IsName(strAttribName, L"dropDown")) {
    m_bDropdown = P::NonZero(strValue);
  } else if (P::IsName(strAttribName, L"dropHeight")) {
    m_nDropHeight = GetNamedDimension(strValue);
  } else if (P::IsName(strAttribName, L"curSel")) {
    m_iInitSel = P::Int(strValue);
  } else if (P::IsName(strAttribName, L"btnSkin")) {
    if (!SControlSkin::Assign(m_pSkinBtn, strValue, GetScale())) hr = E_FAIL;
  } else if (P::IsName(strAttribName, L"animateTime")) {
    m_nAnimTime = P::Int(strValue);
  } else if (P::IsName(strAttribName, L"autoFitDropBtn")) {
    m_bAutoFitDropBtn = P::NonZero(strValue);
  } else {
    return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  }
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

BOOL SComboBase::CreateChildren(pugi::xml_node xmlNode) {
  m_xmlDropdownStyle.reset();
  const pugi::xml_node dropStyle = SXmlNoCase::Child(xmlNode, L"dropdownStyle");
  if (dropStyle) m_xmlDropdownStyle.append_copy(dropStyle);
  if (!m_bDropdown) CreateEditPart(SXmlNoCase::Child(xmlNode, L"editStyle"));
  CreateListBox(xmlNode);
  if (m_iInitSel != -1) SetCurSel(m_iInitSel);
  return TRUE;
}

void SComboBase::CreateEditPart(pugi::xml_node xmlNode) {
  SComboEdit* edit = new SComboEdit(this);
  InsertChild(edit);
  BOOL made;
  {
    MuteEvents mute(edit);
    made = edit->InitFromXml(xmlNode);  // an empty node just creates it
  }
  if (!made) return;  // the failed edit was taken out of the tree and released
  m_pEdit = edit;
  m_pEdit->SetAttribute(SStringW(L"id"), SStringW(L"-100"), TRUE);
  m_pEdit->SSendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
  m_pEdit->SubscribeEvent(EventSwndDestroy::EventID, Subscriber(&SComboBase::OnEditDestroy, this));
}

bool SComboBase::OnEditDestroy(EventArgs*) {
  m_pEdit = nullptr;
  return false;
}

// ---- texts, focus, geometry --------------------------------------------------------------

SStringW SComboBase::GetWindowText(BOOL bRawText) {
  if (m_pEdit != nullptr) return m_pEdit->GetWindowText(bRawText);
  const int sel = GetCurSel();
  return sel == -1 ? SStringW() : GetLBText(sel, bRawText);
}

void SComboBase::SetWindowText(LPCWSTR lpszText) {
  SWindow::SetWindowText(lpszText);
  SetCurSel(-1);
  if (m_pEdit != nullptr) m_pEdit->SetWindowText(lpszText);
}

BOOL SComboBase::IsFocusable() const { return m_bDropdown && SWindow::IsFocusable(); }

int SComboBase::GetDropBtnWidth(const RECT& rcClient) const {
  const SIZE skin = SControlSkin::SizeOf(m_pSkinBtn);
  if (skin.cx <= 0 || skin.cy <= 0) return 0;
  return MulDiv(rcClient.bottom - rcClient.top, skin.cx, skin.cy);
}

void SComboBase::GetDropBtnRect(LPRECT prc) const {
  RECT rc = GetClientRect();
  const int width = GetDropBtnWidth(rc);
  rc.left = rc.right - width;
  if (!m_bAutoFitDropBtn && width > 0) {
    const SIZE skin = SControlSkin::SizeOf(m_pSkinBtn);
    rc.left += (width - skin.cx) / 2;
    rc.top += (rc.bottom - rc.top - skin.cy) / 2;
    rc.right = rc.left + skin.cx;
    rc.bottom = rc.top + skin.cy;
  }
  *prc = rc;
}

void SComboBase::GetTextRect(LPRECT prect) const {
  SWindow::GetTextRect(prect);
  prect->right -= GetDropBtnWidth(GetClientRect());
  if (prect->right < prect->left) prect->right = prect->left;
}

void SComboBase::UpdateChildrenPosition() {
  SWindow::UpdateChildrenPosition();
  if (m_pEdit == nullptr) return;
  RECT rc;
  GetTextRect(&rc);
  m_pEdit->Move(&rc);
}

// ---- tree-wide messages ------------------------------------------------------------------

void SComboBase::SendToOpenPopup(UINT uMsg, WPARAM wParam) {
  if (IsDropDownOpen()) m_pDropDownWnd->GetRoot()->SDispatchMessage(uMsg, wParam);
}

void SComboBase::OnColorize(COLORREF cr) {
  SWindow::OnColorize(cr);
  SControlSkin::Colorize(m_pSkinBtn, cr);
  SendToOpenPopup(UM_SETCOLORIZE, cr);
}

BOOL SComboBase::OnLanguageChanged() {
  const BOOL result = SWindow::OnLanguageChanged();
  SendToOpenPopup(UM_SETLANGUAGE, 0);
  return result;
}

void SComboBase::OnScaleChanged(int scale) {
  SWindow::OnScaleChanged(scale);
  ScaleSkin(m_pSkinBtn, scale);
  SendToOpenPopup(UM_SETSCALE, static_cast<WPARAM>(scale));
}

// ---- the list element ----------------------------------------------------------------------

SWindow* SComboBase::CreateListElement(LPCWSTR className) {
  SApplication* app = SApplication::getSingletonPtr();
  if (app == nullptr) return nullptr;
  return SObjectFactoryMgr::TakeObjectAs<SWindow>(app->CreateWindowByName(className));
}

void SComboBase::SetUpList(SWindow* list, pugi::xml_node style) {
  list->SetContainer(GetContainer());
  list->InitFromXml(style);
  list->SetAttribute(SStringW(L"pos"), SStringW(L"0,0,-0,-0"), TRUE);
  list->SetOwner(this);
  list->SetAttribute(SStringW(L"id"), SStringW(L"-200"), TRUE);
  list->SSendMessage(UM_SETSCALE, static_cast<WPARAM>(GetScale()));
}

void SComboBase::DestroyList(SWindow* list) {
  if (list == nullptr) return;
  list->SSendMessage(WM_DESTROY);
  list->Release();
}

BOOL SComboBase::HandleListEvent(EventArgs& evt, const SWindow* list, DWORD selChangedId) {
  if (list == nullptr || evt.sender != static_cast<const IObject*>(list) ||
      evt.idFrom != kListId || !IsDropDownOpen()) {
    return FALSE;
  }
  if (static_cast<DWORD>(evt.GetID()) == selChangedId) {
    OnSelChanged();
    return TRUE;
  }
  if (evt.GetID() == EventCmd::EventID) {
    CloseUp();
    return TRUE;
  }
  return FALSE;
}

void SComboBase::ShowSelection() {
  if (m_pEdit != nullptr && !m_pEdit->GetEventSet()->IsMuted()) {
    MuteEvents mute(m_pEdit);
    m_pEdit->SetWindowText(GetLBText(GetCurSel()));
  }
  Invalidate();
}

// ---- events ------------------------------------------------------------------------------

BOOL SComboBase::FireEvent(EventArgs& evt) {
  if (evt.GetID() == EventRENotify::EventID && m_pEdit != nullptr &&
      evt.sender == static_cast<IObject*>(m_pEdit) && !m_pEdit->GetEventSet()->IsMuted() &&
      static_cast<EventRENotify&>(evt).iNotify == EN_CHANGE) {
    MuteEvents mute(m_pEdit);
    SetCurSel(-1);
  }
  return SWindow::FireEvent(evt);
}

// ---- the drop-down -----------------------------------------------------------------------

BOOL SComboBase::IsDropDownOpen() const {
  return m_pDropDownWnd != nullptr && m_pDropDownWnd->IsOpen();
}

RECT SComboBase::GetScreenRect() const { return SDropDownWnd_ComboBox::ScreenRectOf(this); }

SMonitorArea SComboBase::GetMonitorArea() const { return SDropDownWnd_ComboBox::MonitorOf(this); }

void SComboBase::DropDown() {
  if (m_dwBtnState == BtnPushed || IsDropDownOpen()) return;
  if (m_pDropDownWnd == nullptr) m_pDropDownWnd = std::make_unique<SDropDownWnd_ComboBox>(this);
  EventCBDropdown evt(this);
  evt.pDropDown = m_pDropDownWnd.get();
  FireEvent(evt);

  const int height = GetListBoxHeight();
  const RECT rcCombo = GetScreenRect();
  RECT rc = {rcCombo.left, rcCombo.bottom, rcCombo.right, rcCombo.bottom + height};
  const BOOL downward = rc.bottom <= GetMonitorArea().rcWork.bottom;
  if (!downward) {
    rc.top = rcCombo.top - height;
    rc.bottom = rcCombo.top;
  }
  ShowDropDown(rc, downward);
}

BOOL SComboBase::ShowDropDown(const RECT& rcScreen, BOOL bDownward) {
  if (m_pDropDownWnd == nullptr) m_pDropDownWnd = std::make_unique<SDropDownWnd_ComboBox>(this);
  SDropDownWnd_ComboBox* popup = m_pDropDownWnd.get();
  if (!popup->Create(&rcScreen, nullptr, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) {
    return FALSE;
  }
  const DWORD flags = AW_SLIDE | (bDownward ? AW_VER_POSITIVE : AW_VER_NEGATIVE);
  if (m_nAnimTime < 1 || !AnimateDropDown(popup, static_cast<DWORD>(m_nAnimTime), flags)) {
    popup->ShowNoActivate();
  }
  return popup->CaptureIfOpen();
}

BOOL SComboBase::AnimateDropDown(SDropDownWnd* pDropDown, DWORD dwTime, DWORD dwFlags) {
  return pDropDown->AnimateHostWindow(dwTime, dwFlags);
}

void SComboBase::CloseUp() {
  if (IsDropDownOpen()) m_pDropDownWnd->EndDropDown(IDCANCEL);
}

void SComboBase::ApplyDropdownStyle(SDropDownWnd* pDropDown) {
  const SStringW trCtx =
      GetContainer() != nullptr ? GetContainer()->GetTranslatorContext() : SStringW();
  const pugi::xml_node style = m_xmlDropdownStyle.first_child();
  if (!style) {
    pDropDown->GetHostAttr().SetAttribute(SStringW(L"trCtx"), trCtx, TRUE);
    return;
  }
  pugi::xml_document copy;
  pugi::xml_node node = copy.append_copy(style);
  if (!SXmlNoCase::Attribute(node, L"trCtx")) node.append_attribute(L"trCtx") = trCtx.c_str();
  // The window keeps the size it was made with; a zero extent takes the style's own.
  RECT rc;
  ::GetClientRect(pDropDown->m_hWnd, &rc);
  pDropDown->InitFromXml(node, rc.right, rc.bottom);
}

void SComboBase::OnCreateDropDown(SDropDownWnd* pDropDown) {
  ApplyDropdownStyle(pDropDown);
  SetButtonState(BtnPushed);
}

void SComboBase::OnDestroyDropDown(SDropDownWnd* pDropDown) {
  if (m_pEdit != nullptr) m_pEdit->SetFocus();
  SetButtonState(BtnNormal);
  ModifyState(0, WndState_Hover, TRUE);
  // The mouse may rest over something else now: let the host test the hover again.
  if (HWND host = ContainerHostHwnd()) {
    POINT pt;
    if (::GetCursorPos(&pt) && ::ScreenToClient(host, &pt)) {
      ::PostMessageW(host, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    }
  }
  if (pDropDown->GetExitCode() == IDOK) OnSelChanged();
}

void SComboBase::SetButtonState(int state) {
  if (m_dwBtnState == state) return;
  m_dwBtnState = state;
  RECT rc;
  GetDropBtnRect(&rc);
  InvalidateRect(rc);
}

// ---- painting and input ------------------------------------------------------------------

void SComboBase::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  if (GetCurSel() != -1 && m_pEdit == nullptr) {
    RECT rc;
    GetTextRect(&rc);
    const SStringW text = GetWindowText(FALSE);
    DrawText(pRT, text, text.GetLength(), &rc, GetTextAlign());
  }
  if (IsFocused()) DrawFocus(pRT);
  AfterPaint(pRT, painter);
  RECT rcBtn;
  GetDropBtnRect(&rcBtn);
  const int state = m_dwBtnState == BtnPushed ? 2 : m_dwBtnState == BtnHover ? 1 : 0;
  SControlSkin::DrawState(m_pSkinBtn, pRT, rcBtn, state);
}

void SComboBase::OnLButtonDown(UINT, POINT) {
  if (IsFocusable()) SetFocus();
  DropDown();
}

void SComboBase::OnMouseMove(UINT, POINT pt) {
  if (m_dwBtnState == BtnPushed) return;
  RECT rc;
  GetDropBtnRect(&rc);
  SetButtonState(::PtInRect(&rc, pt) ? BtnHover : BtnNormal);
}

void SComboBase::OnMouseLeave() {
  SWindow::OnMouseLeave();
  if (m_dwBtnState != BtnPushed) SetButtonState(BtnNormal);
}

void SComboBase::StepSelection(int step) {
  const int target = GetCurSel() + step;
  if (target >= 0 && target < GetCount()) SetCurSel(target);
}

LRESULT SComboBase::OnMouseWheel(UINT, WPARAM wParam, LPARAM) {
  StepSelection(static_cast<short>(HIWORD(wParam)) > 0 ? -1 : 1);
  return 1;
}

void SComboBase::OnKeyDown(UINT nChar, UINT, UINT) {
  if (nChar == VK_LEFT || nChar == VK_UP) {
    StepSelection(-1);
  } else if (nChar == VK_RIGHT || nChar == VK_DOWN) {
    StepSelection(1);
  } else {
    SetMsgHandled(FALSE);
  }
}

LRESULT SComboBase::OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (!m_bDropdown && m_pEdit != nullptr) return m_pEdit->SSendMessage(uMsg, wParam, lParam);
  SetMsgHandled(FALSE);
  return 0;
}

void SComboBase::OnDestroy() {
  CloseUp();
  // An edit part taken out of the tree outlives the combo: it must not call back.
  if (m_pEdit != nullptr) {
    m_pEdit->GetEventSet()->UnsubscribeEvent(EventSwndDestroy::EventID,
                                             Subscriber(&SComboBase::OnEditDestroy, this));
  }
  m_pEdit = nullptr;  // destroyed with the other children
  SWindow::OnDestroy();
}

void SComboBase::OnSetFocus(SwndHandle swndOld) {
  if (m_pEdit != nullptr) {
    m_pEdit->SetFocus();
    return;
  }
  SWindow::OnSetFocus(swndOld);
}

void SComboBase::OnKillFocus(SwndHandle swndNew) {
  SWindow::OnKillFocus(swndNew);
  CloseUp();
}

}  // namespace SWUI
