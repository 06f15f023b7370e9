// The fills, layers, outlines and bitmaps of the render target against a reference: the same
// drawing done with plain GDI on a second target's device context the way the alpha layer and
// the alpha backup work when done from scratch on every call (a new section and context per
// layer, the alpha of the whole area saved around an outline), and bitmaps blended with the
// platform's AlphaBlend. Both targets go through the same clips, origins, transforms and
// changes of them, over a background of every alpha and over an opaque one, then must match
// pixel for pixel.
#include <doctest/doctest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "IRenderFactory.h"
#include "RenderRig.h"
#include "base/AlphaChannelBackup.h"

using namespace SWUI;

namespace {

constexpr int kWidth = 20;
constexpr int kHeight = 16;

template <class T>
RefPtrAssign<T> Adopt(T* raw) {
  RefPtrAssign<T> p;
  p.Attach(raw);
  return p;
}

// A 32-bit top-down section of width x height and its pixels.
HBITMAP NewSection(int width, int height, DWORD** bits) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  void* raw = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &raw, nullptr, 0);
  REQUIRE(bmp != nullptr);
  *bits = static_cast<DWORD*>(raw);
  return bmp;
}

// The part of rc inside the clip box (rc itself when there is none to read).
RECT Visible(HDC dc, const RECT& rc) {
  RECT box;
  RECT visible = rc;
  if (GetClipBox(dc, &box) != ERROR && !IntersectRect(&visible, &rc, &box)) {
    SetRectEmpty(&visible);
  }
  return visible;
}

// The alpha layer done from scratch: its own section and device context, the target's pen,
// brush, font and text colour taken in, the background copied in or not, every pixel made
// opaque; at the end the pixels GDI drew (alpha 0) made opaque, the others cleared, and the
// whole blended onto the target at the constant alpha.
class FreshLayer {
 public:
  FreshLayer(HDC target, const RECT& rc, BYTE alpha, bool copy)
      : target_(target), rc_(Visible(target, rc)), alpha_(alpha) {
    width_ = rc_.right - rc_.left;
    height_ = rc_.bottom - rc_.top;
    if (width_ <= 0 || height_ <= 0) return;
    bmp_ = NewSection(width_, height_, &bits_);
    dc_ = CreateCompatibleDC(target);
    old_ = SelectObject(dc_, bmp_);
    SetBkMode(dc_, TRANSPARENT);
    SetViewportOrgEx(dc_, -rc_.left, -rc_.top, nullptr);
    pen_ = SelectObject(target, GetStockObject(BLACK_PEN));
    brush_ = SelectObject(target, GetStockObject(BLACK_BRUSH));
    font_ = SelectObject(target, GetStockObject(DEFAULT_GUI_FONT));
    SelectObject(dc_, pen_);
    SelectObject(dc_, brush_);
    SelectObject(dc_, font_);
    SetTextColor(dc_, GetTextColor(target));
    if (copy) BitBlt(dc_, rc_.left, rc_.top, width_, height_, target, rc_.left, rc_.top, SRCCOPY);
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) bits_[i] |= 0xFF000000u;
  }
  ~FreshLayer() {
    if (dc_ == nullptr) return;
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) {
      bits_[i] = (bits_[i] & 0xFF000000u) ? 0 : (bits_[i] | 0xFF000000u);
    }
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, alpha_, AC_SRC_ALPHA};
    AlphaBlend(target_, rc_.left, rc_.top, width_, height_, dc_, rc_.left, rc_.top, width_,
               height_, bf);
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    SelectObject(dc_, GetStockObject(BLACK_BRUSH));
    SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bmp_);
    SelectObject(target_, pen_);
    SelectObject(target_, brush_);
    SelectObject(target_, font_);
  }
  FreshLayer(const FreshLayer&) = delete;
  FreshLayer& operator=(const FreshLayer&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC target_;
  RECT rc_;
  BYTE alpha_;
  int width_ = 0;
  int height_ = 0;
  HBITMAP bmp_ = nullptr;
  DWORD* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
  HGDIOBJ pen_ = nullptr;
  HGDIOBJ brush_ = nullptr;
  HGDIOBJ font_ = nullptr;
};

