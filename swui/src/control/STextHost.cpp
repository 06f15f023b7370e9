#include "control/STextHost.h"

#include "control/SRichEdit.h"

namespace SWUI {

namespace {

// Scroll-bar bits of the element for a bar code of the text services.
int BarBits(INT fnBar) {
  switch (fnBar) {
    case SB_HORZ: return 0x1;
    case SB_VERT: return 0x2;
    case SB_BOTH: return 0x3;
    default: return 0;
  }
}

}  // namespace

STextHost::STextHost(SRichEdit* pRichEdit) : m_pRichEdit(pRichEdit) {}

STextHost::~STextHost() { Shutdown(); }

BOOL STextHost::Init() {
  STextServiceHelper* helper = STextServiceHelper::getSingletonPtr();
  if (helper == nullptr) return FALSE;
  IUnknown* unknown = nullptr;
  if (FAILED(helper->CreateTextServices(nullptr, this, &unknown)) || unknown == nullptr) {
    return FALSE;
  }
  const HRESULT hr = unknown->QueryInterface(kIidTextServices, reinterpret_cast<void**>(&m_pServ));
  unknown->Release();
  if (FAILED(hr)) m_pServ = nullptr;
  return m_pServ != nullptr;
}

void STextHost::Shutdown() {
  // The services may still call back while they go; the edit answers until they are gone.
  if (ITextServices* serv = m_pServ) {
    m_pServ = nullptr;
    serv->Release();
  }
  m_pRichEdit = nullptr;
}

HWND STextHost::HostHwnd() const {
  return m_pRichEdit != nullptr ? m_pRichEdit->ContainerHostHwnd() : nullptr;
}

// ---- IUnknown ------------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE STextHost::QueryInterface(REFIID riid, void** ppvObject) {
  if (ppvObject == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == kIidTextHost) {
    *ppvObject = static_cast<ITextHost*>(this);
    AddRef();
    return S_OK;
  }
  *ppvObject = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE STextHost::AddRef() { return ++m_cRefs; }

ULONG STDMETHODCALLTYPE STextHost::Release() {
  const LONG left = --m_cRefs;
  if (left == 0) delete this;
  return left;
}

// ---- device context and scroll bars --------------------------------------------------------

HDC STextHost::TxGetDC() { return GetDC(nullptr); }

INT STextHost::TxReleaseDC(HDC hdc) { return ReleaseDC(nullptr, hdc); }

WINBOOL STextHost::TxShowScrollBar(INT fnBar, WINBOOL fShow) {
  if (m_pRichEdit == nullptr) return FALSE;
  return m_pRichEdit->ShowScrollBar(BarBits(fnBar), fShow);
}

WINBOOL STextHost::TxEnableScrollBar(INT fuSBFlags, INT fuArrowflags) {
  if (m_pRichEdit == nullptr) return FALSE;
  return m_pRichEdit->EnableScrollBar(BarBits(fuSBFlags), fuArrowflags == ESB_ENABLE_BOTH);
}

WINBOOL STextHost::TxSetScrollRange(INT fnBar, LONG nMinPos, INT nMaxPos, WINBOOL fRedraw) {
  if (m_pRichEdit == nullptr || nMaxPos < nMinPos) return FALSE;
  SCROLLINFO si = {};
  si.fMask = SIF_RANGE;
  si.nMin = nMinPos;
  si.nMax = nMaxPos;
  m_pRichEdit->SyncScrollBar(fnBar != SB_HORZ, si, fRedraw);
  return TRUE;
}

WINBOOL STextHost::TxSetScrollPos(INT fnBar, INT nPos, WINBOOL fRedraw) {
  if (m_pRichEdit == nullptr) return FALSE;
  // While the element itself scrolls the services, their echo must not scroll it again.
  if (m_pRichEdit->m_fFlags & REF_SCROLLGUARD) return TRUE;
  // The position only: a scroll step of the panel would send it back to the services.
  SCROLLINFO si = {};
  si.fMask = SIF_POS;
  si.nPos = nPos;
  m_pRichEdit->SyncScrollBar(fnBar != SB_HORZ, si, fRedraw);
  return TRUE;
}

// ---- repaints, caret, timers ---------------------------------------------------------------

void STextHost::TxInvalidateRect(LPCRECT prc, WINBOOL) {
  if (m_pRichEdit == nullptr) return;
  if (prc != nullptr) {
    m_pRichEdit->InvalidateRect(*prc);
  } else {
    m_pRichEdit->InvalidateRect(nullptr);
  }
}

void STextHost::TxViewChange(WINBOOL fUpdate) {
  if (m_pRichEdit != nullptr && fUpdate) m_pRichEdit->InvalidateRect(nullptr);
}

WINBOOL STextHost::TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight) {
  if (m_pRichEdit == nullptr) return FALSE;
  return m_pRichEdit->CreateCaret(hbmp, xWidth, yHeight);
}

