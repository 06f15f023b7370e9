// The smallest IDispatch an object can answer with: no type information, no names, nothing
// to invoke. A derived object that can no longer be used says so through IsDispatchUsable,
// and every call then answers E_UNEXPECTED. IUnknown is the derived object's.
#pragma once
#include <ole2.h>

namespace SWUI {

class MinimumIDispatchImpl : public IDispatch {
 public:
  // 0 type infos.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  // E_NOTIMPL.
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames,
                                          LCID lcid, DISPID* rgDispId) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                   DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                   EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

 protected:
  ~MinimumIDispatchImpl() = default;
  virtual bool IsDispatchUsable() const = 0;

 private:
  HRESULT NotImplemented() const { return IsDispatchUsable() ? E_NOTIMPL : E_UNEXPECTED; }
};

}  // namespace SWUI
