#include "control/ActiveXSite.h"

#include <mshtmhst.h>

#include "base/SAutoRefPtr.h"
#include "control/SHimetric.h"

namespace SWUI {

namespace {

template <class T>
void ReleaseInterface(T*& p) {
  if (p == nullptr) return;
  T* held = p;
  p = nullptr;
  held->Release();
}

}  // namespace

ActiveXSite::~ActiveXSite() { Detach(); }

// ---- the control ---------------------------------------------------------------------------

HRESULT ActiveXSite::CreateControl(REFCLSID clsid, DWORD dwClsContext, const RECT& rcPos,
                                   BOOL bVisible) {
  if (IsDetached()) return E_UNEXPECTED;
  // The control may let the element go while it is made, and the site with it.
  const SAutoRefPtr<IOleClientSite> hold(this);
  ReleaseControl();
  IUnknown* control = nullptr;
  HRESULT hr = CoCreateInstance(clsid, nullptr, dwClsContext, IID_IUnknown,
                                reinterpret_cast<void**>(&control));
  if (FAILED(hr)) return hr;
  if (IsDetached()) {
    control->Release();
    return E_UNEXPECTED;
  }
  hr = ActivateAx(control);
  control->Release();
  if (FAILED(hr)) {
    ReleaseControl();
    return hr;
  }
  ShowControlWindow(bVisible);
  SetObjectRects(rcPos);
  if (IsDetached()) return E_UNEXPECTED;
  m_pDelegate->OnAxActivate(m_pControl);
  return hr;
}

HRESULT ActiveXSite::ActivateAx(IUnknown* pControl, IStream* pStream) {
  if (IsDetached()) return E_UNEXPECTED;
  if (pControl == nullptr) return E_POINTER;
  const SAutoRefPtr<IOleClientSite> hold(this);
  pControl->AddRef();
  ReleaseControl();
  m_pControl = pControl;
  // Every call out may end the site (Detach) or take the control back: checked after each.
  const auto gone = [this, pControl] { return IsDetached() || m_pControl != pControl; };
  pControl->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&m_pOleObject));
  if (m_pOleObject != nullptr) m_pOleObject->GetMiscStatus(DVASPECT_CONTENT, &m_dwMiscStatus);
  if (!gone() && (m_dwMiscStatus & OLEMISC_SETCLIENTSITEFIRST)) AttachClientSite(TRUE);
  if (gone()) return E_UNEXPECTED;
  const HRESULT hrInit = InitControl(pStream);
  if (gone()) return E_UNEXPECTED;
  if (FAILED(hrInit)) {
    if (m_bClientSiteSet) AttachClientSite(FALSE);
    ReleaseInterfaces();
    return hrInit;
  }
  if (!m_bClientSiteSet) AttachClientSite(TRUE);
  if (gone()) return E_UNEXPECTED;
  TakeViewObject();
  if (m_pViewObject != nullptr &&
      SUCCEEDED(m_pViewObject->SetAdvise(DVASPECT_CONTENT, 0, static_cast<IAdviseSink*>(this)))) {
    m_bAdvised = TRUE;
  }
  if (gone()) return E_UNEXPECTED;
  return InPlaceActivate();
}

HRESULT ActiveXSite::InitControl(IStream* pStream) {
  IPersistStreamInit* init = nullptr;
  if (SUCCEEDED(m_pControl->QueryInterface(IID_IPersistStreamInit,
                                           reinterpret_cast<void**>(&init)))) {
    const HRESULT hr = pStream != nullptr ? init->Load(pStream) : init->InitNew();
    init->Release();
    return hr;
  }
  // Nothing to initialise; but data that cannot be loaded fails the control.
  if (pStream == nullptr) return S_OK;
  IPersistStream* persist = nullptr;
  HRESULT hr =
      m_pControl->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist));
  if (FAILED(hr)) return hr;
  hr = persist->Load(pStream);
  persist->Release();
  return hr;
}