// Two targets driven alike: `ours` through the render target, the reference through the
// other's device context, lent for the whole test so that the target itself keeps nothing
// it has read of it.
struct Twin {
  RenderRig ours{kWidth, kHeight};
  RenderRig ref{kWidth, kHeight};
  HDC refDc = ref.Target()->GetDC(0);

  // Both targets alike; then ours draws, so that it reads its device context again and
  // must notice the next change.
  void Both(const std::function<void(IRenderTarget*)>& f) {
    f(ours.Target());
    f(ref.Target());
    Warm();
  }
  void Warm() {
    const RECT corner = {0, 0, 3, 3};
    ours.Target()->FillSolidRect(&corner, 0xFF0000FF);
  }
  // The same varied background on both surfaces: every alpha (or opaque), colours above and
  // below it.
  void Background(bool opaque) {
    for (RenderRig* rig : {&ours, &ref}) {
      IBitmap* surface = rig->Surface();
      auto* px = static_cast<DWORD*>(surface->LockPixelBits());
      REQUIRE(px != nullptr);
      const UINT count = surface->Width() * surface->Height();
      for (UINT i = 0; i < count; ++i) {
        const DWORD a = opaque ? 0xFFu : (i * 37u + 11u) & 0xFFu;
        px[i] = (a << 24) | (((i * 53u) & 0xFFu) << 16) | (((i * 29u) & 0xFFu) << 8) |
                ((i * 71u) & 0xFFu);
      }
      surface->UnlockPixelBits(px);
    }
  }
  // Pixels that differ, with the first of them described in *first.
  int Mismatches(std::string* first) const {
    IBitmap* a = ours.Surface();
    IBitmap* b = ref.Surface();
    REQUIRE(a->Width() == b->Width());
    REQUIRE(a->Height() == b->Height());
    const auto* pa = static_cast<const DWORD*>(a->GetPixelBits());
    const auto* pb = static_cast<const DWORD*>(b->GetPixelBits());
    int n = 0;
    for (UINT i = 0; i < a->Width() * a->Height(); ++i) {
      if (pa[i] == pb[i]) continue;
      if (n++ == 0) {
        char text[96];
        snprintf(text, sizeof(text), "(%u, %u): 0x%08lX, reference 0x%08lX", i % a->Width(),
                 i / a->Width(), static_cast<unsigned long>(pa[i]),
                 static_cast<unsigned long>(pb[i]));
        *first = text;
      }
    }
    return n;
  }
};

struct Scenario {
  const char* name;
  std::function<void(Twin&)> change;
};

RefPtrAssign<IRegion> HoledRegion(IRenderTarget* rt) {
  IRegion* raw = nullptr;
  REQUIRE(rt->CreateRegion(&raw) == S_OK);
  RefPtrAssign<IRegion> rgn = Adopt(raw);
  const RECT all = {0, 0, kWidth, kHeight};
  const RECT hole = {6, 4, 12, 9};
  rgn->CombineRect(&all, RGN_COPY);
  rgn->CombineRect(&hole, RGN_DIFF);
  return rgn;
}

