#include "control/SAxContainerImpl.h"

namespace SWUI {

HRESULT STDMETHODCALLTYPE SAxContainerImpl::QueryInterface(REFIID riid, void** ppvObject) {
  if (ppvObject == nullptr) return E_POINTER;
  if (void* own = ContainerInterface(riid)) {
    AddRef();
    *ppvObject = own;
    return S_OK;
  }
  return QuerySiteInterface(riid, ppvObject);
}

ULONG STDMETHODCALLTYPE SAxContainerImpl::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&m_cRef));
}

ULONG STDMETHODCALLTYPE SAxContainerImpl::Release() {
  const LONG left = InterlockedDecrement(&m_cRef);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

IOleContainer* SAxContainerImpl::GetOleContainer() {
  AddRef();
  return static_cast<IOleContainer*>(this);
}

}  // namespace SWUI
