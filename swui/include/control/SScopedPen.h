// A new pen selected into a render target for the lifetime of the scope; the target's previous
// pen comes back when it ends.
#pragma once
#include "IRenderTarget.h"
#include "base/SAutoRefPtr.h"

namespace SWUI {

class SScopedPen {
 public:
  SScopedPen(IRenderTarget* pRT, int style, COLORREF cr, int width) : rt_(pRT) {
    IPen* made = nullptr;
    pRT->CreatePen(style, cr, width, &made);
    pen_.Attach(made);
    if (pen_ == nullptr) return;
    IRenderObj* old = nullptr;
    pRT->SelectObject(pen_, &old);
    old_.Attach(old);
  }
  ~SScopedPen() {
    if (pen_ != nullptr) rt_->SelectObject(old_, nullptr);
  }
  SScopedPen(const SScopedPen&) = delete;
  SScopedPen& operator=(const SScopedPen&) = delete;

  // Whether the pen could be made (nothing is drawn with it otherwise).
  explicit operator bool() const { return pen_ != nullptr; }

 private:
  IRenderTarget* rt_;
  SAutoRefPtr<IPen> pen_;
  SAutoRefPtr<IRenderObj> old_;
};

}  // namespace SWUI
