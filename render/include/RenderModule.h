// Creators of the render factory and of the image decoder factories. Each stores a new object
// with one reference, owned by the caller, in *ppObj (null when memory runs out).
#pragma once
#include <windows.h>

#include "core/IObjRef.h"

namespace SWUI {

// The GDI render factory, without a decoder factory; always TRUE.
BOOL CreateRenderFactory_GDI(IObjRef** ppObj);
// The render module in use: the GDI render factory.
BOOL CreateRenderFactoryModule(IObjRef** ppObj);

// The GDI+ decoder factory; it starts GDI+ and shuts it down when it dies. Always TRUE.
BOOL CreateImgDecoderFactory_GDIP(IObjRef** ppObj);

// The decoder module named "imgdecoder-wic", "imgdecoder-stb", "imgdecoder-png" or
// "imgdecoder-gdip" (compared in that order). FALSE, with *ppObj untouched, for any other name
// and for a module not built in.
BOOL CreateImgDecoderFactoryByName(LPCWSTR pszModuleName, IObjRef** ppObj);

}  // namespace SWUI
