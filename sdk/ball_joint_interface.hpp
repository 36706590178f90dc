#pragma once
// A ball joint part: a centre and a rotation about it.
#include "sdk/quaternion_class.hpp"
#include "sdk/unknown_interface.hpp"
#include "sx/core/vectors.hpp"

namespace sxsdk {

class ball_joint_interface : public unknown_interface {
 public:
  /// Centre of the joint, millimetres, in the coordinates of the joint part's dad.
  virtual sx::vec<float, 3> get_position() = 0;
  virtual void set_position(const sx::vec<float, 3>& position) = 0;
  /// Offset of the joint's motion (millimetres), added to the centre.
  virtual sx::vec<float, 3> get_offset() = 0;
  /// Current rotation of the joint.
  virtual quaternion_class get_rotation() = 0;
  virtual void set_rotation(const quaternion_class& rotation) = 0;
};

}  // namespace sxsdk
