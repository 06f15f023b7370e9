#include "control/STabSlider.h"

#include <utility>

#include "../core/RenderFactoryUtil.h"
#include "control/STabCtrl.h"

namespace SWUI {

STabSlider::STabSlider(STabCtrl* pTab, int steps, int type, IInterpolator* pInterpolator)
    : m_nSteps(steps), m_pInterpolator(pInterpolator), m_pTab(pTab), m_nType(type) {}

STabSlider::~STabSlider() = default;

bool STabSlider::Start(int from, int to) {
  STabPage* oldPage = m_pTab->GetItem(from);
  STabPage* newPage = m_pTab->GetItem(to);
  if (oldPage == nullptr || newPage == nullptr || m_nSteps <= 0) return false;
  RECT rc;
  m_pTab->GetChildrenLayoutRect(&rc);
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  if (width <= 0 || height <= 0) return false;
  m_bVertical =
      m_pTab->GetTabAlign() == STabCtrl::AlignLeft || m_pTab->GetTabAlign() == STabCtrl::AlignRight;

  // The picture holds both pages along the slide's direction.
  SAutoRefPtr<IRenderTarget> picture = RenderFactoryUtil::NewRenderTarget(
      m_bVertical ? width : 2 * width, m_bVertical ? 2 * height : height);
  if (picture == nullptr) return false;
  m_picture = std::move(picture);
  m_szPage = SIZE{width, height};

  // Type 0 lies above the pages and pictures what is below it; any other type lies below
  // them and pictures what is above it.
  m_pTab->InsertChild(this, m_nType == 0 ? ICWND_LAST : ICWND_FIRST);
  SetVisible(FALSE);
  Move(&rc);

  const int extent = m_bVertical ? height : width;
  const bool forward = to > from;
  const int oldAt = forward ? 0 : extent;
  const int newAt = forward ? extent : 0;
  m_nStart = oldAt;
  m_nEnd = newAt;
  auto at = [this](int offset) { return m_bVertical ? POINT{0, offset} : POINT{offset, 0}; };
  PaintInto(at(oldAt));
  oldPage->SetVisible(FALSE);
  newPage->SetVisible(TRUE);
  newPage->UpdateLayout();
  PaintInto(at(newAt));
  newPage->SetVisible(FALSE);
  m_picture->SetViewportOrg(POINT{0, 0});
  (m_bVertical ? m_nViewY : m_nViewX) = m_nStart;

  if (ISwndContainer* container = GetContainer()) container->RegisterTimelineHandler(this);
  SetVisible(TRUE, TRUE);
  return true;
}

void STabSlider::PaintInto(POINT origin) {
  m_picture->SetViewportOrg(POINT{origin.x - m_rcWindow.left, origin.y - m_rcWindow.top});
  if (m_nType == 0) {
    PaintBackground(m_picture, &m_rcWindow);
  } else {
    PaintForeground(m_picture, &m_rcWindow);
  }
}

void STabSlider::OnNextFrame() {
  if (m_pTab == nullptr) return;       // the slide ended already
  SAutoRefPtr<STabSlider> hold(this);  // ending the slide destroys the slider
  ++m_nStep;
  if (m_nStep > m_nSteps) {
    m_pTab->EndSlide();
    return;
  }
  const float t = static_cast<float>(m_nStep) / static_cast<float>(m_nSteps);
  const float f = m_pInterpolator != nullptr ? m_pInterpolator->GetInterpolation(t) : t;
  const int offset = m_nStart + static_cast<int>(static_cast<float>(m_nEnd - m_nStart) * f);
  (m_bVertical ? m_nViewY : m_nViewX) = offset;
  Invalidate();
}

void STabSlider::OnPaint(IRenderTarget* pRT) {
  if (m_picture == nullptr) return;
  const RECT src = {m_nViewX, m_nViewY, m_nViewX + (m_rcWindow.right - m_rcWindow.left),
                    m_nViewY + (m_rcWindow.bottom - m_rcWindow.top)};
  pRT->AlphaBlend(&m_rcWindow, m_picture, &src, 0xFF);
}

void STabSlider::OnSize(UINT nType, SIZE size) {
  SWindow::OnSize(nType, size);
  // The picture shows the pages at the size they had: a resized slide ends.
  const bool resized = m_rcWindow.right - m_rcWindow.left != m_szPage.cx ||
                       m_rcWindow.bottom - m_rcWindow.top != m_szPage.cy;
  if (m_picture != nullptr && m_pTab != nullptr && resized) m_pTab->EndSlide();
}

void STabSlider::OnDestroy() {
  if (ISwndContainer* container = GetContainer()) container->UnregisterTimelineHandler(this);
  m_pTab = nullptr;
  SWindow::OnDestroy();
}

}  // namespace SWUI
