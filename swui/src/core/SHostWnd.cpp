// SHostWnd: creation, building from XML, destruction, the container's host side and the
// message map. Painting, pushing to the screen, the caret and animation are in
// SHostWndPaint.cpp.
#include "core/SHostWnd.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cwchar>
#include <memory>

#include "RenderFactoryUtil.h"
#include "core/EventExit.h"
#include "core/EventInit.h"
#include "core/EventSwndSize.h"
#include "core/EventTimer.h"
#include "core/IScriptModule.h"
#include "core/MemberFunctionSlot.h"
#include "core/SApplication.h"
#include "core/SFontPool.h"
#include "core/SMessageLoop.h"
#include "core/SScriptTimer.h"
#include "core/SSkinPoolMgr.h"
#include "core/SStylePoolMgr.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

bool IsButtonDown(UINT uMsg) {
  return uMsg == WM_LBUTTONDOWN || uMsg == WM_LBUTTONDBLCLK || uMsg == WM_RBUTTONDOWN ||
         uMsg == WM_RBUTTONDBLCLK || uMsg == WM_MBUTTONDOWN || uMsg == WM_MBUTTONDBLCLK;
}

bool IsButtonUp(UINT uMsg) {
  return uMsg == WM_LBUTTONUP || uMsg == WM_RBUTTONUP || uMsg == WM_MBUTTONUP;
}

// The MK_ bit of the button a recorded press belongs to.
WPARAM ButtonBitOf(UINT uMsg) {
  switch (uMsg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return MK_LBUTTON;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return MK_RBUTTON;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      return MK_MBUTTON;
    default:
      return 0;
  }
}

bool IsLeaveTracked(HWND hWnd) {
  TRACKMOUSEEVENT query = {sizeof(query), TME_QUERY, nullptr, 0};
  return ::TrackMouseEvent(&query) && query.hwndTrack == hWnd && (query.dwFlags & TME_LEAVE);
}

// Asked again on every move, not remembered: the system keeps one tracked window per thread
// (another window's tracking replaces it) and reports success also when it tracks nothing
// because the cursor has already left the window (a move delivered late, or posted). That
// move is then followed by the leave the system will not send. A window holding the capture
// keeps its hover while the cursor is out; it tracks again on the move after the release.
void TrackMouseLeave(HWND hWnd) {
  if (IsLeaveTracked(hWnd)) return;
  TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, hWnd, 0};
  if (!::TrackMouseEvent(&tme)) return;
  if (!IsLeaveTracked(hWnd) && ::GetCapture() != hWnd) ::PostMessageW(hWnd, WM_MOUSELEAVE, 0, 0);
}

// A resizable window is never made smaller than its minimum size, whoever resizes it: a window
// manager resizing the window itself only moves it, with no tracking of the system's.
void KeepMinSize(WINDOWPOS* pos, SIZE minSize, DWORD style) {
  if (pos == nullptr || (pos->flags & SWP_NOSIZE) || !(style & WS_THICKFRAME) ||
      (style & WS_MINIMIZE)) {
    return;
  }
  pos->cx = std::max(pos->cx, static_cast<int>(minSize.cx));
  pos->cy = std::max(pos->cy, static_cast<int>(minSize.cy));
}

// Copies text into a fixed field, or the overflow mark when it does not fit with its
// terminator.
template <size_t N>
void CopyField(WCHAR (&field)[N], LPCWSTR text) {
  static const wchar_t kOverflow[] = L"##buf overflow!";
  static_assert(N > sizeof(kOverflow) / sizeof(wchar_t), "the overflow mark fits");
  if (text == nullptr) text = L"";
  wcsncpy(field, wcslen(text) >= N ? kOverflow : text, N - 1);
  field[N - 1] = 0;
}

}  // namespace

SHostWnd::SHostWnd(LPCWSTR layoutName)
    : m_dummyWnd(this), m_strLayout(layoutName != nullptr ? layoutName : L"") {
  m_privateStylePool.Attach(new SStylePool());
  m_privateSkinPool.Attach(new SSkinPool());
  GetRoot()->SetContainer(this);
  GetRoot()->GetEventSet()->AddEvent<EventInit>();
  GetRoot()->GetEventSet()->AddEvent<EventExit>();
}

SHostWnd::~SHostWnd() {
  // While every part still exists: the window's last messages reach this object whole.
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) DestroyWindow();
  ReleasePrivatePools();
  if (m_pScriptModule != nullptr) {
    m_pScriptModule->Release();
    m_pScriptModule = nullptr;
  }
}

void SHostWnd::ReleasePrivatePools() {
  if (m_privateStylePool != nullptr && m_privateStylePool->GetCount() > 0) {
    if (SStylePoolMgr* mgr = SStylePoolMgr::getSingletonPtr())
      mgr->PopStylePool(m_privateStylePool);
  }
  if (m_privateSkinPool != nullptr && m_privateSkinPool->GetCount() > 0) {
    if (SSkinPoolMgr* mgr = SSkinPoolMgr::getSingletonPtr()) mgr->PopSkinPool(m_privateSkinPool);
  }
}

// ---- creation ----------------------------------------------------------------------------

