// The byte source of one PNG/APNG decode.
#pragma once
#include <cstddef>

namespace SWUI {

struct IPngReader {
  // Copies up to size bytes into buffer; returns the count copied (0 at the end).
  virtual size_t Read(void* buffer, size_t size) = 0;

 protected:
  ~IPngReader() = default;
};

}  // namespace SWUI