std::vector<Scenario> Scenarios() {
  static const RECT clip = {3, 2, 17, 12};
  return {
      {"no clip", [](Twin&) {}},
      {"clip rectangle",
       [](Twin& t) { t.Both([](IRenderTarget* rt) { rt->PushClipRect(&clip, RGN_AND); }); }},
      {"clip region with a hole",
       [](Twin& t) {
         t.Both([](IRenderTarget* rt) { rt->PushClipRegion(HoledRegion(rt), RGN_AND); });
       }},
      {"excluded rectangle",
       [](Twin& t) {
         static const RECT out = {8, 0, 11, 16};
         t.Both([](IRenderTarget* rt) { rt->ExcludeClipRect(&out); });
       }},
      {"intersected rectangle",
       [](Twin& t) {
         static const RECT in = {1, 1, 19, 14};
         t.Both([](IRenderTarget* rt) { rt->IntersectClipRect(&in); });
       }},
      {"viewport origin with a clip",
       [](Twin& t) {
         t.Both([](IRenderTarget* rt) { rt->SetViewportOrg(POINT{3, -2}); });
         t.Both([](IRenderTarget* rt) { rt->PushClipRect(&clip, RGN_AND); });
         t.Both([](IRenderTarget* rt) { rt->OffsetViewportOrg(-1, 1, nullptr); });
       }},
      {"world transform",
       [](Twin& t) {
         static const float scale[6] = {2.0f, 0.0f, 0.0f, 1.5f, 1.0f, -2.0f};
         t.Both([](IRenderTarget* rt) { rt->SetTransform(scale, nullptr); });
       }},
      {"clip pushed and popped",
       [](Twin& t) {
         t.Both([](IRenderTarget* rt) { rt->PushClipRect(&clip, RGN_AND); });
         t.Both([](IRenderTarget* rt) { rt->PopClip(); });
       }},
      {"clip restored to a cookie",
       [](Twin& t) {
         int cookies[2] = {0, 0};
         int* cookie = cookies;
         t.Both([&](IRenderTarget* rt) { rt->SaveClip(cookie++); });
         t.Both([](IRenderTarget* rt) { rt->PushClipRegion(HoledRegion(rt), RGN_AND); });
         t.Both([](IRenderTarget* rt) { rt->IntersectClipRect(&clip); });
         cookie = cookies;
         t.Both([&](IRenderTarget* rt) { rt->RestoreClip(*cookie++); });
       }},
      {"another bitmap selected",
       [](Twin& t) {
         for (RenderRig* rig : {&t.ours, &t.ref}) {
           RefPtrAssign<IBitmap> other = rig->MakeBitmap(kWidth - 4, kHeight + 3);
           rig->Target()->SelectObject(other, nullptr);
         }
       }},
      {"resized",
       [](Twin& t) {
         t.Both([](IRenderTarget* rt) { rt->Resize(SIZE{kWidth + 5, kHeight - 3}); });
       }},
      {"clip changed through the device context, then given back",
       [](Twin& t) {
         HDC dc = t.ours.Target()->GetDC(0);
         t.Warm();
         ::IntersectClipRect(dc, 2, 3, 15, 11);
         t.ours.Target()->ReleaseDC(dc);
         ::IntersectClipRect(t.refDc, 2, 3, 15, 11);
       }},
      {"origin and clip changed while the device context is out",
       [](Twin& t) {
         HDC dc = t.ours.Target()->GetDC(0);
         t.Warm();
         for (HDC each : {dc, t.refDc}) {
           ::ExcludeClipRect(each, 4, 4, 9, 9);
           ::SetViewportOrgEx(each, 2, 1, nullptr);
         }
       }},
  };
}

struct Operation {
  const char* name;
  // Draws with colour (or pen width) v on the render target, and the same on the reference's
  // device context.
  std::function<void(IRenderTarget*, const RECT&, COLORREF)> ours;
  std::function<void(IRenderTarget*, HDC, const RECT&, COLORREF)> ref;
};

void FillWithBrush(HDC dc, const RECT& rc, COLORREF cr) {
  HBRUSH brush = CreateSolidBrush(cr & 0x00FFFFFF);
  FillRect(dc, &rc, brush);
  DeleteObject(brush);
}

// Selects a solid brush of cr into both targets for the length of a call.
void WithBrush(IRenderTarget* rt, COLORREF cr, const std::function<void()>& draw) {
  IBrush* brush = nullptr;
  REQUIRE(rt->CreateSolidColorBrush(cr, &brush) == S_OK);
  IRenderObj* old = nullptr;
  rt->SelectObject(brush, &old);
  brush->Release();
  draw();
  rt->SelectObject(old, nullptr);
  old->Release();
}

