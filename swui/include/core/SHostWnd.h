// The top-level native window that hosts one element tree: a container (SwndContainerImpl)
// and a native window (CSimpleWnd) at once. It builds its tree from a layout resource (or an
// "SWUI" element handed to InitFromXml), keeps the window's size and styles in step with the
// root element, paints the tree into a memory render target and copies the invalid part to
// the screen (through a layered window when translucent), owns the caret and the tooltip of
// its tree, drives element timers and animation frames, and receives every event that
// bubbles out of its tree (HandleEvent). Dialogs, drop-downs and the program's windows derive
// from it. UI thread only; other threads reach it through the notify centre.
//
// Lifetime: constructed, CreateEx (the tree is built while WM_CREATE is handled), shown by its
// owner, WM_DESTROY (the tree goes; the window type decides whether the loop ends). The
// object outlives its window; destroying the object destroys a window it still has.
#pragma once
#include <windows.h>

#include <pugixml.hpp>
#include <vector>

#include "IRegion.h"
#include "IRenderTarget.h"
#include "core/CSimpleWnd.h"
#include "core/IToolTip.h"
#include "base/SAutoRefPtr.h"
#include "core/SCaret.h"
#include "core/SDummyWnd.h"
#include "core/SHostWndAttr.h"
#include "core/SSkinPool.h"
#include "core/SStaticBackground.h"
#include "core/SwndContainerImpl.h"
#include "res.mgr/SStylePool.h"

namespace SWUI {

class EventArgs;
class EventSwndSize;
struct IScriptModule;

// Private messages of host windows.
constexpr UINT UM_HANDLEEVENT = 0x2BDA;   // lParam: EventArgs*, sent on the UI thread
constexpr UINT SPYMSG_SETSPY = 0x2EF8;    // lParam: the inspector window
constexpr UINT SPYMSG_SWNDENUM = 0x2EF9;  // wParam: element (0 root), lParam: GSW_* code
constexpr UINT SPYMSG_SWNDINFO = 0x2EFA;  // wParam: element (0 root)
constexpr UINT SPYMSG_HITTEST = 0x2EFB;   // lParam: screen point
// WM_COPYDATA's dwData of an inspection record.
constexpr ULONG_PTR SPYMSG_COPYDATA_ID = 12026;

#pragma pack(push, 2)
// What the inspector is told about one element.
struct SWNDINFO {
  DWORD swnd;
  RECT rcWnd;
  RECT rcClient;
  BOOL bVisible;
  int nId;
  WCHAR szName[251];      // "##buf overflow!" for a name of 251 characters or more
  WCHAR szClassName[51];  // the same for a class name of 51 or more
  WCHAR szXmlStr[5001];   // always "##unavailable!"
};
#pragma pack(pop)
static_assert(sizeof(SWNDINFO) == 10650, "the inspector reads a record of 10650 bytes");

class SHostWnd : public SwndContainerImpl, public CSimpleWnd {
 public:
  // The flags of a paint driven by the dummy window: only what changed is pushed.
  static constexpr UINT kPaintFromDummy = 0x80000000;
  // Root element timers: the caret blink and the animation frames (10 ms).
  enum { kTimerCaret = 1, kTimerNextFrame = 2 };
  static constexpr UINT kFrameInterval = 10;

  // layoutName: "TYPE:name" or a name of type "LAYOUT"; empty for a host whose tree is given
  // later (InitFromXml).
  explicit SHostWnd(LPCWSTR layoutName = nullptr);
  ~SHostWnd() override;

  // The existing window when there is one. cx or cy 0: the layout decides the size and the
  // window is centred over the parent.
  HWND CreateEx(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle, int x, int y, int cx, int cy);
  // WS_CLIPCHILDREN | WS_MAXIMIZEBOX, no extended style.
  HWND Create(HWND hWndParent, int x = 0, int y = 0, int cx = 0, int cy = 0);
  // Rebuilds the whole host from an "SWUI" element: pools, attributes, styles, the tree and
  // the size (nonzero width or height override the layout's). FALSE for an empty element or
  // without a window.
  virtual BOOL InitFromXml(pugi::xml_node xmlNode, int nWidth, int nHeight);
  // Shows or hides with an animation (AW_* flags); a translucent host draws its own frames,
  // one per 10 ms (at least one).
  BOOL AnimateHostWindow(DWORD dwTime, DWORD dwFlags);

