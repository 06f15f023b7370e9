#include "control/SFlashCtrl.h"

#include <oleauto.h>

#include "core/SAttrParse.h"

namespace SWUI {

namespace {

// The movie player's class and its automation interface.
const CLSID kClsidMoviePlayer = {
    0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID kIidMovieAutomation = {
    0xD27CDB6C, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

}  // namespace

SFlashCtrl::SFlashCtrl() { m_clsid = kClsidMoviePlayer; }

SFlashCtrl::~SFlashCtrl() { ReleaseFlash(); }

HRESULT SFlashCtrl::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"url")) {
    m_strUrl = value;
    if (!bLoading && m_pFlash != nullptr) PutStringProperty(L"Movie", m_strUrl);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  return SActiveX::SetAttribute(name, value, bLoading);
}

void SFlashCtrl::OnAxActivate(IUnknown* pCtrl) {
  SActiveX::OnAxActivate(pCtrl);
  ReleaseFlash();
  if (pCtrl == nullptr ||
      FAILED(pCtrl->QueryInterface(kIidMovieAutomation, reinterpret_cast<void**>(&m_pFlash)))) {
    m_pFlash = nullptr;
    return;
  }
  PutStringProperty(L"WMode", SStringW(L"transparent"));
  if (!m_strUrl.IsEmpty()) PutStringProperty(L"Movie", m_strUrl);
}

void SFlashCtrl::OnDestroy() {
  // The control goes with the site: nothing of it may be held past that.
  ReleaseFlash();
  SActiveX::OnDestroy();
}

void SFlashCtrl::ReleaseFlash() {
  if (m_pFlash == nullptr) return;
  IDispatch* flash = m_pFlash;
  m_pFlash = nullptr;
  flash->Release();
}

HRESULT SFlashCtrl::PutStringProperty(LPCWSTR name, const SStringW& value) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = m_pFlash->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_BSTR;
  arg.bstrVal = SysAllocStringLen(value.c_str(), static_cast<UINT>(value.GetLength()));
  if (arg.bstrVal == nullptr) return E_OUTOFMEMORY;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&arg, &named, 1, 1};
  // The control may let go of its interface while it loads.
  IDispatch* flash = m_pFlash;
  flash->AddRef();
  hr = flash->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                     nullptr, nullptr);
  flash->Release();
  VariantClear(&arg);
  return hr;
}

}  // namespace SWUI
