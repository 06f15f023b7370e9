// The caret: inverted pixels, restored by drawing twice, clipped to its element and ancestors.
#include <doctest/doctest.h>
#include <windows.h>

#include <vector>

#include "HostRig.h"
#include "core/SCaret.h"

using namespace SWUI;

namespace {

const int kW = 40;
const int kH = 30;

// A target filled with a pattern that differs from pixel to pixel.
SAutoRefPtr<IRenderTarget> PatternTarget(IRenderFactory* factory) {
  IRenderTarget* rt = nullptr;
  REQUIRE(factory->CreateRenderTarget(&rt, kW, kH));
  REQUIRE(rt != nullptr);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      rt->SetPixel(x, y, 0xFF000000u | static_cast<COLORREF>(x * 6) << 16 |
                             static_cast<COLORREF>(y * 8) << 8 | static_cast<COLORREF>(x ^ y));
    }
  }
  SAutoRefPtr<IRenderTarget> held;
  held.Attach(rt);
  return held;
}

std::vector<COLORREF> Pixels(IRenderTarget* rt) {
  std::vector<COLORREF> px;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) px.push_back(rt->GetPixel(x, y));
  }
  return px;
}

}  // namespace

TEST_CASE("the caret inverts exactly its clipped rectangle, and drawing it twice restores it") {
  HostRig rig;
  struct Case {
    const char* what;
    RECT parent;
    RECT owner;
    POINT frameOffset;
    POINT at;
    RECT drawn;
  };
  const Case cases[] = {
      {"inside", {0, 0, 40, 30}, {5, 5, 35, 25}, {0, 0}, {10, 10}, {10, 10, 14, 20}},
      {"half outside the element", {0, 0, 40, 30}, {5, 5, 20, 30}, {0, 0}, {18, 3}, {18, 5, 20, 13}},
      {"cut by an ancestor", {0, 0, 15, 30}, {5, 5, 35, 25}, {0, 0}, {13, 15}, {13, 15, 15, 25}},
      {"the container moves the clip", {0, 0, 20, 20}, {0, 0, 20, 20}, {10, 5}, {28, 20},
       {28, 20, 30, 25}},
      {"wholly outside", {0, 0, 40, 30}, {5, 5, 20, 20}, {0, 0}, {25, 5}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    FakeElement root(RECT{0, 0, kW, kH});
    FakeElement parent(c.parent, &root);
    FakeElement owner(c.owner, &parent);
    owner.SetHost(nullptr, c.frameOffset);
    SAutoRefPtr<SCaret> caret;
    caret.Attach(new SCaret(owner.Handle(), nullptr, 4, 10));
    SAutoRefPtr<IRenderTarget> rt = PatternTarget(rig.render);
    const std::vector<COLORREF> before = Pixels(rt);

    const RECT drawn = caret->Draw(rt, c.at.x, c.at.y);
    CHECK(EqualRect(&drawn, &c.drawn));
    const std::vector<COLORREF> after = Pixels(rt);
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const size_t i = static_cast<size_t>(y * kW + x);
        const POINT pt = {x, y};
        if (PtInRect(&c.drawn, pt)) {
          // Colour inverted, alpha kept.
          CHECK(after[i] == (before[i] ^ 0x00FFFFFFu));
        } else {
          CHECK(after[i] == before[i]);
        }
      }
    }
    caret->Draw(rt, c.at.x, c.at.y);
    CHECK(Pixels(rt) == before);
  }
}

TEST_CASE("a caret whose element is gone draws nothing") {
  HostRig rig;
  SAutoRefPtr<SCaret> caret;
  {
    FakeElement owner(RECT{0, 0, kW, kH});
    caret.Attach(new SCaret(owner.Handle(), nullptr, 2, 2));
  }
  SAutoRefPtr<IRenderTarget> rt = PatternTarget(rig.render);
  const std::vector<COLORREF> before = Pixels(rt);
  const RECT drawn = caret->Draw(rt, 1, 1);
  CHECK(IsRectEmpty(&drawn));
  CHECK(Pixels(rt) == before);
}

TEST_CASE("a caret image is the given bitmap stretched over it") {
  HostRig rig;
  FakeElement owner(RECT{0, 0, kW, kH});
  // A 1x1 red bitmap stretched over a 3x5 caret; the caret still only inverts, so the image
  // only matters for its size.
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 1, 1);
  ReleaseDC(nullptr, screen);
  REQUIRE(bmp != nullptr);
  SAutoRefPtr<SCaret> caret;
  caret.Attach(new SCaret(owner.Handle(), bmp, 3, 5));
  CHECK(caret->GetSize().cx == 3);
  CHECK(caret->GetSize().cy == 5);
  SAutoRefPtr<IRenderTarget> rt = PatternTarget(rig.render);
  const RECT drawn = caret->Draw(rt, 2, 2);
  const RECT expected = {2, 2, 5, 7};
  CHECK(EqualRect(&drawn, &expected));
  DeleteObject(bmp);
}
