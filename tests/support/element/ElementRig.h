// What element tests stand on: an application over a memory render target, a container that
// stands in for the host window and records what the elements ask of it, a probe element that
// logs the messages it is sent, and a recording layout that shows when and how an element
// calls its layout.
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include <functional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "PumpUntil.h"
#include "RenderRig.h"
#include "TestAccelMgr.h"
#include "TestSkinPools.h"
#include "core/EventArgs.h"
#include "core/ISwndContainer.h"
#include "core/SApplication.h"
#include "core/SWindow.h"

// The host window's part of the tree: capture, focus and hover as handles, z-order numbering,
// render targets lent over a host surface of its own, a message-only native window that
// receives UM_UPDATESWND and element timers (or a window of the test's own as the host),
// a timeline whose frames the test delivers (OnNextFrame) and an accelerator table.
// Everything asked is recorded.
class TestContainer : public SWUI::ISwndContainer {
 public:
  struct Fired {
    DWORD id;
    int idFrom;
  };

  TestContainer(int width, int height);
  ~TestContainer();
  TestContainer(const TestContainer&) = delete;
  TestContainer& operator=(const TestContainer&) = delete;

  void SetRoot(SWUI::SWindow* root) { root_ = root; }
  // The host's own surface, which lent render targets are copied from and back into.
  SWUI::IRenderTarget* HostSurface() const { return host_; }

  // Recorded calls.
  std::vector<RECT> redraws;                  // OnRedraw
  std::vector<SWUI::SwndHandle> updateSwnds;  // UM_UPDATESWND received by the host window
  std::vector<UINT_PTR> timers;               // WM_TIMER ids received by the host window
  std::vector<Fired> fired;                   // OnFireEvent
  std::vector<DWORD> lentFlags;               // OnGetRenderTarget
  int released = 0;                           // OnReleaseRenderTarget
  int tooltipUpdates = 0;
  int zorderMarks = 0;
  std::vector<SWUI::SwndHandle> tracked;
  std::vector<SWUI::ITimelineHandler*> timeline;  // registered, in order
  // Behaviour.
  BOOL handleEvents = FALSE;     // what OnFireEvent answers
  bool updateOnMessage = false;  // UM_UPDATESWND runs the element's Update at once
  int scale = 100;
  SWUI::SStringW trCtx;
  SWUI::SwndHandle capture = 0;
  SWUI::SwndHandle focus = 0;
  SWUI::SwndHandle hover = 0;
  HWND hostWindow = nullptr;  // answered as the host window when set
  TestAccelMgr accels;        // the focus manager's accelerator table

  bool OnTimeline(SWUI::ITimelineHandler* handler) const;

  // ISwndContainer
  // One frame of the timeline, as the host delivers it: to every registered handler, over a
  // copy of the list (a handler may leave during its frame).
  void OnNextFrame() override;
  BOOL RegisterDragDrop(SWUI::SwndHandle, IDropTarget*) override { return FALSE; }
  BOOL RevokeDragDrop(SWUI::SwndHandle) override { return FALSE; }
  BOOL OnFireEvent(SWUI::EventArgs& evt) override;
  HWND GetHostHwnd() override { return hostWindow != nullptr ? hostWindow : hwnd_; }
  SWUI::SStringW GetTranslatorContext() const override { return trCtx; }
  BOOL IsTranslucent() const override { return FALSE; }
  BOOL IsSendWheel2Hover() const override { return FALSE; }
  void GetContainerRect(RECT* prc) const override;
  SWUI::IRenderTarget* OnGetRenderTarget(const RECT& rc, DWORD gdcFlags) override;
  void OnReleaseRenderTarget(SWUI::IRenderTarget* pRT, const RECT& rc, DWORD gdcFlags) override;
  void OnRedraw(const RECT& rc) override { redraws.push_back(rc); }
  SWUI::SwndHandle OnGetSwndCapture() const override { return capture; }
  BOOL OnReleaseSwndCapture() override;
  SWUI::SwndHandle OnSetSwndCapture(SWUI::SwndHandle swnd) override;
  // As the focus manager does: the old focus gets WM_KILLFOCUS, and only an enabled,
  // focusable element takes the focus (WM_SETFOCUS).
  void OnSetSwndFocus(SWUI::SwndHandle swnd) override;
  SWUI::SwndHandle GetHover() const override { return hover; }
  SWUI::SwndHandle GetFocus() const override { return focus; }
  BOOL CreateCaret(SWUI::SwndHandle, HBITMAP, int, int) override { return TRUE; }
  BOOL ShowCaret(BOOL) override { return TRUE; }
  BOOL SetCaretPos(int, int) override { return TRUE; }
  BOOL UpdateWindow() override { return TRUE; }
  void UpdateTooltip() override { ++tooltipUpdates; }
  void FrameToHost(RECT&) const override {}
  SWUI::IAcceleratorMgr* GetFocusManager() override { return &accels; }
  // TRUE when added (once) / when it was present.
  BOOL RegisterTimelineHandler(SWUI::ITimelineHandler* handler) override;
  BOOL UnregisterTimelineHandler(SWUI::ITimelineHandler* handler) override;
  BOOL RegisterTrackMouseEvent(SWUI::SwndHandle swnd) override;
  BOOL UnregisterTrackMouseEvent(SWUI::SwndHandle swnd) override;
  SWUI::SMessageLoop* GetMsgLoop() override { return nullptr; }
  void MarkWndTreeZorderDirty() override {
    ++zorderMarks;
    zorderDirty_ = true;
  }
  void BuildWndTreeZorder() override;
  SWUI::IScriptModule* GetScriptModule() override { return nullptr; }
  int GetScale() const override { return scale; }
  LRESULT DoFrameEvent(UINT, WPARAM, LPARAM) override { return 0; }

