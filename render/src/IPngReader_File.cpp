#include "IPngReader_File.h"

namespace SWUI {

size_t IPngReader_File::Read(void* buffer, size_t size) { return fread(buffer, 1, size, file_); }

}  // namespace SWUI
