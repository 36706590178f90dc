#pragma once
// A rotator, slider, scale or uniform scale joint part: a centre and an axis vector.
#include "sdk/unknown_interface.hpp"
#include "sx/core/vectors.hpp"

namespace sxsdk {

class joint_interface : public unknown_interface {
 public:
  /// Centre, millimetres, in the joint part's coordinates.
  virtual sx::vec<float, 3> get_center() = 0;
  virtual void set_center(const sx::vec<float, 3>& center) = 0;
  /// Axis vector, millimetres (a slider keeps its second end point here).
  virtual sx::vec<float, 3> get_axis() = 0;
  virtual void set_axis(const sx::vec<float, 3>& axis) = 0;
};

}  // namespace sxsdk
