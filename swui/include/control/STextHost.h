// The host that a rich edit gives the system's text services: it answers their questions
// from the edit's formats, flags and rectangles and turns their requests (repaints, caret,
// timers, capture, focus, scroll bars, notifications) into the edit's own operations.
//
// Ownership: the edit holds the reference that keeps the host alive (the count starts at 0
// and the edit adds the first); the text services keep no reference to it. The host owns the
// text services and releases them in Shutdown, while the edit still answers their last
// callbacks; from then on it answers as a host without an edit. UI thread only.
#pragma once
#include "core/STextServiceHelper.h"

namespace SWUI {

class SRichEdit;

class STextHost : public ITextHost {
 public:
  explicit STextHost(SRichEdit* pRichEdit);
  STextHost(const STextHost&) = delete;
  STextHost& operator=(const STextHost&) = delete;

  // Makes the text services through STextServiceHelper; FALSE when none can be made.
  BOOL Init();
  // Releases the text services and forgets the edit.
  void Shutdown();
  ITextServices* GetTextService() const { return m_pServ; }
  BOOL IsActive() const { return m_fActive; }
  void SetActive(BOOL bActive) { m_fActive = bActive; }
  POINT GetCaretPos() const { return m_ptCaret; }

  // IUnknown: IUnknown and ITextHost; the last release deletes the host.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // ITextHost, in the interface's slot order.
  HDC TxGetDC() override;
  INT TxReleaseDC(HDC hdc) override;
  WINBOOL TxShowScrollBar(INT fnBar, WINBOOL fShow) override;
  WINBOOL TxEnableScrollBar(INT fuSBFlags, INT fuArrowflags) override;
  WINBOOL TxSetScrollRange(INT fnBar, LONG nMinPos, INT nMaxPos, WINBOOL fRedraw) override;
  WINBOOL TxSetScrollPos(INT fnBar, INT nPos, WINBOOL fRedraw) override;
  void TxInvalidateRect(LPCRECT prc, WINBOOL fMode) override;
  void TxViewChange(WINBOOL fUpdate) override;
  WINBOOL TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight) override;
  WINBOOL TxShowCaret(WINBOOL fShow) override;
  WINBOOL TxSetCaretPos(INT x, INT y) override;
  WINBOOL TxSetTimer(UINT idTimer, UINT uTimeout) override;
  void TxKillTimer(UINT idTimer) override;
  void TxScrollWindowEx(INT dx, INT dy, LPCRECT lprcScroll, LPCRECT lprcClip, HRGN hrgnUpdate,
                        LPRECT lprcUpdate, UINT fuScroll) override;
  void TxSetCapture(WINBOOL fCapture) override;
  void TxSetFocus() override;
  void TxSetCursor(HCURSOR hcur, WINBOOL fText) override;
  WINBOOL TxScreenToClient(LPPOINT lppt) override;
  WINBOOL TxClientToScreen(LPPOINT lppt) override;
  HRESULT TxActivate(LONG* plOldState) override;
  HRESULT TxDeactivate(LONG lNewState) override;
  HRESULT TxGetClientRect(LPRECT prc) override;
  HRESULT TxGetViewInset(LPRECT prc) override;
  HRESULT TxGetCharFormat(const CHARFORMATW** ppCF) override;
  HRESULT TxGetParaFormat(const PARAFORMAT** ppPF) override;
  COLORREF TxGetSysColor(int nIndex) override;
  HRESULT TxGetBackStyle(TXTBACKSTYLE* pstyle) override;
  HRESULT TxGetMaxLength(DWORD* plength) override;
  HRESULT TxGetScrollBars(DWORD* pdwScrollBar) override;
  HRESULT TxGetPasswordChar(TCHAR* pch) override;
  HRESULT TxGetAcceleratorPos(LONG* pcp) override;
  HRESULT TxGetExtent(LPSIZEL lpExtent) override;
  HRESULT OnTxCharFormatChange(const CHARFORMATW* pcf) override;
  HRESULT OnTxParaFormatChange(const PARAFORMAT* ppf) override;
  HRESULT TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) override;
  HRESULT TxNotify(DWORD iNotify, void* pv) override;
  HIMC TxImmGetContext() override;
  void TxImmReleaseContext(HIMC himc) override;
  HRESULT TxGetSelectionBarWidth(LONG* lSelBarWidth) override;

 protected:
  virtual ~STextHost();
  // The edit answered for from now on (null: none).
  void SetEdit(SRichEdit* pRichEdit) { m_pRichEdit = pRichEdit; }

 private:
  // The host window of the edit's tree, null without one.
  HWND HostHwnd() const;

  BOOL m_fActive = FALSE;
  LONG m_cRefs = 0;
  ITextServices* m_pServ = nullptr;
  SRichEdit* m_pRichEdit;
  POINT m_ptCaret = {0, 0};
};

}  // namespace SWUI
