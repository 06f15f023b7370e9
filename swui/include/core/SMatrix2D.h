// A 2D affine transform of six floats in the order of the platform's XFORM (m11, m12, m21,
// m22, dx, dy), as the render target's SetTransform takes them: a point (x, y) maps to
// (x m11 + y m21 + dx, x m12 + y m22 + dy). Translate, Scale, Shear and Rotate apply the new
// operation to points before the existing transform, so identity, translate to a centre,
// rotate, translate back rotates about that centre.
#pragma once

namespace SWUI {

class SMatrix2D {
 public:
  // Identity.
  SMatrix2D();
  SMatrix2D(float m11, float m12, float m21, float m22, float dx, float dy);
  void Set(float m11, float m12, float m21, float m22, float dx, float dy);

  SMatrix2D& Translate(float x, float y);
  SMatrix2D& Scale(float sx, float sy);
  SMatrix2D& Shear(float sh, float sv);
  // Degrees; 90, 180, 270, -90 and -270 are exact, other angles go through radians.
  SMatrix2D& Rotate(float degrees);
  // This followed by other.
  SMatrix2D& Multiply(const SMatrix2D& other);
  // first followed by second, into result (which may be either of them).
  static void Multiply(const SMatrix2D& first, const SMatrix2D& second, SMatrix2D* result);

  float Determinant() const;
  // The inverse into result; a determinant of exactly 0 gives the identity and *ok false.
  void Invert(SMatrix2D* result, bool* ok = nullptr) const;
  // Every element within 1e-12 of the identity's.
  bool IsIdentity() const;
  // All six elements within 1e-12 of each other.
  bool operator==(const SMatrix2D& other) const;
  bool operator!=(const SMatrix2D& other) const { return !(*this == other); }

  // The six values in XFORM order.
  const float* Data() const { return m_; }
  float M11() const { return m_[0]; }
  float M12() const { return m_[1]; }
  float M21() const { return m_[2]; }
  float M22() const { return m_[3]; }
  float Dx() const { return m_[4]; }
  float Dy() const { return m_[5]; }

 private:
  float m_[6];
};

}  // namespace SWUI
