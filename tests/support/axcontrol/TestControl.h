// Inside axtestctl.dll: the test control, one class for every variant (AxTestControl.h). It
// records the calls the host makes and answers them as a small windowless control does.
#pragma once
#include <ocidl.h>
#include <ole2.h>

namespace axtest {

enum class Variant { kWindowless, kSiteFirst, kInvisible, kWindowed, kStandIn };

// The variant of a class id; false for a class id the DLL does not serve.
bool VariantOf(REFCLSID clsid, Variant* variant);

class TestControl final : public IOleObject,
                    public IOleInPlaceObjectWindowless,
                    public IViewObjectEx,
                    public IPersistStreamInit,
                    public IDispatch {
 public:
  explicit TestControl(Variant variant);
  TestControl(const TestControl&) = delete;
  TestControl& operator=(const TestControl&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleObject
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* pClientSite) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** ppClientSite) override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Close(DWORD dwSaveOption) override;
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DoVerb(LONG iVerb, LPMSG lpmsg, IOleClientSite* pActiveSite,
                                   LONG lindex, HWND hwndParent, LPCRECT lprcPosRect) override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD dwAspect, DWORD* pdwStatus) override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IOleWindow, IOleInPlaceObject, IOleInPlaceObjectWindowless
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT lprcPosRect, LPCRECT lprcClipRect) override;
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                                            LRESULT* plResult) override;
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget**) override { return E_NOTIMPL; }

  // IViewObject, IViewObject2, IViewObjectEx: Draw fills the bounds with the fill colour.
  HRESULT STDMETHODCALLTYPE Draw(DWORD dwDrawAspect, LONG lindex, void* pvAspect,
                                 DVTARGETDEVICE* ptd, HDC hdcTargetDev, HDC hdcDraw,
                                 LPCRECTL lprcBounds, LPCRECTL lprcWBounds,
                                 BOOL(STDMETHODCALLTYPE* pfnContinue)(ULONG_PTR),
                                 ULONG_PTR dwContinue) override;
  HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                        LOGPALETTE**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* pAdvSink) override;
  HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* pAspects, DWORD* pAdvf,
                                      IAdviseSink** ppAdvSink) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD, LONG, DVTARGETDEVICE*, LPSIZEL) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetRect(DWORD, LPRECTL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetViewStatus(DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryHitPoint(DWORD, LPCRECT, POINT, LONG, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE QueryHitRect(DWORD, LPCRECT, LPCRECT, LONG, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetNaturalExtent(DWORD, LONG, DVTARGETDEVICE*, HDC,
                                             DVEXTENTINFO*, LPSIZEL) override {
    return E_NOTIMPL;
  }

  // IPersist, IPersistStreamInit
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* pClassID) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE Load(LPSTREAM) override;
  HRESULT STDMETHODCALLTYPE Save(LPSTREAM, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InitNew() override;

  // IDispatch (the stand-in's automation interface): "WMode" 1 and "Movie" 2, put as BSTRs.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames,
                                          LCID lcid, DISPID* rgDispId) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                   DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                   EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

 private:
  ~TestControl();
  // What a windowless control asks of its in-place site when it activates.
  HRESULT ActivateInPlace(IOleClientSite* site);

  Variant variant_;
  LONG refs_ = 1;
  IOleClientSite* site_ = nullptr;
  IAdviseSink* sink_ = nullptr;
  DWORD sinkAspects_ = 0;
  SIZEL extent_ = {0, 0};
};

}  // namespace axtest