void WithPen(IRenderTarget* rt, int width, const std::function<void()>& draw) {
  IPen* pen = nullptr;
  REQUIRE(rt->CreatePen(width > 2 ? PS_SOLID : PS_DOT, 0xFF3060C0, width, &pen) == S_OK);
  IRenderObj* old = nullptr;
  rt->SelectObject(pen, &old);
  pen->Release();
  draw();
  rt->SelectObject(old, nullptr);
  old->Release();
}

// A bitmap of the render target's factory and an equal section for the reference, with the
// same pixels.
struct SourceImage {
  RefPtrAssign<IBitmap> bitmap;
  HBITMAP section = nullptr;
  HDC dc = nullptr;
  HGDIOBJ old = nullptr;

  SourceImage(IRenderTarget* rt, int width, int height, const std::vector<DWORD>& px) {
    IBitmap* raw = nullptr;
    rt->GetCurrentObject(OT_PEN)->GetRenderFactory()->CreateBitmap(&raw);
    bitmap = Adopt(raw);
    REQUIRE(bitmap->Init(width, height, px.data()) == S_OK);
    DWORD* bits = nullptr;
    section = NewSection(width, height, &bits);
    memcpy(bits, px.data(), px.size() * sizeof(DWORD));
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, section);
  }
  ~SourceImage() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(section);
  }
  SourceImage(const SourceImage&) = delete;
  SourceImage& operator=(const SourceImage&) = delete;
};

// The pixels of a bitmap kind made from cr: one premultiplied colour everywhere (clear, half,
// opaque), or opaque pixels that all differ.
std::vector<DWORD> Pixels(int width, int height, COLORREF cr, bool uniform) {
  const DWORD a = cr >> 24;
  const DWORD premultiplied = a << 24 | (GetRValue(cr) * a / 255) << 16 |
                              (GetGValue(cr) * a / 255) << 8 | (GetBValue(cr) * a / 255);
  std::vector<DWORD> px(static_cast<size_t>(width) * height, premultiplied);
  if (!uniform) {
    for (size_t i = 0; i < px.size(); ++i) px[i] = 0xFF000000u | ((cr + i * 0x1F3D5Bu) & 0xFFFFFFu);
  }
  return px;
}

enum class Fit { kOneToOne, kStretch, kTile, kNinePatch };

// The platform's blend as the render target's drawing is defined: 1:1 from the corner, the
// whole source stretched, tiles clipped to the destination; a nine-patch of margins 2 by its
// nine parts, corners 1:1.
void ReferenceBlend(HDC dc, HDC src, const RECT& d, const RECT& s, Fit fit) {
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, 0xFF, AC_SRC_ALPHA};
  const int sw = s.right - s.left;
  const int sh = s.bottom - s.top;
  switch (fit) {
    case Fit::kOneToOne: {
      const int w = std::min<int>(d.right - d.left, sw);
      const int h = std::min<int>(d.bottom - d.top, sh);
      AlphaBlend(dc, d.left, d.top, w, h, src, s.left, s.top, w, h, bf);
      break;
    }
    case Fit::kStretch:
      AlphaBlend(dc, d.left, d.top, d.right - d.left, d.bottom - d.top, src, s.left, s.top, sw,
                 sh, bf);
      break;
    case Fit::kTile: {
      const int saved = SaveDC(dc);
      IntersectClipRect(dc, d.left, d.top, d.right, d.bottom);
      for (LONG y = d.top; y < d.bottom; y += sh) {
        for (LONG x = d.left; x < d.right; x += sw) {
          AlphaBlend(dc, x, y, sw, sh, src, s.left, s.top, sw, sh, bf);
        }
      }
      RestoreDC(dc, saved);
      break;
    }
    case Fit::kNinePatch: {
      const LONG x[4] = {d.left, d.left + 2, d.right - 2, d.right};
      const LONG y[4] = {d.top, d.top + 2, d.bottom - 2, d.bottom};
      const LONG u[4] = {s.left, s.left + 2, s.right - 2, s.right};
      const LONG v[4] = {s.top, s.top + 2, s.bottom - 2, s.bottom};
      for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
          const RECT part = {x[i], y[j], x[i + 1], y[j + 1]};
          const RECT from = {u[i], v[j], u[i + 1], v[j + 1]};
          ReferenceBlend(dc, src, part, from, i != 1 && j != 1 ? Fit::kOneToOne : Fit::kStretch);
        }
      }
      break;
    }
  }
}

