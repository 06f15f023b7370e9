// PNG bytes from a buffer the caller keeps alive during the decode.
#pragma once
#include <windows.h>

#include <cstddef>

#include "IPngReader.h"

namespace SWUI {

class IPngReader_Mem : public IPngReader {
 public:
  IPngReader_Mem(const void* data, size_t size)
      : next_(static_cast<const BYTE*>(data)), left_(size) {}
  size_t Read(void* buffer, size_t size) override;

 private:
  const BYTE* next_;
  size_t left_;
};

}  // namespace SWUI