  SHostWndAttr& GetHostAttr() { return m_hostAttr; }
  const SStringW& GetLayoutName() const { return m_strLayout; }
  // The tooltip, made when an element first offers a tip; null until then.
  IToolTip* GetToolTip() const { return m_pTipCtrl; }
  // The retained surface the tree is painted into (client coordinates).
  IRenderTarget* GetMemRenderTarget() const { return m_memRT; }
  HWND GetDummyHwnd() const { return m_dummyWnd.m_hWnd; }
  // Registers the window's drop-target dispatcher with OLE unless it is registered (creation
  // does so, unless the host was told to wait); TRUE when registered.
  BOOL RegisterDropTarget();
  // Before creation: the window registers its drop target only when RegisterDropTarget is
  // called (a program whose start-up puts it after the first paint).
  void DeferDropTarget() { m_bRegisterDropTarget = FALSE; }

  // ---- ISwndContainer: the host's side ---------------------------------------------------
  BOOL OnFireEvent(EventArgs& evt) override;
  HWND GetHostHwnd() override { return m_hWnd; }
  SStringW GetTranslatorContext() const override { return m_hostAttr.GetTrCtx(); }
  BOOL IsTranslucent() const override { return m_hostAttr.IsTranslucent(); }
  BOOL IsSendWheel2Hover() const override { return m_hostAttr.IsSendWheel2Hover(); }
  void GetContainerRect(RECT* prc) const override;
  IRenderTarget* OnGetRenderTarget(const RECT& rc, DWORD gdcFlags) override;
  void OnReleaseRenderTarget(IRenderTarget* pRT, const RECT& rc, DWORD gdcFlags) override;
  void OnRedraw(const RECT& rc) override;
  BOOL OnReleaseSwndCapture() override;
  SwndHandle OnSetSwndCapture(SwndHandle swnd) override;
  BOOL CreateCaret(SwndHandle owner, HBITMAP hBmp, int nWidth, int nHeight) override;
  BOOL ShowCaret(BOOL bShow) override;
  BOOL SetCaretPos(int x, int y) override;
  BOOL UpdateWindow() override;
  void UpdateTooltip() override;
  BOOL RegisterTimelineHandler(ITimelineHandler* pHandler) override;
  BOOL UnregisterTimelineHandler(ITimelineHandler* pHandler) override;
  SMessageLoop* GetMsgLoop() override;
  IScriptModule* GetScriptModule() override { return m_pScriptModule; }
  int GetScale() const override { return m_nScale; }

  // A window sized by its content follows its root's size (not while handling its own
  // WM_SIZE).
  virtual BOOL OnRootSizeChanged(EventSwndSize* evt);
  // Every event that bubbles out of the tree; FALSE here. Derived windows answer theirs.
  virtual BOOL HandleEvent(EventArgs* evt);

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

  // Paints what is invalid into the memory target and pushes it: into dc (null: the window's
  // own DC, or the layered update when translucent). flags: WM_PRINT's, or kPaintFromDummy.
  void OnPrint(HDC dc, UINT flags);

 protected:
  // Whether creation registers the window's drop target (hosts that never take a drop, such
  // as popup menus, clear it before creating the window; DeferDropTarget clears it too).
  BOOL m_bRegisterDropTarget = TRUE;
  // Whether a translucent host makes the dummy window that drives its repaints only when its
  // owner asks (EnsureDummyWnd, before the window first shows) instead of at once.
  BOOL m_bDummyOnFirstShow = FALSE;
  // Makes the dummy window of a translucent host that has none yet.
  void EnsureDummyWnd();

  // The root's class and hooks (see SwndContainerImpl).
  LPCWSTR RootClassName() const override { return L"hostwnd"; }
  BOOL IsRootClass(LPCWSTR className) const override;
  void GetRootClientRect(LPRECT prect) const override;
  void OnRootRequestRelayout(SWindow* pSource, BOOL bSourceResizable) override;
  void OnRootUpdateLayout() override;
  void OnRootBeforePaint(IRenderTarget* pRT, SPainter& painter) override;
  void OnRootAfterPaint(IRenderTarget* pRT, SPainter& painter) override;
  BOOL OnRootLanguageChanged() override;
  void OnRootScaleChanged(int scale) override;
  BOOL OnRootInitFromXml(pugi::xml_node xmlNode) override;

