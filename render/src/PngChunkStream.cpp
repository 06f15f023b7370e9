#include "PngChunkStream.h"

#include <zlib.h>

namespace SWUI {

const BYTE PngChunkStream::kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint32_t PngChunkStream::ReadBE32(const BYTE* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

uint16_t PngChunkStream::ReadBE16(const BYTE* p) {
  return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

void PngChunkStream::PutBE32(std::vector<BYTE>* out, uint32_t v) {
  out->push_back(static_cast<BYTE>(v >> 24));
  out->push_back(static_cast<BYTE>(v >> 16));
  out->push_back(static_cast<BYTE>(v >> 8));
  out->push_back(static_cast<BYTE>(v));
}

bool PngChunkStream::Split(const BYTE* bytes, size_t size, std::vector<PngChunk>* chunks) {
  const uint32_t kIEND = Type('I', 'E', 'N', 'D');
  chunks->clear();
  size_t pos = 0;
  while (size - pos >= 12) {
    const uint32_t length = ReadBE32(bytes + pos);
    if (length > 0x7FFFFFFFu || length > size - pos - 12) return false;
    const BYTE* typeAndData = bytes + pos + 4;
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), typeAndData, length + 4);
    if (crc != ReadBE32(typeAndData + 4 + length)) return false;
    const PngChunk chunk = {ReadBE32(typeAndData), typeAndData + 4, length};
    chunks->push_back(chunk);
    if (chunk.type == kIEND) return true;
    pos += 12 + static_cast<size_t>(length);
  }
  return false;
}

void PngChunkStream::Append(std::vector<BYTE>* out, uint32_t type, const BYTE* data,
                            size_t length) {
  PutBE32(out, static_cast<uint32_t>(length));
  const size_t typeAt = out->size();
  PutBE32(out, type);
  if (length != 0) out->insert(out->end(), data, data + length);
  PutBE32(out, static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), out->data() + typeAt,
                                           static_cast<uInt>(length + 4))));
}

}  // namespace SWUI
