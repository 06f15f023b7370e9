// A bind status callback that records the calls a binding makes of it ("OnStartBinding",
// "OnStopBinding(0x0)", ...) and asks for a synchronous binding. It lives on the test's stack:
// the count it keeps is only checked, never the reason to delete it.
#pragma once
#include <urlmon.h>

#include <string>
#include <vector>

class RecordingBindCallback : public IBindStatusCallback {
 public:
  RecordingBindCallback() = default;
  RecordingBindCallback(const RecordingBindCallback&) = delete;
  RecordingBindCallback& operator=(const RecordingBindCallback&) = delete;
  virtual ~RecordingBindCallback() = default;

  // Whether a call of that name was recorded.
  bool Saw(const wchar_t* name) const;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override;
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT hresult, LPCWSTR) override;
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* grfBINDF, BINDINFO* pbindinfo) override;
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  std::vector<std::wstring> calls;
  LONG refs = 1;
};
