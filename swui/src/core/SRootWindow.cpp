#include "core/SRootWindow.h"

#include "core/SwndContainerImpl.h"

namespace SWUI {

BOOL SRootWindow::IsClass(LPCWSTR className) const { return m_owner->IsRootClass(className); }

LPCWSTR SRootWindow::GetObjectClass() const { return m_owner->RootClassName(); }

BOOL SRootWindow::InitFromXml(pugi::xml_node xmlNode) {
  return m_owner->OnRootInitFromXml(xmlNode);
}

void SRootWindow::GetClientRect(LPRECT prect) const { m_owner->GetRootClientRect(prect); }

void SRootWindow::RequestRelayout(SWindow* pSource, BOOL bSourceResizable) {
  m_owner->OnRootRequestRelayout(pSource, bSourceResizable);
}

void SRootWindow::UpdateLayout() { m_owner->OnRootUpdateLayout(); }

void SRootWindow::BeforePaint(IRenderTarget* pRT, SPainter& painter) {
  m_owner->OnRootBeforePaint(pRT, painter);
}

void SRootWindow::AfterPaint(IRenderTarget* pRT, SPainter& painter) {
  m_owner->OnRootAfterPaint(pRT, painter);
}

BOOL SRootWindow::OnLanguageChanged() { return m_owner->OnRootLanguageChanged(); }

void SRootWindow::OnScaleChanged(int scale) { m_owner->OnRootScaleChanged(scale); }

}  // namespace SWUI
