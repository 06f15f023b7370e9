// A movie player control in the element tree ("flash"): an ActiveX element preset to the
// movie player's class. Once the control is up its automation interface gets the window mode
// "transparent" and the movie "url"; a later "url" loads that movie. The player itself is not
// part of the system: where it is not installed the element stays empty.
#pragma once
#include <oaidl.h>

#include "control/SActiveX.h"

namespace SWUI {

class SFlashCtrl : public SActiveX {
  SWUI_CLASS_NAME(SActiveX, L"flash")

 public:
  SFlashCtrl();
  ~SFlashCtrl() override;

  // "url" (S_FALSE; applied at once when the control is up and the attribute does not come
  // from the layout), then SActiveX's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SActiveX::SetAttribute;

  const SStringW& GetUrl() const { return m_strUrl; }
  // The control's automation interface, null while there is none.
  IDispatch* GetFlashInterface() const { return m_pFlash; }

 protected:
  // Takes the automation interface, sets "WMode" and, with a url, "Movie".
  void OnAxActivate(IUnknown* pCtrl) override;
  void OnDestroy();

  SWND_BEGIN_MSG_MAP()
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SActiveX)

 private:
  // A string property put through IDispatch: its id by name, then a property put of a BSTR.
  HRESULT PutStringProperty(LPCWSTR name, const SStringW& value);
  void ReleaseFlash();

  SStringW m_strUrl;
  IDispatch* m_pFlash = nullptr;
};

}  // namespace SWUI
