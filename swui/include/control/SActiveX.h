// An ActiveX control in the element tree ("activex"): the element makes the control from
// "clsID" (a "{...}" class id or a programmatic id) in the class context "clscText", at
// creation or, with "delay", when it is first shown; hosts it as a windowless in-place object
// through its own site (SAxContainerImpl), paints it through its view object into the
// element's render target and passes it mouse and keyboard input. Without a control the
// element shows only its background and handles input as any element does.
//
// Ownership: the element holds its site from construction to destruction; WM_DESTROY tears
// the control down and detaches the site, so a control that still holds the site gets
// E_UNEXPECTED from it. UI thread only.
#pragma once
#include <ole2.h>

#include "control/IAxHostDelegate.h"
#include "control/SAxContainerImpl.h"
#include "core/SWindow.h"

namespace SWUI {

class SActiveX : public SWindow, protected IAxHostDelegate {
  SWUI_CLASS_NAME(SWindow, L"activex")

 public:
  SActiveX();
  ~SActiveX() override;

  // "clsID" (S_FALSE, the class id unchanged, when it names no class), "clscText", "delay",
  // then SWindow's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SWindow::SetAttribute;

  // The control's IUnknown, null while there is none.
  IUnknown* GetIUnknown() const { return m_pAxContainer->GetControlUnknown(); }
  // The site: its state and its interfaces (QueryInterface).
  SAxContainerImpl* GetAxContainer() const { return m_pAxContainer; }
  const CLSID& GetClsid() const { return m_clsid; }
  DWORD GetClsContext() const { return m_clsCtx; }
  BOOL IsDelayed() const { return m_bDelay; }

  // All keys.
  UINT OnGetDlgCode() override { return 0xFFFF; }

 protected:
  // After the control is created, activated and placed; nothing here.
  void OnAxActivate(IUnknown* pCtrl) override;
  // At the end of every creation attempt, with whether a control was made.
  virtual void OnAxCreateFinished(BOOL bCreated);

  // IAxHostDelegate.
  HWND GetAxHostWindow() override { return ContainerHostHwnd(); }
  void OnAxInvalidate(LPCRECT pRect, BOOL bErase) override;
  void OnAxSetCapture(BOOL fCapture) override;
  // No device context is handed out: null and E_FAIL (a control must not draw on a context
  // it never got).
  HRESULT OnAxGetDC(LPCRECT pRect, DWORD grfFlags, HDC* phDC) override;
  HRESULT OnAxReleaseDC(HDC hDC) override;

  // Creates the control of the class id, then runs the creation hook; FALSE when no control
  // was made (without a class id nothing is attempted and the hook does not run).
  BOOL InitActiveX();

  int OnCreate(LPVOID lpCreateParam);
  void OnDestroy();
  void OnPaint(IRenderTarget* pRT);
  void OnSize(UINT nType, SIZE size);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  LRESULT OnInputMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_CREATE(OnCreate)
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_SIZE(OnSize)
  MSG_WM_SHOWWINDOW(OnShowWindow)
  SWND_MESSAGE_RANGE_HANDLER(WM_MOUSEFIRST, WM_XBUTTONDBLCLK, OnInputMessage)
  SWND_MESSAGE_RANGE_HANDLER(WM_KEYFIRST, WM_UNICHAR, OnInputMessage)
  SWND_END_MSG_MAP(SWindow)

  CLSID m_clsid = CLSID_NULL;
  DWORD m_clsCtx = CLSCTX_ALL;
  BOOL m_bDelay = FALSE;

 private:
  SAxContainerImpl* m_pAxContainer;
};

}  // namespace SWUI
