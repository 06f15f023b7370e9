// The GIF skin: an animated image (SSkinAni) filled from a GIF, or any image GDI+ reads, with
// each frame's delay in hundredths of a second from the image's frame-delay property. A second
// path loads through a decoder of the render layer (IImgX) instead.
//
// Attribute "src": a resource reference "type:name", or a name alone meaning type "gif"; its
// bytes are read through the application's resource providers and loaded when the frames are
// first needed (drawn, counted or measured), so an animation nobody shows is never decoded.
// The attribute always succeeds; a resource that does not load leaves the frames as they were
// (none on a new skin).
//
// Every loader answers the frame count, 0 on failure. A load that succeeds replaces the old
// frames (their bitmaps are released); one that fails keeps them.
#pragma once
#include <windows.h>

#include <cstddef>

#include "IImgDecoderFactory.h"
#include "IImgX.h"
#include "controls/SSkinAni.h"

namespace SWUI {

class SSkinGif : public SSkinAni {
  SWUI_CLASS_NAME(SSkinAni, L"gif")

 public:
  SSkinGif() = default;

  // Through GDI+, which the program must have started.
  int LoadFromFile(LPCWSTR path) override;
  int LoadFromMemory(const void* buf, size_t len) override;

  // Takes every frame of a decoded image. The decoders keep their own delay units: the one
  // described as "apng" gives hundredths, which are kept; any other gives milliseconds, which
  // are divided by 10.
  int LoadFrom(IImgX* image, LPCWSTR decoderDescription);
  // Decodes with a decoder factory, then LoadFrom with the factory's description.
  int LoadFromMemoryWith(IImgDecoderFactory* decoders, const void* buf, size_t len);
  int LoadFromFileWith(IImgDecoderFactory* decoders, LPCWSTR path);

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SSkinAni::SetAttribute;

 private:
  // The frames of a GDI+ bitmap (a GpBitmap), replacing the old ones; 0 when any frame cannot
  // be read.
  int LoadFrames(void* gpBitmap);
  // Loads the resource a "src" value names.
  int LoadFromResource(const SStringW& ref);
  // Loads the "src" that waited for the frames to be needed.
  void LoadPending() override;

  SStringW pendingSrc_;
};

}  // namespace SWUI
