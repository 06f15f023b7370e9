#include "ElementRig.h"

#include <algorithm>

#include "core/SAttrParse.h"
#include "core/STranslator.h"
#include "core/STranslatorMgr.h"
#include "base/SXmlMark.h"

using namespace SWUI;

// ---- TestContainer -------------------------------------------------------------------------

namespace {

const wchar_t kHostClass[] = L"SwuiElementTestHost";

void RegisterHostClass(WNDPROC proc) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kHostClass;
  RegisterClassW(&wc);  // fails harmlessly when already registered
}

void NumberTree(SWindow* wnd, UINT& next) {
  wnd->SetZorder(next++);
  for (SWindow* child = wnd->GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    NumberTree(child, next);
  }
}

}  // namespace

TestContainer::TestContainer(int width, int height) {
  RegisterHostClass(HostProc);
  hwnd_ = CreateWindowExW(0, kHostClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  REQUIRE(hwnd_ != nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  IRenderTarget* made = nullptr;
  SApplication::getSingleton().GetRenderFactory()->CreateRenderTarget(&made, width, height);
  host_.Attach(made);
  REQUIRE(host_ != nullptr);
}

TestContainer::~TestContainer() { DestroyWindow(hwnd_); }

LRESULT CALLBACK TestContainer::HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TestContainer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr && msg == UM_UPDATESWND) {
    self->updateSwnds.push_back(static_cast<SwndHandle>(wParam));
    if (self->updateOnMessage) {
      if (SWindow* wnd = SWindow::GetSwndFromHandle(static_cast<SwndHandle>(wParam))) wnd->Update();
    }
    return 0;
  }
  if (self != nullptr && msg == WM_TIMER) {
    self->timers.push_back(wParam);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

BOOL TestContainer::OnFireEvent(EventArgs& evt) {
  fired.push_back(Fired{static_cast<DWORD>(evt.GetID()), evt.idFrom});
  return handleEvents;
}

void TestContainer::GetContainerRect(RECT* prc) const {
  *prc = root_ != nullptr ? root_->GetWindowRect() : RECT{0, 0, 0, 0};
}

IRenderTarget* TestContainer::OnGetRenderTarget(const RECT& rc, DWORD gdcFlags) {
  lentFlags.push_back(gdcFlags);
  IRenderTarget* rt = nullptr;
  SApplication::getSingleton().GetRenderFactory()->CreateRenderTarget(&rt, rc.right - rc.left,
                                                                      rc.bottom - rc.top);
  if (rt == nullptr) return nullptr;
  rt->SetViewportOrg(POINT{-rc.left, -rc.top});
  if (gdcFlags != GRT_NODRAW) rt->BitBlt(&rc, host_, rc.left, rc.top, SRCCOPY);
  return rt;
}

void TestContainer::OnReleaseRenderTarget(IRenderTarget* pRT, const RECT& rc, DWORD gdcFlags) {
  ++released;
  if (gdcFlags != GRT_NODRAW) host_->BitBlt(&rc, pRT, rc.left, rc.top, SRCCOPY);
  pRT->Release();
}

BOOL TestContainer::OnReleaseSwndCapture() {
  capture = 0;
  return TRUE;
}

SwndHandle TestContainer::OnSetSwndCapture(SwndHandle swnd) {
  SWindow* wnd = SWindow::GetSwndFromHandle(swnd);
  if (wnd != nullptr && wnd->IsDisabled(TRUE)) return 0;
  const SwndHandle old = capture;
  capture = swnd;
  return old;
}

void TestContainer::OnSetSwndFocus(SwndHandle swnd) {
  if (swnd == focus) return;
  const SwndHandle old = focus;
  focus = 0;
  if (SWindow* oldWnd = SWindow::GetSwndFromHandle(old)) oldWnd->SSendMessage(WM_KILLFOCUS, swnd);
  SWindow* wnd = SWindow::GetSwndFromHandle(swnd);
  if (wnd != nullptr && !wnd->IsDisabled(TRUE) && wnd->IsFocusable()) {
    focus = swnd;
    wnd->SSendMessage(WM_SETFOCUS, 0, 0);
  }
}

void TestContainer::OnNextFrame() {
  const std::vector<ITimelineHandler*> copy = timeline;
  for (ITimelineHandler* handler : copy) handler->OnNextFrame();
}

BOOL TestContainer::RegisterTimelineHandler(ITimelineHandler* handler) {
  if (OnTimeline(handler)) return FALSE;
  timeline.push_back(handler);
  return TRUE;
}

bool TestContainer::OnTimeline(ITimelineHandler* handler) const {
  return std::find(timeline.begin(), timeline.end(), handler) != timeline.end();
}

BOOL TestContainer::UnregisterTimelineHandler(ITimelineHandler* handler) {
  auto it = std::find(timeline.begin(), timeline.end(), handler);
  if (it == timeline.end()) return FALSE;
  timeline.erase(it);
  return TRUE;
}

BOOL TestContainer::RegisterTrackMouseEvent(SwndHandle swnd) {
  if (std::find(tracked.begin(), tracked.end(), swnd) != tracked.end()) return FALSE;
  tracked.push_back(swnd);
  return TRUE;
}

BOOL TestContainer::UnregisterTrackMouseEvent(SwndHandle swnd) {
  auto it = std::find(tracked.begin(), tracked.end(), swnd);
  if (it == tracked.end()) return FALSE;
  tracked.erase(it);
  return TRUE;
}

void TestContainer::BuildWndTreeZorder() {
  if (!zorderDirty_ || root_ == nullptr) return;
  UINT next = 0;
  NumberTree(root_, next);
  zorderDirty_ = false;
}

// ---- ProbeWnd ------------------------------------------------------------------------------

std::vector<ProbeEntry>* ProbeWnd::log = nullptr;

HRESULT ProbeWnd::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  applied.push_back(std::wstring(name) + L"=" + std::wstring(value));
  if (SAttrParse::IsName(name, L"failCreate")) {
    failCreate_ = SAttrParse::Bool(value) != FALSE;
    return S_FALSE;
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

size_t ProbeWnd::Count(UINT msg) const {
  if (log == nullptr) return 0;
  const std::wstring name = GetName() != nullptr ? GetName() : L"";
  return static_cast<size_t>(std::count_if(log->begin(), log->end(), [&](const ProbeEntry& e) {
    return e.msg == msg && e.name == name;
  }));
}

LRESULT ProbeWnd::OnAnyMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (log != nullptr) {
    log->push_back(ProbeEntry{GetName() != nullptr ? GetName() : L"", uMsg, wParam, lParam});
  }
  if (uMsg == WM_CREATE && failCreate_) return 1;
  SetMsgHandled(FALSE);  // on to SWindow's map
  return 0;
}

// ---- RecordingLayout -----------------------------------------------------------------------

namespace {

enum class Mode { Match, Wrap, Size };

class RecordingParam : public TObjRefImpl<SObjectImpl<ILayoutParam>> {
  SWUI_CLASS_NAME_EX(SObjectImpl<ILayoutParam>, L"RecordingParam", OBJ_TYPE_UNDEF)

 public:
  RecordingParam() { Clear(); }

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL) override {
    if (SAttrParse::IsName(name, L"probeParam")) return S_OK;
    if (!SAttrParse::IsName(name, L"probeSize")) return E_NOTIMPL;
    SArray<SStringW> parts;
    if (SplitString(value, L',', parts) != 2) return E_INVALIDARG;
    for (int axis = 0; axis < 2; ++axis) {
      if (parts[axis] == L"matchParent") {
        mode_[axis] = Mode::Match;
      } else if (parts[axis] == L"wrapContent") {
        mode_[axis] = Mode::Wrap;
      } else {
        mode_[axis] = Mode::Size;
        size_[axis] = SLayoutSize::fromString(parts[axis]);
      }
    }
    return S_OK;
  }
  using SObjectImpl<ILayoutParam>::SetAttribute;

  void Clear() override { mode_[0] = mode_[1] = Mode::Wrap; }
  bool IsMatchParent(ORIENTATION o) const override { return Is(o, Mode::Match); }
  bool IsWrapContent(ORIENTATION o) const override { return Is(o, Mode::Wrap); }
  bool IsSpecifiedSize(ORIENTATION o) const override { return Is(o, Mode::Size); }
  SLayoutSize GetSpecifiedSize(ORIENTATION o) const override { return size_[o == Vert ? 1 : 0]; }
  void SetMatchParent(ORIENTATION o) override { Set(o, Mode::Match); }
  void SetWrapContent(ORIENTATION o) override { Set(o, Mode::Wrap); }
  void SetSpecifiedSize(ORIENTATION o, const SLayoutSize& size) override {
    Set(o, Mode::Size);
    if (o == Horz || o == Both) size_[0] = size;
    if (o == Vert || o == Both) size_[1] = size;
  }
  void* GetRawData() override { return mode_; }

 private:
  bool Is(ORIENTATION o, Mode m) const {
    if (o == Horz || o == Vert) return mode_[o] == m;
    if (o == Any) return mode_[0] == m || mode_[1] == m;
    return mode_[0] == m && mode_[1] == m;
  }
  void Set(ORIENTATION o, Mode m) {
    if (o == Horz || o == Both) mode_[0] = m;
    if (o == Vert || o == Both) mode_[1] = m;
  }

  Mode mode_[2];
  SLayoutSize size_[2];
};

}  // namespace

int RecordingLayout::layouts = 0;
std::vector<SIZE> RecordingLayout::measures;
SIZE RecordingLayout::measureAnswer = {0, 0};

HRESULT RecordingLayout::SetAttribute(const SStringW& name, const SStringW&, BOOL) {
  return SAttrParse::IsName(name, L"probeLayout") ? S_OK : E_NOTIMPL;
}

BOOL RecordingLayout::IsParamAcceptable(ILayoutParam* param) const {
  return param != nullptr && param->IsClass(L"RecordingParam");
}

void RecordingLayout::LayoutChildren(ILayoutElement* parent) {
  ++layouts;
  RECT rc;
  parent->GetChildrenLayoutRect(&rc);
  int i = 0;
  for (ILayoutElement* child = parent->GetNextLayoutChild(nullptr); child != nullptr;
       child = parent->GetNextLayoutChild(child), ++i) {
    child->OnRelayout(RECT{rc.left, rc.top + 10 * i, rc.left + 10, rc.top + 10 * i + 10});
  }
}

ILayoutParam* RecordingLayout::CreateLayoutParam() const { return new RecordingParam(); }

SIZE RecordingLayout::MeasureChildren(ILayoutElement*, int nWidth, int nHeight) const {
  measures.push_back(SIZE{nWidth, nHeight});
  return measureAnswer;
}

int FnSlot::s_keys = 0;

// ---- ElementRig ----------------------------------------------------------------------------

ElementRig::ElementRig(int width, int height, bool systemResources)
    : render(width, height),
      app(render.Factory(), GetModuleHandleW(nullptr)),
      container(width, height) {
  if (systemResources) LoadSystemResources(app);
  app.TplRegisterFactory<ProbeWnd>();
  app.TplRegisterFactory<RecordingLayout>();
  ProbeWnd::log = &probeLog;
  RecordingLayout::layouts = 0;
  RecordingLayout::measures.clear();
  RecordingLayout::measureAnswer = SIZE{0, 0};
  root = new SWindow();
  root->SetContainer(&container);
  container.SetRoot(root);
}

ElementRig::~ElementRig() {
  root->DestroyWindow();
  ProbeWnd::log = nullptr;
  SXmlMark::ClearMarks(doc_);
}

void ElementRig::Load(const wchar_t* xml) {
  REQUIRE(doc_.load_string(xml));
  REQUIRE(root->InitFromXml(doc_.first_child()));
  const RECT all = {0, 0, static_cast<LONG>(render.Surface()->Width()),
                    static_cast<LONG>(render.Surface()->Height())};
  root->OnRelayout(all);
}

SWindow* ElementRig::Find(LPCWSTR name) const {
  SWindow* found = root->FindChildByName(name);
  REQUIRE_MESSAGE(found != nullptr, "no element named this");
  return found;
}

ProbeWnd* ElementRig::Probe(LPCWSTR name) const {
  auto* probe = dynamic_cast<ProbeWnd*>(Find(name));
  REQUIRE(probe != nullptr);
  return probe;
}

void ElementRig::Paint() {
  const RECT all = {0, 0, static_cast<LONG>(render.Surface()->Width()),
                    static_cast<LONG>(render.Surface()->Height())};
  render.Target()->ClearRect(&all, 0xFFFFFFFF);
  container.BuildWndTreeZorder();
  root->RedrawRegion(render.Target(), nullptr);
}

SWindow* NewElement(SApplication& app, LPCWSTR tag) {
  auto* wnd = SObjectFactoryMgr::TakeObjectAs<SWindow>(app.CreateWindowByName(tag));
  REQUIRE(wnd != nullptr);
  return wnd;
}

void InstallTranslator(SApplication& app, const wchar_t* languageXml) {
  IObjRef* obj = nullptr;
  REQUIRE(Translator_SCreateInstance(&obj));
  SAutoRefPtr<ITranslatorMgr> mgr;
  mgr.Attach(static_cast<ITranslatorMgr*>(obj));
  app.SetTranslator(mgr);
  pugi::xml_document doc;
  REQUIRE(doc.load_string(languageXml));
  pugi::xml_node language = doc.child(L"language");
  SAutoRefPtr<ITranslator> tr;
  tr.Attach(new STranslator());
  REQUIRE(tr->Load(&language, STranslator::kLoadXmlNode));
  REQUIRE(mgr->InstallTranslator(tr));
}
