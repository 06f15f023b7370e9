// The host of one ActiveX control, as one COM object: the container (SAxContainer) and the
// site (ActiveXSite) with a single reference count and identity. An element makes one for
// itself and holds the first reference; the control holds another through its client site.
// QueryInterface answers the container's interfaces first, then the site's.
#pragma once
#include "control/ActiveXSite.h"
#include "control/SAxContainer.h"

namespace SWUI {

class SAxContainerImpl final : public SAxContainer, public ActiveXSite {
 public:
  // One reference, the caller's.
  explicit SAxContainerImpl(IAxHostDelegate* pDelegate) : ActiveXSite(pDelegate) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

 protected:
  bool IsAxDetached() const override { return IsDetached() != FALSE; }
  IOleContainer* GetOleContainer() override;

 private:
  ~SAxContainerImpl() = default;

  LONG m_cRef = 1;
};

}  // namespace SWUI