// A bitmap of width x height (uniform or not) drawn with a fit into rc.
Operation BitmapOperation(const char* name, int width, int height, bool uniform, Fit fit) {
  const RECT source = {0, 0, width, height};
  return {name,
          [=](IRenderTarget* rt, const RECT& rc, COLORREF cr) {
            SourceImage image(rt, width, height, Pixels(width, height, cr, uniform));
            const UINT mode = fit == Fit::kOneToOne ? EM_NULL
                              : fit == Fit::kTile   ? EM_TILE
                                                    : EM_STRETCH;
            if (fit == Fit::kNinePatch) {
              const RECT margins = {2, 2, 2, 2};
              rt->DrawBitmap9Patch(&rc, image.bitmap, &source, &margins, mode, 0xFF);
            } else {
              rt->DrawBitmapEx(&rc, image.bitmap, &source, mode, 0xFF);
            }
          },
          [=](IRenderTarget* rt, HDC dc, const RECT& rc, COLORREF cr) {
            SourceImage image(rt, width, height, Pixels(width, height, cr, uniform));
            ReferenceBlend(dc, image.dc, rc, source, fit);
          }};
}

std::vector<Operation> Operations() {
  return {
      BitmapOperation("one colour, 1:1", 6, 5, true, Fit::kOneToOne),
      BitmapOperation("one colour, stretched", 3, 2, true, Fit::kStretch),
      BitmapOperation("one colour, tiled", 3, 4, true, Fit::kTile),
      BitmapOperation("one colour, nine-patch", 6, 6, true, Fit::kNinePatch),
      BitmapOperation("opaque, 1:1", 7, 9, false, Fit::kOneToOne),
      BitmapOperation("opaque, stretched up", 3, 4, false, Fit::kStretch),
      BitmapOperation("opaque, stretched down", 23, 37, false, Fit::kStretch),
      BitmapOperation("opaque, stretched across", 5, 41, false, Fit::kStretch),
      BitmapOperation("opaque, tiled", 3, 5, false, Fit::kTile),
      BitmapOperation("opaque, nine-patch", 7, 6, false, Fit::kNinePatch),
      {"FillSolidRect",
       [](IRenderTarget* rt, const RECT& rc, COLORREF cr) { rt->FillSolidRect(&rc, cr); },
       [](IRenderTarget*, HDC dc, const RECT& rc, COLORREF cr) {
         FreshLayer layer(dc, rc, static_cast<BYTE>(cr >> 24), false);
         if (layer.dc() != nullptr) FillWithBrush(layer.dc(), rc, cr);
       }},
      {"FillRectangle, solid brush",
       [](IRenderTarget* rt, const RECT& rc, COLORREF cr) {
         WithBrush(rt, cr, [&] { rt->FillRectangle(&rc); });
       },
       [](IRenderTarget* rt, HDC dc, const RECT& rc, COLORREF cr) {
         WithBrush(rt, cr, [&] {
           FreshLayer layer(dc, rc, static_cast<BYTE>(cr >> 24), false);
           if (layer.dc() == nullptr) return;
           HGDIOBJ old = SelectObject(layer.dc(), GetStockObject(NULL_PEN));
           Rectangle(layer.dc(), rc.left, rc.top, rc.right + 1, rc.bottom + 1);
           SelectObject(layer.dc(), old);
         });
       }},
      {"ClearRect", [](IRenderTarget* rt, const RECT& rc, COLORREF cr) { rt->ClearRect(&rc, cr); },
       [](IRenderTarget*, HDC dc, const RECT& rc, COLORREF cr) {
         const RECT v = Visible(dc, rc);
         const int w = v.right - v.left;
         const int h = v.bottom - v.top;
         if (w <= 0 || h <= 0) return;
         DWORD* bits = nullptr;
         HBITMAP bmp = NewSection(w, h, &bits);
         const DWORD pixel = (cr & 0xFF000000u) | ((cr & 0xFFu) << 16) | (cr & 0xFF00u) |
                             ((cr >> 16) & 0xFFu);
         for (int i = 0; i < w * h; ++i) bits[i] = pixel;
         HDC src = CreateCompatibleDC(dc);
         HGDIOBJ old = SelectObject(src, bmp);
         BitBlt(dc, v.left, v.top, w, h, src, 0, 0, SRCCOPY);
         SelectObject(src, old);
         DeleteDC(src);
         DeleteObject(bmp);
       }},
      {"FillSolidEllipse",
       [](IRenderTarget* rt, const RECT& rc, COLORREF cr) { rt->FillSolidEllipse(&rc, cr); },
       [](IRenderTarget*, HDC dc, const RECT& rc, COLORREF cr) {
         FreshLayer layer(dc, rc, static_cast<BYTE>(cr >> 24), false);
         if (layer.dc() == nullptr) return;
         HBRUSH brush = CreateSolidBrush(cr & 0x00FFFFFF);
         HGDIOBJ oldBrush = SelectObject(layer.dc(), brush);
         HGDIOBJ oldPen = SelectObject(layer.dc(), GetStockObject(NULL_PEN));
         Ellipse(layer.dc(), rc.left, rc.top, rc.right, rc.bottom);
         SelectObject(layer.dc(), oldPen);
         SelectObject(layer.dc(), oldBrush);
         DeleteObject(brush);
       }},
      {"FillRectangle, bitmap brush",
       [](IRenderTarget* rt, const RECT& rc, COLORREF) {
         // Stripes of opaque red and transparent: the pattern starts at the layer's corner.
         IBitmap* raw = nullptr;
         rt->GetCurrentObject(OT_PEN)->GetRenderFactory()->CreateBitmap(&raw);
         RefPtrAssign<IBitmap> bmp = Adopt(raw);
         const DWORD px[8] = {0xFFFF0000, 0, 0xFFFF0000, 0xFF00FF00, 0, 0xFFFF0000, 0, 0};
         bmp->Init(4, 2, px);
         IBrush* brush = nullptr;
         REQUIRE(rt->CreateBitmapBrush(bmp, &brush) == S_OK);
         IRenderObj* old = nullptr;
         rt->SelectObject(brush, &old);
         brush->Release();
         rt->FillRectangle(&rc);
         rt->SelectObject(old, nullptr);
         old->Release();
       },
       [](IRenderTarget* rt, HDC dc, const RECT& rc, COLORREF) {
         DWORD* bits = nullptr;
         HBITMAP bmp = NewSection(4, 2, &bits);
         const DWORD px[8] = {0xFFFF0000, 0, 0xFFFF0000, 0xFF00FF00, 0, 0xFFFF0000, 0, 0};
         memcpy(bits, px, sizeof(px));
         HBRUSH brush = CreatePatternBrush(bmp);
         HGDIOBJ oldBrush = SelectObject(dc, brush);
         {
           FreshLayer layer(dc, rc, 0xFF, false);
           if (layer.dc() != nullptr) {
             HGDIOBJ oldPen = SelectObject(layer.dc(), GetStockObject(NULL_PEN));
             Rectangle(layer.dc(), rc.left, rc.top, rc.right + 1, rc.bottom + 1);
             SelectObject(layer.dc(), oldPen);
           }
         }
         SelectObject(dc, oldBrush);
         DeleteObject(brush);
         DeleteObject(bmp);
         (void)rt;
       }},
      {"DrawText",
       [](IRenderTarget* rt, const RECT& rc, COLORREF cr) {
         rt->SetTextColor(cr);
         RECT r = rc;
         rt->DrawText(L"Wg8", 3, &r, DT_SINGLELINE);
       },
       [](IRenderTarget* rt, HDC dc, const RECT& rc, COLORREF cr) {
         rt->SetTextColor(cr);
         FreshLayer layer(dc, rc, static_cast<BYTE>(cr >> 24), true);
         RECT r = rc;
         if (layer.dc() != nullptr) DrawTextW(layer.dc(), L"Wg8", 3, &r, DT_SINGLELINE);
       }},
      {"DrawRectangle",
       [](IRenderTarget* rt, const RECT& rc, COLORREF cr) {
         WithPen(rt, static_cast<int>(cr >> 24) / 40, [&] { rt->DrawRectangle(&rc); });
       },
       [](IRenderTarget* rt, HDC dc, const RECT& rc, COLORREF cr) {
         const int width = static_cast<int>(cr >> 24) / 40;
         WithPen(rt, width, [&] {
           RECT r = rc;
           if (width <= 1) {
             r.right -= 1;
             r.bottom -= 1;
           } else {
             InflateRect(&r, -(width / 2), -(width / 2));
           }
           AlphaChannelBackup backup{};
           BackupAlphaChannel(dc, &rc, &backup);
           HGDIOBJ old = SelectObject(dc, GetStockObject(NULL_BRUSH));
           Rectangle(dc, r.left, r.top, r.right, r.bottom);
           SelectObject(dc, old);
           GdiFlush();
           RestoreAlphaChannel(&backup);
         });
       }},
  };
}

}  // namespace

