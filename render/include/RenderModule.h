// Creators of the render factory and of the image decoder factories. Each stores a new object
// with one reference, owned by the caller, in *ppObj (null when memory runs out).
#pragma once
#include <windows.h>

#include "base/IObjRef.h"

namespace SWUI {

// The GDI render factory, without a decoder factory; always TRUE.
BOOL CreateRenderFactory_GDI(IObjRef** ppObj);
// The render module in use: the GDI render factory.
BOOL CreateRenderFactoryModule(IObjRef** ppObj);

// The GDI+ decoder factory; it starts GDI+ and shuts it down when it dies. Always TRUE.
BOOL CreateImgDecoderFactory_GDIP(IObjRef** ppObj);
// The PNG/APNG decoder factory over libpng. Always TRUE.
BOOL CreateImgDecoderFactory_PNG(IObjRef** ppObj);
// The stb_image decoder factory. Always TRUE.
BOOL CreateImgDecoderFactory_STB(IObjRef** ppObj);
// The Windows Imaging Component decoder factory; FALSE, with *ppObj untouched, when the imaging
// factory cannot be made (COM must be initialised on the calling thread).
BOOL CreateImgDecoderFactory_WIC(IObjRef** ppObj);

// The decoder module named "imgdecoder-wic", "imgdecoder-stb", "imgdecoder-png" or
// "imgdecoder-gdip" (compared in that order), with its creator's result. FALSE, with *ppObj
// untouched, for any other name.
BOOL CreateImgDecoderFactoryByName(LPCWSTR pszModuleName, IObjRef** ppObj);

}  // namespace SWUI
