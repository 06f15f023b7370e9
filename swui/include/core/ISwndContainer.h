// What an element asks of the container of its tree (a host window, or an item panel of a
// view): the native window behind it, repaints and borrowed render targets, the element
// capture, focus and hover, the caret and tooltip, mouse tracking, timeline handlers, the
// z-order of the tree and events that leave the tree. Elements keep a plain pointer to their
// container; the container outlives its tree. UI thread only.
#pragma once
#include <ole2.h>
#include <windows.h>

#include "IRenderTarget.h"
#include "core/ITimelineHandler.h"
#include "base/SString.h"
#include "core/SwndHandle.h"

namespace SWUI {

class EventArgs;
class SMessageLoop;
struct IAcceleratorMgr;
struct IScriptModule;

struct ISwndContainer : public ITimelineHandler {
  // Drop targets by element, handed to the container's drop-target dispatcher.
  virtual BOOL RegisterDragDrop(SwndHandle swnd, IDropTarget* pDropTarget) = 0;
  virtual BOOL RevokeDragDrop(SwndHandle swnd) = 0;

  // An event that bubbled out of the tree; TRUE when the host handled it.
  virtual BOOL OnFireEvent(EventArgs& evt) = 0;
  // The native window the tree is shown in; null before it exists.
  virtual HWND GetHostHwnd() = 0;
  // The translation context of the tree's texts.
  virtual SStringW GetTranslatorContext() const = 0;
  virtual BOOL IsTranslucent() const = 0;
  virtual BOOL IsSendWheel2Hover() const = 0;
  // The root element's window rectangle.
  virtual void GetContainerRect(RECT* prc) const = 0;

  // A render target over rc (its logical coordinates those of rc) for an element that draws
  // outside a paint, holding the host's current pixels of rc unless gdcFlags is GRT_NODRAW;
  // the element hands it back through OnReleaseRenderTarget, which releases it and, unless
  // gdcFlags is GRT_NODRAW, copies it to the host's surface and the screen. Null on failure.
  virtual IRenderTarget* OnGetRenderTarget(const RECT& rc, DWORD gdcFlags) = 0;
  virtual void OnReleaseRenderTarget(IRenderTarget* pRT, const RECT& rc, DWORD gdcFlags) = 0;
  // Repaints rc of the host natively (an element whose background blends with what lies
  // below it cannot repaint itself alone).
  virtual void OnRedraw(const RECT& rc) = 0;

  // The element capture: the holder's handle (0 for none); setting answers the previous
  // holder, or 0 without a change for a disabled element.
  virtual SwndHandle OnGetSwndCapture() const = 0;
  virtual BOOL OnReleaseSwndCapture() = 0;
  virtual SwndHandle OnSetSwndCapture(SwndHandle swnd) = 0;
  // Moves the focus to the element (0 for none); only an enabled, focusable element takes it.
  virtual void OnSetSwndFocus(SwndHandle swnd) = 0;
  virtual SwndHandle GetHover() const = 0;
  virtual SwndHandle GetFocus() const = 0;

  // The host's caret, owned by the element of a handle; a bitmap of null draws black.
  virtual BOOL CreateCaret(SwndHandle owner, HBITMAP hBmp, int nWidth, int nHeight) = 0;
  virtual BOOL ShowCaret(BOOL bShow) = 0;
  virtual BOOL SetCaretPos(int x, int y) = 0;

  // Paints the pending invalid areas now.
  virtual BOOL UpdateWindow() = 0;
  // Asks the hovered element for its tip again.
  virtual void UpdateTooltip() = 0;
  // Container to host client coordinates (no change in a top-level host).
  virtual void FrameToHost(RECT& rc) const = 0;
  virtual IAcceleratorMgr* GetFocusManager() = 0;

  virtual BOOL RegisterTimelineHandler(ITimelineHandler* pHandler) = 0;
  virtual BOOL UnregisterTimelineHandler(ITimelineHandler* pHandler) = 0;
  // Elements sent hover and leave by position while they are registered.
  virtual BOOL RegisterTrackMouseEvent(SwndHandle swnd) = 0;
  virtual BOOL UnregisterTrackMouseEvent(SwndHandle swnd) = 0;
  virtual SMessageLoop* GetMsgLoop() = 0;

  // The tree changed: the paint order must be numbered again before the next partial paint.
  virtual void MarkWndTreeZorderDirty() = 0;
  // When marked dirty, numbers every element of the tree in pre-order from 0 (SetZorder).
  virtual void BuildWndTreeZorder() = 0;
  // Something a cached background may hold changed (an element's text, state, visibility,
  // attributes, language, scale or colour): the host draws that background again.
  virtual void MarkStaticContentDirty() {}

  virtual IScriptModule* GetScriptModule() = 0;
  // The scale of the tree in percent.
  virtual int GetScale() const = 0;
  // Routes a host message to the elements (input, focus, cursor).
  virtual LRESULT DoFrameEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) = 0;

 protected:
  ~ISwndContainer() = default;
};

}  // namespace SWUI