TEST_CASE("fills, layers and outlines match the from-scratch reference pixel for pixel") {
  // Colours at alpha 0, half and full; an outline takes its pen width from the alpha (0, 3, 6).
  const COLORREF colours[] = {0x004080C0, 0x80C04010, 0xFF2090E0, 0xF0F0F0F0};
  // One rectangle reaching past the surface, one inside it, one around the clip's hole.
  const RECT rects[] = {{-3, 1, 14, 30}, {4, 3, 18, 13}, {5, 3, 13, 10}};
  for (const Scenario& scenario : Scenarios()) {
    CAPTURE(scenario.name);
    Twin t;
    // What the target reads of its device context is read before the change.
    t.Warm();
    scenario.change(t);
    for (const Operation& op : Operations()) {
      CAPTURE(op.name);
      for (const RECT& rc : rects) {
        for (COLORREF cr : colours) {
          for (bool opaque : {false, true}) {
            CAPTURE(cr);
            CAPTURE(rc.left);
            CAPTURE(opaque);
            t.Background(opaque);
            op.ours(t.ours.Target(), rc, cr);
            op.ref(t.ref.Target(), t.refDc, rc, cr);
            std::string first;
            CHECK_MESSAGE(t.Mismatches(&first) == 0, first);
          }
        }
      }
    }
  }
}

