// Little-endian fields of file formats read from bytes (zip, icon, bitmap and sxml headers).
#pragma once
#include <windows.h>

#include <cstdint>

namespace SWUI {

inline uint16_t ReadLE16(const BYTE* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t ReadLE32(const BYTE* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace SWUI
