// Plain files read as resources: by the resource manager's pseudo-type "file" and by the
// folder provider.
#pragma once
#include <windows.h>
#include <cstddef>

namespace SWUI {

class SResFile {
 public:
  // Size of the file as a directory search reports it (low 32 bits); 0 when there is none.
  static size_t GetSize(LPCWSTR path);
  // Reads the whole file into buf. A file larger than size sets ERROR_INSUFFICIENT_BUFFER
  // and leaves buf untouched. Succeeds when every byte of the file was read.
  static BOOL Read(LPCWSTR path, void* buf, size_t size);
};

}  // namespace SWUI
