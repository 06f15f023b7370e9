#include "controls/SSkinNewScrollbar.h"

#include "controls/SlimScrollbarCells.h"

namespace SWUI {

namespace {

// A copy of an image of `cols` x `rows` equal cells whose cells are resized to cellW x cellH;
// null when there is no image or it cannot be resampled.
IBitmap* ResampledGrid(const IBitmap* image, int cols, int rows, int cellW, int cellH) {
  if (image == nullptr || cellW < 1 || cellH < 1) return nullptr;
  IBitmap* out = nullptr;
  if (FAILED(image->Scale(&out, cellW * cols, cellH * rows, kHigh_FilterLevel))) return nullptr;
  return out;
}

}  // namespace

SSkinNewScrollbar::SSkinNewScrollbar() { SetStates(4); }

int SSkinNewScrollbar::GetIdealSize() const {
  return vert_ ? static_cast<int>(vert_->Width()) / states_ : 0;
}

RECT SSkinNewScrollbar::GetPartRect(int part, int state, BOOL vertical) const {
  return vertical ? SlimScrollbar::VerticalCell(vert_, states_, part, state)
                  : SlimScrollbar::HorizontalCell(horz_, states_, part, state);
}

void SSkinNewScrollbar::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState,
                               BYTE byAlpha) {
  if (!vert_ || !horz_) return;
  const BOOL vertical = (dwState >> 24) != 0;
  DrawPart(pRT, rcDraw, vertical ? vert_ : horz_, dwState, byAlpha);
}

void SSkinNewScrollbar::CopyScaledInto(ISkinObj* pTarget, int nScale) const {
  SSkinScrollbar::CopyScaledInto(pTarget, nScale);
  auto* target = dynamic_cast<SSkinNewScrollbar*>(pTarget);
  if (target == nullptr) return;
  if (vert_) {
    const int w = ScaledLength(static_cast<int>(vert_->Width()) / states_, nScale);
    const int h = ScaledLength(static_cast<int>(vert_->Height()) / 2, nScale);
    target->vert_.Attach(ResampledGrid(vert_, states_, 2, w, h));
  }
  if (horz_) {
    const int w = ScaledLength(static_cast<int>(horz_->Width()) / 2, nScale);
    const int h = ScaledLength(static_cast<int>(horz_->Height()) / states_, nScale);
    target->horz_.Attach(ResampledGrid(horz_, 2, states_, w, h));
  }
}

HRESULT SSkinNewScrollbar::SetAttribute(const SStringW& name, const SStringW& value,
                                        BOOL bLoading) {
  SAutoRefPtr<IBitmap>* slot;
  if (P::IsName(name, L"srcVert")) {
    slot = &vert_;
  } else if (P::IsName(name, L"srcHorz")) {
    slot = &horz_;
  } else {
    return SSkinScrollbar::SetAttribute(name, value, bLoading);
  }
  IBitmap* img = LoadImageRef(value);
  if (img != nullptr) slot->Attach(img);
  return AfterAttribute(name, value, bLoading, img != nullptr ? S_FALSE : E_FAIL);
}

}  // namespace SWUI
