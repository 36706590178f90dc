#pragma once
// Where a joint shape stands: its position in its own coordinates and in the world (mm). Used by
// the chain builder to place a body between two joints.
//
// Use: set `shape`, store get_local() into local_position, then store get_world() into
// world_position (get_world reads local_position).
#include "sdk/mat4.hpp"
#include "sdk/shape_class.hpp"
#include "sx/core/vectors.hpp"

class joint_position_class {
 public:
  sxsdk::shape_class* shape = nullptr;  ///< the joint shape, not owned
  sx::vec<float, 3> world_position{0, 0, 0};
  sx::vec<float, 3> local_position{0, 0, 0};

  /// Ball joint: its centre; bone joint: its position; rotator, slider, scale and uniform scale
  /// joints: their centre; anything else (0, 0, 0). Host failures give (0, 0, 0).
  sx::vec<float, 3> get_local();
  /// A bone joint: where its own transformation puts its origin, in the world. Otherwise
  /// local_position through ltow.
  sx::vec<float, 3> get_world();
  /// Ball joint: inv(axis matrix) x own transformation x local-to-world; anything else its
  /// local-to-world matrix.
  sxsdk::mat4 ltow();
};
