#include "core/SFontPool.h"

namespace SWUI {

SFontPool::SFontPool(IRenderFactory* renderFactory) : m_renderFactory(renderFactory) {}

SFontPool::~SFontPool() = default;

}  // namespace SWUI
