// The server side of axtestctl.dll: one class object per variant and the two entries COM
// looks for.
#include <ole2.h>

#include "AxTestControl.h"
#include "AxTestRecord.h"
#include "TestControl.h"

namespace axtest {

namespace {

class ClassFactory final : public IClassFactory {
 public:
  explicit ClassFactory(Variant variant) : variant_(variant) { ObjectCreated(); }
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *ppv = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto* control = new TestControl(variant_);
    const HRESULT hr = control->QueryInterface(riid, ppv);
    control->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    axtest::LockServer(lock != FALSE);
    return S_OK;
  }

 private:
  ~ClassFactory() { ObjectDestroyed(); }

  Variant variant_;
  LONG refs_ = 1;
};

}  // namespace

}  // namespace axtest

extern "C" HRESULT AxTestClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  axtest::Variant variant;
  if (!axtest::VariantOf(rclsid, &variant)) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new axtest::ClassFactory(variant);
  const HRESULT hr = factory->QueryInterface(riid, ppv);
  factory->Release();
  return hr;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  return AxTestClassObject(rclsid, riid, ppv);
}

STDAPI DllCanUnloadNow() { return axtest::CanUnload() ? S_OK : S_FALSE; }