HWND SHostWnd::CreateEx(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle, int x, int y, int cx,
                        int cy) {
  if (m_hWnd != nullptr) return m_hWnd;
  HWND hWnd = CSimpleWnd::Create(L"HOSTWND", dwStyle, dwExStyle, x, y, cx, cy, hWndParent, nullptr);
  if (hWnd != nullptr && (cx == 0 || cy == 0)) CenterWindow(hWndParent);
  return hWnd;
}

HWND SHostWnd::Create(HWND hWndParent, int x, int y, int cx, int cy) {
  return CreateEx(hWndParent, WS_CLIPCHILDREN | WS_MAXIMIZEBOX, 0, x, y, cx, cy);
}

int SHostWnd::OnCreate(LPCREATESTRUCTW cs) {
  BOOL cues = FALSE;
  if (::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &cues, 0) && cues) m_uiState = 0;
  if (RenderFactoryUtil::RenderFactory() != nullptr) {
    m_memRT = RenderFactoryUtil::NewRenderTarget(0, 0);
    m_rgnInvalidate = RenderFactoryUtil::NewRegion();
  }
  SApplication* app = SApplication::getSingletonPtr();
  GetRoot()->SetContainer(this);
  if (m_bRegisterDropTarget) RegisterDropTarget();

  if (m_strLayout.IsEmpty() || app == nullptr) return 0;
  SStringW type;
  SStringW name;
  SplitResRef(m_strLayout, SStringW(L"LAYOUT"), &type, &name);
  pugi::xml_document doc;
  if (app->LoadXmlDocument(doc, name, type)) {
    InitFromXml(doc.child(L"SWUI"), cs->cx, cs->cy);
  } else {
    const SStringA line = "layout not loaded: " + StringW2A(m_strLayout, CP_UTF8);
    SLog::Write(LOG_LEVEL_WARN, "swui", __FILE__, __LINE__, "SWUI::SHostWnd::OnCreate", line);
  }
  return 0;
}

BOOL SHostWnd::RegisterDropTarget() {
  if (m_bDropTargetRegistered || m_hWnd == nullptr) return m_bDropTargetRegistered;
  // Without its dispatcher registered no element could ever receive a drop. Fails harmlessly
  // on a thread without OLE.
  m_bDropTargetRegistered = SUCCEEDED(::RegisterDragDrop(m_hWnd, &GetDropTarget()));
  return m_bDropTargetRegistered;
}

BOOL SHostWnd::InitFromXml(pugi::xml_node xmlNode, int nWidth, int nHeight) {
  if (!xmlNode || m_hWnd == nullptr || !::IsWindow(m_hWnd)) return FALSE;
  SRootWindow* root = GetRoot();
  if (m_pScriptModule != nullptr) {
    EventExit evt(root);
    root->FireEvent(evt);
    m_pScriptModule->Release();
    m_pScriptModule = nullptr;
  }
  root->SSendMessage(WM_DESTROY);
  if (SApplication* app = SApplication::getSingletonPtr()) {
    app->CreateScriptModule(this, &m_pScriptModule);
  }

  LoadPrivatePools(xmlNode);
  RunScript(SXmlNoCase::Child(xmlNode, L"script"));

  m_hostAttr.Init();
  m_hostAttr.InitFromXml(xmlNode);
  m_hostAttr.TranslateTitle();
  ApplyWindowStyles();
  SetupTranslucency();
  ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(m_hostAttr.GetSmallIcon()));
  ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hostAttr.GetBigIcon()));

  root->DefInitFromXml(xmlNode.child(L"root"));
  MarkWndTreeZorderDirty();
  BuildWndTreeZorder();

  const SIZE size = ResolveInitialSize(nWidth, nHeight);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT rcClient;
  ::GetClientRect(m_hWnd, &rcClient);
  root->OnRelayout(rcClient);
  m_bNeedRepaint = m_bNeedAllRepaint = TRUE;
  if (m_rgnInvalidate != nullptr) m_rgnInvalidate->Clear();
  EventInit evt(root);
  root->FireEvent(evt);
  return TRUE;
}

void SHostWnd::LoadPrivatePools(pugi::xml_node xmlNode) {
  if (m_privateStylePool->GetCount() > 0) {
    SStylePoolMgr::getSingleton().PopStylePool(m_privateStylePool);
    m_privateStylePool.Attach(new SStylePool());
  }
  m_privateStylePool->Init(SXmlNoCase::Child(xmlNode, L"style"));
  if (m_privateStylePool->GetCount() > 0)
    SStylePoolMgr::getSingleton().PushStylePool(m_privateStylePool);

  if (m_privateSkinPool->GetCount() > 0) {
    SSkinPoolMgr::getSingleton().PopSkinPool(m_privateSkinPool);
    m_privateSkinPool.Attach(new SSkinPool());
  }
  m_privateSkinPool->LoadSkins(SXmlNoCase::Child(xmlNode, L"skin"));
  if (m_privateSkinPool->GetCount() > 0)
    SSkinPoolMgr::getSingleton().PushSkinPool(m_privateSkinPool);
}