WINBOOL STextHost::TxShowCaret(WINBOOL fShow) {
  if (m_pRichEdit == nullptr || !m_fActive) return FALSE;
  m_pRichEdit->ShowCaret(fShow);
  return TRUE;
}

WINBOOL STextHost::TxSetCaretPos(INT x, INT y) {
  m_ptCaret = POINT{x, y};
  if (m_pRichEdit == nullptr) return FALSE;
  m_pRichEdit->SetCaretPos(x, y);
  return TRUE;
}

WINBOOL STextHost::TxSetTimer(UINT idTimer, UINT uTimeout) {
  if (m_pRichEdit == nullptr) return FALSE;
  return m_pRichEdit->SetTimer2(idTimer, uTimeout);
}

void STextHost::TxKillTimer(UINT idTimer) {
  if (m_pRichEdit != nullptr) m_pRichEdit->KillTimer2(idTimer);
}

void STextHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) {
  if (m_pRichEdit != nullptr) m_pRichEdit->InvalidateRect(nullptr);
}

// ---- capture, focus, cursor, coordinates ---------------------------------------------------

void STextHost::TxSetCapture(WINBOOL fCapture) {
  if (m_pRichEdit == nullptr) return;
  if (fCapture) {
    m_pRichEdit->SetCapture();
  } else if (m_pRichEdit->GetCapture() == m_pRichEdit->GetSwnd()) {
    m_pRichEdit->ReleaseCapture();
  }
}

void STextHost::TxSetFocus() {
  if (m_pRichEdit != nullptr) m_pRichEdit->SetFocus();
}

void STextHost::TxSetCursor(HCURSOR hcur, WINBOOL) { ::SetCursor(hcur); }

WINBOOL STextHost::TxScreenToClient(LPPOINT lppt) {
  HWND host = HostHwnd();
  return host != nullptr && lppt != nullptr && ::ScreenToClient(host, lppt);
}

WINBOOL STextHost::TxClientToScreen(LPPOINT lppt) {
  HWND host = HostHwnd();
  return host != nullptr && lppt != nullptr && ::ClientToScreen(host, lppt);
}

HRESULT STextHost::TxActivate(LONG* plOldState) {
  if (plOldState != nullptr) *plOldState = m_fActive;
  m_fActive = TRUE;
  return S_OK;
}

HRESULT STextHost::TxDeactivate(LONG) {
  m_fActive = FALSE;
  return S_OK;
}

// ---- what the services read ----------------------------------------------------------------

HRESULT STextHost::TxGetClientRect(LPRECT prc) {
  if (m_pRichEdit == nullptr || prc == nullptr) return E_FAIL;
  *prc = m_pRichEdit->GetServicesRect();
  return S_OK;
}

