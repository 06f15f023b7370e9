// The root element of a container's tree. A container owns its root rather than being it
// (SWindow and the container share operation names with other meanings, and a host is a
// native window too): the root hands its class identity, its client rectangle, its layout
// requests, its paint hooks, its language and scale changes and its creation from XML to its
// container, whose defaults are the plain element's behaviour (the Def* operations). A
// container that needs a root of its own class derives one and hands it to the container's
// constructor, which becomes its owner.
#pragma once
#include "core/SWindow.h"

namespace SWUI {

class SwndContainerImpl;

class SRootWindow : public SWindow {
 public:
  explicit SRootWindow(SwndContainerImpl* owner) : m_owner(owner) {}

  SwndContainerImpl* GetOwnerContainer() const { return m_owner; }

  BOOL IsClass(LPCWSTR className) const override;
  LPCWSTR GetObjectClass() const override;
  int GetObjectType() const override { return OBJ_TYPE_WINDOW; }
  BOOL InitFromXml(pugi::xml_node xmlNode) override;
  void GetClientRect(LPRECT prect) const override;
  using SWindow::GetClientRect;
  void RequestRelayout(SWindow* pSource, BOOL bSourceResizable) override;
  void UpdateLayout() override;
  void BeforePaint(IRenderTarget* pRT, SPainter& painter) override;
  void AfterPaint(IRenderTarget* pRT, SPainter& painter) override;
  BOOL IsStaticContent() const override { return !IsFocusable(); }
  // The root is never drawn through a layer of its own.
  BOOL IsLayeredWindow() const override { return FALSE; }
  BOOL OnLanguageChanged() override;
  void OnScaleChanged(int scale) override;

  // The plain element's behaviour, for the container's defaults.
  BOOL DefInitFromXml(pugi::xml_node xmlNode) { return SWindow::InitFromXml(xmlNode); }
  void DefGetClientRect(LPRECT prect) const { SWindow::GetClientRect(prect); }
  void DefRequestRelayout(SWindow* pSource, BOOL bSourceResizable) {
    SWindow::RequestRelayout(pSource, bSourceResizable);
  }
  void DefUpdateLayout() { SWindow::UpdateLayout(); }
  void DefBeforePaint(IRenderTarget* pRT, SPainter& painter) { SWindow::BeforePaint(pRT, painter); }
  void DefAfterPaint(IRenderTarget* pRT, SPainter& painter) { SWindow::AfterPaint(pRT, painter); }
  BOOL DefOnLanguageChanged() { return SWindow::OnLanguageChanged(); }
  void DefOnScaleChanged(int scale) { SWindow::OnScaleChanged(scale); }
  // The layout dirty mark, for a container that decides the root's relayout itself.
  DWORD GetLayoutDirtyMark() const { return GetLayoutDirty(); }
  void SetLayoutDirtyMark(DWORD mark) { SetLayoutDirty(mark); }

 private:
  friend class SwndContainerImpl;

  SwndContainerImpl* m_owner;
};

}  // namespace SWUI