void SHostWnd::RunScript(pugi::xml_node script) {
  if (!script || m_pScriptModule == nullptr) return;
  SApplication* app = SApplication::getSingletonPtr();
  const SStringW src(SXmlNoCase::Attribute(script, L"src").value());
  if (!src.IsEmpty() && app != nullptr) {
    SArray<SStringW> parts;
    SplitResType(src, parts);
    if (parts.GetCount() != 2) return;
    const size_t size = app->GetRawBufferSize(parts[0], parts[1]);
    if (size == 0) return;
    std::unique_ptr<char[]> buf(new char[size]);
    if (app->GetRawBuffer(parts[0], parts[1], buf.get(), size)) {
      m_pScriptModule->ExecuteScriptBuffer(buf.get(), size);
    }
    return;
  }
  const SStringA text = StringW2A(SStringW(script.child_value()), CP_UTF8);
  if (!text.IsEmpty())
    m_pScriptModule->ExecuteScriptBuffer(text, static_cast<size_t>(text.GetLength()));
}

void SHostWnd::ApplyWindowStyles() {
  DWORD style =
      m_hostAttr.IsResizable() ? (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX) : WS_MINIMIZEBOX;
  DWORD exStyle = 0;
  if (m_hostAttr.IsAppWnd()) {
    style |= WS_SYSMENU;
    exStyle |= WS_EX_APPWINDOW;
  } else if (m_hostAttr.IsToolWindow()) {
    exStyle |= WS_EX_TOOLWINDOW;
  }
  if (m_hostAttr.IsTranslucent()) exStyle |= WS_EX_LAYERED;
  if (m_hostAttr.GetWndStyle() != 0) style = m_hostAttr.GetWndStyle() & ~WS_VISIBLE;
  if (m_hostAttr.GetWndStyleEx() != 0) exStyle = m_hostAttr.GetWndStyleEx();
  ModifyStyle(0, style);
  ModifyStyleEx(0, exStyle);
  SetWindowText(m_hostAttr.GetTitle());
}

void SHostWnd::SetupTranslucency() {
  if (m_hostAttr.IsTranslucent()) {
    ModifyStyleEx(0, WS_EX_LAYERED);
    if (!m_bDummyOnFirstShow) EnsureDummyWnd();
    return;
  }
  // Rebuilt from translucent to opaque: the dummy has nothing left to drive.
  if (m_dummyWnd.m_hWnd != nullptr) m_dummyWnd.DestroyWindow();
  if ((GetWindowLong(GWL_EXSTYLE) & WS_EX_LAYERED) || m_hostAttr.GetAlpha() < 0xFF) {
    ModifyStyleEx(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, 0, m_hostAttr.GetAlpha(), LWA_ALPHA);
  }
}

void SHostWnd::EnsureDummyWnd() {
  if (!m_hostAttr.IsTranslucent() || m_dummyWnd.m_hWnd != nullptr || m_hWnd == nullptr) return;
  m_dummyWnd.Create(L"SWUI_DUMMY_WND", WS_POPUP,
                    WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_LAYERED, 0, 0, 10, 10, m_hWnd,
                    nullptr);
  if (m_dummyWnd.m_hWnd != nullptr) {
    ::SetLayeredWindowAttributes(m_dummyWnd.m_hWnd, 0, 0, LWA_ALPHA);
    ::ShowWindow(m_dummyWnd.m_hWnd, SW_SHOWNOACTIVATE);
  }
}

SIZE SHostWnd::ResolveInitialSize(int nWidth, int nHeight) {
  SWindow* root = GetRoot();
  if (nWidth != 0) {
    m_hostAttr.SetWidth(SLayoutSize(static_cast<float>(nWidth), px));
  } else {
    nWidth = m_hostAttr.GetWidth().toPixelSize(m_nScale);
  }
  if (nHeight != 0) {
    m_hostAttr.SetHeight(SLayoutSize(static_cast<float>(nHeight), px));
  } else {
    nHeight = m_hostAttr.GetHeight().toPixelSize(m_nScale);
  }
  const bool wrapWidth = nWidth <= 0;
  const bool wrapHeight = nHeight <= 0;
  if (!wrapWidth && !wrapHeight) return SIZE{nWidth, nHeight};

  SLayoutSize wrap;
  wrap.SetWrapContent();
  const SIZE desired = root->GetDesiredSize(wrapWidth ? -1 : nWidth, wrapHeight ? -1 : nHeight);
  if (wrapWidth) {
    nWidth = desired.cx;
    m_hostAttr.SetWidth(wrap);
    m_hostAttr.ClearHorzMargin();
  }
  if (wrapHeight) {
    nHeight = desired.cy;
    m_hostAttr.SetHeight(wrap);
    m_hostAttr.ClearVertMargin();
  }
  if (!m_bSizeFromContent) {
    root->SubscribeEvent(EventSwndSize::EventID, Subscriber(&SHostWnd::OnRootSizeEvent, this));
    m_bSizeFromContent = TRUE;
  }
  return SIZE{nWidth, nHeight};
}

