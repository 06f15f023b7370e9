// A GDI render factory (decoding and saving through GDI+) and a memory render target of a
// given size, with raw pixel reads and a way to write what was drawn as a PNG to look at.
#pragma once
#include <windows.h>

#include <string>

#include "IRenderFactory.h"
#include "RefPtrAssign.h"

class RenderRig {
 public:
  RenderRig(int width, int height);

  SWUI::IRenderFactory* Factory() const { return factory_; }
  SWUI::IRenderTarget* Target() const { return target_; }
  // The target's selected bitmap.
  SWUI::IBitmap* Surface() const;

  // The raw premultiplied pixel 0xAARRGGBB at a logical point (0xFFFFFF outside).
  DWORD Pixel(int x, int y) const { return target_->GetPixel(x, y); }
  // How many pixels of the surface satisfy pred.
  int CountPixels(bool (*pred)(DWORD)) const;
  // How many pixels of a rectangle (surface coordinates) equal value, or satisfy pred.
  int CountEqual(const RECT& rc, DWORD value) const;
  int CountIn(const RECT& rc, bool (*pred)(DWORD)) const;

  // A new bitmap of the factory with the given raw pixels (row by row), or all zero.
  SWUI::RefPtrAssign<SWUI::IBitmap> MakeBitmap(int width, int height,
                                               const DWORD* pixels = nullptr) const;
  // A bitmap filled with one raw pixel value.
  SWUI::RefPtrAssign<SWUI::IBitmap> SolidBitmap(int width, int height, DWORD pixel) const;

  // Writes the surface, scaled up by zoom (nearest neighbour) over a checkerboard that shows
  // its transparency, as <exe folder>\png\<name>.png. False when it could not be written.
  bool SavePng(const std::wstring& name, int zoom = 1) const;
  static bool SavePng(SWUI::IBitmap* bitmap, const std::wstring& name, int zoom = 1);
  // The same as a file of the given path (its folder must exist).
  static bool SavePngFile(SWUI::IBitmap* bitmap, const std::wstring& path, int zoom = 1);
  // A folder given relative to the test program's own (created when missing), as a full path.
  static std::wstring FolderBesideProgram(const std::wstring& relative);

 private:
  template <class F>
  void ForEachIn(const RECT& rc, F f) const;

  SWUI::RefPtrAssign<SWUI::IRenderFactory> factory_;
  SWUI::RefPtrAssign<SWUI::IRenderTarget> target_;
};
