// The base of every windowless element of a host window's tree: the root a container owns,
// every control and every view. An element holds its tree links, its rectangle in host client
// coordinates, its handle, state and flag words, style, texts, skins, layout objects and
// events; it is built from layout XML, laid out by its parent's layout, painted in z-order
// into memory render targets and driven by element messages from its container.
//
// Ownership: an element starts with one reference; InsertChild hands that reference to the
// tree, which releases it when the child is destroyed. Elements are reached from outside the
// tree by handle (SWindowMgr), never by a pointer kept across calls. UI thread only.
//
// Derived elements put their own attribute handling in front of SetAttribute, their own message
// map in front of ProcessSwndMessage (SwndMsgMap.h) and add their events in their constructors.
#pragma once
#include <windows.h>

#include <memory>
#include <pugixml.hpp>

#include "IRegion.h"
#include "IRenderTarget.h"
#include "core/ISkinObj.h"
#include "core/ISwndContainer.h"
#include "core/ISwndElement.h"
#include "core/ITrCtxProvider.h"
#include "base/SAutoRefPtr.h"
#include "core/SEventSet.h"
#include "core/SMsgHandleState.h"
#include "base/SObjectImpl.h"
#include "core/STrText.h"
#include "core/SwndHandle.h"
#include "core/SwndMsgMap.h"
#include "core/SwndStyle.h"
#include "core/TObjRefImpl2.h"
#include "layout/ILayout.h"
#include "layout/ILayoutElement.h"
#include "layout/ILayoutParam.h"