void SHostWnd::OnDestroy() {
  SWindow* root = GetRoot();
  EventExit evt(root);
  root->FireEvent(evt);
  root->SSendMessage(WM_DESTROY);
  if (m_pTipCtrl != nullptr) {
    if (GetMsgLoop() != nullptr) GetMsgLoop()->RemoveMessageFilter(m_pTipCtrl);
    SApplication* app = SApplication::getSingletonPtr();
    if (app != nullptr && app->GetToolTipFactory() != nullptr) {
      app->GetToolTipFactory()->DestroyToolTip(m_pTipCtrl);
    }
    m_pTipCtrl = nullptr;
  }
  if (m_dummyWnd.m_hWnd != nullptr) m_dummyWnd.DestroyWindow();
  m_caret.Reset();
  m_bCaretActive = m_bCaretShowing = FALSE;
  m_memRT.Reset();
  m_staticBackground.Reset();
  m_rgnInvalidate.Reset();
  m_lstUpdateSwnd.clear();
  if (m_bDropTargetRegistered) ::RevokeDragDrop(m_hWnd);
  m_bDropTargetRegistered = FALSE;

  const DWORD style = GetWindowLong(GWL_STYLE);
  const DWORD exStyle = GetWindowLong(GWL_EXSTYLE);
  switch (m_hostAttr.GetWndType()) {
    case WT_APPMAIN:
      ::PostQuitMessage(1);
      break;
    case WT_UNDEFINE:
      if (!(style & (WS_POPUP | WS_CHILD)) && !(exStyle & WS_EX_TOOLWINDOW)) ::PostQuitMessage(1);
      break;
    default:
      break;
  }
}

// ---- container: the host's side ----------------------------------------------------------

BOOL SHostWnd::OnFireEvent(EventArgs& evt) { return HandleEvent(&evt); }

BOOL SHostWnd::HandleEvent(EventArgs*) { return FALSE; }

void SHostWnd::GetContainerRect(RECT* prc) const { GetRoot()->GetWindowRect(prc); }

SMessageLoop* SHostWnd::GetMsgLoop() {
  SApplication* app = SApplication::getSingletonPtr();
  return app != nullptr ? app->GetMsgLoop() : nullptr;
}

void SHostWnd::OnRedraw(const RECT& rc) {
  if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || m_rgnInvalidate == nullptr) return;
  m_rgnInvalidate->CombineRect(&rc, RGN_OR);
  m_bNeedRepaint = TRUE;
  InvalidateHost(&rc);
}

void SHostWnd::InvalidateHost(const RECT* rc) {
  if (m_hWnd == nullptr) return;
  RECT area;
  if (rc != nullptr) {
    area = *rc;
  } else {
    ::GetClientRect(m_hWnd, &area);
  }
  if (IsRectEmpty(&area) || !NoteNativeInvalid(area)) return;
  if (IsTranslucent() && m_dummyWnd.m_hWnd != nullptr) {
    ::InvalidateRect(m_dummyWnd.m_hWnd, nullptr, FALSE);
  } else {
    ::InvalidateRect(m_hWnd, rc, FALSE);
  }
}

bool SHostWnd::NoteNativeInvalid(const RECT& area) {
  // Every element built or laid out asks for a redraw: an area inside one already invalidated
  // since the last paint costs no call to the system. Only whole rectangles count: the box
  // around two of them holds places the system was never told of, which the paint's DC would
  // clip away.
  RECT joined;
  for (const RECT& known : m_lstNativeInvalid) {
    UnionRect(&joined, &known, &area);
    if (EqualRect(&joined, &known)) return false;
  }
  auto inside = [&area, &joined](const RECT& known) {
    UnionRect(&joined, &known, &area);
    return EqualRect(&joined, &area) != FALSE;
  };
  m_lstNativeInvalid.erase(
      std::remove_if(m_lstNativeInvalid.begin(), m_lstNativeInvalid.end(), inside),
      m_lstNativeInvalid.end());
  if (m_lstNativeInvalid.size() >= kNativeInvalidKept) {
    m_lstNativeInvalid.erase(m_lstNativeInvalid.begin());
  }
  m_lstNativeInvalid.push_back(area);
  return true;
}

void SHostWnd::OnShown() {
  // What was invalidated while the window was hidden may never have reached the system: the
  // window is pushed whole again, from the memory target, whose own invalid region is kept.
  m_lstNativeInvalid.clear();
  InvalidateHost(nullptr);
}

SwndHandle SHostWnd::OnSetSwndCapture(SwndHandle swnd) {
  SWindow* wnd = SWindow::GetSwndFromHandle(swnd);
  if (wnd != nullptr && wnd->IsDisabled(TRUE)) return 0;  // refused before the native capture
  if (m_hWnd != nullptr) ::SetCapture(m_hWnd);
  return SwndContainerImpl::OnSetSwndCapture(swnd);
}

BOOL SHostWnd::OnReleaseSwndCapture() {
  SwndContainerImpl::OnReleaseSwndCapture();
  if (m_hWnd == nullptr) return TRUE;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  // The hover is found again where the cursor is now.
  POINT pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(m_hWnd, &pt);
  PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
  return TRUE;
}

BOOL SHostWnd::UpdateWindow() {
  if (m_bResizing) return FALSE;
  if (IsTranslucent() && m_dummyWnd.m_hWnd != nullptr) {
    ::UpdateWindow(m_dummyWnd.m_hWnd);
  } else if (m_hWnd != nullptr) {
    ::UpdateWindow(m_hWnd);
  }
  return TRUE;
}