HRESULT STextHost::TxGetViewInset(LPRECT prc) {
  // The inset is already taken off the client rectangle the services are given.
  if (m_pRichEdit == nullptr || prc == nullptr) return E_FAIL;
  SetRectEmpty(prc);
  return S_OK;
}

HRESULT STextHost::TxGetCharFormat(const CHARFORMATW** ppCF) {
  if (m_pRichEdit == nullptr || ppCF == nullptr) return E_FAIL;
  *ppCF = reinterpret_cast<const CHARFORMATW*>(&m_pRichEdit->m_cfDef);
  return S_OK;
}

HRESULT STextHost::TxGetParaFormat(const PARAFORMAT** ppPF) {
  if (m_pRichEdit == nullptr || ppPF == nullptr) return E_FAIL;
  *ppPF = reinterpret_cast<const PARAFORMAT*>(&m_pRichEdit->m_pfDef);
  return S_OK;
}

COLORREF STextHost::TxGetSysColor(int nIndex) { return GetSysColor(nIndex); }

HRESULT STextHost::TxGetBackStyle(TXTBACKSTYLE* pstyle) {
  if (pstyle == nullptr) return E_INVALIDARG;
  *pstyle = TXTBACK_TRANSPARENT;
  return S_OK;
}

HRESULT STextHost::TxGetMaxLength(DWORD* plength) {
  if (m_pRichEdit == nullptr || plength == nullptr) return E_FAIL;
  *plength = static_cast<DWORD>(m_pRichEdit->m_cchTextMost);
  return S_OK;
}

HRESULT STextHost::TxGetScrollBars(DWORD* pdwScrollBar) {
  if (m_pRichEdit == nullptr || pdwScrollBar == nullptr) return E_FAIL;
  *pdwScrollBar = m_pRichEdit->m_dwStyle &
                  (WS_VSCROLL | WS_HSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_DISABLENOSCROLL);
  return S_OK;
}

HRESULT STextHost::TxGetPasswordChar(TCHAR* pch) {
  if (m_pRichEdit == nullptr || pch == nullptr) return E_FAIL;
  *pch = m_pRichEdit->m_chPasswordChar;
  return S_OK;
}

HRESULT STextHost::TxGetAcceleratorPos(LONG* pcp) {
  if (m_pRichEdit == nullptr || pcp == nullptr) return E_FAIL;
  *pcp = m_pRichEdit->m_lAccelPos;
  return S_OK;
}

HRESULT STextHost::TxGetExtent(LPSIZEL lpExtent) {
  if (m_pRichEdit == nullptr || lpExtent == nullptr) return E_FAIL;
  *lpExtent = m_pRichEdit->m_sizelExtent;
  return S_OK;
}

HRESULT STextHost::OnTxCharFormatChange(const CHARFORMATW*) { return S_OK; }

HRESULT STextHost::OnTxParaFormatChange(const PARAFORMAT*) { return S_OK; }

HRESULT STextHost::TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) {
  if (m_pRichEdit == nullptr || pdwBits == nullptr) return E_FAIL;
  *pdwBits = m_pRichEdit->GetPropertyBits() & dwMask;
  return S_OK;
}

HRESULT STextHost::TxNotify(DWORD iNotify, void* pv) {
  if (m_pRichEdit == nullptr) return S_OK;
  return m_pRichEdit->OnTxNotify(iNotify, pv);
}

HIMC STextHost::TxImmGetContext() {
  HWND host = HostHwnd();
  return host != nullptr ? ImmGetContext(host) : nullptr;
}

void STextHost::TxImmReleaseContext(HIMC himc) {
  HWND host = HostHwnd();
  if (host != nullptr && himc != nullptr) ImmReleaseContext(host, himc);
}

HRESULT STextHost::TxGetSelectionBarWidth(LONG* lSelBarWidth) {
  if (lSelBarWidth == nullptr) return E_INVALIDARG;
  *lSelBarWidth = 0;
  return S_OK;
}

}  // namespace SWUI