TEST_CASE("the fast fills keep to their clip and draw what a layer shows") {
  RenderRig t(12, 10);
  IRenderTarget* rt = t.Target();
  const RECT all = {0, 0, 12, 10};
  rt->ClearRect(&all, 0x40102030);
  const DWORD back = 0x40302010u;
  const DWORD red = 0xFFFF0000u;

  SUBCASE("opaque: the colour replaces every pixel inside the clip, alpha 0 changes nothing") {
    const RECT clip = {2, 2, 8, 6};
    rt->PushClipRect(&clip, RGN_AND);
    rt->FillSolidRect(&all, 0xFF0000FF);
    rt->FillSolidRect(&all, 0x00FF00FF);
    rt->PopClip();
    CHECK(t.CountEqual(clip, red) == 24);
    CHECK(t.CountPixels([](DWORD p) { return p == 0x40302010u; }) == 120 - 24);
  }
  SUBCASE("a region with a hole keeps the hole") {
    IRegion* raw = nullptr;
    REQUIRE(rt->CreateRegion(&raw) == S_OK);
    RefPtrAssign<IRegion> rgn = Adopt(raw);
    const RECT hole = {4, 3, 7, 6};
    rgn->CombineRect(&all, RGN_COPY);
    rgn->CombineRect(&hole, RGN_DIFF);
    rt->PushClipRegion(rgn, RGN_AND);
    rt->FillSolidRect(&all, 0xFF0000FF);
    rt->PopClip();
    CHECK(t.CountEqual(hole, back) == 9);
    CHECK(t.CountPixels([](DWORD p) { return p == 0xFFFF0000u; }) == 120 - 9);
  }
  SUBCASE("half alpha blends the colour over what was there") {
    const RECT rc = {0, 0, 4, 4};
    rt->FillSolidRect(&rc, 0x800000FF);
    const DWORD p = t.Pixel(1, 1);
    // Red at half strength over 0x40 alpha: alpha 0x80 + 0x40 * 0x7F / 0xFF, about 0xA0.
    CHECK((p >> 24) >= 0x9F);
    CHECK((p >> 24) <= 0xA1);
    CHECK(((p >> 16) & 0xFF) >= 0x8F);
    CHECK(t.Pixel(4, 4) == back);
  }
  SUBCASE("a scaling transform scales the fill, as the layer's blend does") {
    const float twice[6] = {2.0f, 0.0f, 0.0f, 2.0f, 0.0f, 0.0f};
    REQUIRE(rt->SetTransform(twice, nullptr) == S_OK);
    const RECT rc = {1, 1, 3, 3};
    rt->FillSolidRect(&rc, 0xFF0000FF);
    const RECT device = {2, 2, 6, 6};
    CHECK(t.CountEqual(device, red) == 16);
    CHECK(t.CountPixels([](DWORD p) { return p == 0xFFFF0000u; }) == 16);
  }
  SUBCASE("the viewport origin moves the fill") {
    rt->SetViewportOrg(POINT{3, 2});
    const RECT rc = {0, 0, 2, 2};
    rt->FillSolidRect(&rc, 0xFF0000FF);
    CHECK(t.Pixel(0, 0) == red);  // logical (0, 0) is the surface's (3, 2)
    rt->SetViewportOrg(POINT{0, 0});
    CHECK(t.Pixel(3, 2) == red);
    CHECK(t.Pixel(2, 2) == back);
  }
}

