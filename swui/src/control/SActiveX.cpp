#include "control/SActiveX.h"

#include "base/AlphaChannelBackup.h"
#include "core/SAttrParse.h"

namespace SWUI {

namespace {

// A "{...}" text as a class id, any other text as a programmatic id.
bool ParseClassId(const SStringW& text, CLSID* clsid) {
  if (text.IsEmpty()) return false;
  if (text[0] == L'{') return SUCCEEDED(CLSIDFromString(text.c_str(), clsid));
  return SUCCEEDED(CLSIDFromProgID(text.c_str(), clsid));
}

}  // namespace

SActiveX::SActiveX() : m_pAxContainer(new SAxContainerImpl(this)) {
  SetFlag(SWF_FOCUSABLE, TRUE);
}

SActiveX::~SActiveX() {
  m_pAxContainer->Detach();
  m_pAxContainer->Release();
}

HRESULT SActiveX::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  using P = SAttrParse;
  if (P::IsName(name, L"clsID")) {
    CLSID clsid = CLSID_NULL;
    const bool parsed = ParseClassId(value, &clsid);
    if (parsed) m_clsid = clsid;
    return AfterAttribute(name, value, bLoading, parsed ? S_OK : S_FALSE);
  }
  if (P::IsName(name, L"clscText")) {
    m_clsCtx = static_cast<DWORD>(P::Int(value));
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  if (P::IsName(name, L"delay")) {
    m_bDelay = P::Bool(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

void SActiveX::OnAxActivate(IUnknown*) {}

void SActiveX::OnAxCreateFinished(BOOL) {}

BOOL SActiveX::InitActiveX() {
  if (IsEqualCLSID(m_clsid, CLSID_NULL)) return FALSE;
  // The control may destroy the element while it is made: the element stays alive until
  // this returns, and a destroyed one (its site detached) hears nothing more.
  SAutoRefPtr<SWindow> hold(this);
  const HRESULT hr =
      m_pAxContainer->CreateControl(m_clsid, m_clsCtx, GetClientRect(), IsVisible(TRUE));
  if (m_pAxContainer->IsDetached()) return FALSE;
  const BOOL created = SUCCEEDED(hr);
  OnAxCreateFinished(created);
  return created;
}

// ---- the delegate --------------------------------------------------------------------------

void SActiveX::OnAxInvalidate(LPCRECT pRect, BOOL) {
  if (pRect != nullptr) InvalidateRect(*pRect);
}

void SActiveX::OnAxSetCapture(BOOL fCapture) {
  if (fCapture) {
    SetCapture();
  } else {
    ReleaseCapture();
  }
}

HRESULT SActiveX::OnAxGetDC(LPCRECT, DWORD, HDC* phDC) {
  if (phDC != nullptr) *phDC = nullptr;
  return E_FAIL;
}

HRESULT SActiveX::OnAxReleaseDC(HDC) { return S_FALSE; }

// ---- messages ------------------------------------------------------------------------------

int SActiveX::OnCreate(LPVOID lpCreateParam) {
  const int result = SWindow::OnCreate(lpCreateParam);
  if (result == 0 && !m_bDelay) InitActiveX();
  return result;
}

void SActiveX::OnDestroy() {
  m_pAxContainer->Detach();
  SWindow::OnDestroy();
}

void SActiveX::OnPaint(IRenderTarget* pRT) {
  if (!m_pAxContainer->IsVisible() || m_pAxContainer->GetViewLevel() == ActiveXSite::kViewNone) {
    return;
  }
  const RECT rc = GetClientRect();
  pRT->PushClipRect(&rc, RGN_AND);
  HDC hdc = pRT->GetDC(0);
  // GDI zeroes the alpha of every pixel it touches: the control's drawing must not punch
  // holes into a translucent surface.
  AlphaChannelBackup alpha = {};
  const BOOL saved = BackupAlphaChannel(hdc, &rc, &alpha);
  m_pAxContainer->DrawControl(hdc, rc);
  if (saved) RestoreAlphaChannel(&alpha);
  pRT->ReleaseDC(hdc);
  pRT->PopClip();
}

void SActiveX::OnSize(UINT nType, SIZE size) {
  SWindow::OnSize(nType, size);
  m_pAxContainer->SetObjectRects(GetClientRect());
  if (m_pAxContainer->GetOleObject() != nullptr) m_pAxContainer->SetExtent(size);
}

void SActiveX::OnShowWindow(BOOL bShow, UINT nStatus) {
  SWindow::OnShowWindow(bShow, nStatus);
  const BOOL shown = IsVisible(TRUE);
  if (m_bDelay && shown) {
    m_bDelay = FALSE;
    InitActiveX();
  }
  m_pAxContainer->ShowControlWindow(shown);
}

LRESULT SActiveX::OnInputMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (!m_pAxContainer->IsInPlaceActive() || !m_pAxContainer->IsWindowless()) {
    SetMsgHandled(FALSE);
    return 0;
  }
  if (uMsg == WM_LBUTTONDOWN) SetFocus();
  BOOL handled = FALSE;
  const LRESULT result = m_pAxContainer->OnWindowMessage(uMsg, wParam, lParam, handled);
  SetMsgHandled(handled);
  return result;
}

}  // namespace SWUI
