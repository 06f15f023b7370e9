// An application (decoding through GDI+) with a memory target to draw skins into, and skins
// made from XML text the way the skin pools make them.
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "RenderRig.h"
#include "core/ISkinObj.h"
#include "core/SApplication.h"
#include "base/SAutoRefPtr.h"

class SkinRig {
 public:
  SkinRig(int width, int height);

  SWUI::IRenderTarget* Target() const { return render.Target(); }
  SWUI::IRenderFactory* Factory() const { return render.Factory(); }
  DWORD Pixel(int x, int y) const { return render.Pixel(x, y); }
  // Clears the whole surface to a raw-order colour 0xAABBGGRR.
  void Clear(COLORREF cr = 0) const;

  // A skin from one XML element (its tag the class), attributes applied as while loading.
  SWUI::SAutoRefPtr<SWUI::ISkinObj> Make(const wchar_t* xml) const;
  // The result of one attribute on a skin.
  static HRESULT Set(SWUI::ISkinObj* skin, const wchar_t* name, const wchar_t* value);

  // A bitmap of cells side by side (or stacked), each filled with one raw pixel value.
  SWUI::SAutoRefPtr<SWUI::IBitmap> Strip(int cellW, int cellH, const std::vector<DWORD>& cells,
                                         bool vertical = false) const;

  RenderRig render;
  SWUI::SApplication app;
};

// The skin as its own class; the test fails when it is not one.
template <class T>
T* SkinAs(SWUI::ISkinObj* skin) {
  auto* typed = dynamic_cast<T*>(skin);
  REQUIRE(typed != nullptr);
  return typed;
}

// A bitmap written as a PNG file in the temporary folder for the lifetime of the object.
class TempImageFile {
 public:
  TempImageFile(SWUI::IBitmap* bitmap, const wchar_t* name);
  ~TempImageFile();
  TempImageFile(const TempImageFile&) = delete;
  TempImageFile& operator=(const TempImageFile&) = delete;
  // The image reference "file:<path>".
  std::wstring Ref() const { return L"file:" + path_; }

 private:
  std::wstring path_;
};
