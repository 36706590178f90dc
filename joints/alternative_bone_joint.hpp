#pragma once
// The bone-limit attribute of one joint shape: loads it (or gives the joint a default one),
// defaults its ranges from the joint's current state, and changes one axis's range, handing it
// on to the joint and the stored attribute.
#include "joints/alternative_bone_attribute.hpp"

class alternative_bone_joint : public alternative_bone_attribute {
 public:
  sxsdk::shape_class* shape = nullptr;  ///< the joint's part, not owned
  bool valid = false;                   ///< the attribute was loaded or written whole

  /// Loads the attribute of `shape`; a ball joint without one gets a default attribute (ranges
  /// from its current rotation, identity axes) written onto it. Nothing without a shape.
  void set_datas();
  /// Default ranges from the joint's current state: (min(-180, a), a, max(180, a)) per axis for a
  /// ball joint at angles a (degrees, sign changed); a bone joint with its limits on widens its own
  /// limits to hold a; a one-value joint sets limit_x from its minimum, value and maximum.
  void set_default_limit();
  /// Sets the range of `axis` (0 to 2; others ignored): the minimum at most and the maximum at
  /// least the current value. A changed current value turns the joint to the three current values;
  /// a bone joint gets the range as its limit in half-turns; with `store` a valid attribute is
  /// written again.
  void slider_limit_changed(int axis, vec3 range, bool store);
};