TEST_CASE("a sampler of fills under clips and origins, written for review") {
  RenderRig t(120, 60);
  IRenderTarget* rt = t.Target();
  const RECT all = {0, 0, 120, 60};
  rt->ClearRect(&all, 0x80FFFFFF);  // translucent white: the checkerboard shows through
  IRegion* raw = nullptr;
  REQUIRE(rt->CreateRegion(&raw) == S_OK);
  RefPtrAssign<IRegion> rgn = Adopt(raw);
  const RECT frame = {4, 4, 56, 56};
  const RECT hole = {14, 14, 46, 46};
  rgn->CombineRect(&frame, RGN_COPY);
  rgn->CombineEllipse(&hole, RGN_DIFF);
  rt->PushClipRegion(rgn, RGN_AND);
  rt->FillSolidRect(&all, 0xFF2060C0);  // an orange frame around a round hole
  rt->PopClip();
  rt->SetViewportOrg(POINT{60, 0});
  const RECT left = {4, 4, 40, 40};
  const RECT right = {20, 20, 56, 56};
  rt->FillSolidRect(&left, 0xFFC08020);
  rt->FillSolidRect(&right, 0x8020C020);  // half green over blue and the background
  IPen* pen = nullptr;
  REQUIRE(rt->CreatePen(PS_SOLID, 0xFF000000, 2, &pen) == S_OK);
  rt->SelectObject(pen, nullptr);
  pen->Release();
  rt->DrawRectangle(&right);
  rt->SetTextColor(0xFF000000);
  rt->TextOut(8, 8, L"Aa", -1);
  rt->SetViewportOrg(POINT{0, 0});
  CHECK(t.Pixel(8, 8) == 0xFFC06020u);     // the frame
  CHECK(t.Pixel(30, 30) == 0x80FFFFFFu);   // the hole keeps the cleared colour
  CHECK(t.SavePng(L"render_fastpaths", 3));
}
