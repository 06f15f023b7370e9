#include "control/SAnimateImgWnd.h"

#include "control/SControlSkin.h"
#include "core/EventAnimateStart.h"
#include "core/EventAnimateStop.h"
#include "core/SAttrParse.h"

namespace SWUI {

SAnimateImgWnd::SAnimateImgWnd() {
  m_dwFlags |= SWF_MSGTRANSPARENT;
  m_evtSet.AddEvent<EventAnimateStart>();
  m_evtSet.AddEvent<EventAnimateStop>();
}

HRESULT SAnimateImgWnd::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"skin")) {
    if (!SControlSkin::Assign(m_pSkin, value, GetScale())) return E_FAIL;
    return AfterAttribute(name, value, bLoading, S_OK);
  }
  struct IntAttr {
    LPCWSTR name;
    int* field;
  };
  const IntAttr ints[] = {
      {L"speed", &m_nSpeed}, {L"autoStart", &m_bAutoStart}, {L"repeat", &m_nRepeat}};
  for (const IntAttr& attr : ints) {
    if (!SAttrParse::IsName(name, attr.name)) continue;
    *attr.field = SAttrParse::Int(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

void SAnimateImgWnd::Start() {
  if (m_bPlaying) return;
  if (IsVisible(TRUE) && m_pContainer != nullptr) m_pContainer->RegisterTimelineHandler(this);
  m_iRepeat = 0;
  m_bPlaying = TRUE;
  EventAnimateStart evt(this);
  FireEvent(evt);
}

void SAnimateImgWnd::Stop() {
  if (!m_bPlaying) return;
  if (m_pContainer != nullptr) m_pContainer->UnregisterTimelineHandler(this);
  m_bPlaying = FALSE;
  EventAnimateStop evt(this);
  FireEvent(evt);
}

int SAnimateImgWnd::TicksPerFrame() const {
  // A negative speed would make the period 0 or less: a frame lasts at least one tick.
  const int ticks = m_nSpeed / 10 + 1;
  return ticks > 0 ? ticks : 1;
}

void SAnimateImgWnd::OnNextFrame() {
  if (m_pSkin == nullptr) {
    if (m_pContainer != nullptr) m_pContainer->UnregisterTimelineHandler(this);
    return;
  }
  const int tick = m_iTimeGap;
  m_iTimeGap = (m_iTimeGap + 1) % TicksPerFrame();
  if (tick != 0) return;
  ++m_iCurFrame;
  if (m_iCurFrame >= m_pSkin->GetStates()) {
    m_iCurFrame = 0;
    if (m_nRepeat != -1 && ++m_iRepeat >= m_nRepeat) Stop();
  }
  InvalidateRect(nullptr);
}

void SAnimateImgWnd::OnColorize(COLORREF cr) {
  SWindow::OnColorize(cr);
  SControlSkin::Colorize(m_pSkin, cr);
}

SIZE SAnimateImgWnd::GetDesiredSize(LPCRECT pRcContainer) {
  return SControlSkin::WrapContent(this, SWindow::GetDesiredSize(pRcContainer),
                                   SControlSkin::SizeOf(m_pSkin));
}

void SAnimateImgWnd::OnPaint(IRenderTarget* pRT) {
  SControlSkin::DrawState(m_pSkin, pRT, m_rcWindow, m_iCurFrame);
}

void SAnimateImgWnd::OnDestroy() {
  Stop();
  SWindow::OnDestroy();
}

void SAnimateImgWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  SWindow::OnShowWindow(bShow, nStatus);
  if (m_pContainer == nullptr) return;
  const BOOL shown = IsVisible(TRUE);
  if (m_bPlaying) {
    if (shown) {
      m_pContainer->RegisterTimelineHandler(this);
    } else {
      m_pContainer->UnregisterTimelineHandler(this);
    }
  } else if (shown && m_bAutoStart) {
    Start();
  }
}

}  // namespace SWUI
