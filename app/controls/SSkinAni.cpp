#include "controls/SSkinAni.h"

namespace SWUI {

SIZE SSkinAni::GetSkinSize() const {
  Settle();
  if (frames_.empty()) return SIZE{0, 0};
  return frames_[0].bitmap->Size();
}

int SSkinAni::LoadFromFile(LPCWSTR) { return 0; }

int SSkinAni::LoadFromMemory(const void*, size_t) { return 0; }

void SSkinAni::SelectActiveFrame(int i) {
  Settle();
  if (GetFrameCount() >= 2 && i >= 0 && i < GetFrameCount()) current_ = i;
}

UINT SSkinAni::GetFrameDelay(int i) const {
  Settle();
  return i >= 0 && i < GetFrameCount() ? frames_[i].delay : 0;
}

int SSkinAni::ReplaceFrames(std::vector<Frame>&& frames) {
  Settle();
  frames_ = std::move(frames);
  current_ = 0;
  return GetFrameCount();
}

void SSkinAni::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) {
  Settle();
  if (frames_.empty()) return;
  if (dwState != static_cast<DWORD>(-1)) SelectActiveFrame(static_cast<int>(dwState));
  const SIZE size = GetSkinSize();
  const RECT src = {0, 0, size.cx, size.cy};
  pRT->DrawBitmapEx(rcDraw, frames_[current_].bitmap, &src, EM_STRETCH, byAlpha);
}

void SSkinAni::CopyScaledInto(ISkinObj* pTarget, int nScale) const {
  SSkinObjBase::CopyScaledInto(pTarget, nScale);
  auto* target = dynamic_cast<SSkinAni*>(pTarget);
  if (target == nullptr) return;
  Settle();
  std::vector<Frame> scaled;
  for (const Frame& frame : frames_) {
    const SIZE size = frame.bitmap->Size();
    IBitmap* copy = nullptr;
    if (FAILED(frame.bitmap->Scale(&copy, ScaledLength(size.cx, nScale),
                                   ScaledLength(size.cy, nScale), kHigh_FilterLevel)) ||
        copy == nullptr) {
      return;  // the copy stays without frames rather than with some of them
    }
    Frame f;
    f.bitmap.Attach(copy);
    f.delay = frame.delay;
    scaled.push_back(std::move(f));
  }
  target->ReplaceFrames(std::move(scaled));
  target->current_ = current_;
}

}  // namespace SWUI
