// The site half of an ActiveX control's host: it creates the control, initialises and
// activates it in place (windowless where the control can be), places it, draws it through
// its view object and passes it the element's input; the control calls back through the
// client-site, control-site, in-place-site and advise-sink interfaces, which the site answers
// from its state and its element's delegate (IAxHostDelegate).
//
// The site and the control hold each other. Detach ends that for good: the control is
// deactivated and closed, its client site and advise sink cleared, every interface released
// and the delegate forgotten; from then on every call of the site's interfaces answers
// E_UNEXPECTED (IUnknown still counts references). IUnknown is the whole host object's
// (SAxContainerImpl). Rectangles are host client coordinates. UI thread only.
#pragma once
#include <ocidl.h>
#include <ole2.h>
#include <windows.h>

#include "control/IAxHostDelegate.h"

struct IDocHostUIHandler;

namespace SWUI {

class ActiveXSite : public IOleClientSite,
                    public IOleControlSite,
                    public IOleInPlaceSiteWindowless,
                    public IAdviseSink {
 public:
  // View levels: which of the view interfaces the control gave.
  enum : int { kViewNone = 0, kViewObject = 1, kViewObject2 = 3, kViewObjectEx = 7 };

  explicit ActiveXSite(IAxHostDelegate* pDelegate) : m_pDelegate(pDelegate) {}
  ActiveXSite(const ActiveXSite&) = delete;
  ActiveXSite& operator=(const ActiveXSite&) = delete;

  // ---- the control -----------------------------------------------------------------------
  // Creates the control of a class (no aggregation, that class context) and activates it
  // (ActivateAx); on success shows or hides its own window as bVisible says, places it at
  // rcPos and runs the delegate's OnAxActivate. A failure leaves no control. The site lives
  // until this returns; E_UNEXPECTED when it was detached meanwhile (the element went while
  // the control was made), and nothing more is done then.
  HRESULT CreateControl(REFCLSID clsid, DWORD dwClsContext, const RECT& rcPos, BOOL bVisible);
  // Initialises (InitNew, or Load from pStream), sets the client site (before initialising
  // when the control asks for it), takes the view object, advises and activates in place.
  // S_FALSE when the control stays inactive by its misc status; E_UNEXPECTED when activation
  // failed or a call into the control detached the site or took the control back; an
  // initialisation failure releases the control.
  HRESULT ActivateAx(IUnknown* pControl, IStream* pStream = nullptr);
  // Deactivates, closes and releases the control; the site stays usable.
  void ReleaseControl();
  // ReleaseControl, then every other interface and the delegate: the site is done.
  void Detach();
  BOOL IsDetached() const { return m_pDelegate == nullptr; }

  IUnknown* GetControlUnknown() const { return m_pControl; }
  IOleObject* GetOleObject() const { return m_pOleObject; }
  int GetViewLevel() const { return m_nViewLevel; }
  DWORD GetMiscStatus() const { return m_dwMiscStatus; }
  const RECT& GetPosRect() const { return m_rcPos; }
  BOOL IsVisible() const { return m_bVisible; }
  BOOL IsInPlaceActive() const { return m_bInPlaceActive; }
  BOOL IsWindowless() const { return m_bWindowless; }
  BOOL HasCapture() const { return m_bCapture; }
  BOOL HasFocus() const { return m_bHaveFocus; }
  // An IDocHostUIHandler to hand out to the control (null: none, the site does not answer it).
  void SetDocHostUIHandler(IDocHostUIHandler* pHandler);

  // Stores the position and passes it to the in-place object as position and clip rectangle.
  HRESULT SetObjectRects(const RECT& rcPos);
  // The control's extent from a size in pixels (HIMETRIC at the screen's resolution).
  HRESULT SetExtent(SIZE sizePixels);
  // Shows or hides the control's own window when it has one; focus it held goes to the host
  // window.
  void ShowControlWindow(BOOL bShow);
  // Draws the control's content into the position rectangle of hdc when the site is visible,
  // has a view object and the position meets rcClip. FALSE when nothing was drawn.
  BOOL DrawControl(HDC hdc, const RECT& rcClip);
  // A window message for the windowless control; handled is FALSE when the control is not
  // in-place active and windowless.
  LRESULT OnWindowMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  // ---- IOleClientSite --------------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE SaveObject() override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker,
                                       IMoniker** ppmk) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override;
  // E_FAIL without a host window, with an empty position or while not in-place active; else
  // the site is visible and its position repainted.
  HRESULT STDMETHODCALLTYPE ShowObject() override;
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL fShow) override;
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

  // ---- IOleControlSite -------------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override;
  HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL fLock) override;
  HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** ppDisp) override;
  HRESULT STDMETHODCALLTYPE TransformCoords(POINTL* pPtlHimetric, POINTF* pPtfContainer,
                                            DWORD dwFlags) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* pMsg, DWORD grfModifiers) override;
  HRESULT STDMETHODCALLTYPE OnFocus(BOOL fGotFocus) override;
  HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override;

  // ---- IOleWindow ------------------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL fEnterMode) override;

  // ---- IOleInPlaceSite -------------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override;
  // No frame or document window; position and clip are the position rectangle; the frame is
  // the host window, not MDI, without accelerators.
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame,
                                             IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                             LPRECT lprcClipRect,
                                             LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE scrollExtant) override;
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL fUndoable) override;
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
  // A new position: stored, given to the in-place object and the extent follows its size.
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT lprcPosRect) override;

  // ---- IOleInPlaceSiteEx -----------------------------------------------------------------
  // Locks the control running; windowless (S_OK) when asked for and the control has a
  // windowless in-place object, else S_FALSE.
  HRESULT STDMETHODCALLTYPE OnInPlaceActivateEx(BOOL* pfNoRedraw, DWORD dwFlags) override;
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivateEx(BOOL fNoRedraw) override;
  HRESULT STDMETHODCALLTYPE RequestUIActivate() override;

  // ---- IOleInPlaceSiteWindowless ---------------------------------------------------------
  HRESULT STDMETHODCALLTYPE CanWindowlessActivate() override;
  // S_OK while the site holds the capture (the focus), S_FALSE otherwise.
  HRESULT STDMETHODCALLTYPE GetCapture() override;
  HRESULT STDMETHODCALLTYPE SetCapture(BOOL fCapture) override;
  HRESULT STDMETHODCALLTYPE GetFocus() override;
  HRESULT STDMETHODCALLTYPE SetFocus(BOOL fFocus) override;
  // Through the delegate, which hands out no device context (*phDC null).
  HRESULT STDMETHODCALLTYPE GetDC(LPCRECT pRect, DWORD grfFlags, HDC* phDC) override;
  HRESULT STDMETHODCALLTYPE ReleaseDC(HDC hDC) override;
  // A null rectangle means the position rectangle.
  HRESULT STDMETHODCALLTYPE InvalidateRect(LPCRECT pRect, BOOL fErase) override;
  HRESULT STDMETHODCALLTYPE InvalidateRgn(HRGN hRGN, BOOL fErase) override;
  HRESULT STDMETHODCALLTYPE ScrollRect(INT dx, INT dy, LPCRECT pRectScroll,
                                       LPCRECT pRectClip) override;
  HRESULT STDMETHODCALLTYPE AdjustRect(LPRECT prc) override;
  HRESULT STDMETHODCALLTYPE OnDefWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam,
                                               LRESULT* plResult) override;

  // ---- IAdviseSink: nothing ----------------------------------------------------------------
  void STDMETHODCALLTYPE OnDataChange(FORMATETC* pFormatetc, STGMEDIUM* pStgmed) override;
  void STDMETHODCALLTYPE OnViewChange(DWORD dwAspect, LONG lindex) override;
  void STDMETHODCALLTYPE OnRename(IMoniker* pmk) override;
  void STDMETHODCALLTYPE OnSave() override;
  void STDMETHODCALLTYPE OnClose() override;

 protected:
  ~ActiveXSite();
  // The site's own table: IOleClientSite, IOleControlSite, IOleInPlaceSite(Ex, Windowless),
  // IAdviseSink and, only while one is set, the IDocHostUIHandler; with a reference.
  // E_NOINTERFACE for others.
  HRESULT QuerySiteInterface(REFIID riid, void** ppvObject);
  // The container the control is told of (GetContainer), with a reference.
  virtual IOleContainer* GetOleContainer() = 0;

 private:
  // The host window, null without one.
  HWND HostWindow() const;
  // Sets or clears the control's client site and records that it is set.
  HRESULT AttachClientSite(BOOL bSet);
  // IPersistStreamInit::InitNew, or Load from a stream (IPersistStream::Load without it).
  HRESULT InitControl(IStream* pStream);
  // Takes the best view object the control has.
  void TakeViewObject();
  // DoVerb(OLEIVERB_INPLACEACTIVATE) unless the misc status keeps the control inactive.
  HRESULT InPlaceActivate();
  // The control's own window, null when it has none.
  HWND ControlWindow() const;
  // Forgets every interface of the control and the state that went with it.
  void ReleaseInterfaces();

  IAxHostDelegate* m_pDelegate;
  IUnknown* m_pControl = nullptr;
  IOleObject* m_pOleObject = nullptr;
  IViewObject* m_pViewObject = nullptr;
  int m_nViewLevel = kViewNone;
  IOleInPlaceObjectWindowless* m_pInPlaceWindowless = nullptr;
  IDocHostUIHandler* m_pDocHostUIHandler = nullptr;
  DWORD m_dwMiscStatus = 0;
  RECT m_rcPos = {0, 0, 0, 0};
  BOOL m_bVisible = FALSE;
  BOOL m_bInPlaceActive = FALSE;
  BOOL m_bWindowless = FALSE;
  BOOL m_bCapture = FALSE;
  BOOL m_bHaveFocus = FALSE;
  BOOL m_bClientSiteSet = FALSE;
  BOOL m_bAdvised = FALSE;
  BOOL m_bLockedRunning = FALSE;
};

}  // namespace SWUI
