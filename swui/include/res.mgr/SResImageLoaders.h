// Image loaders shared by the resource providers: bytes or a file become a render-factory
// bitmap or a decoded image, through the render factory of the running application.
#pragma once
#include <windows.h>
#include <cstddef>

namespace SWUI {

struct IBitmap;
struct IImgX;
struct IRenderFactory;

// Each returns a new object holding one reference for the caller, or null when there is no
// application, no render factory (or decoder factory), or the data does not decode.
IBitmap* LoadBitmapFromMemory(const void* data, size_t size);
IImgX* LoadImgXFromMemory(const void* data, size_t size);
IBitmap* LoadBitmapFromFile(LPCWSTR path);
IImgX* LoadImgXFromFile(LPCWSTR path);

// The same from memory through a given render factory (null gives null).
IBitmap* LoadBitmapFromMemory(IRenderFactory* factory, const void* data, size_t size);
IImgX* LoadImgXFromMemory(IRenderFactory* factory, const void* data, size_t size);

// The image a provider hands out for encoded bytes: a PNG decoded when first drawn, any other
// kind at once (DeferredImageFromBytes); through a given render factory or the application's.
IBitmap* DeferredBitmapFromMemory(IRenderFactory* factory, const void* data, size_t size);
IBitmap* DeferredBitmapFromMemory(const void* data, size_t size);
IBitmap* DeferredBitmapFromFile(LPCWSTR path);

}  // namespace SWUI
