#pragma once
// A bone joint part: position, rotation and per-axis rotation limits.
#include "sdk/mat4.hpp"
#include "sdk/quaternion_class.hpp"
#include "sdk/unknown_interface.hpp"
#include "sx/core/vectors.hpp"

namespace sxsdk {

class bone_joint_interface : public unknown_interface {
 public:
  /// Position of the bone's root, millimetres, in the bone part's local coordinates.
  virtual sx::vec<float, 3> get_position() = 0;
  virtual void set_position(const sx::vec<float, 3>& position) = 0;
  /// Offset of the bone's motion, millimetres.
  virtual sx::vec<float, 3> get_offset() = 0;
  virtual quaternion_class get_rotation() = 0;
  virtual void set_rotation(const quaternion_class& rotation) = 0;
  /// The bone's matrix (its rest frame), row-vector convention.
  virtual mat4 get_matrix() = 0;
  /// Rotation limit of one axis (0 x, 1 y, 2 z) as (lower, upper) in units of 180 degrees.
  virtual sx::vec<float, 2> get_limit(int axis) = 0;
  virtual void set_limit(int axis, const sx::vec<float, 2>& range) = 0;
  virtual bool get_limit_enabled() = 0;
  virtual void set_limit_enabled(bool on) = 0;
};

}  // namespace sxsdk
