// PNG bytes from an open file; the caller opens and closes it.
#pragma once
#include <cstdio>

#include "IPngReader.h"

namespace SWUI {

class IPngReader_File : public IPngReader {
 public:
  explicit IPngReader_File(FILE* file) : file_(file) {}
  size_t Read(void* buffer, size_t size) override;

 private:
  FILE* file_;
};

}  // namespace SWUI
