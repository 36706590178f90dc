#pragma once
// host::part_shape: a part of any part type: a simple or surface part with its own
// transformation, or a joint (ball, bone, rotator, slider, scale, uniform scale, camera, and
// the other joint types, which move nothing) whose transformation is its motion.
#include <memory>

#include "host/scene/joint_state.hpp"
#include "host/scene/shape_impl.hpp"
#include "sdk/part_class.hpp"

namespace host {

class part_shape final : public shape_impl<sxsdk::part_class> {
 public:
  /// A part of `part_type` (sxsdk::part_type codes).
  part_shape(scene& owner, std::string name, int part_type);

  int type() const override { return sxsdk::shape_type::part; }
  int get_part_type() const override { return part_type_; }
  /// True for the joint types whose points are given where the part is placed (every part
  /// type from 2 up to 16).
  bool is_joint() const;

  // --- transformation ---
  /// Parts that are no joints: the transformation set last (identity). Joints: their motion.
  sxsdk::mat4 own_transformation() const override;
  /// Sets the transformation of a part that is no joint; throws std::logic_error for a joint
  /// (whose transformation is its motion: set the joint state instead).
  void set_transformation(const sxsdk::mat4& m) override;
  sxsdk::mat4 get_axis_matrix() const override { return axis_matrix_; }
  void set_axis_matrix(const sxsdk::mat4& m) { axis_matrix_ = m; }
  sxsdk::mat4 local_to_world() const override;
  sxsdk::mat4 world_to_local() const override;
  /// No joint: T becomes T x m. Joint: its points move by m, as other shapes' points do.
  void apply_after(const sxsdk::mat4& m) override;
  /// No joint: T becomes m x T. Joint: its points move by m.
  void apply_before(const sxsdk::mat4& m) override;
  void transform_points(const sxsdk::mat4& m) override;
  /// Control points and vertices of every line and polygon mesh below the part.
  int number_of_points() const override;

  // --- joints ---
  joint_state& joint() { return *joint_; }
  const joint_state& joint() const { return *joint_; }
  const std::shared_ptr<joint_state>& shared_joint() const { return joint_; }
  /// The eye and target of a camera joint (every part has one; only camera joints use it).
  const std::shared_ptr<camera_state>& camera() const { return camera_; }

  sxsdk::part_class& get_part() override { return *this; }
  bool is_ball_joint() const override { return part_type_ == sxsdk::part_type::ball_joint; }
  bool is_rotator_joint() const override { return part_type_ == sxsdk::part_type::rotator_joint; }
  bool is_slider_joint() const override { return part_type_ == sxsdk::part_type::slider_joint; }
  bool is_scale_joint() const override { return part_type_ == sxsdk::part_type::scale_joint; }
  bool is_uniscale_joint() const override { return part_type_ == sxsdk::part_type::uniscale_joint; }
  bool is_bone_joint() const { return part_type_ == sxsdk::part_type::bone_joint; }
  /// Rotator, slider, scale or uniform scale.
  bool is_one_value_joint() const;
  sxsdk::ball_joint_interface* get_ball_joint() override;
  sxsdk::joint_interface* get_joint() override;
  sxsdk::joint_motion_interface* get_joint_motion() override;
  /// Makes this camera joint the scene's current camera; throws for other parts.
  void select_camera_joint() override;

 private:
  int part_type_;
  sxsdk::mat4 transformation_;
  sxsdk::mat4 axis_matrix_;
  std::shared_ptr<joint_state> joint_ = std::make_shared<joint_state>();
  std::shared_ptr<camera_state> camera_ = std::make_shared<camera_state>();
  // What a joint's motion is made of (see own_transformation): all floats, no padding.
  struct motion_inputs {
    sx::vec<float, 3> position, offset;
    sxsdk::quaternion_class rotation;
    sx::vec<float, 3> center, axis;
    float value;
  };
  static_assert(sizeof(motion_inputs) == 17 * sizeof(float), "motion_inputs is compared as bytes");
  mutable bool motion_kept_ = false;
  mutable motion_inputs kept_inputs_{};
  mutable sxsdk::mat4 kept_motion_;
};

}  // namespace host
