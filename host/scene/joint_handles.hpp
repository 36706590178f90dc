#pragma once
// The reference-counted joint and camera objects the scene hands out. Each shares the state of
// its part (or camera), so it stays safe to use after the part is removed.
#include <memory>

#include "host/scene/joint_state.hpp"
#include "sdk/ball_joint_interface.hpp"
#include "sdk/bone_joint_interface.hpp"
#include "sdk/camera_interface.hpp"
#include "sdk/joint_interface.hpp"
#include "sdk/joint_motion_interface.hpp"

namespace host {

class ball_joint_handle final : public sxsdk::ball_joint_interface {
 public:
  explicit ball_joint_handle(std::shared_ptr<joint_state> s) : s_(std::move(s)) {}
  sx::vec<float, 3> get_position() override { return s_->position; }
  void set_position(const sx::vec<float, 3>& p) override { s_->position = p; }
  sx::vec<float, 3> get_offset() override { return s_->offset; }
  sxsdk::quaternion_class get_rotation() override { return s_->rotation; }
  void set_rotation(const sxsdk::quaternion_class& q) override { s_->rotation = q; }

 private:
  std::shared_ptr<joint_state> s_;
};

class bone_joint_handle final : public sxsdk::bone_joint_interface {
 public:
  explicit bone_joint_handle(std::shared_ptr<joint_state> s) : s_(std::move(s)) {}
  sx::vec<float, 3> get_position() override { return s_->position; }
  void set_position(const sx::vec<float, 3>& p) override { s_->position = p; }
  sx::vec<float, 3> get_offset() override { return s_->offset; }
  sxsdk::quaternion_class get_rotation() override { return s_->rotation; }
  void set_rotation(const sxsdk::quaternion_class& q) override { s_->rotation = q; }
  sxsdk::mat4 get_matrix() override { return s_->bone_matrix; }
  /// Axis 0, 1 or 2; throws std::out_of_range for any other.
  sx::vec<float, 2> get_limit(int axis) override;
  void set_limit(int axis, const sx::vec<float, 2>& range) override;
  bool get_limit_enabled() override { return s_->limit_enabled; }
  void set_limit_enabled(bool on) override { s_->limit_enabled = on; }

 private:
  std::shared_ptr<joint_state> s_;
};

/// Rotator, slider, scale and uniform scale joints.
class joint_handle final : public sxsdk::joint_interface {
 public:
  explicit joint_handle(std::shared_ptr<joint_state> s) : s_(std::move(s)) {}
  sx::vec<float, 3> get_center() override { return s_->center; }
  void set_center(const sx::vec<float, 3>& c) override { s_->center = c; }
  sx::vec<float, 3> get_axis() override { return s_->axis; }
  void set_axis(const sx::vec<float, 3>& a) override { s_->axis = a; }

 private:
  std::shared_ptr<joint_state> s_;
};

/// The animated state of any joint part.
class joint_motion_handle final : public sxsdk::joint_motion_interface {
 public:
  explicit joint_motion_handle(std::shared_ptr<joint_state> s) : s_(std::move(s)) {}
  sx::vec<float, 3> get_offset() override { return s_->offset; }
  void set_offset(const sx::vec<float, 3>& o) override { s_->offset = o; }
  sxsdk::quaternion_class get_rotation() override { return s_->rotation; }
  void set_rotation(const sxsdk::quaternion_class& q) override { s_->rotation = q; }
  float get_value() override { return s_->value; }
  void set_value(float v) override { s_->value = v; }
  float get_min() override { return s_->min; }
  float get_max() override { return s_->max; }

 private:
  std::shared_ptr<joint_state> s_;
};

class camera_handle final : public sxsdk::camera_interface {
 public:
  explicit camera_handle(std::shared_ptr<camera_state> s) : s_(std::move(s)) {}
  sx::vec<float, 3> get_eye() override { return s_->eye; }
  void set_eye(const sx::vec<float, 3>& e) override { s_->eye = e; }
  sx::vec<float, 3> get_target() override { return s_->target; }
  void set_target(const sx::vec<float, 3>& t) override { s_->target = t; }
  float get_focal_length() override { return s_->focal_length; }

 private:
  std::shared_ptr<camera_state> s_;
};

}  // namespace host
