// The result of decoding one PNG or animated PNG, and the decode itself.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "IPngReader.h"

namespace SWUI {

struct ApngData {
  // nFrames x nWid x nHei x 4 bytes, frame after frame, rows top-down: straight R, G, B, A as
  // decoded, premultiplied B, G, R, A once an image has taken it.
  std::unique_ptr<BYTE[]> pdata;
  // One delay per frame in hundredths of a second; null for a still image.
  std::unique_ptr<uint16_t[]> pDelay;
  UINT nWid = 0;
  UINT nHei = 0;
  UINT nFrames = 0;
  UINT nLoops = 0;  // the animation's play count; 0 for a still image or when absent
};

// Largest pixel block a decode may produce (all frames together).
const uint64_t kApngMaxPixelBytes = 256u << 20;

// Decodes a PNG or APNG read whole from reader; null when it is not a PNG, is damaged (bad
// chunk, CRC or sequence number, frames that do not match the animation's frame count, a frame
// outside the canvas), would exceed kApngMaxPixelBytes or cannot be held. An image before the
// first frame control is the still fallback of the animation and is not one of its frames.
std::unique_ptr<ApngData> LoadApng(IPngReader* reader);

// A frame delay of num/den seconds in hundredths, as a 16-bit value: a denominator of 0 or 100
// gives num, 10 gives num x 10, 1000 gives num / 10, any other num x 100 / den; larger than
// 65535 saturates.
uint16_t ApngDelayHundredths(uint16_t num, uint16_t den);

}  // namespace SWUI
