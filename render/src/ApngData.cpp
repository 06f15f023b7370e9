#include "ApngData.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "ApngCompositor.h"
#include "PngChunkStream.h"
#include "PngRgbaDecoder.h"

namespace SWUI {

namespace {

using C = PngChunkStream;

const uint32_t kIHDR = C::Type('I', 'H', 'D', 'R');
const uint32_t kPLTE = C::Type('P', 'L', 'T', 'E');
const uint32_t kIDAT = C::Type('I', 'D', 'A', 'T');
const uint32_t kIEND = C::Type('I', 'E', 'N', 'D');
const uint32_t kTRNS = C::Type('t', 'R', 'N', 'S');
const uint32_t kACTL = C::Type('a', 'c', 'T', 'L');
const uint32_t kFCTL = C::Type('f', 'c', 'T', 'L');
const uint32_t kFDAT = C::Type('f', 'd', 'A', 'T');

// Nothing that decodes to at most kApngMaxPixelBytes needs a larger stream.
const size_t kMaxStreamBytes = 256u << 20;
// Deflate cannot shrink data by more than about 1032 to 1.
const uint64_t kMaxDeflateRatio = 1032;
// PNG's own limit on a side.
const UINT kMaxSide = 0x7FFFFFFF;

struct ApngFrame {
  ApngRect rect;
  uint16_t delayNum;
  uint16_t delayDen;
  BYTE dispose;
  BYTE blend;
  bool isDefaultImage;         // its data are the IDAT chunks
  std::vector<PngChunk> data;  // payloads, sequence numbers stripped
};

// What the chunk stream says about the image.
struct ApngLayout {
  UINT width = 0;
  UINT height = 0;
  UINT bitsPerPixel = 0;
  std::vector<PngChunk> imageData;  // the IDAT chunks
  const PngChunk* ihdr = nullptr;
  const PngChunk* plte = nullptr;
  const PngChunk* trns = nullptr;
  bool animated = false;
  uint32_t frameCount = 0;
  uint32_t playCount = 0;
  std::vector<ApngFrame> frames;
};

// Reads the whole stream; the signature has been read and checked already.
bool ReadStream(IPngReader* reader, std::vector<BYTE>* bytes) {
  const size_t kBlock = 64 * 1024;
  for (;;) {
    const size_t at = bytes->size();
    if (at >= kMaxStreamBytes) return false;
    bytes->resize(at + kBlock);
    const size_t n = reader->Read(bytes->data() + at, kBlock);
    bytes->resize(at + n);
    if (n == 0) return true;
  }
}

bool ReadFrameControl(const PngChunk& chunk, uint32_t* nextSequence, ApngFrame* frame) {
  if (chunk.length != 26) return false;
  const BYTE* p = chunk.data;
  if (C::ReadBE32(p) != (*nextSequence)++) return false;
  frame->rect = {C::ReadBE32(p + 12), C::ReadBE32(p + 16), C::ReadBE32(p + 4), C::ReadBE32(p + 8)};
  frame->delayNum = C::ReadBE16(p + 20);
  frame->delayDen = C::ReadBE16(p + 22);
  frame->dispose = p[24];
  frame->blend = p[25];
  return true;
}

// Sorts the chunks into the layout, checking their order and the animation's sequence numbers.
bool ReadChunks(const std::vector<PngChunk>& chunks, ApngLayout* layout) {
  bool seenIdat = false;
  bool idatEnded = false;
  uint32_t nextSequence = 0;
  for (size_t i = 1; i < chunks.size(); ++i) {
    const PngChunk& chunk = chunks[i];
    if (chunk.type == kIDAT) {
      if (idatEnded) return false;  // image data must be one run of chunks
      seenIdat = true;
      layout->imageData.push_back(chunk);
      if (layout->animated && layout->frames.size() == 1 && layout->frames[0].isDefaultImage) {
        layout->frames[0].data.push_back(chunk);
      }
      continue;
    }
    idatEnded = seenIdat;
    switch (chunk.type) {
      case kIHDR:
        return false;
      case kPLTE:
      case kTRNS: {
        const PngChunk*& slot = chunk.type == kPLTE ? layout->plte : layout->trns;
        if (seenIdat || slot != nullptr) return false;
        slot = &chunk;
        break;
      }
      case kACTL:
        if (seenIdat || layout->animated || chunk.length != 8) return false;
        layout->animated = true;
        layout->frameCount = C::ReadBE32(chunk.data);
        layout->playCount = C::ReadBE32(chunk.data + 4);
        break;
      case kFCTL: {
        if (!layout->animated) break;  // frame controls of a still image mean nothing
        ApngFrame frame{};
        if (!ReadFrameControl(chunk, &nextSequence, &frame)) return false;
        frame.isDefaultImage = !seenIdat;
        layout->frames.push_back(std::move(frame));
        break;
      }
      case kFDAT:
        if (!layout->animated) break;
        if (chunk.length < 4 || C::ReadBE32(chunk.data) != nextSequence++) return false;
        if (layout->frames.empty() || layout->frames.back().isDefaultImage) return false;
        layout->frames.back().data.push_back({kIDAT, chunk.data + 4, chunk.length - 4});
        break;
      case kIEND:
        break;
      default:
        if (C::IsCritical(chunk.type)) return false;  // a chunk we cannot do without
        break;
    }
  }
  return seenIdat;
}

// Bits per pixel of the header's colour type and bit depth (a lower bound for types libpng
// will refuse anyway).
UINT BitsPerPixel(const BYTE* ihdr) {
  const UINT depth = ihdr[8];
  switch (ihdr[9]) {
    case 2:
      return depth * 3;
    case 4:
      return depth * 2;
    case 6:
      return depth * 4;
    default:
      return depth;
  }
}

// Compressed data too short to inflate to width x height pixels is damage: refusing it before
// anything is allocated keeps a small file from claiming a huge canvas.
bool DataCanHold(const std::vector<PngChunk>& data, uint64_t width, uint64_t height,
                 UINT bitsPerPixel) {
  uint64_t compressed = 0;
  for (const PngChunk& part : data) compressed += part.length;  // at most the stream's size
  const uint64_t maxBits = (compressed + 1) * kMaxDeflateRatio * 8;
  // width x height stays below 2^64 for 32-bit sides; the bits are compared by division.
  return width * height <= maxBits / std::max<UINT>(bitsPerPixel, 1);
}

bool FrameFits(const ApngFrame& frame, const ApngLayout& layout) {
  const ApngRect& r = frame.rect;
  if (r.width == 0 || r.height == 0 || frame.data.empty() ||
      !DataCanHold(frame.data, r.width, r.height, layout.bitsPerPixel)) {
    return false;
  }
  if (static_cast<uint64_t>(r.x) + r.width > layout.width ||
      static_cast<uint64_t>(r.y) + r.height > layout.height) {
    return false;
  }
  // The image data of the still fallback is encoded at the canvas size.
  return !frame.isDefaultImage ||
         (r.x == 0 && r.y == 0 && r.width == layout.width && r.height == layout.height);
}

bool ReadLayout(const std::vector<PngChunk>& chunks, ApngLayout* layout) {
  if (chunks.empty() || chunks[0].type != kIHDR || chunks[0].length != 13) return false;
  layout->ihdr = &chunks[0];
  layout->width = C::ReadBE32(chunks[0].data);
  layout->height = C::ReadBE32(chunks[0].data + 4);
  layout->bitsPerPixel = BitsPerPixel(chunks[0].data);
  if (layout->width == 0 || layout->height == 0 || layout->width > kMaxSide ||
      layout->height > kMaxSide) {
    return false;
  }
  if (!ReadChunks(chunks, layout) ||
      !DataCanHold(layout->imageData, layout->width, layout->height, layout->bitsPerPixel)) {
    return false;
  }
  if (!layout->animated) {
    layout->frameCount = 1;
  } else {
    if (layout->frameCount == 0 || layout->frameCount != layout->frames.size()) return false;
    for (const ApngFrame& frame : layout->frames) {
      if (!FrameFits(frame, *layout)) return false;
    }
  }
  // Divisions, so that no product of untrusted sizes can wrap.
  const uint64_t frameBytes = static_cast<uint64_t>(layout->width) * layout->height * 4;
  return frameBytes <= kApngMaxPixelBytes && layout->frameCount <= kApngMaxPixelBytes / frameBytes;
}

// A plain PNG of one frame: the image header at the frame's size, the palette and
// transparency of the whole image, the frame's data as image data.
std::vector<BYTE> FramePng(const ApngLayout& layout, const ApngFrame& frame) {
  std::vector<BYTE> png(C::kSignature, C::kSignature + 8);
  BYTE ihdr[13];
  memcpy(ihdr, layout.ihdr->data, 13);
  for (int i = 0; i < 4; ++i) {
    ihdr[i] = static_cast<BYTE>(frame.rect.width >> (24 - 8 * i));
    ihdr[4 + i] = static_cast<BYTE>(frame.rect.height >> (24 - 8 * i));
  }
  C::Append(&png, kIHDR, ihdr, 13);
  if (layout.plte != nullptr) C::Append(&png, kPLTE, layout.plte->data, layout.plte->length);
  if (layout.trns != nullptr) C::Append(&png, kTRNS, layout.trns->data, layout.trns->length);
  for (const PngChunk& part : frame.data) C::Append(&png, kIDAT, part.data, part.length);
  C::Append(&png, kIEND, nullptr, 0);
  return png;
}

std::unique_ptr<ApngData> NewData(const ApngLayout& layout) {
  auto data = std::make_unique<ApngData>();
  data->nWid = layout.width;
  data->nHei = layout.height;
  data->nFrames = layout.frameCount;
  data->nLoops = layout.animated ? layout.playCount : 0;
  const size_t bytes = static_cast<size_t>(layout.frameCount) * layout.width * layout.height * 4;
  // Every byte is written by the decode (a still image) or a canvas copy (each frame).
  data->pdata.reset(new BYTE[bytes]);
  return data;
}

std::unique_ptr<ApngData> DecodeStill(const std::vector<BYTE>& stream, const ApngLayout& layout) {
  std::unique_ptr<ApngData> data = NewData(layout);
  if (!data || !PngRgbaDecoder::Decode(stream.data(), stream.size(), layout.width, layout.height,
                                       data->pdata.get(), static_cast<size_t>(layout.width) * 4)) {
    return nullptr;
  }
  return data;
}

std::unique_ptr<ApngData> DecodeAnimation(const ApngLayout& layout) {
  std::unique_ptr<ApngData> data = NewData(layout);
  if (!data) return nullptr;
  data->pDelay.reset(new uint16_t[layout.frameCount]);
  ApngCompositor canvas;
  if (!canvas.Init(layout.width, layout.height)) return nullptr;
  const size_t stride = static_cast<size_t>(layout.width) * 4;
  std::vector<BYTE> frameBuffer(canvas.Bytes());
  for (size_t i = 0; i < layout.frames.size(); ++i) {
    const ApngFrame& frame = layout.frames[i];
    const std::vector<BYTE> png = FramePng(layout, frame);
    if (!PngRgbaDecoder::Decode(png.data(), png.size(), frame.rect.width, frame.rect.height,
                                frameBuffer.data(), stride) ||
        !canvas.Draw(frameBuffer.data(), stride, frame.rect, frame.blend, frame.dispose)) {
      return nullptr;
    }
    memcpy(data->pdata.get() + i * canvas.Bytes(), canvas.Pixels(), canvas.Bytes());
    data->pDelay[i] = ApngDelayHundredths(frame.delayNum, frame.delayDen);
    canvas.Dispose(frame.rect, frame.dispose);
  }
  return data;
}

}  // namespace

uint16_t ApngDelayHundredths(uint16_t num, uint16_t den) {
  uint32_t delay;
  switch (den) {
    case 0:
    case 100:
      delay = num;
      break;
    case 10:
      delay = num * 10u;
      break;
    case 1000:
      delay = num / 10u;
      break;
    default:
      delay = num * 100u / den;
      break;
  }
  return static_cast<uint16_t>(std::min<uint32_t>(delay, 65535));
}

std::unique_ptr<ApngData> LoadApng(IPngReader* reader) {
  if (reader == nullptr) return nullptr;
  try {
    std::vector<BYTE> stream(8);
    if (reader->Read(stream.data(), 8) != 8 || memcmp(stream.data(), C::kSignature, 8) != 0) {
      return nullptr;
    }
    std::vector<PngChunk> chunks;
    ApngLayout layout;
    if (!ReadStream(reader, &stream) || !C::Split(stream.data() + 8, stream.size() - 8, &chunks) ||
        !ReadLayout(chunks, &layout)) {
      return nullptr;
    }
    return layout.animated ? DecodeAnimation(layout) : DecodeStill(stream, layout);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace SWUI
