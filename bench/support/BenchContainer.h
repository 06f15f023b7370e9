// The host window's part of an element tree, as small as a benchmark needs: z-order numbering,
// timeline handlers kept for the benchmark to drive (OnNextFrame delivers one frame) and the
// area elements ask the host to repaint, kept until RepaintDirty paints it as the host does on
// WM_PAINT; and a tree built from layout XML under a root it holds, laid out over a given size.
// A benchmark derives from the container where its host must do more.
#pragma once
#include <windows.h>

#include <algorithm>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "IRenderTarget.h"
#include "core/ISwndContainer.h"
#include "base/SAutoRefPtr.h"
#include "core/SWindow.h"
#include "base/SXmlMark.h"

namespace bench {

class BenchContainer : public SWUI::ISwndContainer {
 public:
  void SetRoot(SWUI::SWindow* root) { root_ = root; }
  std::vector<SWUI::ITimelineHandler*> handlers;

  // Paints the area asked for since the last call into surface, clipped to it, from the root;
  // answers whether there was one.
  bool RepaintDirty(SWUI::IRenderTarget* surface) {
    if (IsRectEmpty(&dirty_) || root_ == nullptr) return false;
    SWUI::IRegion* made = nullptr;
    surface->CreateRegion(&made);
    SWUI::SAutoRefPtr<SWUI::IRegion> rgn;
    rgn.Attach(made);
    if (rgn == nullptr) return false;
    rgn->CombineRect(&dirty_, RGN_COPY);
    surface->PushClipRegion(rgn, RGN_AND);
    surface->FillSolidRect(&dirty_, 0xFFFFFFFF);
    BuildWndTreeZorder();
    root_->RedrawRegion(surface, rgn);
    surface->PopClip();
    dirty_ = RECT{0, 0, 0, 0};
    return true;
  }

  void OnNextFrame() override {
    const std::vector<SWUI::ITimelineHandler*> copy = handlers;
    for (SWUI::ITimelineHandler* h : copy) h->OnNextFrame();
  }
  BOOL RegisterDragDrop(SWUI::SwndHandle, IDropTarget*) override { return FALSE; }
  BOOL RevokeDragDrop(SWUI::SwndHandle) override { return FALSE; }
  BOOL OnFireEvent(SWUI::EventArgs&) override { return FALSE; }
  HWND GetHostHwnd() override { return nullptr; }
  SWUI::SStringW GetTranslatorContext() const override { return SWUI::SStringW(); }
  BOOL IsTranslucent() const override { return FALSE; }
  BOOL IsSendWheel2Hover() const override { return FALSE; }
  void GetContainerRect(RECT* prc) const override {
    *prc = root_ != nullptr ? root_->GetWindowRect() : RECT{0, 0, 0, 0};
  }
  SWUI::IRenderTarget* OnGetRenderTarget(const RECT&, DWORD) override { return nullptr; }
  void OnReleaseRenderTarget(SWUI::IRenderTarget*, const RECT&, DWORD) override {}
  void OnRedraw(const RECT& rc) override { UnionRect(&dirty_, &dirty_, &rc); }
  SWUI::SwndHandle OnGetSwndCapture() const override { return 0; }
  BOOL OnReleaseSwndCapture() override { return TRUE; }
  SWUI::SwndHandle OnSetSwndCapture(SWUI::SwndHandle) override { return 0; }
  void OnSetSwndFocus(SWUI::SwndHandle) override {}
  SWUI::SwndHandle GetHover() const override { return 0; }
  SWUI::SwndHandle GetFocus() const override { return 0; }
  BOOL CreateCaret(SWUI::SwndHandle, HBITMAP, int, int) override { return FALSE; }
  BOOL ShowCaret(BOOL) override { return FALSE; }
  BOOL SetCaretPos(int, int) override { return FALSE; }
  BOOL UpdateWindow() override { return TRUE; }
  void UpdateTooltip() override {}
  void FrameToHost(RECT&) const override {}
  SWUI::IAcceleratorMgr* GetFocusManager() override { return nullptr; }
  BOOL RegisterTimelineHandler(SWUI::ITimelineHandler* h) override {
    if (std::find(handlers.begin(), handlers.end(), h) != handlers.end()) return FALSE;
    handlers.push_back(h);
    return TRUE;
  }
  BOOL UnregisterTimelineHandler(SWUI::ITimelineHandler* h) override {
    auto it = std::find(handlers.begin(), handlers.end(), h);
    if (it == handlers.end()) return FALSE;
    handlers.erase(it);
    return TRUE;
  }
  BOOL RegisterTrackMouseEvent(SWUI::SwndHandle) override { return FALSE; }
  BOOL UnregisterTrackMouseEvent(SWUI::SwndHandle) override { return FALSE; }
  SWUI::SMessageLoop* GetMsgLoop() override { return nullptr; }
  void MarkWndTreeZorderDirty() override { zorderDirty_ = true; }
  void BuildWndTreeZorder() override {
    if (!zorderDirty_ || root_ == nullptr) return;
    UINT next = 0;
    Number(root_, next);
    zorderDirty_ = false;
  }
  SWUI::IScriptModule* GetScriptModule() override { return nullptr; }
  int GetScale() const override { return 100; }
  LRESULT DoFrameEvent(UINT, WPARAM, LPARAM) override { return 0; }

 private:
  static void Number(SWUI::SWindow* wnd, UINT& next) {
    wnd->SetZorder(next++);
    for (SWUI::SWindow* c = wnd->GetWindow(SWUI::GSW_FIRSTCHILD); c != nullptr;
         c = c->GetWindow(SWUI::GSW_NEXTSIBLING)) {
      Number(c, next);
    }
  }

  SWUI::SWindow* root_ = nullptr;
  RECT dirty_ = {0, 0, 0, 0};
  bool zorderDirty_ = true;
};

struct Tree {
  BenchContainer container;
  pugi::xml_document doc;
  SWUI::SWindow* root = nullptr;

  Tree(const std::wstring& xml, int width, int height) {
    doc.load_string(xml.c_str());
    root = new SWUI::SWindow();
    root->SetContainer(&container);
    container.SetRoot(root);
    root->InitFromXml(doc.first_child());
    root->OnRelayout(RECT{0, 0, width, height});
  }
  ~Tree() {
    root->DestroyWindow();
    SWUI::SXmlMark::ClearMarks(doc);
  }
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;
};

}  // namespace bench
