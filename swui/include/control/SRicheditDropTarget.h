// The OLE drop target a rich edit registers with its container: each call asks the text
// services for their own drop target and forwards to it. Text services without one (Wine's
// answer E_NOTIMPL) accept nothing: the effect is DROPEFFECT_NONE and nothing is forwarded.
// Reference-counted (starting at 1); holds a reference to the text services. UI thread only.
#pragma once
#include <ole2.h>

#include "core/STextServiceHelper.h"

namespace SWUI {

class SRicheditDropTarget : public IDropTarget {
 public:
  explicit SRicheditDropTarget(ITextServices* pTxtSvr);
  SRicheditDropTarget(const SRicheditDropTarget&) = delete;
  SRicheditDropTarget& operator=(const SRicheditDropTarget&) = delete;

  // IUnknown and IDropTarget.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // Forwarded; a target that took the drag reports DROPEFFECT_COPY.
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                      DWORD* pdwEffect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  // A drop whose effect is none answers S_FALSE without forwarding.
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                 DWORD* pdwEffect) override;

 private:
  virtual ~SRicheditDropTarget();
  // The text services' drop target with a reference, or null when they have none.
  IDropTarget* ServicesTarget() const;
  // DragEnter and DragOver: the call on the services' target, then DROPEFFECT_COPY; without a
  // target DROPEFFECT_NONE.
  template <class Call>
  HRESULT ForwardDrag(DWORD* pdwEffect, Call call) const;

  LONG m_cRef = 1;
  ITextServices* m_pServ;
};

}  // namespace SWUI
