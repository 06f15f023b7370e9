#include "controls/ZuCarCurve.h"

#include "controls/GdipCanvas.h"
#include "controls/ZuCar.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

using namespace SWUI;
using Gdiplus::PointF;
using Gdiplus::RectF;
using Stroke = GdipCanvas::Stroke;

namespace {

PointF At(POINT pt) { return PointF(static_cast<float>(pt.x), static_cast<float>(pt.y)); }

}  // namespace

HRESULT ZuCarCurve::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  using P = SAttrParse;
  if (P::IsName(name, L"lineWidth")) {
    lineWidth_ = P::Int(value);
    return S_OK;
  }
  COLORREF* color = nullptr;
  if (P::IsName(name, L"colorCar")) color = &colorCar_;
  if (P::IsName(name, L"colorVirt")) color = &colorVirt_;
  if (P::IsName(name, L"colorSoundSpace")) color = &colorSoundSpace_;
  if (P::IsName(name, L"colorSpeakser")) color = &colorSpeakser_;
  if (color == nullptr) return SWindow::SetAttribute(name, value, bLoading);
  return ParseNamedColor(value, color);
}

void ZuCarCurve::OnPaint(IRenderTarget* pRT) {
  if (car_ == nullptr) return;
  GdipCanvas canvas(pRT);
  if (!canvas.ClipTo(GetClientRect())) return;
  const float width = static_cast<float>(lineWidth_);

  // The car without the 10 pixels at either end of its extent.
  const RECT car = car_->GetCarExtent();
  canvas.DrawRectangle(RectF(static_cast<float>(car.left), static_cast<float>(car.top + 10),
                             static_cast<float>(car.right - car.left),
                             static_cast<float>(car.bottom - car.top - 20)),
                       GdipCanvas::ToArgb(colorCar_), width);

  const RECT space = car_->GetSoundSpace();
  const LONG side = 2 * ((space.right - space.left) / 2);
  if (side > 0) {
    canvas.DrawArc(RectF(static_cast<float>(space.left), static_cast<float>(space.top),
                         static_cast<float>(side), static_cast<float>(side)),
                   0.0f, 360.0f, GdipCanvas::ToArgb(colorSoundSpace_), width, Stroke::kDotted);
  }

  const PointF listener = At(car_->GetListenerPx());
  for (int i = 0; i < car_->GetSpeakerCount(); ++i) {
    const ZuCar::Speaker& speaker = *car_->GetSpeaker(i);
    const PointF at = At(speaker.px);
    canvas.DrawLine(At(speaker.virtualPx), at, GdipCanvas::ToArgb(colorVirt_), width,
                    Stroke::kDotted);
    canvas.DrawLine(listener, at, GdipCanvas::ToArgb(colorSpeakser_), width, Stroke::kSolid);
  }
}
