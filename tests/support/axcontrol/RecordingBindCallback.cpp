#include "RecordingBindCallback.h"

#include <cwchar>

bool RecordingBindCallback::Saw(const wchar_t* name) const {
  const size_t n = wcslen(name);
  for (const std::wstring& call : calls) {
    if (call.compare(0, n, name) == 0) return true;
  }
  return false;
}

HRESULT STDMETHODCALLTYPE RecordingBindCallback::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IBindStatusCallback) {
    *ppv = static_cast<IBindStatusCallback*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE RecordingBindCallback::OnStartBinding(DWORD, IBinding*) {
  calls.emplace_back(L"OnStartBinding");
  return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingBindCallback::OnStopBinding(HRESULT hresult, LPCWSTR) {
  wchar_t text[48];
  swprintf(text, 48, L"OnStopBinding(0x%lX)", static_cast<unsigned long>(hresult));
  calls.emplace_back(text);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingBindCallback::GetBindInfo(DWORD* grfBINDF, BINDINFO*) {
  calls.emplace_back(L"GetBindInfo");
  if (grfBINDF != nullptr) *grfBINDF = 0;  // synchronous
  return S_OK;
}
