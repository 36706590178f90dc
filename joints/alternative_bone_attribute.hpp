#pragma once
// The bone-limit attribute another plug-in of the host keeps on ball joints (stream
// alternative_bone_joint_uuid): the joint's own axes and a rotation range per axis. This system
// reads and writes it so that a constraint joint on such a ball joint is framed by its axes and
// shares its limits with it.
//
// Stream, 84 bytes, little-endian (written whole from position 0):
//   int32 flags | axis_x (3 floats) | axis_y (3 floats) | float guide_length_1
//   | float guide_length_2 | limit_x | limit_y | limit_z (each: minimum, current, maximum in
//   degrees) | display_size (3 floats)
// axis_z is not stored: it is axis_x x axis_y, normalised. A ball joint's stream is labelled "@".
#include <vector>

#include "sdk/mat4.hpp"
#include "sdk/quaternion_class.hpp"
#include "sdk/shape_class.hpp"
#include "sdk/stream_interface.hpp"
#include "sx/core/vectors.hpp"

namespace sxsdk {
class host_interface;
}

class alternative_bone_attribute {
 public:
  using vec3 = sx::vec<float, 3>;

  vec3 axis_x{1, 0, 0};  ///< first axis of the joint frame (row 0 of the axis matrix)
  vec3 axis_y{0, 1, 0};  ///< second axis (row 1)
  vec3 axis_z{0, 0, 1};  ///< third axis (row 2): axis_x x axis_y, computed on loading
  float guide_length_1 = 0;
  float guide_length_2 = 0;
  vec3 limit_x{-180, 0, 180};  ///< rotation range about axis_x, degrees: (minimum, current, maximum)
  vec3 limit_y{-180, 0, 180};  ///< the same about axis_y
  vec3 limit_z{-180, 0, 180};  ///< the same about axis_z
  vec3 display_size{100, 100, 100};
  int flags = 63;  ///< the other plug-in's display and mode bits, kept as they are
  /// End points of the guide-line figure (pairs), derived from the two guide lengths.
  std::vector<vec3> guide_lines;

  /// The range of axis 0, 1 or 2.
  vec3& limit(int axis) { return axis == 0 ? limit_x : axis == 1 ? limit_y : limit_z; }
  /// The 3 x 3 axis matrix: rows axis_x, axis_y, axis_z (row 3 the identity's).
  sxsdk::mat4 axis_matrix() const;

  /// Reads the stream from position 0, then computes axis_z and the guide lines (also after a
  /// failure). True on failure: the stream is short, a number is not finite, or the host failed;
  /// a refused value keeps what it was.
  bool down_load(sxsdk::stream_interface& stream, sxsdk::shape_class& shape);
  /// Writes the stream from position 0 (cut to the 84 bytes), labelled "@" when `shape` is a ball
  /// joint. True on failure.
  bool up_load(sxsdk::stream_interface& stream, sxsdk::shape_class& shape);
  /// Default flags (63) and display size (100 each): the host keeps no preferences of the other
  /// plug-in here.
  void set_default(sxsdk::host_interface* host);
  /// Rebuilds guide_lines from the guide lengths.
  void make_line();
  /// The rotation for three angles in degrees about axis_x, axis_y and axis_z, in that order.
  sxsdk::quaternion_class value_to_quaternion(const vec3& degrees) const;
};
