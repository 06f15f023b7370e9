#include "core/SMatrix2D.h"

#include <cmath>

namespace SWUI {

namespace {

constexpr double kTolerance = 1e-12;
constexpr float kRadiansPerDegree = 0.0174532924f;

bool Near(float a, float b) { return std::fabs(static_cast<double>(a) - b) <= kTolerance; }

}  // namespace

SMatrix2D::SMatrix2D() : m_{1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f} {}

SMatrix2D::SMatrix2D(float m11, float m12, float m21, float m22, float dx, float dy)
    : m_{m11, m12, m21, m22, dx, dy} {}

void SMatrix2D::Set(float m11, float m12, float m21, float m22, float dx, float dy) {
  m_[0] = m11;
  m_[1] = m12;
  m_[2] = m21;
  m_[3] = m22;
  m_[4] = dx;
  m_[5] = dy;
}

SMatrix2D& SMatrix2D::Translate(float x, float y) {
  m_[4] += m_[0] * x + m_[2] * y;
  m_[5] += m_[1] * x + m_[3] * y;
  return *this;
}

SMatrix2D& SMatrix2D::Scale(float sx, float sy) {
  m_[0] *= sx;
  m_[1] *= sx;
  m_[2] *= sy;
  m_[3] *= sy;
  return *this;
}

SMatrix2D& SMatrix2D::Shear(float sh, float sv) {
  const float m11 = m_[0], m12 = m_[1], m21 = m_[2], m22 = m_[3];
  m_[0] = m11 + sv * m21;
  m_[1] = m12 + sv * m22;
  m_[2] = m21 + sh * m11;
  m_[3] = m22 + sh * m12;
  return *this;
}

SMatrix2D& SMatrix2D::Rotate(float degrees) {
  float s;
  float c;
  if (degrees == 90.0f || degrees == -270.0f) {
    s = 1.0f;
    c = 0.0f;
  } else if (degrees == 270.0f || degrees == -90.0f) {
    s = -1.0f;
    c = 0.0f;
  } else if (degrees == 180.0f) {
    s = 0.0f;
    c = -1.0f;
  } else {
    const float radians = degrees * kRadiansPerDegree;
    s = std::sin(radians);
    c = std::cos(radians);
  }
  const float m11 = m_[0], m12 = m_[1], m21 = m_[2], m22 = m_[3];
  m_[0] = m11 * c + m21 * s;
  m_[1] = m12 * c + m22 * s;
  m_[2] = m21 * c - m11 * s;
  m_[3] = m22 * c - m12 * s;
  return *this;
}

SMatrix2D& SMatrix2D::Multiply(const SMatrix2D& other) {
  Multiply(*this, other, this);
  return *this;
}

void SMatrix2D::Multiply(const SMatrix2D& first, const SMatrix2D& second, SMatrix2D* result) {
  const float* a = first.m_;
  const float* o = second.m_;
  result->Set(a[0] * o[0] + a[1] * o[2], a[0] * o[1] + a[1] * o[3],
              a[2] * o[0] + a[3] * o[2], a[2] * o[1] + a[3] * o[3],
              a[4] * o[0] + a[5] * o[2] + o[4], a[4] * o[1] + a[5] * o[3] + o[5]);
}

float SMatrix2D::Determinant() const { return m_[0] * m_[3] - m_[2] * m_[1]; }

void SMatrix2D::Invert(SMatrix2D* result, bool* ok) const {
  const float det = Determinant();
  if (det == 0.0f) {
    *result = SMatrix2D();
    if (ok != nullptr) *ok = false;
    return;
  }
  const float i = 1.0f / det;
  const float m11 = m_[0], m12 = m_[1], m21 = m_[2], m22 = m_[3], dx = m_[4], dy = m_[5];
  result->Set(m22 * i, -m12 * i, -m21 * i, m11 * i, (dy * m21 - dx * m22) * i,
              (dx * m12 - m11 * dy) * i);
  if (ok != nullptr) *ok = true;
}

bool SMatrix2D::IsIdentity() const { return *this == SMatrix2D(); }

bool SMatrix2D::operator==(const SMatrix2D& other) const {
  for (int i = 0; i < 6; ++i) {
    if (!Near(m_[i], other.m_[i])) return false;
  }
  return true;
}

}  // namespace SWUI
