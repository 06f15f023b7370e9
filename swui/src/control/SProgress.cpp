#include "control/SProgress.h"

#include "control/SControlSkin.h"
#include "core/SAttrParse.h"
#include "core/SLog.h"

namespace SWUI {

namespace {

// Built-in skins of the bars.
constexpr int kSkinProgBkgnd = 14;
constexpr int kSkinProgBar = 15;
constexpr int kSkinVertProgBkgnd = 16;
constexpr int kSkinVertProgBar = 17;

}  // namespace

SProgress::SProgress() { m_dwFlags |= SWF_FOCUSABLE; }

BOOL SProgress::SetValue(int nValue) {
  m_nValue = Clamp(nValue, m_nMinValue, m_nMaxValue);
  Invalidate();
  return TRUE;
}

BOOL SProgress::SetRange(int nMin, int nMax) {
  if (nMax <= nMin) return FALSE;
  m_nMaxValue = nMax;
  m_nMinValue = nMin;
  m_nValue = Clamp(m_nValue, m_nMinValue, m_nMaxValue);
  Invalidate();
  return TRUE;
}

void SProgress::GetRange(int* pMin, int* pMax) const {
  if (pMin != nullptr) *pMin = m_nMinValue;
  if (pMax != nullptr) *pMax = m_nMaxValue;
}

HRESULT SProgress::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                BOOL bLoading) {
  using P = SAttrParse;
  HRESULT hr = E_NOTIMPL;
  if (P::IsName(strAttribName, L"bkgndSkin")) {
    hr = SControlSkin::Assign(m_pSkinBkgnd, strValue, GetScale()) ? S_OK : E_FAIL;
  } else if (P::IsName(strAttribName, L"posSkin")) {
    hr = SControlSkin::Assign(m_pSkinPos, strValue, GetScale()) ? S_OK : E_FAIL;
  } else if (P::IsName(strAttribName, L"min") || P::IsName(strAttribName, L"max")) {
    const bool isMin = P::IsName(strAttribName, L"min");
    const int bound = P::Int(strValue);
    if (bLoading) {
      if (!m_bLoadingRange) {
        m_nLoadMin = m_nMinValue;
        m_nLoadMax = m_nMaxValue;
        m_bLoadingRange = true;
      }
      (isMin ? m_nMinValue : m_nMaxValue) = bound;
      hr = S_FALSE;
    } else {
      const BOOL ok = isMin ? SetRange(bound, m_nMaxValue) : SetRange(m_nMinValue, bound);
      hr = ok ? S_FALSE : E_FAIL;
    }
  } else if (P::IsName(strAttribName, L"value")) {
    if (bLoading) {
      m_nValue = P::Int(strValue);  // the range may not be known yet
    } else {
      SetValue(P::Int(strValue));
    }
    hr = S_FALSE;
  } else if (P::IsName(strAttribName, L"vertical")) {
    m_bVertical = P::NonZero(strValue);
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"showPercent")) {
    m_bShowPercent = P::NonZero(strValue);
    hr = S_OK;
  }
  if (hr == E_NOTIMPL) return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

void SProgress::OnInitFinished(pugi::xml_node xmlNode) {
  SWindow::OnInitFinished(xmlNode);
  if (m_bLoadingRange && m_nMaxValue <= m_nMinValue) {
    SLog::Printf(LOG_LEVEL_WARN, "swui", __FILE__, __LINE__, "SWUI::SProgress::OnInitFinished",
                 "empty range %d..%d refused, %d..%d kept", m_nMinValue, m_nMaxValue, m_nLoadMin,
                 m_nLoadMax);
    m_nMinValue = m_nLoadMin;
    m_nMaxValue = m_nLoadMax;
  }
  m_bLoadingRange = false;
  m_nValue = Clamp(m_nValue, m_nMinValue, m_nMaxValue);
}

int SProgress::OnCreate(LPVOID lpCreateParam) {
  const int result = SWindow::OnCreate(lpCreateParam);
  if (result != 0) return result;
  if (m_pSkinBkgnd == nullptr) {
    m_pSkinBkgnd = SControlSkin::Builtin(m_bVertical ? kSkinVertProgBkgnd : kSkinProgBkgnd);
  }
  if (m_pSkinPos == nullptr) {
    m_pSkinPos = SControlSkin::Builtin(m_bVertical ? kSkinVertProgBar : kSkinProgBar);
  }
  return m_pSkinBkgnd != nullptr && m_pSkinPos != nullptr ? 0 : -1;
}

void SProgress::OnColorize(COLORREF cr) {
  SWindow::OnColorize(cr);
  SControlSkin::Colorize(m_pSkinBkgnd, cr);
  SControlSkin::Colorize(m_pSkinPos, cr);
}

SIZE SProgress::GetDesiredSize(LPCRECT) {
  const SIZE skin = SControlSkin::SizeOf(m_pSkinBkgnd);
  RECT margin;
  m_style.GetMargin(&margin);
  const ORIENTATION along = m_bVertical ? Vert : Horz;
  int alongSize = 0;
  if (m_pLayoutParam != nullptr && m_pLayoutParam->IsSpecifiedSize(along)) {
    alongSize = m_pLayoutParam->GetSpecifiedSize(along).toPixelSize(GetScale());
  } else {
    alongSize =
        m_bVertical ? skin.cy + margin.top + margin.bottom : skin.cx + margin.left + margin.right;
  }
  if (m_bVertical) return SIZE{skin.cx + margin.left + margin.right, alongSize};
  return SIZE{alongSize, skin.cy + margin.top + margin.bottom};
}

int SProgress::ScaleToLength(int length) const {
  const long long span = static_cast<long long>(m_nMaxValue) - m_nMinValue;
  if (span <= 0) return 0;
  const long long part = static_cast<long long>(m_nValue) - m_nMinValue;
  return static_cast<int>(part * length / span);
}

void SProgress::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  RECT rcClient;
  GetClientRect(&rcClient);
  // A disabled bar draws its skins' disabled cells; a skin with fewer states draws state 0.
  const int state = IsDisabled(TRUE) ? SkinState_Disable : SkinState_Normal;
  SControlSkin::DrawOrNormal(m_pSkinBkgnd, pRT, rcClient, state);
  RECT rcFill = rcClient;
  if (m_bVertical) {
    rcFill.bottom = rcFill.top + ScaleToLength(rcClient.bottom - rcClient.top);
  } else {
    rcFill.right = rcFill.left + ScaleToLength(rcClient.right - rcClient.left);
  }
  if (m_nValue > m_nMinValue) SControlSkin::DrawOrNormal(m_pSkinPos, pRT, rcFill, state);
  if (m_bShowPercent && !m_bVertical) {
    SStringW text;
    text.Format(L"%d%%", ScaleToLength(100));
    RECT rcText = m_rcWindow;
    pRT->DrawText(text, text.GetLength(), &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  AfterPaint(pRT, painter);
}

}  // namespace SWUI
