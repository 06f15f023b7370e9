// Shared font objects made from font descriptions (application singleton 4).
#pragma once
#include "IRenderFactory.h"
#include "core/SAutoRefPtr.h"
#include "core/SSingleton.h"

namespace SWUI {

class SFontPool : public SSingleton<SFontPool> {
 public:
  explicit SFontPool(IRenderFactory* renderFactory);
  virtual ~SFontPool();

  IRenderFactory* GetRenderFactory() const { return m_renderFactory; }

 private:
  SAutoRefPtr<IRenderFactory> m_renderFactory;
};

}  // namespace SWUI
