// The GDI render factory every element benchmark starts from (the program links the render
// module itself).
#pragma once
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "core/SAutoRefPtr.h"

namespace bench {

// A new GDI render factory, or null when the render module cannot make one.
inline SWUI::SAutoRefPtr<SWUI::IRenderFactory> GdiRenderFactory() {
  SWUI::IObjRef* obj = nullptr;
  SWUI::SAutoRefPtr<SWUI::IRenderFactory> factory;
  if (SWUI::CreateRenderFactory_GDI(&obj) && obj != nullptr) {
    factory.Attach(static_cast<SWUI::IRenderFactory*>(obj));
  }
  return factory;
}

}  // namespace bench
