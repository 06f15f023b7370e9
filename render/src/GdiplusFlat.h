// The GDI+ flat API and the GUIDs this library uses from it, defined here so that no import
// library of GUIDs is needed.
#pragma once
#include <windows.h>
#include <objidl.h>

#include <gdiplus.h>

namespace SWUI {
namespace gdip {

using namespace Gdiplus::DllExports;
using Gdiplus::BitmapData;
using Gdiplus::GpBitmap;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;
using Gdiplus::GpRect;
using Gdiplus::GpStatus;
using Gdiplus::ImageCodecInfo;
using Gdiplus::PropertyItem;

// {6AEDBD6D-3FB5-418A-83A6-7F45229DC872}
constexpr GUID kFrameDimensionTime = {
    0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};

constexpr PROPID kPropertyTagFrameDelay = 0x5100;

}  // namespace gdip
}  // namespace SWUI