void SHostWnd::UpdateTooltip() {
  SApplication* app = SApplication::getSingletonPtr();
  if (m_pTipCtrl == nullptr && (app == nullptr || app->GetToolTipFactory() == nullptr)) return;
  SWindow* hover = SWindow::GetSwndFromHandle(GetHover());
  SwndToolTipInfo info;
  const POINT pt = {GET_X_LPARAM(m_msgMouse.lParam), GET_Y_LPARAM(m_msgMouse.lParam)};
  if (m_msgMouse.message != 0 || hover == nullptr || !hover->UpdateToolTip(pt, info)) {
    if (m_pTipCtrl != nullptr) m_pTipCtrl->ClearTip();
    return;
  }
  if (!EnsureToolTip()) return;
  TIPID id;
  id.swnd = info.swnd;
  id.dwCookie = info.dwCookie;
  m_pTipCtrl->UpdateTip(id, info.rcTarget, info.strTip, GetScale());
}

bool SHostWnd::EnsureToolTip() {
  // Made when a tip is first offered: a window that never shows one (a menu level, a dialog)
  // makes no window for it. Until then the tip has missed no message it would act on. A
  // hidden window shows no tip, and one being destroyed (hidden first) must not make one
  // after its own went.
  if (m_pTipCtrl != nullptr) return true;
  SApplication* app = SApplication::getSingletonPtr();
  if (!::IsWindowVisible(m_hWnd) || app == nullptr || app->GetToolTipFactory() == nullptr) {
    return false;
  }
  m_pTipCtrl = app->GetToolTipFactory()->CreateToolTip(m_hWnd);
  if (m_pTipCtrl == nullptr) return false;
  if (GetMsgLoop() != nullptr) GetMsgLoop()->AddMessageFilter(m_pTipCtrl);
  return true;
}

BOOL SHostWnd::RegisterTimelineHandler(ITimelineHandler* pHandler) {
  const BOOL added = SwndContainerImpl::RegisterTimelineHandler(pHandler);
  if (added && GetTimelineHandlerCount() == 1 && m_hWnd != nullptr) {
    CSimpleWnd::SetTimer(RootTimerId(kTimerNextFrame), kFrameInterval);
  }
  return added;
}

BOOL SHostWnd::UnregisterTimelineHandler(ITimelineHandler* pHandler) {
  const BOOL removed = SwndContainerImpl::UnregisterTimelineHandler(pHandler);
  if (removed && GetTimelineHandlerCount() == 0 && m_hWnd != nullptr) {
    CSimpleWnd::KillTimer(RootTimerId(kTimerNextFrame));
  }
  return removed;
}

UINT_PTR SHostWnd::RootTimerId(UINT id) const {
  return SwndTimerId::Make(GetRoot()->GetSwnd(), id);
}

BOOL SHostWnd::OnRootSizeChanged(EventSwndSize*) {
  if (!m_bResizing && m_hWnd != nullptr) {
    // The root's own rectangle: the event's size is its client size, which for the root is
    // the window's client area as it still is, so the window would never follow.
    const RECT rc = GetRoot()->GetWindowRect();
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return TRUE;
}

// ---- the root's hooks --------------------------------------------------------------------

BOOL SHostWnd::IsRootClass(LPCWSTR className) const {
  if (className != nullptr && wcscmp(className, L"hostwnd") == 0) return TRUE;
  return SwndContainerImpl::IsRootClass(className);
}

void SHostWnd::GetRootClientRect(LPRECT prect) const {
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
    ::GetClientRect(m_hWnd, prect);
  } else {
    SwndContainerImpl::GetRootClientRect(prect);
  }
}

void SHostWnd::OnRootRequestRelayout(SWindow* pSource, BOOL bSourceResizable) {
  SRootWindow* root = GetRoot();
  if (pSource == root || bSourceResizable) {
    root->SetLayoutDirtyMark(SWF_LAYOUT_SELF);
  } else if (root->GetLayoutDirtyMark() != SWF_LAYOUT_SELF) {
    root->SetLayoutDirtyMark(SWF_LAYOUT_CHILD);
  }
  for (SWindow* wnd = pSource; wnd != nullptr; wnd = wnd->GetParent()) {
    const RECT rc = wnd->GetWindowRect();
    if (!::IsRectEmpty(&rc)) {
      OnRedraw(rc);
      break;
    }
  }
}

void SHostWnd::OnRootUpdateLayout() {
  SRootWindow* root = GetRoot();
  const SLayoutSize& width = m_hostAttr.GetWidth();
  const SLayoutSize& height = m_hostAttr.GetHeight();
  if (root->GetLayoutDirtyMark() == 0 || !(width.IsWrapContent() || height.IsWrapContent())) {
    root->DefUpdateLayout();
    return;
  }
  const int w = width.IsSpecifiedSize() ? width.toPixelSize(m_nScale) : -1;
  const int h = height.IsSpecifiedSize() ? height.toPixelSize(m_nScale) : -1;
  const SIZE desired = root->GetDesiredSize(w, h);
  const RECT rc = {0, 0, w >= 0 ? w : desired.cx, h >= 0 ? h : desired.cy};
  root->OnRelayout(rc);
}

void SHostWnd::OnRootBeforePaint(IRenderTarget* pRT, SPainter& painter) {
  if (SFontPool* fonts = SFontPool::getSingletonPtr()) {
    SAutoRefPtr<IFont> font = fonts->GetFont(SStringW(), m_nScale);
    if (font != nullptr) pRT->SelectObject(font, nullptr);
  }
  pRT->SetTextColor(0xFF000000);
  // The root's own style (a class giving the window's text colour) applies over that.
  SwndContainerImpl::OnRootBeforePaint(pRT, painter);
}

