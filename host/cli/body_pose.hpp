#pragma once
// host::body_pose: where a shape is in the world, as the trace and the glTF file record it: the
// translation of its local-to-world matrix and its rotation as a unit quaternion.
#include <array>

#include "sdk/mat4.hpp"

namespace host {

struct body_pose {
  std::array<double, 3> position{0, 0, 0};  ///< millimetres, world
  /// w, x, y, z; unit length, w >= 0. The rotation that turns the shape's local axes into its
  /// world axes in the usual column-vector sense (as Bullet and glTF read a quaternion).
  std::array<double, 4> rotation{1, 0, 0, 0};

  /// From a host matrix (row vectors: rows 0-2 are the images of the axes, row 3 the
  /// translation). Scale is removed by normalising the rows first; a collapsed axis gives the
  /// identity rotation.
  static body_pose from_matrix(const sxsdk::mat4& m);
};

}  // namespace host
