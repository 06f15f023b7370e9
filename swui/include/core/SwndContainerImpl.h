// The windowless half of every host window: it owns the root element of the tree and turns
// the native window's input (mouse, wheel, keys, input-method messages, activation, focus and
// cursor queries) into element messages for the right element, keeping the capture, hover
// and focus as handles. It keeps the timeline handlers of animations, the elements that want
// mouse-enter and mouse-leave by position, and the z-order numbering of the tree. The native
// side (window, painting, caret, tooltip) is the host's: the operations left pure here.
// UI thread only.
#pragma once
#include <windows.h>

#include <pugixml.hpp>
#include <vector>

#include "core/CFocusManager.h"
#include "core/ISwndContainer.h"
#include "core/SDropTargetDispatcher.h"
#include "core/SRootWindow.h"

namespace SWUI {

class SwndContainerImpl : public ISwndContainer {
 public:
  SwndContainerImpl();
  virtual ~SwndContainerImpl();
  SwndContainerImpl(const SwndContainerImpl&) = delete;
  SwndContainerImpl& operator=(const SwndContainerImpl&) = delete;

  SRootWindow* GetRoot() const { return m_root; }
  CFocusManager& GetFocusMgr() { return m_focusMgr; }
  SDropTargetDispatcher& GetDropTarget() { return m_dropTarget; }
  // Whether the last DoFrameEvent found an element that handled the message.
  BOOL IsFrameMsgHandled() const { return m_bFrameHandled; }

  // ---- ISwndContainer: what the container itself answers -------------------------------
  // Frames of every timeline handler while the root is visible.
  void OnNextFrame() override;
  BOOL RegisterDragDrop(SwndHandle swnd, IDropTarget* pDropTarget) override;
  BOOL RevokeDragDrop(SwndHandle swnd) override;
  SwndHandle OnGetSwndCapture() const override { return m_capture; }
  BOOL OnReleaseSwndCapture() override;
  SwndHandle OnSetSwndCapture(SwndHandle swnd) override;
  // A nonzero handle first gives the native window the focus (unless it has it or is a tool
  // window).
  void OnSetSwndFocus(SwndHandle swnd) override;
  SwndHandle GetHover() const override { return m_hover; }
  SwndHandle GetFocus() const override { return m_focusMgr.GetFocusedHwnd(); }
  void FrameToHost(RECT&) const override {}
  IAcceleratorMgr* GetFocusManager() override { return &m_focusMgr; }
  // TRUE when added (FALSE when present already); TRUE when removed.
  BOOL RegisterTimelineHandler(ITimelineHandler* pHandler) override;
  BOOL UnregisterTimelineHandler(ITimelineHandler* pHandler) override;
  BOOL RegisterTrackMouseEvent(SwndHandle swnd) override;
  BOOL UnregisterTrackMouseEvent(SwndHandle swnd) override;
  void MarkWndTreeZorderDirty() override {
    m_bZorderDirty = TRUE;
    ++m_uTreeStamp;
  }
  void MarkStaticContentDirty() override { ++m_uTreeStamp; }
  // Changes with every change of the tree's shape (an element moved, added, removed or
  // raised) and of what a cached background may hold (MarkStaticContentDirty).
  UINT GetTreeStamp() const { return m_uTreeStamp; }
  void BuildWndTreeZorder() override;
  // Routes a host message to the elements; only WM_SETCURSOR's result means anything (0
  // for every other message). IsFrameMsgHandled tells whether an element handled it.
  LRESULT DoFrameEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

  size_t GetTimelineHandlerCount() const { return m_timelineHandlers.size(); }

 protected:
  friend class SRootWindow;

  // A container whose root the derived class made (a root of its own class); the container
  // takes the root's reference and becomes its owner.
  explicit SwndContainerImpl(SRootWindow* root);

  // The root element's class identity and the parts of its behaviour a host replaces; the
  // defaults are the plain element's.
  virtual LPCWSTR RootClassName() const { return L"SwndContainerImpl"; }
  virtual BOOL IsRootClass(LPCWSTR className) const;
  virtual void GetRootClientRect(LPRECT prect) const { m_root->DefGetClientRect(prect); }
  virtual void OnRootRequestRelayout(SWindow* pSource, BOOL bSourceResizable) {
    m_root->DefRequestRelayout(pSource, bSourceResizable);
  }
  virtual void OnRootUpdateLayout() { m_root->DefUpdateLayout(); }
  virtual void OnRootBeforePaint(IRenderTarget* pRT, SPainter& painter) {
    m_root->DefBeforePaint(pRT, painter);
  }
  virtual void OnRootAfterPaint(IRenderTarget* pRT, SPainter& painter) {
    m_root->DefAfterPaint(pRT, painter);
  }
  virtual BOOL OnRootLanguageChanged() { return m_root->DefOnLanguageChanged(); }
  virtual void OnRootScaleChanged(int scale) { m_root->DefOnScaleChanged(scale); }
  virtual BOOL OnRootInitFromXml(pugi::xml_node xmlNode) { return m_root->DefInitFromXml(xmlNode); }

  void SetFrameMsgHandled(BOOL handled) { m_bFrameHandled = handled; }

 private:
  void OnFrameMouseMove(WPARAM wParam, POINT pt);
  void OnFrameMouseEvent(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnFrameMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnFrameMouseLeave();
  BOOL OnFrameSetCursor(POINT pt);
  void OnFrameKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnFrameKeyEvent(UINT uMsg, WPARAM wParam, LPARAM lParam);
  // Hover and leave by position for the elements that asked to be tracked.
  void TrackMouse(POINT pt);
  // Sends to an element, taking its handled flag as the container's.
  void SendHandled(SWindow* wnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

  SRootWindow* m_root;
  SwndHandle m_capture = 0;
  SwndHandle m_hover = 0;
  BOOL m_bNcHover = FALSE;
  CFocusManager m_focusMgr;
  SDropTargetDispatcher m_dropTarget;
  BOOL m_bZorderDirty = TRUE;
  UINT m_uTreeStamp = 0;
  std::vector<ITimelineHandler*> m_timelineHandlers;
  std::vector<SwndHandle> m_trackedSwnds;
  BOOL m_bFrameHandled = FALSE;
};

}  // namespace SWUI
