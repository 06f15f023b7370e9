// A windowless text-editing element: the text itself is kept, edited, laid out and drawn by
// the system's windowless text services (riched20.dll), for which the element is the host
// (STextHost). Keys, mouse, focus, timers and the caret reach the text services through the
// element; their notifications come back as EventRENotify. A right click shows the edit
// context menu (SRicheditMenuDef's template in an SMenu).
//
// Scroll bars are the panel's (SPanel): the text services show, enable and position them
// through the host, and a scroll step of the panel (its bars, the wheel of a multi-line edit)
// scrolls the text services, whose position the bar then takes.
//
// Every element message no handler takes goes to the text services (SwndProc), so the whole
// EM_ vocabulary works through SSendMessage. UI thread only.
//
// A plain-text edit without scroll bars, drag and drop, RTF or change notices makes its text
// services only when first focused, hovered or sent anything beyond its text, settings and
// plain text without control characters; until then it keeps its text itself and shared
// text services of its configuration (STextPainter) draw it, so it looks the same.
#pragma once
#include <memory>
#include "control/SPanel.h"
#include "control/STextHost.h"
#include "control/STextPicture.h"
#include "core/STimer2.h"

namespace SWUI {

class STextPainter;

// Bits of SRichEdit's flag word.
enum RichEditFlag : DWORD {
  REF_AUTOWORDSEL = 0x1,
  REF_WORDWRAP = 0x2,
  REF_RICH = 0x4,
  REF_SAVESELECTION = 0x8,
  REF_TRANSPARENT = 0x10,
  REF_VERTICAL = 0x20,
  REF_ALLOWBEEP = 0x40,
  REF_WANTTAB = 0x80,
  REF_VCENTER = 0x100,
  REF_SCROLLGUARD = 0x200,  // the element and the text services synchronise scroll positions
  REF_ENABLEDRAGDROP = 0x400,
  REF_AUTOSEL = 0x800,  // select all on taking the focus
  REF_NOTIFYCHANGE = 0x1000,
};

class SRichEdit : public SPanel {
  SWUI_CLASS_NAME(SPanel, L"richedit")
  friend class STextHost;
  friend class STextPainter;

 public:
  // Commands of the edit menu template.
  enum MenuCmd : UINT {
    MENU_CUT = 1,
    MENU_COPY = 2,
    MENU_PASTE = 3,
    MENU_DEL = 4,
    MENU_SELALL = 5,
  };

  // Focusable, clipping its children, the built-in border as non-client skin, events 8200,
  // 16000 and 16001; flags autoWordSel, rich, saveSelection and vcenter; ES_AUTOHSCROLL;
  // maxBuf 32767, password character '*'.
  SRichEdit();
  ~SRichEdit() override;

  // ---- text and selection ----------------------------------------------------------------
  // The text services' text (WM_GETTEXTLENGTH + 1 characters through WM_GETTEXT).
  SStringW GetWindowText(BOOL bRawText = FALSE) override;
  // WM_SETTEXT (a text longer than maxBuf raises maxBuf to its length), then invalidates.
  void SetWindowText(LPCWSTR lpszText) override;
  int GetWindowTextLength();
  // The low word is the start, the high word the end; EM_SCROLLCARET unless bNoScroll.
  void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
  void ReplaceSel(LPCWSTR pszText, BOOL bCanUndo = TRUE);
  BOOL SetReadOnly(BOOL bReadOnly);
  // 0 means 32767.
  BOOL SetLimitText(int nLength);
  int GetLimitText() const { return m_cchTextMost; }

  // ---- formats and modes -----------------------------------------------------------------
  // The default text colour (alpha dropped); answers the previous one.
  COLORREF SetDefaultTextColor(COLORREF cr);
  void SetWordWrap(BOOL bWordWrap);
  void SetRichText(BOOL bRich);
  void SetSaveSelection(BOOL bSaveSelection);
  // PFA_LEFT, PFA_RIGHT or PFA_CENTER for the default paragraph format.
  void SetAlign(WORD wAlignment);
  const CHARFORMAT2W& GetDefaultCharFormat() const { return m_cfDef; }
  const PARAFORMAT2& GetDefaultParaFormat() const { return m_pfDef; }
  DWORD GetStyleBits() const { return m_dwStyle; }
  DWORD GetEditFlags() const { return m_fFlags; }
  // The text's inset within the client rectangle, in HIMETRIC (the centring of a single line
  // included).
  const RECT& GetViewInset() const { return m_rcInset; }
  // The rectangle the text services lay the text out in: the client rectangle less the inset.
  RECT GetServicesRect() const;

