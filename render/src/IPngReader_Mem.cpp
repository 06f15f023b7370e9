#include "IPngReader_Mem.h"

#include <algorithm>
#include <cstring>

namespace SWUI {

size_t IPngReader_Mem::Read(void* buffer, size_t size) {
  const size_t n = std::min(left_, size);
  if (n != 0) memcpy(buffer, next_, n);
  next_ += n;
  left_ -= n;
  return n;
}

}  // namespace SWUI