  // Copies rc of the memory target to the screen: BitBlt into dc (the window's DC when
  // null), or, translucent and without dc, the layered update. The update's result.
  BOOL PushToScreen(HDC dc, const RECT& rc);
  // The layered update of rc (null: the whole window) from a surface of the window's size,
  // at an opacity.
  BOOL UpdateLayered(IRenderTarget* surface, const RECT* rc, BYTE alpha);
  // Sends WM_xBUTTONUP for a button whose press the host saw and no release yet.
  void ReleaseHeldButtons();
  // The resize-border code of a screen point (HTCLIENT when not resizable or maximised).
  LRESULT OnNcHitTest(POINT ptScreen);

 private:
  friend class SDummyWnd;

  bool OnRootSizeEvent(EventSwndSize* evt) { return OnRootSizeChanged(evt) != FALSE; }
  int OnCreate(LPCREATESTRUCTW cs);
  void OnDestroy();
  void OnSize(UINT nType, int cx, int cy);
  void OnMouseEvent(UINT uMsg, WPARAM wParam, LPARAM lParam);
  BOOL OnKeyEvent(UINT uMsg, WPARAM wParam, LPARAM lParam);
  BOOL OnTimer(UINT_PTR id);
  void OnGetMinMaxInfo(MINMAXINFO* mmi);
  LRESULT OnUpdateSwnd(SwndHandle swnd);
  LRESULT OnScriptTimer(UINT_PTR id, LPARAM handler);
  LRESULT OnHandleEvent(LPARAM lParam);
  LRESULT OnSpyMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
  // WM_CHANGEUISTATE and WM_UPDATEUISTATE: sets or clears the UISF_ bits; the window is
  // repainted when they change.
  void OnChangeUiState(WORD action, WORD flags);
  BOOL ProcessHostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

  // InitFromXml's steps.
  void LoadPrivatePools(pugi::xml_node xmlNode);
  void RunScript(pugi::xml_node script);
  void ApplyWindowStyles();
  void SetupTranslucency();
  SIZE ResolveInitialSize(int nWidth, int nHeight);

  // Invalidates the window (the dummy window when translucent).
  void InvalidateHost(const RECT* rc);
  // Whether the area still needs telling the system; if so it is recorded as told.
  bool NoteNativeInvalid(const RECT& area);
  // The window has just been shown.
  void OnShown();
  // Makes the tooltip if there is none yet; false when none can be made.
  bool EnsureToolTip();
  void DrawCaret(bool push);
  UINT_PTR RootTimerId(UINT id) const;
  void ReleasePrivatePools();
  BOOL AnimateTranslucent(DWORD dwTime, DWORD dwFlags);

  SDummyWnd m_dummyWnd;
  SHostWndAttr m_hostAttr;
  SStringW m_strLayout;
  SAutoRefPtr<SCaret> m_caret;
  BOOL m_bCaretShowing = FALSE;
  BOOL m_bCaretActive = FALSE;  // drawn into the memory target
  POINT m_ptCaret = {0, 0};
  BOOL m_bNeedRepaint = FALSE;
  BOOL m_bNeedAllRepaint = TRUE;
  IToolTip* m_pTipCtrl = nullptr;
  // What the keyboard cues show (WM_QUERYUISTATE): focus rectangles hidden until the keyboard
  // moves the focus, unless the system always shows them.
  WORD m_uiState = UISF_HIDEFOCUS | UISF_HIDEACCEL;
  SAutoRefPtr<IRegion> m_rgnInvalidate;
  // The rectangles invalidated natively since the last paint, the latest kNativeInvalidKept.
  static constexpr size_t kNativeInvalidKept = 8;
  std::vector<RECT> m_lstNativeInvalid;
  SAutoRefPtr<IRenderTarget> m_memRT;
  // The static parts of the tree, copied under every paint.
  SStaticBackground m_staticBackground;
  BOOL m_bResizing = FALSE;
  SAutoRefPtr<SStylePool> m_privateStylePool;
  SAutoRefPtr<SSkinPool> m_privateSkinPool;
  std::vector<SwndHandle> m_lstUpdateSwnd;
  std::vector<RECT> m_lstUpdatedRect;
  BOOL m_bRendering = FALSE;
  MSG m_msgMouse = {};
  IScriptModule* m_pScriptModule = nullptr;
  int m_nScale = 100;
  HWND m_hSpyWnd = nullptr;
  BOOL m_bSizeFromContent = FALSE;
  BOOL m_bDropTargetRegistered = FALSE;
};

}  // namespace SWUI
