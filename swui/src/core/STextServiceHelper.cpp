#include "core/STextServiceHelper.h"

namespace SWUI {

STextServiceHelper::STextServiceHelper() = default;

STextServiceHelper::~STextServiceHelper() = default;

}  // namespace SWUI
