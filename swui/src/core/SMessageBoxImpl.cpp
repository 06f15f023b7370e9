#include "core/SMessageBoxImpl.h"

#include <cstdio>

#include "control/SIconWnd.h"
#include "control/STabCtrl.h"
#include "control/STabPage.h"
#include "core/EventCmd.h"
#include "core/SMsgTemplate.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

struct MsgButton {
  int id;
  LPCWSTR word;  // the default caption, and the "buttonText" child that gives the real one
};

struct MsgButtonSet {
  int count;
  MsgButton buttons[3];
};

// By the type's low four bits (MB_OK .. MB_RETRYCANCEL).
constexpr MsgButtonSet kButtonSets[] = {
    {1, {{IDOK, L"ok"}, {0, nullptr}, {0, nullptr}}},
    {2, {{IDOK, L"ok"}, {IDCANCEL, L"cancel"}, {0, nullptr}}},
    {3, {{IDABORT, L"abort"}, {IDRETRY, L"retry"}, {IDIGNORE, L"ignore"}}},
    {3, {{IDYES, L"yes"}, {IDNO, L"no"}, {IDCANCEL, L"cancel"}}},
    {2, {{IDYES, L"yes"}, {IDNO, L"no"}, {0, nullptr}}},
    {2, {{IDRETRY, L"retry"}, {IDCANCEL, L"cancel"}, {0, nullptr}}},
};

constexpr bool ButtonSetsAreConsistent() {
  for (const MsgButtonSet& set : kButtonSets) {
    if (set.count < 1 || set.count > 3) return false;
    for (int i = 0; i < 3; ++i) {
      const bool used = i < set.count;
      if (used != (set.buttons[i].word != nullptr) || used != (set.buttons[i].id != 0))
        return false;
    }
  }
  return true;
}
static_assert(sizeof(kButtonSets) / sizeof(kButtonSets[0]) == MB_RETRYCANCEL + 1,
              "one button set per type from MB_OK to MB_RETRYCANCEL");
static_assert(ButtonSetsAreConsistent(), "each set names exactly its count of buttons");

constexpr LPCWSTR kButtonNames[3] = {L"button1st", L"button2nd", L"button3rd"};
// Captions are kept to this many characters.
constexpr int kMaxCaption = 19;

// A type whose low bits name no set is an OK box.
const MsgButtonSet& ButtonSetOf(UINT type) {
  const UINT index = type & 0xF;
  return kButtonSets[index <= MB_RETRYCANCEL ? index : MB_OK];
}

SMessageBoxImpl::SystemMessageBoxFn g_systemMessageBox = nullptr;

}  // namespace

SMessageBoxImpl::SMessageBoxImpl() : SHostDialog(nullptr) {}

void SMessageBoxImpl::BindSystemMessageBox(SystemMessageBoxFn fn) { g_systemMessageBox = fn; }

INT_PTR SMessageBoxImpl::MessageBox(HWND hOwner, LPCWSTR text, LPCWSTR caption, UINT type) {
  if (!GetMsgTemplate()) {
    SystemMessageBoxFn fn = g_systemMessageBox != nullptr ? g_systemMessageBox : ::MessageBoxW;
    return fn(hOwner, text, caption, type);
  }
  m_strText = text != nullptr ? text : L"";
  m_strCaption = caption != nullptr ? caption : L"";
  m_uType = type;
  return DoModal(hOwner);
}

BOOL SMessageBoxImpl::HandleEvent(EventArgs* evt) {
  if (evt != nullptr && evt->GetID() == EventCmd::EventID && evt->idFrom >= IDOK &&
      evt->idFrom <= IDNO) {
    EndDialog(evt->idFrom);
    return TRUE;
  }
  return SHostDialog::HandleEvent(evt);
}

BOOL SMessageBoxImpl::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                           LRESULT& lResult, DWORD mapId) {
  if (mapId == 0 && hWnd == m_hWnd && msg == WM_INITDIALOG) {
    OnInitDialog();
    lResult = FALSE;
    return TRUE;
  }
  return SHostDialog::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
}

SStringW SMessageBoxImpl::GetButtonText(int) const { return SStringW(); }

void SMessageBoxImpl::OnInitDialog() {
  RECT rc;
  ::GetClientRect(m_hWnd, &rc);
  InitFromXml(GetMsgTemplate(), rc.right - rc.left, rc.bottom - rc.top);
  SetupButtons(m_uType);
  SWindow* root = GetRoot();
  if (SWindow* title = root->FindChildByName(L"msgtitle")) {
    title->SetWindowText(m_strCaption.IsEmpty() ? SStringW(L"prompt") : m_strCaption);
  }
  if (SWindow* text = root->FindChildByName(L"msgtext")) text->SetWindowText(m_strText);
  OnSetIcon(m_uType);
  FitToText();
}

