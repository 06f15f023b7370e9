// Bitmaps whose pixels are made the first time they are read or drawn (IBitmap::InitDeferred):
// an encoded image decoded then, a resampled or tinted copy of another bitmap made then. Until
// then only their size is known, so what nothing draws costs no decoding. UI thread only.
#pragma once
#include <windows.h>

#include <cstddef>
#include <functional>
#include <vector>

#include "IBitmap.h"

namespace SWUI {

struct IRenderFactory;

// A new bitmap of the factory, width x height, whose pixels make() gives it when they are
// first needed (it calls Init, InitFromFrame or a load on the bitmap it is handed); one
// reference, or null when the factory makes no bitmap or the size is not positive.
IBitmap* NewDeferredBitmap(IRenderFactory* factory, int width, int height,
                           std::function<HRESULT(IBitmap*)> make);

// The size a PNG's header gives (the signature and a first chunk "IHDR" with a width and a
// height of 1 to 0x7FFFFFFF); false for anything else.
bool PeekPngSize(const void* data, size_t size, SIZE* out);

// A bitmap of the encoded bytes decoded by the factory's decoder when first drawn: deferred
// for a PNG (its header gives the size), decoded at once for any other kind. One reference,
// or null when nothing could be made.
IBitmap* DeferredImageFromBytes(IRenderFactory* factory, std::vector<BYTE> bytes);

// A copy of image resampled to width x height (the high filter, as skins scale their images),
// made when first drawn.
IBitmap* DeferredResample(IBitmap* image, int width, int height);

}  // namespace SWUI
