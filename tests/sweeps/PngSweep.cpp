// PNG/APNG under damage: a load fails (0 frames, none held) or yields exactly the frames of
// the undamaged input.
#include <doctest/doctest.h>
#include <windows.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "IImgDecoderFactory.h"
#include "PngFixtures.h"
#include "RefPtrAssign.h"
#include "RenderModule.h"
#include "SweepRig.h"

using namespace SWUI;
using fixtures::ApngFrame;
using fixtures::ApngFrameSpec;
using fixtures::ApngSpec;
using fixtures::Fill;
using fixtures::PngFormat;

namespace {

const int kMutations = 20000;  // per input, plain and repaired

struct Frames {
  std::vector<std::vector<BYTE>> pixels;
  std::vector<int> delays;
};

// Every frame of a load; empty when it failed (and then the image must hold none).
bool Decode(IImgDecoderFactory* decoders, const std::string& bytes, Frames* out) {
  IImgX* img = nullptr;
  decoders->CreateImgX(&img);
  RefPtrAssign<IImgX> holder;
  holder.Attach(img);
  std::vector<BYTE> copy(bytes.begin(), bytes.end());  // the decoder sees only these bytes
  const int count = img->LoadFromMemory(copy.data(), copy.size());
  *out = Frames();
  if (count <= 0) return img->GetFrameCount() == 0 && img->GetFrame(0) == nullptr;
  if (img->GetFrameCount() != static_cast<UINT>(count)) return false;
  for (int i = 0; i < count; ++i) {
    IImgFrame* frame = img->GetFrame(i);
    UINT w = 0;
    UINT h = 0;
    if (frame == nullptr || !frame->GetSize(&w, &h)) return false;
    std::vector<BYTE> px(static_cast<size_t>(w) * h * 4);
    if (!frame->CopyPixels(nullptr, w * 4, static_cast<UINT>(px.size()), px.data())) return false;
    out->pixels.push_back(px);
    out->delays.push_back(frame->GetDelay());
  }
  return true;
}

fixtures::PngImage Pattern(UINT w, UINT h, BYTE seed) {
  fixtures::PngImage image = Fill(w, h, {0, 0, 0, 0});
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const BYTE v = static_cast<BYTE>(seed + i * 37);
    image.pixels[i] = {v, static_cast<BYTE>(v ^ 0x5A), static_cast<BYTE>(i * 11),
                       static_cast<BYTE>(i % 3 == 0   ? 255
                                         : i % 3 == 1 ? 128
                                                      : 0)};
  }
  return image;
}

std::vector<std::string> Inputs() {
  std::vector<std::string> inputs;
  auto add = [&](const std::vector<BYTE>& bytes) {
    inputs.emplace_back(bytes.begin(), bytes.end());
  };
  ApngSpec animated;
  animated.width = 8;
  animated.height = 6;
  animated.plays = 3;
  animated.frames = {ApngFrame(Pattern(8, 6, 1), 0, 0, 0, 0, 1, 10),
                     ApngFrame(Pattern(4, 3, 2), 2, 2, 1, 1, 50, 1000),
                     ApngFrame(Pattern(3, 3, 3), 5, 3, 0, 2, 3, 25),
                     ApngFrame(Pattern(2, 2, 4), 0, 4, 1, 0, 7, 0)};
  add(fixtures::EncodeApng(animated));
  ApngSpec palette = animated;
  palette.format = PngFormat::kPaletteTrns;
  palette.hiddenDefault = Pattern(8, 6, 9);
  add(fixtures::EncodeApng(palette));
  ApngSpec deep = animated;
  deep.format = PngFormat::kRgba16;
  add(fixtures::EncodeApng(deep));
  add(fixtures::EncodePng(Pattern(9, 7, 5), PngFormat::kInterlaced));
  return inputs;
}

// Chunk CRCs recomputed wherever the (possibly damaged) lengths frame a chunk, so that the
// damage gets past the chunk layer into the animation checks and libpng.
std::string RepairCrcs(std::string bytes) {
  for (size_t pos = 8; pos + 12 <= bytes.size();) {
    const BYTE* p = reinterpret_cast<const BYTE*>(bytes.data()) + pos;
    const uint32_t length = (uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
    if (length > bytes.size() - pos - 12) break;
    const uLong crc = crc32(0, p + 4, length + 4);
    for (int i = 0; i < 4; ++i)
      bytes[pos + 8 + length + i] = static_cast<char>(crc >> (24 - 8 * i));
    pos += 12 + length;
  }
  return bytes;
}

// A load that succeeds on repaired damage may show other pixels, but must hold together.
bool Consistent(const Frames& f) {
  if (f.pixels.empty()) return true;
  for (const auto& px : f.pixels) {
    if (px.size() != f.pixels[0].size()) return false;
  }
  return f.delays.size() == f.pixels.size();
}

}  // namespace

TEST_CASE("png sweep: every cut and thousands of mutations fail or give the undamaged frames") {
  IObjRef* obj = nullptr;
  REQUIRE(CreateImgDecoderFactory_PNG(&obj));
  RefPtrAssign<IImgDecoderFactory> decoders;
  decoders.Attach(static_cast<IImgDecoderFactory*>(obj));
  int index = 0;
  for (const std::string& input : Inputs()) {
    CAPTURE(index++);
    Frames reference;
    REQUIRE(Decode(decoders, input, &reference));
    REQUIRE(!reference.pixels.empty());
    sweep::Result r =
        sweep::Run("png", input, kMutations, [&](const std::string& bytes, bool truncated) {
          Frames got;
          if (!Decode(decoders, bytes, &got)) return false;
          if (got.pixels.empty()) return true;
          return !truncated && got.pixels == reference.pixels && got.delays == reference.delays;
        });
    CHECK_MESSAGE(r.failures == 0, "first failing case: ", r.firstFailure, ", seed ",
                  sweep::Seed());
    r = sweep::Run(
        "png", input, kMutations,
        [&](const std::string& bytes, bool) {
          Frames got;
          return Decode(decoders, bytes, &got) && Consistent(got);
        },
        RepairCrcs);
    CHECK_MESSAGE(r.failures == 0, "first failing case: ", r.firstFailure, ", seed ",
                  sweep::Seed());
  }
}