HRESULT ActiveXSite::AttachClientSite(BOOL bSet) {
  if (m_pOleObject == nullptr) return E_NOINTERFACE;
  m_bClientSiteSet = bSet;
  return m_pOleObject->SetClientSite(bSet ? static_cast<IOleClientSite*>(this) : nullptr);
}

void ActiveXSite::TakeViewObject() {
  struct Level {
    const IID* iid;
    int level;
  };
  static const Level kLevels[] = {
      {&IID_IViewObjectEx, kViewObjectEx},
      {&IID_IViewObject2, kViewObject2},
      {&IID_IViewObject, kViewObject},
  };
  for (const Level& level : kLevels) {
    if (SUCCEEDED(m_pControl->QueryInterface(*level.iid,
                                             reinterpret_cast<void**>(&m_pViewObject)))) {
      m_nViewLevel = level.level;
      return;
    }
    m_pViewObject = nullptr;
  }
}

HRESULT ActiveXSite::InPlaceActivate() {
  if (m_dwMiscStatus & (OLEMISC_INVISIBLEATRUNTIME | OLEMISC_NOUIACTIVATE)) return S_FALSE;
  if (m_pOleObject == nullptr) return E_UNEXPECTED;
  RECT rc = m_rcPos;
  const HRESULT hr = m_pOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr,
                                          static_cast<IOleClientSite*>(this), 0, HostWindow(), &rc);
  if (FAILED(hr) || m_pOleObject == nullptr) return E_UNEXPECTED;
  // A windowless control need not announce itself with ShowObject: once active it is shown.
  m_bInPlaceActive = TRUE;
  m_bVisible = TRUE;
  return S_OK;
}

void ActiveXSite::ReleaseControl() {
  if (m_pControl == nullptr) return;
  // The control may call back while it goes; it keeps a reference to itself meanwhile.
  IUnknown* control = m_pControl;
  control->AddRef();
  if (m_bInPlaceActive) {
    m_bInPlaceActive = FALSE;
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(control->QueryInterface(IID_IOleInPlaceObject,
                                          reinterpret_cast<void**>(&inPlace)))) {
      inPlace->InPlaceDeactivate();
      inPlace->Release();
    }
  }
  if (m_pOleObject != nullptr) m_pOleObject->Close(OLECLOSE_NOSAVE);
  if (m_bClientSiteSet) AttachClientSite(FALSE);
  if (m_bAdvised && m_pViewObject != nullptr) {
    m_bAdvised = FALSE;
    m_pViewObject->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
  }
  if (m_bLockedRunning) {
    m_bLockedRunning = FALSE;
    OleLockRunning(control, FALSE, TRUE);
  }
  ReleaseInterfaces();
  control->Release();
}

void ActiveXSite::ReleaseInterfaces() {
  ReleaseInterface(m_pInPlaceWindowless);
  ReleaseInterface(m_pViewObject);
  ReleaseInterface(m_pOleObject);
  ReleaseInterface(m_pControl);
  m_nViewLevel = kViewNone;
  m_dwMiscStatus = 0;
  m_bVisible = FALSE;
  m_bInPlaceActive = FALSE;
  m_bWindowless = FALSE;
  m_bCapture = FALSE;
  m_bHaveFocus = FALSE;
  m_bClientSiteSet = FALSE;
  m_bAdvised = FALSE;
}

void ActiveXSite::Detach() {
  if (IsDetached()) return;
  ReleaseControl();
  ReleaseInterface(m_pDocHostUIHandler);
  m_pDelegate = nullptr;
}

void ActiveXSite::SetDocHostUIHandler(IDocHostUIHandler* pHandler) {
  if (IsDetached()) return;
  if (pHandler != nullptr) pHandler->AddRef();
  ReleaseInterface(m_pDocHostUIHandler);
  m_pDocHostUIHandler = pHandler;
}

HRESULT ActiveXSite::SetObjectRects(const RECT& rcPos) {
  m_rcPos = rcPos;
  if (!m_bInPlaceActive || m_pControl == nullptr) return S_FALSE;
  IOleInPlaceObject* inPlace = nullptr;
  HRESULT hr =
      m_pControl->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace));
  if (FAILED(hr)) return hr;
  hr = inPlace->SetObjectRects(&m_rcPos, &m_rcPos);
  inPlace->Release();
  return hr;
}

