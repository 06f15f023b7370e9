#include "TestControl.h"

#include <oleauto.h>

#include "AxTestControl.h"
#include "AxTestRecord.h"

namespace axtest {

namespace {

// The movie player's automation interface, which the stand-in answers.
const IID kIidMovieAutomation = {
    0xD27CDB6C, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

constexpr DWORD kBaseStatus = OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT;
constexpr DISPID kDispWMode = 1;
constexpr DISPID kDispMovie = 2;

}  // namespace

bool VariantOf(REFCLSID clsid, Variant* variant) {
  struct Entry {
    const CLSID* clsid;
    Variant variant;
  };
  static const Entry kEntries[] = {
      {&kClsidAxWindowless, Variant::kWindowless}, {&kClsidAxSiteFirst, Variant::kSiteFirst},
      {&kClsidAxInvisible, Variant::kInvisible},   {&kClsidAxWindowed, Variant::kWindowed},
      {&kClsidAxStandIn, Variant::kStandIn},
  };
  for (const Entry& entry : kEntries) {
    if (IsEqualCLSID(clsid, *entry.clsid)) {
      *variant = entry.variant;
      return true;
    }
  }
  return false;
}

TestControl::TestControl(Variant variant) : variant_(variant) {
  ObjectCreated();
  ControlCreated();
}

TestControl::~TestControl() {
  if (site_ != nullptr) site_->Release();
  if (sink_ != nullptr) sink_->Release();
  ControlDestroyed();
  ObjectDestroyed();
}

HRESULT STDMETHODCALLTYPE TestControl::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  const bool windowless = variant_ != Variant::kWindowed;
  if (riid == IID_IUnknown || riid == IID_IOleObject) {
    *ppv = static_cast<IOleObject*>(this);
  } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject) {
    *ppv = static_cast<IOleInPlaceObject*>(this);
  } else if (riid == IID_IOleInPlaceObjectWindowless && windowless) {
    *ppv = static_cast<IOleInPlaceObjectWindowless*>(this);
  } else if (riid == IID_IViewObject || riid == IID_IViewObject2 || riid == IID_IViewObjectEx) {
    *ppv = static_cast<IViewObjectEx*>(this);
  } else if (riid == IID_IPersist || riid == IID_IPersistStreamInit) {
    *ppv = static_cast<IPersistStreamInit*>(this);
  } else if ((riid == IID_IDispatch || riid == kIidMovieAutomation) &&
             variant_ == Variant::kStandIn) {
    *ppv = static_cast<IDispatch*>(this);
  }
  if (*ppv == nullptr) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE TestControl::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG STDMETHODCALLTYPE TestControl::Release() {
  const LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// ---- IOleObject ----------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TestControl::SetClientSite(IOleClientSite* pClientSite) {
  Record(L"SetClientSite(%ls)", pClientSite != nullptr ? L"site" : L"null");
  if (pClientSite != nullptr) pClientSite->AddRef();
  if (site_ != nullptr) site_->Release();
  site_ = pClientSite;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::GetClientSite(IOleClientSite** ppClientSite) {
  if (ppClientSite == nullptr) return E_POINTER;
  *ppClientSite = site_;
  if (site_ != nullptr) site_->AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::Close(DWORD) {
  Record(L"Close");
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite,
                                              LONG, HWND, LPCRECT) {
  Record(L"DoVerb(%ld)", static_cast<long>(iVerb));
  if (iVerb != OLEIVERB_INPLACEACTIVATE) return E_NOTIMPL;
  return ActivateInPlace(pActiveSite != nullptr ? pActiveSite : site_);
}

HRESULT TestControl::ActivateInPlace(IOleClientSite* site) {
  if (site == nullptr) return E_UNEXPECTED;
  IOleInPlaceSiteWindowless* inPlace = nullptr;
  HRESULT hr =
      site->QueryInterface(IID_IOleInPlaceSiteWindowless, reinterpret_cast<void**>(&inPlace));
  if (FAILED(hr)) return hr;
  BOOL noRedraw = TRUE;
  hr = inPlace->OnInPlaceActivateEx(&noRedraw, ACTIVATE_WINDOWLESS);
  Record(L"OnInPlaceActivateEx=0x%lX", static_cast<unsigned long>(hr));
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* doc = nullptr;
  RECT pos = {};
  RECT clip = {};
  OLEINPLACEFRAMEINFO info = {};
  info.cb = sizeof(info);
  hr = inPlace->GetWindowContext(&frame, &doc, &pos, &clip, &info);
  Record(L"GetWindowContext=0x%lX", static_cast<unsigned long>(hr));
  if (frame != nullptr) frame->Release();
  if (doc != nullptr) doc->Release();
  inPlace->Release();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::SetExtent(DWORD, SIZEL* psizel) {
  if (psizel == nullptr) return E_POINTER;
  Record(L"SetExtent(%ld,%ld)", static_cast<long>(psizel->cx), static_cast<long>(psizel->cy));
  extent_ = *psizel;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::GetExtent(DWORD, SIZEL* psizel) {
  if (psizel == nullptr) return E_POINTER;
  *psizel = extent_;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::GetMiscStatus(DWORD, DWORD* pdwStatus) {
  if (pdwStatus == nullptr) return E_POINTER;
  Record(L"GetMiscStatus");
  *pdwStatus = kBaseStatus;
  if (variant_ == Variant::kSiteFirst) *pdwStatus |= OLEMISC_SETCLIENTSITEFIRST;
  if (variant_ == Variant::kInvisible) *pdwStatus |= OLEMISC_INVISIBLEATRUNTIME;
  return S_OK;
}

// ---- in-place object -----------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TestControl::GetWindow(HWND* phwnd) {
  if (phwnd == nullptr) return E_POINTER;
  *phwnd = nullptr;
  return E_FAIL;  // no window of its own, whichever variant
}

HRESULT STDMETHODCALLTYPE TestControl::InPlaceDeactivate() {
  Record(L"InPlaceDeactivate");
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::SetObjectRects(LPCRECT lprcPosRect, LPCRECT) {
  if (lprcPosRect == nullptr) return E_POINTER;
  Record(L"SetObjectRects(%ld,%ld,%ld,%ld)", static_cast<long>(lprcPosRect->left),
         static_cast<long>(lprcPosRect->top), static_cast<long>(lprcPosRect->right),
         static_cast<long>(lprcPosRect->bottom));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                                                       LRESULT* plResult) {
  Record(L"OnWindowMessage(0x%X,0x%X,%d,%d)", msg, static_cast<unsigned>(wParam),
         static_cast<int>(static_cast<short>(LOWORD(lParam))),
         static_cast<int>(static_cast<short>(HIWORD(lParam))));
  if (plResult != nullptr) *plResult = static_cast<LRESULT>(msg);
  return S_OK;
}

// ---- view object ---------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TestControl::Draw(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC hdcDraw,
                                            LPCRECTL lprcBounds, LPCRECTL,
                                            BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  if (hdcDraw == nullptr || lprcBounds == nullptr) return E_INVALIDARG;
  const RECT rc = {lprcBounds->left, lprcBounds->top, lprcBounds->right, lprcBounds->bottom};
  HBRUSH brush = CreateSolidBrush(FillColour());
  if (brush == nullptr) return E_OUTOFMEMORY;
  FillRect(hdcDraw, &rc, brush);
  DeleteObject(brush);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::SetAdvise(DWORD aspects, DWORD, IAdviseSink* pAdvSink) {
  Record(L"SetAdvise(%lu,%ls)", static_cast<unsigned long>(aspects),
         pAdvSink != nullptr ? L"sink" : L"null");
  if (pAdvSink != nullptr) pAdvSink->AddRef();
  if (sink_ != nullptr) sink_->Release();
  sink_ = pAdvSink;
  sinkAspects_ = aspects;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::GetAdvise(DWORD* pAspects, DWORD* pAdvf,
                                                 IAdviseSink** ppAdvSink) {
  if (pAspects != nullptr) *pAspects = sinkAspects_;
  if (pAdvf != nullptr) *pAdvf = 0;
  if (ppAdvSink != nullptr) {
    *ppAdvSink = sink_;
    if (sink_ != nullptr) sink_->AddRef();
  }
  return S_OK;
}

// ---- persistence ---------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TestControl::GetClassID(CLSID* pClassID) {
  if (pClassID == nullptr) return E_POINTER;
  *pClassID = kClsidAxWindowless;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::Load(LPSTREAM) {
  Record(L"Load");
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::InitNew() {
  Record(L"InitNew");
  return variant_ == Variant::kSiteFirst ? E_FAIL : S_OK;
}

// ---- automation ----------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TestControl::GetTypeInfoCount(UINT* pctinfo) {
  if (pctinfo == nullptr) return E_POINTER;
  *pctinfo = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames,
                                                     LCID, DISPID* rgDispId) {
  if (rgszNames == nullptr || rgDispId == nullptr || cNames != 1) return E_INVALIDARG;
  if (lstrcmpiW(rgszNames[0], L"WMode") == 0) {
    rgDispId[0] = kDispWMode;
  } else if (lstrcmpiW(rgszNames[0], L"Movie") == 0) {
    rgDispId[0] = kDispMovie;
  } else {
    rgDispId[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TestControl::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags,
                                              DISPPARAMS* pDispParams, VARIANT*, EXCEPINFO*,
                                              UINT*) {
  const wchar_t* name = dispIdMember == kDispWMode   ? L"WMode"
                        : dispIdMember == kDispMovie ? L"Movie"
                                                     : nullptr;
  if (name == nullptr) return DISP_E_MEMBERNOTFOUND;
  const bool put = (wFlags & DISPATCH_PROPERTYPUT) != 0 && pDispParams != nullptr &&
                   pDispParams->cArgs == 1 && pDispParams->cNamedArgs == 1 &&
                   pDispParams->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT &&
                   pDispParams->rgvarg[0].vt == VT_BSTR;
  if (!put) {
    Record(L"Invoke %ls: not a string put", name);
    return DISP_E_BADPARAMCOUNT;
  }
  Record(L"Put %ls=%ls", name, pDispParams->rgvarg[0].bstrVal);
  return S_OK;
}

}  // namespace axtest
