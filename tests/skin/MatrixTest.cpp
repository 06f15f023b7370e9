// The 2D transform: pre-applied operations, exact quarter turns, products and inverses.
#include <doctest/doctest.h>

#include "core/SMatrix2D.h"

using namespace SWUI;

namespace {

void Map(const SMatrix2D& m, float x, float y, float* ox, float* oy) {
  *ox = x * m.M11() + y * m.M21() + m.Dx();
  *oy = x * m.M12() + y * m.M22() + m.Dy();
}

}  // namespace

TEST_CASE("quarter turns are exact") {
  struct Case {
    float degrees, m11, m12, m21, m22;
  };
  const Case cases[] = {
      {90.0f, 0, 1, -1, 0}, {-270.0f, 0, 1, -1, 0}, {270.0f, 0, -1, 1, 0},
      {-90.0f, 0, -1, 1, 0}, {180.0f, -1, 0, 0, -1},
  };
  for (const Case& c : cases) {
    CAPTURE(c.degrees);
    SMatrix2D m;
    m.Rotate(c.degrees);
    CHECK(m == SMatrix2D(c.m11, c.m12, c.m21, c.m22, 0, 0));
  }
  SMatrix2D m;
  m.Rotate(45.0f);
  CHECK(m.M11() == doctest::Approx(0.70710678));
  CHECK(m.M12() == doctest::Approx(0.70710678));
  CHECK_FALSE(m.IsIdentity());
}

TEST_CASE("translate, rotate and translate back turns about the centre") {
  SMatrix2D m;
  m.Translate(50, 30).Rotate(37.0f).Translate(-50, -30);
  float x, y;
  Map(m, 50, 30, &x, &y);
  CHECK(x == doctest::Approx(50.0f));
  CHECK(y == doctest::Approx(30.0f));
  SMatrix2D quarter;
  quarter.Translate(10, 10).Rotate(90).Translate(-10, -10);
  Map(quarter, 20, 10, &x, &y);  // 10 to the right of the centre goes 10 down
  CHECK(x == doctest::Approx(10.0f));
  CHECK(y == doctest::Approx(20.0f));
}

TEST_CASE("scale, shear, products, determinants and inverses") {
  SMatrix2D m(2, 0, 0, 3, 0, 0);
  m.Shear(0.5f, 0.0f);
  CHECK(m == SMatrix2D(2, 0, 1, 3, 0, 0));
  m.Scale(2, 1);
  CHECK(m == SMatrix2D(4, 0, 1, 3, 0, 0));
  CHECK(m.Determinant() == doctest::Approx(12.0f));

  const SMatrix2D a(1, 2, 3, 4, 5, 6);
  const SMatrix2D b(0, 1, 1, 0, 7, 8);
  SMatrix2D ab;
  SMatrix2D::Multiply(a, b, &ab);
  CHECK(ab == SMatrix2D(2, 1, 4, 3, 13, 13));
  SMatrix2D c = a;
  c.Multiply(b);
  CHECK(c == ab);

  SMatrix2D inv;
  bool ok = false;
  a.Invert(&inv, &ok);
  CHECK(ok);
  SMatrix2D product;
  SMatrix2D::Multiply(a, inv, &product);
  CHECK(product.M11() == doctest::Approx(1.0f));
  CHECK(product.M12() == doctest::Approx(0.0f));
  CHECK(product.Dx() == doctest::Approx(0.0f));
  CHECK(product.Dy() == doctest::Approx(0.0f));

  SMatrix2D singular(0, 0, 0, 0, 3, 4);
  singular.Invert(&inv, &ok);
  CHECK_FALSE(ok);
  CHECK(inv.IsIdentity());
  SMatrix2D(1, 2, 2, 4, 0, 0).Invert(&inv);  // the flag is optional
  CHECK(inv.IsIdentity());
}
