#include "controls/ZuProgress.h"

#include "control/SControlSkin.h"

using namespace SWUI;

RECT ZuProgress::FilledRect(const RECT& client, BOOL vertical, int length) {
  RECT rc = client;
  if (vertical) {
    rc.top = rc.bottom - length;
  } else {
    rc.right = rc.left + length;
  }
  return rc;
}

RECT ZuProgress::GetFilledRect() const {
  const RECT client = GetClientRect();
  const int along = m_bVertical ? client.bottom - client.top : client.right - client.left;
  return FilledRect(client, m_bVertical, ScaleToLength(along));
}

void ZuProgress::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  SControlSkin::DrawState(m_pSkinBkgnd, pRT, GetClientRect(), 0);
  if (m_nValue != m_nMinValue) SControlSkin::DrawState(m_pSkinPos, pRT, GetFilledRect(), 0);
  AfterPaint(pRT, painter);
}
