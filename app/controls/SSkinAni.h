// An animated image held as a skin: a list of frames, each a bitmap of the render layer with
// its delay in hundredths of a second, drawn by frame index. The state passed to Draw selects
// the frame (a state of -1 draws the current one). Loading belongs to the classes derived
// from it (SSkinGif); this base loads nothing.
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

#include "IBitmap.h"
#include "base/SAutoRefPtr.h"
#include "core/SSkinObjBase.h"

namespace SWUI {

class SSkinAni : public SSkinObjBase {
  SWUI_CLASS_NAME(SSkinObjBase, L"skinani")

 public:
  struct Frame {
    SAutoRefPtr<IBitmap> bitmap;
    UINT delay = 0;  // hundredths of a second, as the image stores it
  };

  SSkinAni() = default;

  // The size of frame 0; 0 x 0 without frames.
  SIZE GetSkinSize() const override;
  // The frame count.
  int GetStates() const override { return GetFrameCount(); }
  // Every frame resampled to the new scale, with its delay.
  void CopyScaledInto(ISkinObj* pTarget, int nScale) const override;

  // Loaders answer the frame count, 0 on failure; here they load nothing.
  virtual int LoadFromFile(LPCWSTR path);
  virtual int LoadFromMemory(const void* buf, size_t len);

  // Makes frame i current when the skin has at least two frames and i is one of them.
  void SelectActiveFrame(int i);
  int GetFrameCount() const {
    Settle();
    return static_cast<int>(frames_.size());
  }
  int GetCurrentFrame() const { return current_; }
  // The delay of frame i in hundredths of a second; 0 for an index out of range.
  UINT GetFrameDelay(int i) const;

 protected:
  // Nothing without frames. A state other than -1 that names a frame (with at least two)
  // becomes the current frame; the current frame is drawn stretched into the rectangle.
  void OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;
  // Replaces every frame by a complete new list; frame 0 becomes current. Returns the count.
  int ReplaceFrames(std::vector<Frame>&& frames);
  // A derived skin that loads its frames only when they are first needed sets this, and
  // LoadPending then runs once before anything reads the frames.
  void SetPending(bool pending) { pending_ = pending; }
  virtual void LoadPending() {}
  void Settle() const {
    if (!pending_) return;
    pending_ = false;
    // Skins are never const objects; only the frames' loading waited.
    const_cast<SSkinAni*>(this)->LoadPending();
  }

 private:
  mutable bool pending_ = false;
  std::vector<Frame> frames_;
  int current_ = 0;
};

}  // namespace SWUI