HRESULT ActiveXSite::SetExtent(SIZE sizePixels) {
  if (m_pOleObject == nullptr) return E_UNEXPECTED;
  const SIZE dpi = SHimetric::WindowDpi(nullptr);
  SIZEL extent = {SHimetric::FromPixels(sizePixels.cx, dpi.cx),
                  SHimetric::FromPixels(sizePixels.cy, dpi.cy)};
  return m_pOleObject->SetExtent(DVASPECT_CONTENT, &extent);
}

HWND ActiveXSite::ControlWindow() const {
  if (m_pControl == nullptr) return nullptr;
  IOleWindow* window = nullptr;
  if (FAILED(m_pControl->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
    return nullptr;
  }
  HWND hwnd = nullptr;
  if (FAILED(window->GetWindow(&hwnd)) || !::IsWindow(hwnd)) hwnd = nullptr;
  window->Release();
  return hwnd;
}

void ActiveXSite::ShowControlWindow(BOOL bShow) {
  HWND hwnd = ControlWindow();
  if (hwnd == nullptr) return;
  HWND focus = ::GetFocus();
  const bool hadFocus = focus != nullptr && (focus == hwnd || ::IsChild(hwnd, focus));
  ::ShowWindow(hwnd, bShow ? SW_SHOWNA : SW_HIDE);
  if (bShow || !hadFocus) return;
  if (HWND host = HostWindow()) ::SetFocus(host);
}

BOOL ActiveXSite::DrawControl(HDC hdc, const RECT& rcClip) {
  if (!m_bVisible || m_pViewObject == nullptr) return FALSE;
  RECT meet;
  if (!::IntersectRect(&meet, &m_rcPos, &rcClip)) return FALSE;
  const RECTL bounds = {m_rcPos.left, m_rcPos.top, m_rcPos.right, m_rcPos.bottom};
  return SUCCEEDED(m_pViewObject->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, hdc,
                                       &bounds, nullptr, nullptr, 0));
}

LRESULT ActiveXSite::OnWindowMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  bHandled = FALSE;
  if (!m_bInPlaceActive || !m_bWindowless || m_pInPlaceWindowless == nullptr) return 0;
  // The control may let go of itself while it handles the message.
  IOleInPlaceObjectWindowless* windowless = m_pInPlaceWindowless;
  windowless->AddRef();
  LRESULT result = 0;
  windowless->OnWindowMessage(uMsg, wParam, lParam, &result);
  windowless->Release();
  bHandled = TRUE;
  return result;
}

HWND ActiveXSite::HostWindow() const {
  return m_pDelegate != nullptr ? m_pDelegate->GetAxHostWindow() : nullptr;
}

HRESULT ActiveXSite::QuerySiteInterface(REFIID riid, void** ppvObject) {
  *ppvObject = nullptr;
  IUnknown* found = nullptr;
  if (riid == IID_IOleClientSite) {
    found = static_cast<IOleClientSite*>(this);
  } else if (riid == IID_IOleControlSite) {
    found = static_cast<IOleControlSite*>(this);
  } else if (riid == IID_IOleInPlaceSite || riid == IID_IOleInPlaceSiteEx ||
             riid == IID_IOleInPlaceSiteWindowless) {
    found = static_cast<IOleInPlaceSiteWindowless*>(this);
  } else if (riid == IID_IAdviseSink) {
    found = static_cast<IAdviseSink*>(this);
  } else if (riid == IID_IDocHostUIHandler && m_pDocHostUIHandler != nullptr) {
    found = m_pDocHostUIHandler;
  }
  if (found == nullptr) return E_NOINTERFACE;
  found->AddRef();
  *ppvObject = found;
  return S_OK;
}

