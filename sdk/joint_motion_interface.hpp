#pragma once
// The animated state of a joint part: what the sequence keys drive.
#include "sdk/quaternion_class.hpp"
#include "sdk/unknown_interface.hpp"
#include "sx/core/vectors.hpp"

namespace sxsdk {

class joint_motion_interface : public unknown_interface {
 public:
  /// Offset of a ball or bone joint, millimetres.
  virtual sx::vec<float, 3> get_offset() = 0;
  virtual void set_offset(const sx::vec<float, 3>& offset) = 0;
  /// Rotation of a ball or bone joint.
  virtual quaternion_class get_rotation() = 0;
  virtual void set_rotation(const quaternion_class& rotation) = 0;
  /// Value of a one-value joint (rotator: degrees, slider and scale: the joint's own unit),
  /// with its limits.
  virtual float get_value() = 0;
  virtual void set_value(float value) = 0;
  virtual float get_min() = 0;
  virtual float get_max() = 0;
};

}  // namespace sxsdk
