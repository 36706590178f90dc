#pragma once
// sxsdk::quaternion_class: the host's rotation quaternion, stored w, x, y, z (four floats).
//
// Convention: get_matrix()[i][j] is element (i, j) of the usual column-vector rotation matrix
// R(q). Since host matrices take row vectors, a point p becomes p * R(q): the host turns points
// by the inverse of the textbook rotation of q. So (cos(a/2), -sin(a/2), 0, 0) is
// mat4::rotate_x(a), and get_matrix(q1 * q2) == get_matrix(q1) * get_matrix(q2): in a product
// the left factor is applied to points first, as with host matrices.

#include "sdk/mat4.hpp"

#include <ostream>

namespace sxsdk {

struct quaternion_class {
  float w, x, y, z;

  /// The identity rotation (1, 0, 0, 0).
  constexpr quaternion_class() : w(1), x(0), y(0), z(0) {}
  constexpr quaternion_class(float w_, float x_, float y_, float z_) : w(w_), x(x_), y(y_), z(z_) {}
  /// The rotation whose get_matrix() is the upper-left 3x3 of `rotation` (rows are divided by
  /// their lengths first, so a uniform scale is ignored). Unit length, w >= 0. A matrix with a
  /// collapsed axis gives the identity.
  explicit quaternion_class(const mat4& rotation);

  /// The rotation matrix of this quaternion (normalised first; the zero quaternion gives the
  /// identity); row 3 and column 3 are those of the identity.
  mat4 get_matrix() const;

  /// Hamilton product.
  quaternion_class operator*(const quaternion_class& b) const;
  quaternion_class& operator*=(const quaternion_class& b);

  /// Squared length w^2 + x^2 + y^2 + z^2.
  float norm() const;
  /// Scales to unit length; the zero quaternion becomes the identity.
  quaternion_class& normalize();
  quaternion_class normalized() const;
  /// (w, -x, -y, -z).
  quaternion_class conjugate() const;
  /// The multiplicative inverse: conjugate / norm; the zero quaternion gives the identity.
  quaternion_class inverse() const;

  /// Exact component-wise comparison (q and -q are the same rotation but compare unequal).
  bool operator==(const quaternion_class& b) const;
  bool operator!=(const quaternion_class& b) const;
};

static_assert(sizeof(quaternion_class) == 4 * sizeof(float), "quaternion_class must be four floats");

std::ostream& operator<<(std::ostream& out, const quaternion_class& q);

}  // namespace sxsdk