// ---- IOleClientSite ------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE ActiveXSite::SaveObject() {
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk) {
  if (ppmk != nullptr) *ppmk = nullptr;
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::GetContainer(IOleContainer** ppContainer) {
  if (IsDetached()) return E_UNEXPECTED;
  if (ppContainer == nullptr) return E_POINTER;
  *ppContainer = GetOleContainer();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::ShowObject() {
  if (IsDetached()) return E_UNEXPECTED;
  if (!::IsWindow(HostWindow()) || ::IsRectEmpty(&m_rcPos) || !m_bInPlaceActive) return E_FAIL;
  m_bVisible = TRUE;
  m_pDelegate->OnAxInvalidate(&m_rcPos, TRUE);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::OnShowWindow(BOOL fShow) {
  if (IsDetached()) return E_UNEXPECTED;
  m_bVisible = fShow ? TRUE : FALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::RequestNewObjectLayout() {
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

// ---- IOleControlSite -----------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE ActiveXSite::OnControlInfoChanged() {
  return IsDetached() ? E_UNEXPECTED : S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::LockInPlaceActive(BOOL) {
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::GetExtendedControl(IDispatch** ppDisp) {
  if (ppDisp != nullptr) *ppDisp = nullptr;
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::TransformCoords(POINTL*, POINTF*, DWORD) {
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::TranslateAccelerator(MSG*, DWORD) {
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::OnFocus(BOOL) {
  return IsDetached() ? E_UNEXPECTED : S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::ShowPropertyFrame() {
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

// ---- IOleWindow ----------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE ActiveXSite::GetWindow(HWND* phwnd) {
  if (IsDetached()) return E_UNEXPECTED;
  if (phwnd == nullptr) return E_POINTER;
  *phwnd = HostWindow();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::ContextSensitiveHelp(BOOL) {
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

// ---- IOleInPlaceSite -----------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE ActiveXSite::CanInPlaceActivate() {
  return IsDetached() ? E_UNEXPECTED : S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::OnInPlaceActivate() {
  return IsDetached() ? E_UNEXPECTED : S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::OnUIActivate() {
  return IsDetached() ? E_UNEXPECTED : S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::GetWindowContext(IOleInPlaceFrame** ppFrame,
                                                        IOleInPlaceUIWindow** ppDoc,
                                                        LPRECT lprcPosRect, LPRECT lprcClipRect,
                                                        LPOLEINPLACEFRAMEINFO lpFrameInfo) {
  if (IsDetached()) return E_UNEXPECTED;
  if (ppFrame == nullptr || ppDoc == nullptr || lprcPosRect == nullptr ||
      lprcClipRect == nullptr || lpFrameInfo == nullptr) {
    return E_POINTER;
  }
  *ppFrame = nullptr;
  *ppDoc = nullptr;
  *lprcPosRect = m_rcPos;
  *lprcClipRect = m_rcPos;
  lpFrameInfo->fMDIApp = FALSE;
  lpFrameInfo->hwndFrame = HostWindow();
  lpFrameInfo->haccel = nullptr;
  lpFrameInfo->cAccelEntries = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::Scroll(SIZE) {
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::OnUIDeactivate(BOOL) {
  return IsDetached() ? E_UNEXPECTED : S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::OnInPlaceDeactivate() {
  if (IsDetached()) return E_UNEXPECTED;
  m_bInPlaceActive = FALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::DiscardUndoState() {
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::DeactivateAndUndo() {
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::OnPosRectChange(LPCRECT lprcPosRect) {
  if (IsDetached()) return E_UNEXPECTED;
  if (lprcPosRect == nullptr) return E_POINTER;
  if (::EqualRect(lprcPosRect, &m_rcPos)) return S_OK;
  const RECT rc = *lprcPosRect;
  SetObjectRects(rc);
  SetExtent(SIZE{rc.right - rc.left, rc.bottom - rc.top});
  return S_OK;
}

// ---- IOleInPlaceSiteEx ---------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE ActiveXSite::OnInPlaceActivateEx(BOOL* pfNoRedraw, DWORD dwFlags) {
  if (IsDetached() || m_pControl == nullptr) return E_UNEXPECTED;
  if (pfNoRedraw != nullptr) *pfNoRedraw = FALSE;
  if (!m_bLockedRunning && SUCCEEDED(OleLockRunning(m_pControl, TRUE, FALSE))) {
    m_bLockedRunning = TRUE;
  }
  if (!(dwFlags & ACTIVATE_WINDOWLESS)) return S_FALSE;
  ReleaseInterface(m_pInPlaceWindowless);
  m_bWindowless = SUCCEEDED(m_pControl->QueryInterface(
      IID_IOleInPlaceObjectWindowless, reinterpret_cast<void**>(&m_pInPlaceWindowless)));
  if (!m_bWindowless) m_pInPlaceWindowless = nullptr;
  return m_bWindowless ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::OnInPlaceDeactivateEx(BOOL) {
  return OnInPlaceDeactivate();
}

HRESULT STDMETHODCALLTYPE ActiveXSite::RequestUIActivate() {
  return IsDetached() ? E_UNEXPECTED : S_OK;
}

// ---- IOleInPlaceSiteWindowless -------------------------------------------------------------

HRESULT STDMETHODCALLTYPE ActiveXSite::CanWindowlessActivate() {
  return IsDetached() ? E_UNEXPECTED : S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::GetCapture() {
  if (IsDetached()) return E_UNEXPECTED;
  return m_bCapture ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::SetCapture(BOOL fCapture) {
  if (IsDetached()) return E_UNEXPECTED;
  const BOOL capture = fCapture ? TRUE : FALSE;
  if (capture == m_bCapture) return S_OK;
  m_bCapture = capture;
  m_pDelegate->OnAxSetCapture(capture);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::GetFocus() {
  if (IsDetached()) return E_UNEXPECTED;
  return m_bHaveFocus ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::SetFocus(BOOL fFocus) {
  if (IsDetached()) return E_UNEXPECTED;
  m_bHaveFocus = fFocus ? TRUE : FALSE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::GetDC(LPCRECT pRect, DWORD grfFlags, HDC* phDC) {
  if (phDC != nullptr) *phDC = nullptr;
  if (IsDetached()) return E_UNEXPECTED;
  if (phDC == nullptr) return E_POINTER;
  return m_pDelegate->OnAxGetDC(pRect, grfFlags, phDC);
}

HRESULT STDMETHODCALLTYPE ActiveXSite::ReleaseDC(HDC hDC) {
  if (IsDetached()) return E_UNEXPECTED;
  return m_pDelegate->OnAxReleaseDC(hDC);
}

HRESULT STDMETHODCALLTYPE ActiveXSite::InvalidateRect(LPCRECT pRect, BOOL fErase) {
  if (IsDetached()) return E_UNEXPECTED;
  m_pDelegate->OnAxInvalidate(pRect != nullptr ? pRect : &m_rcPos, fErase);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::InvalidateRgn(HRGN, BOOL fErase) {
  if (IsDetached()) return E_UNEXPECTED;
  m_pDelegate->OnAxInvalidate(&m_rcPos, fErase);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::ScrollRect(INT, INT, LPCRECT, LPCRECT) {
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::AdjustRect(LPRECT) {
  return IsDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ActiveXSite::OnDefWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                                                          LRESULT* plResult) {
  if (IsDetached()) return E_UNEXPECTED;
  if (plResult == nullptr) return E_POINTER;
  HWND host = HostWindow();
  *plResult = host != nullptr ? ::DefWindowProcW(host, msg, wParam, lParam) : 0;
  return S_OK;
}

// ---- IAdviseSink ---------------------------------------------------------------------------

void STDMETHODCALLTYPE ActiveXSite::OnDataChange(FORMATETC*, STGMEDIUM*) {}
void STDMETHODCALLTYPE ActiveXSite::OnViewChange(DWORD, LONG) {}
void STDMETHODCALLTYPE ActiveXSite::OnRename(IMoniker*) {}
void STDMETHODCALLTYPE ActiveXSite::OnSave() {}
void STDMETHODCALLTYPE ActiveXSite::OnClose() {}

}  // namespace SWUI