void SMessageBoxImpl::SetupButtons(UINT type) {
  const MsgButtonSet& set = ButtonSetOf(type);
  auto* pages = GetRoot()->FindChildByName2<STabCtrl>(L"btnSwitch");
  if (pages == nullptr) return;
  pages->SetCurSel(set.count - 1);
  SWindow* page = pages->GetItem(set.count - 1);
  if (page == nullptr) return;

  pugi::xml_node captions = SXmlNoCase::Child(GetMsgTemplate(), L"buttonText");
  for (int i = 0; i < set.count; ++i) {
    SWindow* button = page->FindChildByName(kButtonNames[i]);
    if (button == nullptr) continue;
    const MsgButton& def = set.buttons[i];
    SStringW id;
    id.Format(L"%d", def.id);
    button->SetAttribute(SStringW(L"id"), id, FALSE);
    SStringW caption = GetButtonText(def.id);
    if (caption.IsEmpty()) {
      caption = captions.child(def.word).child_value();
      caption.Trim();
      caption = caption.IsEmpty() ? SStringW(def.word) : GetNamedString(caption);
    }
    if (caption.GetLength() > kMaxCaption) caption = caption.Left(kMaxCaption);
    button->SetWindowText(caption);  // translated in the host's context as it is set
  }
}

BOOL SMessageBoxImpl::OnSetIcon(UINT type) {
  auto* icon = GetRoot()->FindChildByName2<SIconWnd>(L"msgicon");
  if (icon == nullptr) return FALSE;
  LPCWSTR sysIcon = nullptr;
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      sysIcon = IDI_HAND;
      break;
    case MB_ICONQUESTION:
      sysIcon = IDI_QUESTION;
      break;
    case MB_ICONEXCLAMATION:
      sysIcon = IDI_EXCLAMATION;
      break;
    case MB_ICONASTERISK:
      sysIcon = IDI_ASTERISK;
      break;
    default:
      break;
  }
  // The element owns and destroys its icon: it gets a copy of the shared system icon.
  HICON hIcon = sysIcon != nullptr ? ::CopyIcon(::LoadIconW(nullptr, sysIcon)) : nullptr;
  if (hIcon == nullptr) {
    icon->SetVisible(FALSE, TRUE);
  } else {
    icon->SetIcon(hIcon);
  }
  return TRUE;
}

void SMessageBoxImpl::FitToText() {
  SWindow* root = GetRoot();
  SWindow* text = root->FindChildByName(L"msgtext");
  pugi::xml_node tmpl = GetMsgTemplate();
  RECT frame = {0, 0, 0, 0};
  SIZE minSize = {0, 0};
  swscanf(SXmlNoCase::Attribute(tmpl, L"frameSize").value(), L"%d,%d,%d,%d", &frame.left,
          &frame.top, &frame.right, &frame.bottom);
  swscanf(SXmlNoCase::Attribute(tmpl, L"minSize").value(), L"%d,%d", &minSize.cx, &minSize.cy);
  root->UpdateLayout();
  SIZE size = minSize;
  if (text != nullptr) {
    const SIZE desired = text->GetDesiredSize(-1, -1);
    const int width = desired.cx + frame.right + text->GetWindowRect().left;
    const int height = desired.cy + frame.top + frame.bottom;
    if (width > size.cx) size.cx = width;
    if (height > size.cy) size.cy = height;
  }
  // From now on the box keeps this size: a relayout must not shrink it to its content again.
  GetHostAttr().SetWidth(SLayoutSize(static_cast<float>(size.cx), px));
  GetHostAttr().SetHeight(SLayoutSize(static_cast<float>(size.cy), px));
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  root->UpdateLayout();
  if (text != nullptr && text->GetParent() != nullptr) {
    RECT rc = text->GetWindowRect();
    const RECT parent = text->GetParent()->GetWindowRect();
    rc.top = parent.top;
    rc.bottom = parent.bottom;
    text->Move(&rc);
  }
  CenterWindow();
}

INT_PTR SMessageBox(HWND hOwner, LPCWSTR text, LPCWSTR caption, UINT type) {
  SMessageBoxImpl box;
  return box.MessageBox(hOwner, text, caption, type);
}

}  // namespace SWUI