namespace SWUI {

class SWindow;

// The state word: hover, pushed, checked, invisible (the element or an ancestor hidden),
// disabled (the element or an ancestor disabled).
enum WndState : DWORD {
  WndState_Normal = 0,
  WndState_Hover = 0x1,
  WndState_PushDown = 0x2,
  WndState_Check = 0x4,
  WndState_Invisible = 0x8,
  WndState_Disable = 0x10,
};

// The flag word. Visible and disable are the element's own settings; the state word carries
// what follows from the ancestors as well.
enum SwndFlag : DWORD {
  SWF_VISIBLE = 0x1,
  SWF_DISABLE = 0x2,
  SWF_DISPLAY = 0x4,  // a hidden element keeps its place in the layout
  SWF_CLIPCLIENT = 0x8,
  SWF_MSGTRANSPARENT = 0x10,
  SWF_FOCUSABLE = 0x20,
  SWF_DRAWFOCUSRECT = 0x40,
  SWF_UPDATELOCKED = 0x80,
  SWF_CACHE = 0x100,
  SWF_CACHEDIRTY = 0x200,
  SWF_LAYEREDWINDOW = 0x400,
  SWF_LAYOUT_SELF = 0x800,    // the element's own children need a layout pass
  SWF_LAYOUT_CHILD = 0x1000,  // only some child's subtree does
  SWF_LAYOUT_MASK = 0x1800,
};

// Element messages of the framework (they share numbers with no window message an element
// receives).
constexpr UINT UM_SETSCALE = 2024;     // wParam: scale in percent
constexpr UINT UM_SETLANGUAGE = 2025;  // the translator changed
constexpr UINT UM_SETCOLORIZE = 2026;  // wParam: colour
// To the host window: wParam the handle of an element whose invalid region waits for Update.
constexpr UINT UM_UPDATESWND = 0x2B74;

// Drawing flags of a borrowed render target (the values of the platform's OLEDC_ flags).
enum : DWORD {
  GRT_NODRAW = 1,      // the host's pixels are neither copied in nor out
  GRT_PAINTBKGND = 2,  // what lies below is painted first, what lies above on release
  GRT_OFFSCREEN = 4,
};

// Where InsertChild puts a child.
#define ICWND_FIRST (reinterpret_cast<SWUI::SWindow*>(static_cast<UINT_PTR>(-1)))
#define ICWND_LAST (static_cast<SWUI::SWindow*>(nullptr))

// Codes of GetWindow.
enum {
  GSW_FIRSTCHILD = 0,
  GSW_LASTCHILD = 1,
  GSW_PREVSIBLING = 2,
  GSW_NEXTSIBLING = 3,
  GSW_PARENT = 4,
  GSW_OWNER = 5,
};

// The element message being processed, linked to the one it interrupted.
struct SWNDMSG {
  UINT uMsg;
  WPARAM wParam;
  LPARAM lParam;
  SWNDMSG* pPrev;
};

// What a painting pass replaced in a render target, to be put back: a font (null when none
// was selected) and a text colour (CR_INVALID when none was set).
struct SPainter {
  SAutoRefPtr<IRenderObj> oldFont;
  COLORREF oldTextColor = CR_INVALID;
};

// The tip of an element, filled by UpdateToolTip: whose it is, a cookie (0), the area in which
// it applies (host client coordinates) and its text.
struct SwndToolTipInfo {
  SwndHandle swnd = 0;
  DWORD dwCookie = 0;
  RECT rcTarget = {0, 0, 0, 0};
  SStringW strTip;
};

class SWindow : public SObjectImpl<IObject>,
                public SMsgHandleState,
                public ITrCtxProvider,
                public TObjRefImpl2<IObjRef, SWindow>,
                public ISwndElement,
                public ILayoutElement {
  SWUI_CLASS_NAME_EX(SObjectImpl<IObject>, L"window", OBJ_TYPE_WINDOW)

 public:
  // A visible, enabled, unplaced element with a live handle, the default (anchor) layout and a
  // layout parameter matching its parent, and the 14 base events.
  SWindow();
  // Gives the handle back first (from then on it resolves to nothing), then the rest.
  ~SWindow() override;
  SWindow(const SWindow&) = delete;
  SWindow& operator=(const SWindow&) = delete;

  // The element behind a handle when it is an SWindow; null otherwise.
  static SWindow* GetSwndFromHandle(SwndHandle swnd);

  // ---- identity -------------------------------------------------------------------------
  SwndHandle GetSwnd() const { return m_swnd; }
  int GetID() const override { return m_nID; }
  LPCWSTR GetName() const override { return m_strName; }
  SEventSet* GetEventSet() { return &m_evtSet; }
  ULONG_PTR GetUserData() const { return m_uData; }
  ULONG_PTR SetUserData(ULONG_PTR data);

  // ---- tree ------------------------------------------------------------------------------
  // Links a child that is not yet this element's: after pInsertAfter (ICWND_LAST or the last
  // child append, ICWND_FIRST puts it first, an element that is no child appends); the child
  // takes this element's container and enabled state and, when this element's layout does not
  // accept its layout parameter, a new one of this layout. The tree takes over the caller's
  // reference (a child of another element leaves it first, with that tree's reference).
  void InsertChild(SWindow* pNewChild, SWindow* pInsertAfter = ICWND_LAST);
  // Unlinks a direct child without releasing it; FALSE for any other element.
  BOOL RemoveChild(SWindow* pChild);
  // Invalidates, sends WM_DESTROY to, unlinks and releases a direct child.
  BOOL DestroyChild(SWindow* pChild);
  // Through the parent's DestroyChild; without a parent WM_DESTROY and one release.
  BOOL DestroyWindow();
  // Last among its siblings: painted above them.
  void BringWindowToTop();
  // GSW_FIRSTCHILD .. GSW_OWNER; null for none and any other code.
  SWindow* GetWindow(int uCode) const;
  // 0 the element itself, n >= 1 the n-th child; null past the last child.
  SWindow* GetChild(int iChild) const;
  SWindow* GetParent() const { return m_pParent; }
  SWindow* GetTopLevelParent() const;
  // TRUE when pAncestor is one of the parents (FALSE for null).
  BOOL IsDescendant(const SWindow* pAncestor) const;
  int GetChildrenCount() const { return m_nChildrenCount; }
  // Sets the container of the element and its whole subtree.
  void SetContainer(ISwndContainer* pContainer);
  ISwndContainer* GetContainer() const { return m_pContainer; }
  void SetOwner(SWindow* pOwner) { m_pOwner = pOwner; }
  SWindow* GetOwner() const { return m_pOwner; }

  // ---- lookup ----------------------------------------------------------------------------
  // The first element with the id (the name, compared exactly) within depth levels below this
  // one (-1 unlimited): each level's direct children before any grandchild. Null for id 0,
  // a null name or depth 0.
  SWindow* FindChildByID(int nID, int nDeep = -1) const;
  SWindow* FindChildByName(LPCWSTR pszName, int nDeep = -1) const;
  // The same, and the element must be a T (IsClass of T's class name); a miss writes a trace
  // line (level 3, tag "swui") and gives null.
  template <class T>
  T* FindChildByID2(int nID, int nDeep = -1) const {
    SWindow* found = FindChildByID(nID, nDeep);
    if (found != nullptr && found->IsClass(T::ClassName())) return static_cast<T*>(found);
    TraceFindByIdFailed(T::ClassName(), nID, nDeep);
    return nullptr;
  }
  template <class T>
  T* FindChildByName2(LPCWSTR pszName, int nDeep = -1) const {
    SWindow* found = FindChildByName(pszName, nDeep);
    if (found != nullptr && found->IsClass(T::ClassName())) return static_cast<T*>(found);
    TraceFindByNameFailed(T::ClassName(), pszName, nDeep);
    return nullptr;
  }

  // ---- rectangles ------------------------------------------------------------------------
  void GetWindowRect(LPRECT prect) const { *prect = m_rcWindow; }
  RECT GetWindowRect() const { return m_rcWindow; }
  // The window rectangle less the style's margin.
  void GetClientRect(LPRECT prect) const override;
  RECT GetClientRect() const;
  // The client rectangle less the style's padding.
  virtual void GetTextRect(LPRECT prect) const;
  void GetChildrenLayoutRect(RECT* prc) const override;
  SwndStyle& GetStyle() { return m_style; }
  const SwndStyle& GetStyle() const { return m_style; }
  UINT GetTextAlign() const { return m_style.GetTextAlign(); }

  // ---- state -----------------------------------------------------------------------------
  DWORD GetState() const { return m_dwState; }
  DWORD GetSwndFlags() const { return m_dwFlags; }
  // 3 disabled, else 2 pushed or checked, else 1 hover, else 0.
  int GetStateIndex() const { return StateIndexOf(m_dwState); }
  static int StateIndexOf(DWORD dwState);
  // new = (old & ~remove) | add, through OnStateChanging and OnStateChanged (always, even when
  // nothing changes); with bUpdate a redraw when NeedRedrawWhenStateChange. Answers old.
  DWORD ModifyState(DWORD dwStateAdd, DWORD dwStateRemove, BOOL bUpdate = FALSE);
  BOOL IsChecked() const { return (m_dwState & WndState_Check) != 0; }
  void SetCheck(BOOL bCheck);
  // With bCheckParent the state bit (own or inherited), else the element's own setting.
  BOOL IsDisabled(BOOL bCheckParent = FALSE) const;
  BOOL IsVisible(BOOL bCheckParent = FALSE) const;
  void SetVisible(BOOL bVisible, BOOL bUpdate = FALSE);
  void EnableWindow(BOOL bEnable, BOOL bUpdate = FALSE);
  BOOL IsFloat() const { return m_bFloat != 0; }
  BOOL IsDisplay() const { return (m_dwFlags & SWF_DISPLAY) != 0; }
  BOOL IsMsgTransparent() const { return (m_dwFlags & SWF_MSGTRANSPARENT) != 0; }
  BOOL IsUpdateLocked() const { return (m_dwFlags & SWF_UPDATELOCKED) != 0; }

  // ---- texts -----------------------------------------------------------------------------
  virtual SStringW GetWindowText(BOOL bRawText = FALSE);
  virtual void SetWindowText(LPCWSTR lpszText);
  virtual void SetToolTipText(LPCWSTR pszText);
  virtual SStringW GetToolTipText();
  // A text translated in the tree's translation context.
  virtual SStringW tr(const SStringW& strSrc) const;
  SStringW GetTrCtx() const override;

  // ---- attributes and creation -----------------------------------------------------------
  // The element's own attributes, then the style's (result marked 0x10000), the layout's
  // (0x20000) and the layout parameter's (0x40000), else DefAttributeProc.
  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SObjectImpl<IObject>::SetAttribute;
  // At run time an applied attribute that needs more makes the parent lay out again (layout
  // and layout parameter attributes) or repaints the element (all others).
  HRESULT AfterAttribute(const SStringW& strAttribName, const SStringW& strValue, BOOL bLoading,
                         HRESULT hr) override;
  // E_FAIL: nobody knows the name.
  HRESULT DefAttributeProc(const SStringW& strAttribName, const SStringW& strValue,
                           BOOL bLoading) override;
  // "layout", then "class", then the other attributes, OnInitFinished, the node's text;
  // WM_CREATE (a nonzero answer destroys the element: FALSE); the parent's state; the children;
  // a relayout request.
  BOOL InitFromXml(pugi::xml_node xmlNode) override;
  // One child per element node ("include" loads a layout in its place; nodes marked as
  // consumed are skipped; tags without factory add nothing). TRUE.
  virtual BOOL CreateChildren(pugi::xml_node xmlNode);

  // ---- layout ----------------------------------------------------------------------------
  ILayout* GetLayout() const { return m_pLayout; }
  ILayoutParam* GetLayoutParam() const override { return m_pLayoutParam; }
  // FALSE without a parent or when the parent's layout does not accept the parameter.
  BOOL SetLayoutParam(ILayoutParam* pLayoutParam);
  ILayoutElement* GetNextLayoutChild(const ILayoutElement* pCurChild) const override;
  // Marks the layout dirty and passes the request up the parents.
  virtual void RequestRelayout(SWindow* pSource, BOOL bSourceResizable);
  // When dirty, lays the children out now and marks the layout clean.
  virtual void UpdateLayout();
  virtual void UpdateChildrenPosition();
  // Where a floating child goes when its parent lays out; nothing in the base.
  virtual void OnUpdateFloatPosition(const RECT& rcParent);
  // Takes a new window rectangle (right below left becomes left, bottom above top becomes
  // top): invalidates the old and new ones, sends WM_NCCALCSIZE, lays the children out and
  // sends WM_SIZE. Nothing when neither the rectangle nor the layout changed.
  void OnRelayout(const RECT& rcWnd) override;
  // The size for a parent of that size (negative: not known yet).
  SIZE GetDesiredSize(int nParentWid, int nParentHei) override;
  // The size within the container rectangle (null: nothing known); kSizeUnknown per axis
  // that no size, parent or content decides.
  virtual SIZE GetDesiredSize(LPCRECT pRcContainer);
  // A rectangle places the element itself (floating); null gives it back to the parent's
  // layout.
  void Move(LPCRECT prect);
  // -1 for nWid or nHei keeps the current one.
  void Move(int x, int y, int nWid = -1, int nHei = -1);
  int GetScale() const override;
  // A size not known yet (kLayoutSizeUnknown).
  static const int kSizeUnknown = 0x7FFFFF;

  // ---- painting --------------------------------------------------------------------------
  // The parts of an element that the host's cached background holds (SStaticBackground).
  enum StaticPart : BYTE { kStaticNone = 0, kStaticClient = 1, kStaticNonClient = 2 };
  // Which parts a paint draws: all, only those the cached background holds (drawing it), or
  // all others (over a copy of it).
  enum class StaticPass { kAll, kOnlyStatic, kSkipStatic };
  // Paints the element and its subtree within the region (null: everything).
  void RedrawRegion(IRenderTarget* pRT, IRegion* pRgn, StaticPass pass = StaticPass::kAll);
  // Paints the elements of the subtree whose z-order lies in [iZorderBegin, iZorderEnd).
  void PaintRegionRange(IRenderTarget* pRT, IRegion* pRgn, UINT iZorderBegin, UINT iZorderEnd,
                        StaticPass pass = StaticPass::kAll);
  // Whether the element's pixels follow from its skins, text, style, state, rectangle and
  // scale alone, so that the host may keep them in its cached background (plain windows, the
  // root, static texts and images).
  virtual BOOL IsStaticContent() const;
  BYTE GetStaticParts() const { return m_staticParts; }
  void SetStaticParts(BYTE parts) { m_staticParts = parts; }
  BOOL HasShapeRegion() const { return m_shapeRgn != nullptr; }
  // Tells the container that what the host's cached background holds changed: always, or
  // only when that background holds a part of this element.
  void MarkStaticContentDirty(bool always);
  // BeforePaintEx, then PaintRegionRange.
  void PaintRegionFrom(IRenderTarget* pRT, IRegion* pRgn, UINT iZorderBegin, UINT iZorderEnd);
  // Selects what the element inherits and its own font and text colour into the target.
  void BeforePaintEx(IRenderTarget* pRT);
  virtual void BeforePaint(IRenderTarget* pRT, SPainter& painter);
  virtual void AfterPaint(IRenderTarget* pRT, SPainter& painter);
  virtual void DrawText(IRenderTarget* pRT, LPCWSTR pszBuf, int cchText, LPRECT pRect,
                        UINT uFormat);
  virtual void DrawFocus(IRenderTarget* pRT);
  // The rectangle deflated by 2, outlined with a dotted pen of 0xFF585858.
  void DrawDefFocusRect(IRenderTarget* pRT, const RECT& rcFocus);
  virtual BOOL NeedRedrawWhenStateChange();
  virtual BOOL IsDrawToCache() const;
  virtual BOOL IsLayeredWindow() const { return (m_dwFlags & SWF_LAYEREDWINDOW) != 0; }
  virtual BOOL IsClipClient() const { return (m_dwFlags & SWF_CLIPCLIENT) != 0; }

  // Marks a rectangle (host coordinates) for repaint; bFromThis also dirties the cache.
  void InvalidateRect(const RECT& rect, BOOL bFromThis = TRUE);
  // Null: the whole window rectangle.
  void InvalidateRect(LPCRECT lprect);
  // The client rectangle.
  void Invalidate();
  // Flushes the invalid region: repaints it into a borrowed render target.
  void Update();
  // Asks the container to paint pending invalid areas now.
  void UpdateWindow();

  // A render target to draw the element outside a host paint: over the client (bClientRT) or
  // window rectangle, cut to rc and to every ancestor's client rectangle. gdcFlags
  // GRT_PAINTBKGND paints what lies below first (and ReleaseRenderTarget what lies above);
  // GRT_NODRAW does not copy the host's pixels in or out. One at a time per element: a
  // second call before the release answers null.
  IRenderTarget* GetRenderTarget(LPCRECT pRc, DWORD gdcFlags = GRT_NODRAW, BOOL bClientRT = TRUE);
  void ReleaseRenderTarget(IRenderTarget* pRT);
  // Paints into pRT, within the window rectangle (cut to rc), what lies below the element
  // (after clearing that area), above it within its parent, or above it in the whole tree.
  void PaintBackground(IRenderTarget* pRT, LPCRECT pRc);
  void PaintForeground(IRenderTarget* pRT, LPCRECT pRc);
  void PaintForegroundFromRoot(IRenderTarget* pRT, LPCRECT pRc);
  // Repaints only the frame (window less client rectangle) now.
  void RedrawNonClient();

  void UpdateCacheMode();
  void UpdateLayeredWindowMode();
  // The element's layer, made on first use; null when the window rectangle cannot hold one.
  IRenderTarget* GetLayerRenderTarget();
  IRenderTarget* GetCacheRenderTarget() const { return m_cacheRT; }
  // The nearest layered element among this one and its ancestors.
  SWindow* GetLayeredAncestor() const;
  UINT GetZorder() const { return m_uZorder; }
  void SetZorder(UINT zorder) { m_uZorder = zorder; }
  // The union of the window rectangles of the element and all its descendants, set when the
  // container numbers the tree; a partial paint skips a subtree whose bounds miss what it
  // paints. Forgotten (for the element and its ancestors) when an element moves or a child
  // comes in, until the tree is numbered again.
  void SetSubtreeBounds(const RECT& rc) {
    m_rcSubtree = rc;
    m_bSubtreeKnown = true;
  }
  void ForgetSubtreeBounds();

  void SetShapeRegion(IRegion* pRgn, BOOL bUpdate = FALSE);
  BOOL CopyShapeRegion(IRegion* pDest) const;

  // ---- skins and colour ------------------------------------------------------------------
  ISkinObj* GetBkgndSkin() const { return m_pBgSkin; }
  ISkinObj* GetNcSkin() const { return m_pNcSkin; }
  // Sends UM_SETCOLORIZE to the element and every descendant, parents first.
  void DoColorize(COLORREF cr);
  COLORREF GetColorizeColor() const { return m_crColorize; }
  virtual void OnColorize(COLORREF cr);
  // Replaces the skin by the pools' skin of the same name at the scale; an unnamed skin or
  // a name the pools lack keeps it.
  static void ScaleSkin(SAutoRefPtr<ISkinObj>& skin, int nScale);
  virtual BOOL OnLanguageChanged();
  virtual void OnScaleChanged(int scale);

  // ---- messages and events ---------------------------------------------------------------
  // Sends an element message through the message map while holding a reference (a handler may
  // destroy the element); nested sends keep the outer message and handled flag.
  LRESULT SSendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0,
                       BOOL* pbHandled = nullptr) override;
  // To the element, then to every descendant, parents first; the last result.
  LRESULT SDispatchMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
  const SWNDMSG* GetCurMsg() const { return m_pCurMsg; }
  virtual BOOL ProcessSwndMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
  // The end of every message map: FALSE.
  virtual BOOL SwndProc(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

  // Fires in the element's own event set, then, while it bubbles, at the owner or else the
  // container; never through the parents. FALSE while muted.
  virtual BOOL FireEvent(EventArgs& evt);
  BOOL FireCommand();
  // The cancel flag a handler set.
  BOOL FireCtxMenu(POINT pt);
  BOOL SubscribeEvent(DWORD evtId, const ISlotFunctor& slot) {
    return m_evtSet.SubscribeEvent(evtId, slot);
  }

  // ---- hit testing, cursor, focus, capture -----------------------------------------------
  // The deepest element under the point (host coordinates): the frame belongs to the element,
  // invisible and message-transparent children are passed over. 0 outside.
  SwndHandle SwndFromPoint(const POINT& pt, BOOL bOnlyText) override;
  virtual BOOL IsContainPoint(const POINT& pt, BOOL bClientOnly) const;
  // TRUE outside the client rectangle.
  virtual BOOL OnNcHitTest(POINT pt);
  // Sets the style's cursor (the arrow when it cannot be loaded); TRUE.
  virtual BOOL OnSetCursor(const POINT& pt);
  virtual BOOL IsFocusable() const { return (m_dwFlags & SWF_FOCUSABLE) != 0; }
  // The navigation keys the element wants (DLGC_ bits); none.
  virtual UINT OnGetDlgCode() { return 0; }
  void SetFocus();
  void KillFocus();
  BOOL IsFocused() const;
  SwndHandle GetCapture() const;
  SwndHandle SetCapture();
  BOOL ReleaseCapture();

  // ---- timers, caret, tooltip, groups ----------------------------------------------------
  // A host-window timer that reaches the element as WM_TIMER (wParam id, 0..127).
  BOOL SetTimer(char id, UINT uElapse);
  void KillTimer(char id);
  // A thread timer that reaches the element as UM_TIMER2 (wParam id).
  BOOL SetTimer2(UINT_PTR id, UINT uElapse);
  void KillTimer2(UINT_PTR id);
  virtual BOOL CreateCaret(HBITMAP pBmp, int nWid, int nHeight);
  virtual void ShowCaret(BOOL bShow);
  virtual void SetCaretPos(int x, int y);
  // Fills the tip; TRUE when there is a text to show.
  virtual BOOL UpdateToolTip(POINT pt, SwndToolTipInfo& tipInfo);
  virtual BOOL IsSiblingsAutoGroupped() { return FALSE; }
  virtual SWindow* GetSelectedSiblingInGroup() { return nullptr; }
  virtual SWindow* GetSelectedChildInGroup();
  IScriptModule* GetScriptModule();
  // NotifyWinEvent for the element (object id = its handle); nothing before the host exists.
  void SendAccessibleNotice(DWORD dwEvent);

  // ---- ISwndElement ----------------------------------------------------------------------
  ISwndElement* GetParentElement() const override { return m_pParent; }
  void ContainerFrameToHost(RECT& rc) const override;
  HWND ContainerHostHwnd() const override;

 protected:
  // Notifications of state changes; OnStateChanged fires EventSwndStateChanged.
  virtual void OnStateChanging(DWORD dwOldState, DWORD dwNewState);
  virtual void OnStateChanged(DWORD dwOldState, DWORD dwNewState);

  // Default handlers of the base message map, for derived elements to call.
  int OnCreate(LPVOID lpCreateParam);
  void OnDestroy();
  void OnSize(UINT nType, SIZE size);
  void OnEnable(BOOL bEnable, UINT nStatus);
  void OnPaint(IRenderTarget* pRT);
  BOOL OnEraseBkgnd(IRenderTarget* pRT);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnNcPaint(IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnRButtonDown(UINT nFlags, POINT pt);
  void OnRButtonUp(UINT nFlags, POINT pt);
  LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnMouseHover(UINT nFlags, POINT pt);
  void OnMouseLeave();
  void OnSetFocus(SwndHandle swndOld);
  void OnKillFocus(SwndHandle swndNew);
  void OnSetScale(int scale);
  void OnSetLanguage();
  void OnSetColorize(COLORREF cr);

  // Selects the style's font and text colour of a state (SwndStyle::kStateNormal ..) into the
  // target; painter remembers what they replace, for AfterPaint.
  void SelectStateStyle(IRenderTarget* pRT, int state, SPainter& painter) const;

  // The painting steps of one element.
  void PaintClient(IRenderTarget* pRT);
  void PaintNonClient(IRenderTarget* pRT);
  // Whether a paint of the pass draws the part of this element.
  bool DrawsPart(StaticPass pass, StaticPart part) const;

  BOOL IsLayoutDirty() const { return (m_dwFlags & SWF_LAYOUT_MASK) != 0; }
  DWORD GetLayoutDirty() const { return m_dwFlags & SWF_LAYOUT_MASK; }
  void SetLayoutDirty(DWORD dirty) { m_dwFlags = (m_dwFlags & ~SWF_LAYOUT_MASK) | dirty; }
  // Whether the layout parameter wraps its content on that axis (FALSE without one).
  BOOL LayoutWraps(ORIENTATION orientation) const;
  void SetFlag(DWORD flag, BOOL on);

  SwndHandle m_swnd;
  RECT m_rcWindow = {0, 0, 0, 0};
  int m_bFloat = 0;
  ISwndContainer* m_pContainer = nullptr;
  SEventSet m_evtSet;
  ILayout* m_pLayout = nullptr;
  ILayoutParam* m_pLayoutParam = nullptr;
  SWindow* m_pOwner = nullptr;
  SWindow* m_pParent = nullptr;
  SWindow* m_pFirstChild = nullptr;
  SWindow* m_pLastChild = nullptr;
  SWindow* m_pNextSibling = nullptr;
  SWindow* m_pPrevSibling = nullptr;
  int m_nChildrenCount = 0;
  SWNDMSG* m_pCurMsg = nullptr;
  SwndStyle m_style;
  STrText m_strText;
  STrText m_strToolTip;
  SStringW m_strName;
  int m_nID = 0;
  UINT m_uZorder = 0;
  RECT m_rcSubtree = {0, 0, 0, 0};
  bool m_bSubtreeKnown = false;
  BYTE m_staticParts = kStaticNone;
  DWORD m_dwState = WndState_Normal;
  DWORD m_dwFlags;
  SAutoRefPtr<IRenderTarget> m_cacheRT;
  SAutoRefPtr<IRenderTarget> m_layerRT;
  SAutoRefPtr<IRegion> m_shapeRgn;
  SAutoRefPtr<ISkinObj> m_pBgSkin;
  SAutoRefPtr<ISkinObj> m_pNcSkin;
  ULONG_PTR m_uData = 0;
  SLayoutSize m_maxWidth;
  COLORREF m_crColorize = 0;
  // A render target lent out by GetRenderTarget until ReleaseRenderTarget: the area, the
  // flags, its clip region, the target and the layered ancestor it came from (null: the
  // container's).
  struct PaintRecord {
    RECT rcBox;
    DWORD gdcFlags;
    SAutoRefPtr<IRegion> rgn;
    IRenderTarget* pRT;
    SWindow* pLayered;
  };
  std::unique_ptr<PaintRecord> m_paintRecord;
  SAutoRefPtr<IRegion> m_invalidRgn;

 private:
  SWindow* NextLayoutChild(const SWindow* pCur) const;
  // Replaces the layout by the one of a class name; FALSE for a name without factory.
  BOOL OnAttrLayout(const SStringW& name);
  // Applies a named style's attributes ("layout" first, never "class").
  void OnAttrClass(const SStringW& name, BOOL bLoading);
  void OnAttrId(const SStringW& value);
  // The element's own table; E_NOTIMPL for a name it does not know.
  HRESULT SetOwnAttribute(const SStringW& name, const SStringW& value, BOOL bLoading);
  void ReplaceChildParams();
  void LinkChild(SWindow* pChild, SWindow* pInsertAfter);
  // The text that decides the desired size, measured with the font the element paints with.
  SIZE MeasureText(const RECT& rcLimit, UINT uFormat);
  IRenderTarget* BeginRenderTarget(const RECT& rcBox, DWORD gdcFlags, IRegion* pRgn);
  void ComposeLayer(SWindow* pLayered, const PaintRecord& record);
  // A surface of the window rectangle's size for the cache or the layer (made, or resized);
  // released when the rectangle cannot hold one.
  bool PrepareSurface(SAutoRefPtr<IRenderTarget>& surface);
  void PaintFromRoot(IRenderTarget* pRT, LPCRECT pRc, SWindow* pFrom, UINT iBegin, UINT iEnd,
                     bool bClear);
  static void TraceFindByIdFailed(LPCWSTR className, int nID, int nDeep);
  static void TraceFindByNameFailed(LPCWSTR className, LPCWSTR pszName, int nDeep);
};

}  // namespace SWUI