void SHostWnd::OnRootAfterPaint(IRenderTarget* pRT, SPainter& painter) {
  SwndContainerImpl::OnRootAfterPaint(pRT, painter);
  pRT->SelectDefaultObject(OT_FONT, nullptr);
}

BOOL SHostWnd::OnRootLanguageChanged() {
  SwndContainerImpl::OnRootLanguageChanged();
  m_hostAttr.TranslateTitle();
  if (m_hWnd != nullptr) SetWindowText(m_hostAttr.GetTitle());
  return 3;
}

void SHostWnd::OnRootScaleChanged(int scale) {
  m_nScale = scale;
  SwndContainerImpl::OnRootScaleChanged(scale);
}

BOOL SHostWnd::OnRootInitFromXml(pugi::xml_node xmlNode) {
  RECT rc = {0, 0, 0, 0};
  if (m_hWnd != nullptr) ::GetClientRect(m_hWnd, &rc);
  return InitFromXml(xmlNode, rc.right - rc.left, rc.bottom - rc.top);
}

// ---- the message map ---------------------------------------------------------------------

BOOL SHostWnd::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& lResult, DWORD mapId) {
  if (mapId == 0 && hWnd == m_hWnd && ProcessHostMessage(msg, wParam, lParam, lResult)) return TRUE;
  return CSimpleWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
}

BOOL SHostWnd::ProcessHostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
  lResult = 0;
  switch (uMsg) {
    case WM_CREATE:
      lResult = OnCreate(reinterpret_cast<LPCREATESTRUCTW>(lParam));
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return TRUE;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(m_hWnd, &ps);
      OnPrint(IsTranslucent() ? nullptr : dc, 0);
      ::EndPaint(m_hWnd, &ps);
      return TRUE;
    }
    case WM_PRINT:
      OnPrint(reinterpret_cast<HDC>(wParam), static_cast<UINT>(lParam));
      return TRUE;
    case WM_ERASEBKGND:
      lResult = 1;
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        ::SetFocus(nullptr);
        ReleaseHeldButtons();
      } else {
        ::SetFocus(m_hWnd);
      }
      return TRUE;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      DoFrameEvent(uMsg, 0, 0);
      return TRUE;
    case WM_ACTIVATEAPP:
      DoFrameEvent(uMsg, wParam, lParam);
      return TRUE;
    case WM_MOUSEMOVE:
      TrackMouseLeave(m_hWnd);
      OnMouseEvent(uMsg, wParam, lParam);
      return TRUE;
    case WM_MOUSELEAVE:
      OnMouseEvent(uMsg, 0, 0);
      return TRUE;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
      POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ::ScreenToClient(m_hWnd, &pt);
      DoFrameEvent(uMsg, wParam, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
      return IsFrameMsgHandled();
    }
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(wParam) != m_hWnd) return FALSE;
      if (LOWORD(lParam) != HTCLIENT) return FALSE;
      POINT pt;
      ::GetCursorPos(&pt);
      ::ScreenToClient(m_hWnd, &pt);
      lResult = DoFrameEvent(WM_SETCURSOR, 0,
                             MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y))) != 0;
      if (lResult == 0) lResult = DefWindowProc(uMsg, wParam, lParam);
      return TRUE;
    }
    case WM_TIMER:
      return OnTimer(wParam);
    case WM_CHANGEUISTATE:
    case WM_UPDATEUISTATE:
      OnChangeUiState(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_QUERYUISTATE:
      lResult = m_uiState;
      return TRUE;
    case WM_NCACTIVATE:
      lResult = TRUE;
      return TRUE;
    case WM_NCCALCSIZE:
      return TRUE;  // the whole window is client area
    case WM_NCHITTEST:
      lResult = OnNcHitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return TRUE;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
      return TRUE;
    case WM_CAPTURECHANGED: {
      HWND taker = reinterpret_cast<HWND>(lParam);
      if (taker != nullptr && taker != m_hWnd) {
        wchar_t cls[32] = {};
        ::GetClassNameW(taker, cls, 32);
        // Clipboard viewers take the capture for a moment without the user's doing.
        if (wcscmp(cls, L"CLIPBRDWNDCLASS") != 0) ReleaseHeldButtons();
      }
      return TRUE;
    }
    case WM_WINDOWPOSCHANGING:
      KeepMinSize(reinterpret_cast<WINDOWPOS*>(lParam), m_hostAttr.GetMinSize(m_nScale),
                  static_cast<DWORD>(GetWindowLong(GWL_STYLE)));
      return TRUE;
    case WM_WINDOWPOSCHANGED:
      if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) OnShown();
      return FALSE;  // the default handling still sends WM_SIZE and WM_MOVE
    case WM_NOTIFY: {
      const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (hdr == nullptr || hdr->code != static_cast<UINT>(NM_CUSTOMDRAW)) return FALSE;
      BOOL handled = TRUE;
      lResult = ReflectNotifications(uMsg, wParam, lParam, handled);
      return handled;
    }
    case UM_UPDATESWND:
      lResult = OnUpdateSwnd(static_cast<SwndHandle>(wParam));
      return TRUE;
    case UM_SCRIPTTIMER:
      lResult = OnScriptTimer(wParam, lParam);
      return TRUE;
    case UM_HANDLEEVENT:
      lResult = OnHandleEvent(lParam);
      return TRUE;
    case SPYMSG_SETSPY:
    case SPYMSG_SWNDENUM:
    case SPYMSG_SWNDINFO:
    case SPYMSG_HITTEST:
      lResult = OnSpyMessage(uMsg, wParam, lParam);
      return TRUE;
    default:
      break;
  }
  if ((uMsg >= WM_LBUTTONDOWN && uMsg <= WM_XBUTTONDBLCLK) && uMsg != WM_MOUSEWHEEL) {
    OnMouseEvent(uMsg, wParam, lParam);
    return TRUE;
  }
  if ((uMsg >= WM_KEYDOWN && uMsg <= WM_UNICHAR) ||
      (uMsg >= WM_IME_STARTCOMPOSITION && uMsg <= WM_IME_COMPOSITION) || uMsg == WM_IME_CHAR) {
    return OnKeyEvent(uMsg, wParam, lParam);
  }
  return FALSE;
}

