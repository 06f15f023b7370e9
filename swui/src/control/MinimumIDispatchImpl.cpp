#include "control/MinimumIDispatchImpl.h"

namespace SWUI {

HRESULT STDMETHODCALLTYPE MinimumIDispatchImpl::GetTypeInfoCount(UINT* pctinfo) {
  if (!IsDispatchUsable()) return E_UNEXPECTED;
  if (pctinfo == nullptr) return E_POINTER;
  *pctinfo = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE MinimumIDispatchImpl::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo != nullptr) *ppTInfo = nullptr;
  return NotImplemented();
}

HRESULT STDMETHODCALLTYPE MinimumIDispatchImpl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                                              DISPID*) {
  return NotImplemented();
}

HRESULT STDMETHODCALLTYPE MinimumIDispatchImpl::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*,
                                                       VARIANT*, EXCEPINFO*, UINT*) {
  return NotImplemented();
}

}  // namespace SWUI
