// The chunk layer of PNG and APNG streams: splitting a stream into checked chunks and writing
// chunks with their CRCs. libpng knows nothing of the animation chunks, so the decoder finds
// them here and hands libpng one plain PNG per frame.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace SWUI {

// A chunk inside the caller's bytes.
struct PngChunk {
  uint32_t type;
  const BYTE* data;
  uint32_t length;
};

class PngChunkStream {
 public:
  static const BYTE kSignature[8];

  // A chunk type from its four letters, as it is compared in the stream.
  static constexpr uint32_t Type(char a, char b, char c, char d) {
    return (static_cast<uint32_t>(static_cast<BYTE>(a)) << 24) |
           (static_cast<uint32_t>(static_cast<BYTE>(b)) << 16) |
           (static_cast<uint32_t>(static_cast<BYTE>(c)) << 8) | static_cast<BYTE>(d);
  }
  // Critical chunks have an upper-case first letter.
  static bool IsCritical(uint32_t type) { return (type & 0x20000000u) == 0; }

  static uint32_t ReadBE32(const BYTE* p);
  static uint16_t ReadBE16(const BYTE* p);
  static void PutBE32(std::vector<BYTE>* out, uint32_t v);

  // Splits the chunks that follow the signature, up to and including IEND. False when a chunk
  // runs past the end, its length exceeds 2^31 - 1, its CRC does not match, or no IEND comes.
  static bool Split(const BYTE* bytes, size_t size, std::vector<PngChunk>* chunks);

  // Appends one chunk (length, type, data, CRC-32 over type and data).
  static void Append(std::vector<BYTE>* out, uint32_t type, const BYTE* data, size_t length);
};

}  // namespace SWUI