void SHostWnd::OnSize(UINT nType, int cx, int cy) {
  if (nType == SIZE_MINIMIZED || cx == 0 || cy == 0) return;
  m_bResizing = TRUE;
  if (m_memRT != nullptr) m_memRT->Resize(SIZE{cx, cy});
  GetRoot()->OnRelayout(RECT{0, 0, cx, cy});
  m_bNeedRepaint = m_bNeedAllRepaint = TRUE;
  if (m_rgnInvalidate != nullptr) m_rgnInvalidate->Clear();
  InvalidateHost(nullptr);
  m_bResizing = FALSE;
}

void SHostWnd::OnMouseEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (IsButtonDown(uMsg)) {
    m_msgMouse.message = uMsg;
    m_msgMouse.wParam = wParam;
    m_msgMouse.lParam = lParam;
    if (GetWindowLong(GWL_STYLE) & WS_CHILD) ::SetFocus(m_hWnd);
  } else if (IsButtonUp(uMsg)) {
    m_msgMouse.message = 0;
  } else if (uMsg == WM_MOUSEMOVE) {
    // A drag keeps its press on record, so that a capture lost meanwhile still releases it.
    if (!(wParam & ButtonBitOf(m_msgMouse.message))) m_msgMouse.message = 0;
    m_msgMouse.wParam = wParam;
    m_msgMouse.lParam = lParam;
  } else if (uMsg == WM_MOUSELEAVE) {
    m_msgMouse.message = WM_MOUSELEAVE;
    m_msgMouse.wParam = 0;
    m_msgMouse.lParam = 0;
  }
  DoFrameEvent(uMsg, wParam, lParam);
  UpdateTooltip();
}

void SHostWnd::ReleaseHeldButtons() {
  UINT up = 0;
  switch (ButtonBitOf(m_msgMouse.message)) {
    case MK_LBUTTON:
      up = WM_LBUTTONUP;
      break;
    case MK_RBUTTON:
      up = WM_RBUTTONUP;
      break;
    case MK_MBUTTON:
      up = WM_MBUTTONUP;
      break;
    default:
      return;
  }
  ::SendMessageW(m_hWnd, up, m_msgMouse.wParam, m_msgMouse.lParam);
}

BOOL SHostWnd::OnKeyEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_SYSKEYDOWN || uMsg == WM_SYSKEYUP) {
    // System keys (Alt+F4, the window menu) stay the system's unless the focused element
    // asks for them.
    SWindow* focused = SWindow::GetSwndFromHandle(GetFocus());
    if (focused == nullptr || !(focused->OnGetDlgCode() & 0x80000000u)) return FALSE;
  }
  DoFrameEvent(uMsg, wParam, lParam);
  return IsFrameMsgHandled();
}

BOOL SHostWnd::OnTimer(UINT_PTR id) {
  if (!SwndTimerId::IsElementTimer(id)) return FALSE;
  const SwndHandle swnd = SwndTimerId::GetHandle(id);
  const UINT timer = SwndTimerId::GetTimerId(id);
  if ((GetRoot()->GetSwnd() & SwndTimerId::kHandleMask) == swnd) {
    if (timer == kTimerCaret) {
      DrawCaret(true);
    } else if (timer == kTimerNextFrame && !::IsIconic(m_hWnd)) {
      OnNextFrame();
    }
    return TRUE;
  }
  SWindow* wnd = SWindow::GetSwndFromHandle(swnd);
  if (wnd == nullptr) {
    CSimpleWnd::KillTimer(id);
    return TRUE;
  }
  wnd->SSendMessage(WM_TIMER, timer, 0);
  return TRUE;
}

