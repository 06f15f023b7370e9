// The virtual container of one visible item of an adapter view: it owns the item's element
// tree (its root, SItemPanelRoot, is what the adapter fills) and routes the input, focus,
// capture, painting and events of that tree inside the view that holds it (the frame host).
//
// The tree lives in the panel's own coordinates, (0, 0) at the item's top-left corner. The
// view hands it messages with points in those coordinates (DoFrameEvent) and paints it at the
// item's rectangle (Draw); render targets, the caret, FrameToHost and redraws go out through
// the view, moved by the item's top-left corner, so a panel in a row of a view that itself
// lies in another view's row still lands in the right place. Every event of the tree reaches
// the view as EventOfPanel (10006). Native services (host window, caret, tooltip, scale,
// message loop) are the view's container's.
//
// Made only by the views (Create, one reference); the final release destroys the tree and
// deletes the panel. UI thread only.
#pragma once
#include <pugixml.hpp>

#include "base/TObjRefImpl.h"
#include "control/IItemContainer.h"
#include "core/SwndContainerImpl.h"

namespace SWUI {

class SItemPanelRoot;

class SItemPanel : public SwndContainerImpl, public TObjRefImpl<IObjRef> {
 public:
  // A panel with one reference; a non-empty node builds its tree (attributes and children).
  static SItemPanel* Create(SWindow* pFrameHost, pugi::xml_node xmlNode,
                            IItemContainer* pItemContainer);

  SItemPanelRoot* GetItemRoot() const;
  SWindow* GetFrameHost() const { return m_pFrmHost; }
  IItemContainer* GetItemContainer() const { return m_pItemContainer; }
  // The item the panel shows: a list view's position, a tree view's item handle (so the word
  // is pointer-sized); -1 while it shows none.
  LPARAM GetItemIndex() const { return m_lItemIndex; }
  void SetItemIndex(LPARAM index) { m_lItemIndex = index; }
  ULONG_PTR GetItemData() const { return m_dwData; }
  void SetItemData(ULONG_PTR data) { m_dwData = data; }
  // The rectangle the view gives the item (empty when it shows no item).
  RECT GetItemRect() const;

  // The view's message for the item (a point in the panel's coordinates). Unless the panel is
  // disabled the mouse raises its item events first; a left-button release is routed with the
  // panel's own events muted and then ends in one EventCmd of the panel.
  LRESULT DoFrameEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  // Changes the root's state without a redraw.
  void ModifyItemState(DWORD dwStateAdd, DWORD dwStateRemove);
  // Paints the item at rcItem (coordinates of pRT), within pRT's clip region.
  void Draw(IRenderTarget* pRT, const RECT& rcItem);
  void SetSkin(ISkinObj* pSkin);
  void SetColor(COLORREF crNormal, COLORREF crSelected);

  // Registers the panel for the frames of the view's container while the root and the view
  // are shown, and unregisters it otherwise (from the container it registered with).
  void UpdateTimelineRegistration();
  void UnregisterTimeline();

  // ---- ISwndContainer -------------------------------------------------------------------
  BOOL OnFireEvent(EventArgs& evt) override;
  HWND GetHostHwnd() override;
  SStringW GetTranslatorContext() const override;
  BOOL IsTranslucent() const override;
  BOOL IsSendWheel2Hover() const override;
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
  void FrameToHost(RECT& rc) const override;
  SMessageLoop* GetMsgLoop() override;
  IScriptModule* GetScriptModule() override;
  int GetScale() const override;

  // The tree goes (WM_DESTROY), then the panel.
  void OnFinalRelease() override;

 protected:
  SItemPanel(SWindow* pFrameHost, IItemContainer* pItemContainer);

  LPCWSTR RootClassName() const override { return L"itempanel"; }
  BOOL IsRootClass(LPCWSTR className) const override;
  // The base request, then the view is told.
  void OnRootRequestRelayout(SWindow* pSource, BOOL bSourceResizable) override;

 private:
  // The container of the view (null while the view is in no tree).
  ISwndContainer* HostContainer() const;

  SWindow* m_pFrmHost;
  IItemContainer* m_pItemContainer;
  ULONG_PTR m_dwData = 0;
  LPARAM m_lItemIndex = -1;
  // Where the viewport of a lent render target was moved (taken back on its release).
  POINT m_ptLentOffset = {0, 0};
  // The container the panel takes frames from (null: none).
  ISwndContainer* m_pTimelineContainer = nullptr;
};

}  // namespace SWUI
