#include "control/SAxContainer.h"

namespace SWUI {

namespace {

// The services a hosted control asks its container for, answered by the container itself.
const GUID kServiceBindHost = {
    0xFC4801A1, 0x2BA9, 0x11CF, {0xA2, 0x29, 0x00, 0xAA, 0x00, 0x3D, 0x73, 0x52}};
const GUID kServiceBrowserApp = {
    0x0002DF05, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID kServiceHostSecurity = {
    0x1B36028E, 0xB491, 0x4BB2, {0x85, 0x84, 0x8A, 0x9E, 0x0A, 0x67, 0x7D, 0x6E}};

using CreateUrlMonikerExFn = HRESULT(WINAPI*)(IMoniker*, LPCWSTR, IMoniker**, DWORD);
using RegisterBindStatusCallbackFn = HRESULT(WINAPI*)(IBindCtx*, IBindStatusCallback*,
                                                      IBindStatusCallback**, DWORD);

// An entry of urlmon.dll. The module is loaded on first use and stays for the process: the
// monikers and bindings it made may outlive any one container.
template <class Fn>
Fn UrlmonEntry(const char* name) {
  static const HMODULE module = LoadLibraryW(L"urlmon.dll");
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

void* SAxContainer::ContainerInterface(REFIID riid) {
  if (riid == IID_IUnknown || riid == IID_IOleContainer || riid == IID_IParseDisplayName) {
    return static_cast<IOleContainer*>(this);
  }
  if (riid == IID_IDispatch) return static_cast<IDispatch*>(this);
  if (riid == IID_IBindHost) return static_cast<IBindHost*>(this);
  if (riid == IID_IServiceProvider) return static_cast<IServiceProvider*>(this);
  return nullptr;
}

HRESULT STDMETHODCALLTYPE SAxContainer::ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*,
                                                         IMoniker** ppmkOut) {
  if (ppmkOut != nullptr) *ppmkOut = nullptr;
  return IsAxDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE SAxContainer::EnumObjects(DWORD, IEnumUnknown** ppenum) {
  if (ppenum != nullptr) *ppenum = nullptr;
  return IsAxDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE SAxContainer::LockContainer(BOOL) {
  return IsAxDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE SAxContainer::CreateMoniker(LPOLESTR szName, IBindCtx*,
                                                      IMoniker** ppmk, DWORD) {
  if (IsAxDetached()) return E_UNEXPECTED;
  if (ppmk == nullptr) return E_POINTER;
  *ppmk = nullptr;
  if (szName == nullptr) return E_INVALIDARG;
  auto create = UrlmonEntry<CreateUrlMonikerExFn>("CreateURLMonikerEx");
  if (create == nullptr) return E_FAIL;
  return create(nullptr, szName, ppmk, URL_MK_UNIFORM);
}

HRESULT STDMETHODCALLTYPE SAxContainer::MonikerBindToStorage(IMoniker* pMk, IBindCtx* pBC,
                                                             IBindStatusCallback* pBSC,
                                                             REFIID riid, void** ppvObj) {
  if (IsAxDetached()) return E_UNEXPECTED;
  if (ppvObj == nullptr) return E_POINTER;
  *ppvObj = nullptr;
  if (pMk == nullptr) return E_INVALIDARG;
  IBindCtx* ctx = pBC;
  if (ctx != nullptr) {
    ctx->AddRef();
  } else {
    const HRESULT hr = CreateBindCtx(0, &ctx);
    if (FAILED(hr)) return hr;
  }
  HRESULT hr = S_OK;
  if (pBSC != nullptr) {
    auto registerCallback =
        UrlmonEntry<RegisterBindStatusCallbackFn>("RegisterBindStatusCallback");
    IBindStatusCallback* previous = nullptr;
    hr = registerCallback != nullptr ? registerCallback(ctx, pBSC, &previous, 0) : E_FAIL;
    if (previous != nullptr) previous->Release();
  }
  if (SUCCEEDED(hr)) hr = pMk->BindToStorage(ctx, nullptr, riid, ppvObj);
  ctx->Release();
  return hr;
}

HRESULT STDMETHODCALLTYPE SAxContainer::MonikerBindToObject(IMoniker*, IBindCtx*,
                                                            IBindStatusCallback*, REFIID,
                                                            void** ppvObj) {
  if (ppvObj != nullptr) *ppvObj = nullptr;
  return IsAxDetached() ? E_UNEXPECTED : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE SAxContainer::QueryService(REFGUID guidService, REFIID riid,
                                                     void** ppvObject) {
  if (IsAxDetached()) return E_UNEXPECTED;
  if (ppvObject == nullptr) return E_POINTER;
  *ppvObject = nullptr;
  if (guidService == kServiceBindHost || guidService == kServiceBrowserApp ||
      guidService == kServiceHostSecurity) {
    return static_cast<IOleContainer*>(this)->QueryInterface(riid, ppvObject);
  }
  return E_FAIL;
}

}  // namespace SWUI
