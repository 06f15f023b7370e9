// The application's render factory and the objects the framework makes from it. Without an
// application or a factory (or when the factory makes nothing) each answers null; callers
// check.
#pragma once

#include "IRegion.h"
#include "IRenderFactory.h"
#include "IRenderTarget.h"
#include "core/SApplication.h"
#include "base/SAutoRefPtr.h"

namespace SWUI {
namespace RenderFactoryUtil {

inline IRenderFactory* RenderFactory() {
  SApplication* app = SApplication::getSingletonPtr();
  return app != nullptr ? app->GetRenderFactory() : nullptr;
}

inline SAutoRefPtr<IRegion> NewRegion() {
  SAutoRefPtr<IRegion> rgn;
  IRegion* made = nullptr;
  if (IRenderFactory* factory = RenderFactory()) factory->CreateRegion(&made);
  rgn.Attach(made);
  return rgn;
}

// A target of width x height; 0 x 0 makes one for measuring text.
inline SAutoRefPtr<IRenderTarget> NewRenderTarget(int width, int height) {
  SAutoRefPtr<IRenderTarget> rt;
  IRenderTarget* made = nullptr;
  if (IRenderFactory* factory = RenderFactory()) factory->CreateRenderTarget(&made, width, height);
  rt.Attach(made);
  return rt;
}

}  // namespace RenderFactoryUtil
}  // namespace SWUI