LRESULT SHostWnd::OnNcHitTest(POINT ptScreen) {
  if (!m_hostAttr.IsResizable() || ::IsZoomed(m_hWnd)) return HTCLIENT;
  POINT pt = ptScreen;
  ::ScreenToClient(m_hWnd, &pt);
  const RECT margin = m_hostAttr.GetMargin(m_nScale);
  const RECT rc = GetRoot()->GetWindowRect();
  // The bottom edge is tested before the top one: a window lower than its two margins is
  // resized from below.
  const bool bottom = pt.y > rc.bottom - margin.bottom;
  const bool top = !bottom && pt.y < margin.top;
  if (pt.x > rc.right - margin.right) return bottom ? HTBOTTOMRIGHT : top ? HTTOPRIGHT : HTRIGHT;
  if (pt.x < margin.left) return bottom ? HTBOTTOMLEFT : top ? HTTOPLEFT : HTLEFT;
  return bottom ? HTBOTTOM : top ? HTTOP : HTCLIENT;
}

void SHostWnd::OnGetMinMaxInfo(MINMAXINFO* mmi) {
  HMONITOR monitor = ::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONULL);
  if (monitor == nullptr || mmi == nullptr) return;
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoW(monitor, &info)) return;
  const RECT inset = m_hostAttr.GetMaxInset(m_nScale);
  const SIZE minSize = m_hostAttr.GetMinSize(m_nScale);
  const RECT& work = info.rcWork;
  const RECT& mon = info.rcMonitor;
  mmi->ptMaxPosition.x = abs(work.left - mon.left) - inset.left;
  mmi->ptMaxPosition.y = abs(work.top - mon.top) - inset.top;
  mmi->ptMaxSize.x = abs(work.right - work.left) + inset.left + inset.right;
  mmi->ptMaxSize.y = abs(work.bottom - work.top) + inset.top + inset.bottom;
  mmi->ptMaxTrackSize = mmi->ptMaxSize;
  mmi->ptMinTrackSize.x = minSize.cx;
  mmi->ptMinTrackSize.y = minSize.cy;
}

void SHostWnd::OnChangeUiState(WORD action, WORD flags) {
  flags &= UISF_HIDEFOCUS | UISF_HIDEACCEL;
  WORD state = m_uiState;
  if (action == UIS_SET) {
    state |= flags;
  } else if (action == UIS_CLEAR) {
    state &= ~flags;
  } else if (action == UIS_INITIALIZE) {
    state = flags;
  }
  if (state == m_uiState) return;
  m_uiState = state;
  if (m_hWnd != nullptr) OnRedraw(GetRoot()->GetWindowRect());
}

LRESULT SHostWnd::OnUpdateSwnd(SwndHandle swnd) {
  for (SwndHandle queued : m_lstUpdateSwnd) {
    if (queued == swnd) return 0;
  }
  if (m_lstUpdateSwnd.empty()) InvalidateHost(nullptr);
  m_lstUpdateSwnd.push_back(swnd);
  return 0;
}

LRESULT SHostWnd::OnScriptTimer(UINT_PTR id, LPARAM handler) {
  if (m_pScriptModule == nullptr) return 0;
  EventTimer evt(GetRoot());
  evt.uID = static_cast<UINT>(id);
  m_pScriptModule->ExecuteScriptedEventHandler(reinterpret_cast<LPCSTR>(handler), &evt);
  return 0;
}

LRESULT SHostWnd::OnHandleEvent(LPARAM lParam) {
  // The event lives on the sender's stack: only a send from this thread can hand one over.
  if (lParam == 0 || (::InSendMessageEx(nullptr) & ISMEX_SEND)) return FALSE;
  return HandleEvent(reinterpret_cast<EventArgs*>(lParam));
}

LRESULT SHostWnd::OnSpyMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == SPYMSG_SETSPY) {
    HWND spy = reinterpret_cast<HWND>(lParam);
    m_hSpyWnd = ::IsWindow(spy) ? spy : nullptr;
    return m_hSpyWnd != nullptr;
  }
  if (uMsg == SPYMSG_HITTEST) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(m_hWnd, &pt);
    return GetRoot()->SwndFromPoint(pt, FALSE);
  }
  if (!m_hostAttr.IsAllowSpy()) return 0;
  SWindow* wnd =
      wParam == 0 ? GetRoot() : SWindow::GetSwndFromHandle(static_cast<SwndHandle>(wParam));
  if (wnd == nullptr) return 0;
  if (uMsg == SPYMSG_SWNDENUM) {
    SWindow* related = wnd->GetWindow(static_cast<int>(lParam));
    return related != nullptr ? related->GetSwnd() : 0;
  }
  auto info = std::make_unique<SWNDINFO>();
  memset(info.get(), 0, sizeof(SWNDINFO));
  info->swnd = wnd->GetSwnd();
  info->rcWnd = wnd->GetWindowRect();
  wnd->GetClientRect(&info->rcClient);
  info->bVisible = wnd->IsVisible(TRUE);
  info->nId = wnd->GetID();
  CopyField(info->szName, wnd->GetName());
  CopyField(info->szClassName, wnd->GetObjectClass());
  CopyField(info->szXmlStr, L"##unavailable!");
  if (m_hSpyWnd != nullptr && ::IsWindow(m_hSpyWnd)) {
    COPYDATASTRUCT cds = {SPYMSG_COPYDATA_ID, sizeof(SWNDINFO), info.get()};
    ::SendMessageW(m_hSpyWnd, WM_COPYDATA, reinterpret_cast<WPARAM>(m_hWnd),
                   reinterpret_cast<LPARAM>(&cds));
  }
  return 1;
}

}  // namespace SWUI
