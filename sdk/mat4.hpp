#pragma once
// sxsdk::mat4: the host's 4x4 float matrix. Stored row after row; points are row vectors
// multiplied on the left (p' = p * M), so rows 0-2 are the images of the x, y and z axes, row 3
// is the translation (host units: millimetres) and A * B applies A first, then B.

#include "sx/core/vectors.hpp"

#include <ostream>

namespace sxsdk {

struct mat4 {
  /// m[row][column].
  float m[4][4];

  /// The identity (not zero: a forgotten initialisation then leaves points where they are).
  constexpr mat4() : mat4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1) {}
  /// Sixteen elements, row after row.
  constexpr mat4(float m00, float m01, float m02, float m03, float m10, float m11, float m12, float m13, float m20,
                 float m21, float m22, float m23, float m30, float m31, float m32, float m33)
      : m{{m00, m01, m02, m03}, {m10, m11, m12, m13}, {m20, m21, m22, m23}, {m30, m31, m32, m33}} {}

  static const mat4 identity;
  /// Every element 0.
  static mat4 zero();

  float* operator[](int row) { return m[row]; }
  const float* operator[](int row) const { return m[row]; }

  /// Ordinary matrix product; with row vectors p * (A * B) == (p * A) * B.
  mat4 operator*(const mat4& b) const;
  mat4& operator*=(const mat4& b);

  /// Inverse by cofactors of the full 4x4, with element [3][3] of the result set to 1 (the
  /// host's convention). A matrix whose determinant is exactly zero comes back unchanged;
  /// use try_inv to learn whether that happened.
  mat4 inv() const;
  /// As inv, but reports a singular matrix: false and `result` left untouched.
  bool try_inv(mat4& result) const;
  /// Determinant of the full 4x4.
  double determinant() const;
  mat4 transpose() const;

  /// Translation by (x, y, z): identity with row 3 = (x, y, z, 1).
  static mat4 translate(float x, float y, float z);
  static mat4 translate(const sx::vec<float, 3>& t);
  /// Scale along the axes: diagonal (x, y, z, 1).
  static mat4 scale(float x, float y, float z);
  static mat4 scale(const sx::vec<float, 3>& s);
  /// Right-handed rotation by `radians` about X: a point on +Y turns toward +Z
  /// (row 1 = (0, cos, sin)). unmatrix reads the angle back as rx.
  static mat4 rotate_x(float radians);
  /// About Y: a point on +Z turns toward +X (row 0 = (cos, 0, -sin)).
  static mat4 rotate_y(float radians);
  /// About Z: a point on +X turns toward +Y (row 0 = (cos, sin, 0)).
  static mat4 rotate_z(float radians);

  /// Decomposition without perspective into scale, shear (xy, xz, yz), rotation angles
  /// (rx, ry, rz in radians; the matrix equals S * H * rotate_x(rx) * rotate_y(ry) *
  /// rotate_z(rz) * T) and translation. The matrix is first divided by element [3][3]. A
  /// negative determinant shows as negated scales. Near ry = +-90 degrees
  /// (|cos ry| <= 0.0002) rz is 0 and rx carries the whole turn about the remaining axis.
  /// A collapsed axis gives scale 0 and zero shears against it. Returns false, with scale
  /// (1, 1, 1) and everything else 0, when element [3][3] is 0 or an element is not finite.
  bool unmatrix(sx::vec<float, 3>& scale, sx::vec<float, 3>& shear, sx::vec<float, 3>& rotation,
                sx::vec<float, 3>& translation) const;

  /// Exact element-wise comparison.
  bool operator==(const mat4& b) const;
  bool operator!=(const mat4& b) const;
};

/// A point times M: x' = x*M[0][0] + y*M[1][0] + z*M[2][0] + M[3][0], likewise y' and z' with
/// columns 1 and 2; when M[3][3] is not exactly 1 the three results are each divided by M[3][3]
/// (the element, not the computed w). An element [3][3] of 0 skips that division rather than
/// making infinities.
sx::vec<float, 3> operator*(const sx::vec<float, 3>& p, const mat4& M);
/// A full row vector times M (no division).
sx::vec<float, 4> operator*(const sx::vec<float, 4>& p, const mat4& M);
/// A direction times the upper-left 3x3 of M: no translation, no division.
sx::vec<float, 3> transform_vector(const sx::vec<float, 3>& v, const mat4& M);

std::ostream& operator<<(std::ostream& out, const mat4& M);

}  // namespace sxsdk
