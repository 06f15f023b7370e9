// The container half of an ActiveX control's host: the control's document as far as a single
// windowless control needs one. It binds URLs through urlmon.dll (loaded on first use), hands
// out the container's own interfaces as the services a control asks for, and exposes an
// empty IDispatch. IUnknown is the whole host object's (SAxContainerImpl); once the host is
// detached from its element every call answers E_UNEXPECTED.
#pragma once
#include <ole2.h>
#include <ocidl.h>
#include <servprov.h>
#include <urlmon.h>

#include "control/MinimumIDispatchImpl.h"

namespace SWUI {

class SAxContainer : public IOleContainer,
                     public IBindHost,
                     public IServiceProvider,
                     public MinimumIDispatchImpl {
 public:
  // IParseDisplayName and IOleContainer: E_NOTIMPL.
  HRESULT STDMETHODCALLTYPE ParseDisplayName(IBindCtx* pbc, LPOLESTR pszDisplayName,
                                             ULONG* pchEaten, IMoniker** ppmkOut) override;
  HRESULT STDMETHODCALLTYPE EnumObjects(DWORD grfFlags, IEnumUnknown** ppenum) override;
  HRESULT STDMETHODCALLTYPE LockContainer(BOOL fLock) override;

  // IBindHost. A name becomes a URL moniker; binding to storage uses the given bind context
  // or a new one and registers the given status callback first.
  HRESULT STDMETHODCALLTYPE CreateMoniker(LPOLESTR szName, IBindCtx* pBC, IMoniker** ppmk,
                                          DWORD dwReserved) override;
  HRESULT STDMETHODCALLTYPE MonikerBindToStorage(IMoniker* pMk, IBindCtx* pBC,
                                                 IBindStatusCallback* pBSC, REFIID riid,
                                                 void** ppvObj) override;
  // E_NOTIMPL.
  HRESULT STDMETHODCALLTYPE MonikerBindToObject(IMoniker* pMk, IBindCtx* pBC,
                                                IBindStatusCallback* pBSC, REFIID riid,
                                                void** ppvObj) override;

  // IServiceProvider: the three services a hosted control asks its container for are the
  // container's own interfaces (asked by riid); any other service E_FAIL.
  HRESULT STDMETHODCALLTYPE QueryService(REFGUID guidService, REFIID riid,
                                         void** ppvObject) override;

 protected:
  ~SAxContainer() = default;
  // The interface of the container's own table for riid (IUnknown, IDispatch, IOleContainer,
  // IParseDisplayName, IBindHost, IServiceProvider), without a reference; null for others.
  void* ContainerInterface(REFIID riid);
  // TRUE once the host no longer belongs to an element.
  virtual bool IsAxDetached() const = 0;
  bool IsDispatchUsable() const override { return !IsAxDetached(); }
};

}  // namespace SWUI