  // RTF from a file (EM_STREAMIN) or into one (EM_STREAMOUT); FALSE when the file cannot be
  // opened or the stream fails.
  BOOL LoadRtf(LPCWSTR pszFileName);
  BOOL SaveRtf(LPCWSTR pszFileName);

  // The text services (null before creation, while they wait to be made, or when none could
  // be made).
  ITextServices* GetTextServices() const;
  // Makes the text services when they wait to be made; TRUE when the edit has them.
  BOOL EnsureTextServices();

  // ---- element overrides -----------------------------------------------------------------
  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SPanel::SetAttribute;
  // The style and flag bits set by name ("multiLines", "readOnly", ...).
  HRESULT DefAttributeProc(const SStringW& strAttribName, const SStringW& strValue,
                           BOOL bLoading) override;
  // Arrows and characters; Tab with wantTab, Return with ES_WANTRETURN.
  UINT OnGetDlgCode() override;
  // Inside the client rectangle the text services set the cursor (TRUE); outside FALSE.
  BOOL OnSetCursor(const POINT& pt) override;
  // The text size plus the scaled inset on each axis that wraps its content.
  SIZE GetDesiredSize(LPCRECT pRcContainer) override;
  using SWindow::GetDesiredSize;

 protected:
  // The panel's step, then the text services scroll (WM_VSCROLL / WM_HSCROLL) and the bar
  // takes their position; TRUE when either moved.
  BOOL OnScroll(BOOL bVertical, UINT uCode, int nPos) override;
  // Fires EventRENotify; the hr its handlers leave.
  virtual HRESULT OnTxNotify(DWORD iNotify, LPVOID pv);
  // For subclasses: SWindow's handling, then the default text colour follows the style's
  // normal colour (enabled) or its disabled one, when set (disabled).
  void OnEnable(BOOL bEnable, UINT nStatus);

  // Message map handlers.
  int OnCreate(LPVOID lpCreateParam);
  void OnDestroy();
  void OnPaint(IRenderTarget* pRT);
  LRESULT OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnSetFocus(SwndHandle swndOld);
  void OnKillFocus(SwndHandle swndNew);
  void OnTimer(char idEvent);
  LRESULT OnTimer2(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnLButtonDown(UINT nFlags, POINT point);
  void OnLButtonUp(UINT nFlags, POINT point);
  void OnRButtonDown(UINT nFlags, POINT point);
  LRESULT OnMouseMsg(UINT uMsg, WPARAM wParam, LPARAM lParam);
  LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  LRESULT OnSetFont(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  LRESULT OnSetText(UINT uMsg, WPARAM wParam, LPARAM lParam);
  LRESULT OnSetCharFormat(UINT uMsg, WPARAM wParam, LPARAM lParam);
  LRESULT OnSetParaFormat(UINT uMsg, WPARAM wParam, LPARAM lParam);
  LRESULT OnSetReadOnly(UINT uMsg, WPARAM wParam, LPARAM lParam);
  LRESULT OnSetLimitText(UINT uMsg, WPARAM wParam, LPARAM lParam);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_CREATE(OnCreate)
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_PAINT_EX(OnPaint)
  SWND_MESSAGE_HANDLER(WM_NCCALCSIZE, OnNcCalcSize)
  MSG_WM_SETFOCUS_EX(OnSetFocus)
  MSG_WM_KILLFOCUS_EX(OnKillFocus)
  MSG_WM_TIMER_EX(OnTimer)
  SWND_MESSAGE_HANDLER(UM_TIMER2, OnTimer2)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_RBUTTONDOWN(OnRButtonDown)
  SWND_MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMsg)
  SWND_MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
  MSG_WM_KEYDOWN(OnKeyDown)
  MSG_WM_CHAR(OnChar)
  SWND_MESSAGE_HANDLER(WM_SETFONT, OnSetFont)
  MSG_WM_SHOWWINDOW(OnShowWindow)
  SWND_MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnMouseMsg)
  SWND_MESSAGE_HANDLER(WM_SETTEXT, OnSetText)
  SWND_MESSAGE_HANDLER(EM_SETPARAFORMAT, OnSetParaFormat)
  SWND_MESSAGE_HANDLER(EM_SETCHARFORMAT, OnSetCharFormat)
  SWND_MESSAGE_HANDLER(EM_SETREADONLY, OnSetReadOnly)
  SWND_MESSAGE_HANDLER(EM_EXLIMITTEXT, OnSetLimitText)
  SWND_END_MSG_MAP(SPanel)

