#include "controls/SGifPlayer.h"

#include "core/SApplication.h"
#include "core/SAttrParse.h"
#include "core/SSkinPoolMgr.h"

namespace SWUI {

namespace {

// What one frame of the timeline counts for, and what a frame without a delay shows for.
constexpr int kFrameStepMs = 10;
constexpr int kNoDelayMs = 90;

}  // namespace

int SGifPlayer::FrameTime(int i) const {
  const int count = m_pSkin != nullptr ? m_pSkin->GetFrameCount() : 0;
  if (count <= 1 || i < 0 || i >= count) return -kFrameStepMs;
  const UINT delay = m_pSkin->GetFrameDelay(i);
  return delay == 0 ? kNoDelayMs : static_cast<int>(delay) * 10;
}

void SGifPlayer::OnNextFrame() {
  m_nNextFrameTime -= kFrameStepMs;
  if (m_nNextFrameTime > 0) return;
  const int count = m_pSkin != nullptr ? m_pSkin->GetFrameCount() : 0;
  if (count <= 1) {  // the skin lost its frames
    LeaveTimeline();
    return;
  }
  m_iCurFrame = (m_iCurFrame + 1) % count;
  Invalidate();
  // The frame now shown decides how long it stays.
  m_nNextFrameTime = FrameTime(m_iCurFrame);
}

void SGifPlayer::UpdateTimeline() {
  const bool animates = m_pSkin != nullptr && m_pSkin->GetFrameCount() > 1;
  if (!animates || !IsVisible(TRUE)) {
    LeaveTimeline();
    return;
  }
  if (m_bOnTimeline || m_pContainer == nullptr) return;
  m_pContainer->RegisterTimelineHandler(this);
  m_bOnTimeline = true;
  m_nNextFrameTime = FrameTime(m_iCurFrame);
}

void SGifPlayer::LeaveTimeline() {
  if (!m_bOnTimeline) return;
  m_bOnTimeline = false;
  if (m_pContainer != nullptr) m_pContainer->UnregisterTimelineHandler(this);
}

void SGifPlayer::ChangeSkin(SSkinAni* skin) {
  m_pSkin = skin;
  m_iCurFrame = 0;
  m_nNextFrameTime = FrameTime(0);
  if (LayoutWraps(Horz) || LayoutWraps(Vert)) RequestRelayout(this, TRUE);
  UpdateTimeline();
  Invalidate();
}

BOOL SGifPlayer::PlayGifFile(LPCWSTR path) { return PlayFile(L"gif", path); }

BOOL SGifPlayer::PlayAPNGFile(LPCWSTR path) { return PlayFile(L"apng", path); }

BOOL SGifPlayer::PlayFile(LPCWSTR skinClass, LPCWSTR path) {
  SApplication* app = SApplication::getSingletonPtr();
  if (app == nullptr) return FALSE;
  SAutoRefPtr<ISkinObj> made;
  made.Attach(app->CreateSkinByName(skinClass));
  auto* skin = dynamic_cast<SSkinAni*>(made.Get());
  if (skin == nullptr || skin->LoadFromFile(path) == 0) return FALSE;
  ChangeSkin(skin);
  return TRUE;
}

HRESULT SGifPlayer::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                 BOOL bLoading) {
  if (!SAttrParse::IsName(strAttribName, L"skin")) {
    return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  }
  SSkinPoolMgr* pools = SSkinPoolMgr::getSingletonPtr();
  ISkinObj* found = pools != nullptr ? pools->GetSkin(strValue, GetScale()) : nullptr;
  if (found == nullptr) return E_FAIL;
  auto* skin = found->IsClass(SSkinAni::ClassName()) ? dynamic_cast<SSkinAni*>(found) : nullptr;
  if (skin == nullptr) return S_FALSE;
  if (bLoading) {
    m_pSkin = skin;  // the player starts when it is shown
    return AfterAttribute(strAttribName, strValue, bLoading, S_OK);
  }
  ChangeSkin(skin);
  return AfterAttribute(strAttribName, strValue, bLoading, S_OK);
}

SIZE SGifPlayer::GetDesiredSize(LPCRECT pRcContainer) {
  SIZE size = SWindow::GetDesiredSize(pRcContainer);
  const SIZE skin = m_pSkin != nullptr ? m_pSkin->GetSkinSize() : SIZE{0, 0};
  if (LayoutWraps(Horz)) size.cx = skin.cx;
  if (LayoutWraps(Vert)) size.cy = skin.cy;
  return size;
}

void SGifPlayer::OnPaint(IRenderTarget* pRT) {
  SWindow::OnPaint(pRT);
  if (m_pSkin != nullptr) m_pSkin->Draw(pRT, &m_rcWindow, static_cast<DWORD>(m_iCurFrame));
}

void SGifPlayer::OnShowWindow(BOOL bShow, UINT nStatus) {
  SWindow::OnShowWindow(bShow, nStatus);
  UpdateTimeline();
}

void SGifPlayer::OnDestroy() {
  LeaveTimeline();
  SWindow::OnDestroy();
}

}  // namespace SWUI
