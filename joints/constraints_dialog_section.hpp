#pragma once
// The ten joint items that the "Modify Bullet Joint" dialog and the chain builder's dialog share:
// type, rotation limits, springs, damping and the three cone values.
#include "engine/constraints_datas.hpp"
#include "sdk/dialog_interface.hpp"
#include "sdk/scene_interface.hpp"

class constraints_dialog_section {
 public:
  /// Appends the ten items, labels localised through `scene` (the units "0~" and "0~1" as they
  /// stand).
  constraints_dialog_section(sxsdk::scene_interface& scene, sxsdk::dialog_interface& dialog);

  /// Shows the record's values with their defaults. A cone_twist record shows its rotation
  /// spring stiffness as the cone softness, bias factor and relaxation; any other type shows
  /// Bullet's cone defaults 1.0, 0.3, 1.0 there.
  void show(const constraints_datas& joint);
  /// Reads the type (kept when the answer is no type), the angular limits, springs and damping;
  /// a cone_twist answer takes the cone values into the rotation spring stiffness. The linear
  /// limits are not edited here.
  void read(constraints_datas& joint) const;

 private:
  sxsdk::dialog_interface& dialog_;
  int type_, upper_, lower_, spring_rotation_, spring_translation_, damping_rotation_, damping_translation_;
  int softness_, bias_, relaxation_;
};
