#include "controls/ZuProgressEX.h"

#include "control/SControlSkin.h"
#include "controls/ZuProgress.h"
#include "core/SAttrParse.h"

using namespace SWUI;

HRESULT ZuProgressEX::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                   BOOL bLoading) {
  struct SkinAttr {
    LPCWSTR name;
    SAutoRefPtr<ISkinObj> ZuProgressEX::*skin;
  };
  static const SkinAttr kSkins[] = {{L"SkinPosBottom", &ZuProgressEX::m_pSkinBottom},
                                    {L"SkinPosMid", &ZuProgressEX::m_pSkinMid},
                                    {L"SkinPosTop", &ZuProgressEX::m_pSkinTop}};
  for (const SkinAttr& attr : kSkins) {
    if (!SAttrParse::IsName(strAttribName, attr.name)) continue;
    if (!SControlSkin::Assign(this->*attr.skin, strValue, GetScale())) return E_FAIL;
    return AfterAttribute(strAttribName, strValue, bLoading, S_OK);
  }
  return SProgress::SetAttribute(strAttribName, strValue, bLoading);
}

void ZuProgressEX::OnColorize(COLORREF cr) {
  SProgress::OnColorize(cr);
  for (ISkinObj* skin : {m_pSkinBottom.Get(), m_pSkinMid.Get(), m_pSkinTop.Get()}) {
    if (skin != nullptr) skin->OnColorize(cr);
  }
}

int ZuProgressEX::LengthOf(ISkinObj* skin) const {
  const SIZE size = SControlSkin::SizeOf(skin);
  return m_bVertical ? size.cy : size.cx;
}

void ZuProgressEX::DrawFill(IRenderTarget* pRT, const RECT& fill) {
  const int bottom = LengthOf(m_pSkinBottom);
  const int top = LengthOf(m_pSkinTop);
  RECT rcBottom = fill;
  RECT rcMid = fill;
  RECT rcTop = fill;
  if (m_bVertical) {
    rcBottom.top = fill.bottom - bottom;
    rcTop.bottom = fill.top + top;
    rcMid.top = rcTop.bottom;
    rcMid.bottom = rcBottom.top;
  } else {
    rcBottom.right = fill.left + bottom;
    rcTop.left = fill.right - top;
    rcMid.left = rcBottom.right;
    rcMid.right = rcTop.left;
  }
  // The ends keep their length: a fill too short for both shows what fits of them.
  pRT->PushClipRect(&fill, RGN_AND);
  if (!IsRectEmpty(&rcMid)) SControlSkin::DrawState(m_pSkinMid, pRT, rcMid, 0);
  SControlSkin::DrawState(m_pSkinBottom, pRT, rcBottom, 0);
  SControlSkin::DrawState(m_pSkinTop, pRT, rcTop, 0);
  pRT->PopClip();
}

void ZuProgressEX::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  const RECT client = GetClientRect();
  SControlSkin::DrawState(m_pSkinBkgnd, pRT, client, 0);
  if (m_nValue != m_nMinValue) {
    const int along = m_bVertical ? client.bottom - client.top : client.right - client.left;
    DrawFill(pRT, ZuProgress::FilledRect(client, m_bVertical, ScaleToLength(along)));
  }
  AfterPaint(pRT, painter);
}