  // EM_GETRECT answers the client rectangle; any other message goes to the text services and
  // counts as handled unless they answer an error. Keys the element declined stay unhandled.
  BOOL SwndProc(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;

  // The default formats from a font (null: the style's) and the paragraph format from the
  // alignment bits of the style.
  void InitDefaultCharFormat(HFONT hFont);
  void InitDefaultParaFormat();
  // Tells the text services that property bits changed (no-op before creation).
  void TxPropertyBitsChange(DWORD dwMask, DWORD dwBits);
  // Tells the text services that the default character format changed.
  void RenewCharFormat();
  // Tells the text services that maxBuf changed.
  void ApplyMaxLength();
  HRESULT TxSend(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult = nullptr);
  // The host active and the services' UI activated and focused, or the reverse.
  void ActivateServices(BOOL bActive);
  // The pixel inset at the element's scale.
  RECT ScaledInset() const;
  // The insets and extent in HIMETRIC from the client rectangle, told to the services.
  void UpdateInsetAndExtent();
  // The attribute "rtf": "type:name" of a resource, else a file name.
  BOOL LoadRtfSource(const SStringW& source);
  BOOL StreamInRtf(const BYTE* data, size_t size);
  // The drop target registered again (enableDragdrop and not read-only) or revoked.
  void UpdateDropTarget();
  // A bar as the text services set it: the fields of si (range or position) with the page
  // they answer, applied together so the page is in force when the position is kept in range.
  void SyncScrollBar(BOOL bVertical, SCROLLINFO si, BOOL bRedraw);
  // Mode bits that the text services read through TxGetPropertyBits.
  DWORD GetPropertyBits() const;
  // Makes the host and its text services and starts them; FALSE when none can be made.
  BOOL CreateServices();
  // What a host's new text services are told first (the edit's own and the painters').
  void StartServices(STextHost* pHost);
  // The text services drawing their text into text, clipped to rc of a render target, the
  // surface's alpha kept.
  static void DrawServices(ITextServices* pServ, IRenderTarget* pRT, const RECT& rc,
                           const RECT& text);
  // Whether the text services may wait: plain text, no scroll bars, drop target, RTF source
  // or change notices.
  BOOL CanDeferServices() const;
  // Everything the text services read of the edit but its text and where it is shown.
  std::vector<BYTE> PainterKey() const;
  // The painter of a configuration, made on first use; null when none can be made.
  STextPainter* Painter(const std::vector<BYTE>& key);
  // The text drawn while the services wait: the last picture put back when it still holds,
  // else drawn by the painter.
  void PaintDeferred(IRenderTarget* pRT);
  // While the services wait: the messages answered without them (the text, settings the
  // services read when made); FALSE for any other.
  BOOL AnswerDeferred(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  void SetEditFlag(DWORD bit, BOOL on);
  // The flag, and the property bit told to the text services.
  void SetFlagBit(DWORD bit, BOOL on, DWORD txtBit);

  CHARFORMAT2W m_cfDef;
  PARAFORMAT2 m_pfDef;
  int m_cchTextMost = 32767;
  WCHAR m_chPasswordChar = L'*';
  LONG m_lAccelPos = -1;
  SIZEL m_sizelExtent = {0, 0};
  RECT m_rcInset = {0, 0, 0, 0};       // HIMETRIC
  RECT m_rcInsetPixel = {0, 0, 0, 0};  // pixels at scale 100
  RECT m_rcTextInset = {0, 0, 0, 0};   // pixels at the element's scale, centring included
  int m_nFontHeight = 0;
  DWORD m_dwStyle = ES_AUTOHSCROLL;
  DWORD m_fFlags = REF_AUTOWORDSEL | REF_RICH | REF_SAVESELECTION | REF_VCENTER;
  SStringW m_strRtfSrc;
  STextHost* m_pTxtHost = nullptr;
  // The text services wait to be made; meanwhile the edit keeps its text.
  BOOL m_bServicesDeferred = FALSE;
  SStringW m_strDeferredText;
  // The last picture drawn while the services wait (made with the first drawing).
  std::unique_ptr<STextPicture> m_picture;
  HIMC m_hSavedImc = nullptr;
  BOOL m_bImcDetached = FALSE;
  BOOL m_bDropTargetRegistered = FALSE;
};

}  // namespace SWUI