 private:
  static LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  SWUI::SWindow* root_ = nullptr;
  HWND hwnd_ = nullptr;
  SWUI::SAutoRefPtr<SWUI::IRenderTarget> host_;
  bool zorderDirty_ = true;
};

// One entry of the probe log: which probe (its name) got which message.
struct ProbeEntry {
  std::wstring name;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// An element that logs every message it is sent (then handles it as SWindow does), can refuse
// its creation (attribute "failCreate") and remembers the attributes applied to it.
class ProbeWnd : public SWUI::SWindow {
  SWUI_CLASS_NAME(SWUI::SWindow, L"probe")

 public:
  static std::vector<ProbeEntry>* log;
  std::vector<std::wstring> applied;

  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SWindow::SetAttribute;

  // How many of the logged messages are msg for this probe.
  size_t Count(UINT msg) const;

 protected:
  SWND_BEGIN_MSG_MAP()
  SWND_MESSAGE_RANGE_HANDLER(WM_CREATE, 0xFFFF, OnAnyMessage)
  SWND_END_MSG_MAP(SWUI::SWindow)

 private:
  LRESULT OnAnyMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
  bool failCreate_ = false;
};

// A layout that only records: how often it laid out and measured, with what extents. It
// takes parameters of its own kind, which hold a size mode per axis (matchParent, wrapContent
// or a size in pixels, attribute "probeSize" = "w,h") and answer "probeParam"; the layout
// itself answers "probeLayout". Laying out puts each layout child at (0, 10 x i) sized 10 x 10.
class RecordingLayout : public SWUI::TObjRefImpl<SWUI::SObjectImpl<SWUI::ILayout>> {
  SWUI_CLASS_NAME_EX(SWUI::SObjectImpl<SWUI::ILayout>, L"recordingLayout", SWUI::OBJ_TYPE_LAYOUT)

 public:
  static int layouts;
  static std::vector<SIZE> measures;
  static SIZE measureAnswer;

  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SObjectImpl<SWUI::ILayout>::SetAttribute;
  BOOL IsParamAcceptable(SWUI::ILayoutParam* param) const override;
  void LayoutChildren(SWUI::ILayoutElement* parent) override;
  SWUI::ILayoutParam* CreateLayoutParam() const override;
  SIZE MeasureChildren(SWUI::ILayoutElement* parent, int nWidth, int nHeight) const override;
};

// Builds trees from XML text under a root element held by a test container, paints them into
// a memory target and reads pixels. With systemResources the framework's built-in skins and
// defaults are loaded from the test program's own resources.
class ElementRig {
 public:
  explicit ElementRig(int width = 200, int height = 200, bool systemResources = false);
  ~ElementRig();
  ElementRig(const ElementRig&) = delete;
  ElementRig& operator=(const ElementRig&) = delete;

  // Initialises the root from the XML element (its tag is ignored) and lays it out over the
  // whole surface. The document stays alive with the rig.
  void Load(const wchar_t* xml);
  SWUI::SWindow* Find(LPCWSTR name) const;
  // The element of that name as the class asked for (the test fails otherwise).
  template <class T>
  T* Find(LPCWSTR name) const {
    auto* typed = dynamic_cast<T*>(Find(name));
    REQUIRE_MESSAGE(typed != nullptr, "the element is not of the class asked for");
    return typed;
  }
  ProbeWnd* Probe(LPCWSTR name) const;
  // Test skins (CellSkin.h) from a "skin" element's children, pushed for the rig's lifetime,
  // and one of them by name.
  void AddSkins(const wchar_t* xml) { skins.Add(app, xml); }
  CellSkin* Skin(const wchar_t* name) const { return skins.Cells(name); }
  // Clears the surface to opaque white and paints the whole tree into it.
  void Paint();
  DWORD Pixel(int x, int y) const { return render.Pixel(x, y); }
  // The messages logged by probes since the last clear.
  std::vector<ProbeEntry> probeLog;

  RenderRig render;
  SWUI::SApplication app;
  TestContainer container;
  TestSkinPools skins;
  SWUI::SWindow* root = nullptr;

 private:
  pugi::xml_document doc_;
};

// A subscriber made of a function; each one made is its own subscriber.
class FnSlot : public SWUI::ISlotFunctor {
 public:
  explicit FnSlot(std::function<bool(SWUI::EventArgs*)> fn) : fn_(std::move(fn)), key_(++s_keys) {}
  bool operator()(SWUI::EventArgs* args) override { return fn_(args); }
  SWUI::ISlotFunctor* Clone() const override { return new FnSlot(*this); }
  bool Equal(const SWUI::ISlotFunctor& other) const override {
    auto* same = dynamic_cast<const FnSlot*>(&other);
    return same != nullptr && same->key_ == key_;
  }
  unsigned int GetSlotType() const override { return SWUI::kSlotTypeGeneric; }

 private:
  static int s_keys;
  std::function<bool(SWUI::EventArgs*)> fn_;
  int key_;
};

// A new element made by the application's factories by tag, not in any tree.
SWUI::SWindow* NewElement(SWUI::SApplication& app, LPCWSTR tag);

// Makes a translator manager the application's, with one translator loaded from XML text
// holding a "language" element; the caller gives it back with app.SetTranslator(nullptr).
void InstallTranslator(SWUI::SApplication& app, const wchar_t* languageXml);

// A point in host client coordinates as a mouse message's lParam.
inline LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// The element of the name, which must be a T.
template <class T>
T* FindAs(const ElementRig& rig, const wchar_t* name) {
  auto* found = dynamic_cast<T*>(rig.Find(name));
  REQUIRE(found != nullptr);
  return found;
}
