#include "control/SRicheditDropTarget.h"

namespace SWUI {

SRicheditDropTarget::SRicheditDropTarget(ITextServices* pTxtSvr) : m_pServ(pTxtSvr) {
  if (m_pServ != nullptr) m_pServ->AddRef();
}

SRicheditDropTarget::~SRicheditDropTarget() {
  if (m_pServ != nullptr) m_pServ->Release();
}

HRESULT STDMETHODCALLTYPE SRicheditDropTarget::QueryInterface(REFIID riid, void** ppvObject) {
  if (ppvObject == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDropTarget) {
    *ppvObject = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *ppvObject = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE SRicheditDropTarget::AddRef() { return ++m_cRef; }

ULONG STDMETHODCALLTYPE SRicheditDropTarget::Release() {
  const LONG left = --m_cRef;
  if (left == 0) delete this;
  return left;
}

IDropTarget* SRicheditDropTarget::ServicesTarget() const {
  IDropTarget* target = nullptr;
  if (m_pServ == nullptr || FAILED(m_pServ->TxGetDropTarget(&target))) return nullptr;
  return target;
}

template <class Call>
HRESULT SRicheditDropTarget::ForwardDrag(DWORD* pdwEffect, Call call) const {
  if (pdwEffect == nullptr) return E_INVALIDARG;
  IDropTarget* target = ServicesTarget();
  if (target == nullptr) {
    *pdwEffect = DROPEFFECT_NONE;
    return S_OK;
  }
  const HRESULT hr = call(target);
  target->Release();
  *pdwEffect = DROPEFFECT_COPY;
  return hr;
}

HRESULT STDMETHODCALLTYPE SRicheditDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState,
                                                         POINTL pt, DWORD* pdwEffect) {
  return ForwardDrag(pdwEffect, [&](IDropTarget* target) {
    return target->DragEnter(pDataObj, grfKeyState, pt, pdwEffect);
  });
}

HRESULT STDMETHODCALLTYPE SRicheditDropTarget::DragOver(DWORD grfKeyState, POINTL pt,
                                                        DWORD* pdwEffect) {
  return ForwardDrag(
      pdwEffect, [&](IDropTarget* target) { return target->DragOver(grfKeyState, pt, pdwEffect); });
}

HRESULT STDMETHODCALLTYPE SRicheditDropTarget::DragLeave() {
  IDropTarget* target = ServicesTarget();
  if (target == nullptr) return S_OK;
  const HRESULT hr = target->DragLeave();
  target->Release();
  return hr;
}

HRESULT STDMETHODCALLTYPE SRicheditDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState,
                                                    POINTL pt, DWORD* pdwEffect) {
  if (pdwEffect == nullptr) return E_INVALIDARG;
  if (*pdwEffect == DROPEFFECT_NONE) return S_FALSE;
  IDropTarget* target = ServicesTarget();
  if (target == nullptr) {
    *pdwEffect = DROPEFFECT_NONE;
    return S_FALSE;
  }
  const HRESULT hr = target->Drop(pDataObj, grfKeyState, pt, pdwEffect);
  target->Release();
  return hr;
}

}  // namespace SWUI
