#pragma once
// A part: a shape with its own transformation and sons (parts, joints, meshes, lines ...).
#include "sdk/shape_class.hpp"

namespace sxsdk {

class part_class : public shape_class {
 public:
  /// Part type code (sxsdk::part_type).
  virtual int get_part_type() const = 0;
  /// Sets the part's own transformation (row vectors, millimetres).
  virtual void set_transformation(const mat4& m) = 0;
  /// The part's axis matrix: where its local axes stand inside it (identity by default).
  virtual mat4 get_axis_matrix() const = 0;
  /// For a camera joint: makes it the scene's current camera (scene_interface::get_camera).
  virtual void select_camera_joint() = 0;

 protected:
  ~part_class() = default;
};

}  // namespace sxsdk
