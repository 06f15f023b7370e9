// A source of user-interface resources (layouts, definitions, images, icons, cursors,
// language files), each named by a type and a name.
#pragma once
#include <windows.h>
#include <cstddef>

#include "base/IObjRef.h"

namespace SWUI {

struct IBitmap;
struct IImgX;

struct IResProvider : public IObjRef {
  // Meaning of the two words is fixed by each provider; nonzero on success.
  virtual BOOL Init(WPARAM wParam, LPARAM lParam) = 0;
  virtual BOOL HasResource(LPCWSTR type, LPCWSTR name) = 0;
  virtual HICON LoadIcon(LPCWSTR name, int cx, int cy) = 0;
  virtual HBITMAP LoadBitmap(LPCWSTR name) = 0;
  virtual HCURSOR LoadCursor(LPCWSTR name) = 0;
  // A new image holding one reference for the caller, or null.
  virtual IBitmap* LoadImage(LPCWSTR type, LPCWSTR name) = 0;
  virtual IImgX* LoadImgX(LPCWSTR type, LPCWSTR name) = 0;
  // Size in bytes; 0 when the resource is absent.
  virtual size_t GetRawBufferSize(LPCWSTR type, LPCWSTR name) = 0;
  // Nonzero when all bytes were copied; a destination too small sets
  // ERROR_INSUFFICIENT_BUFFER and leaves it untouched.
  virtual BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buf, size_t size) = 0;
  virtual ~IResProvider() = default;
};

}  // namespace SWUI
