#include "host/scene/part_shape.hpp"

#include <cstring>
#include <stdexcept>

#include "host/scene/joint_handles.hpp"
#include "host/scene/scene.hpp"

namespace host {
namespace {

template <typename Handle, typename State>
Handle* new_handle(const std::shared_ptr<State>& state) {
  auto* h = new Handle(state);
  h->AddRef();
  return h;
}

}  // namespace

part_shape::part_shape(scene& owner, std::string name, int part_type)
    : shape_impl(owner, std::move(name)), part_type_(part_type) {
  namespace pt = sxsdk::part_type;
  if (part_type == pt::scale_joint || part_type == pt::uniscale_joint) {
    // A scale joint at rest leaves its sons as they are.
    joint_->value = 1;
    joint_->min = 0;
    joint_->max = 10;
  } else if (part_type == pt::slider_joint) {
    joint_->min = -1000;
    joint_->max = 1000;
  }
}

bool part_shape::is_joint() const {
  return part_type_ >= sxsdk::part_type::rotator_joint && part_type_ <= sxsdk::part_type::bone_joint;
}

bool part_shape::is_one_value_joint() const {
  return is_rotator_joint() || is_slider_joint() || is_scale_joint() || is_uniscale_joint();
}

// A joint's motion is made of its state alone: it is kept with the state's bytes and made anew
// when they differ (compared as bytes, as shape_node compares its kept frames), so a chain of
// joints does not make every dad's motion again each time the frame of a son below is asked for.
sxsdk::mat4 part_shape::own_transformation() const {
  if (!is_joint()) return transformation_;
  const joint_state& j = *joint_;
  const motion_inputs now{j.position, j.offset, j.rotation, j.center, j.axis, j.value};
  if (!motion_kept_ || std::memcmp(&now, &kept_inputs_, sizeof now) != 0) {
    kept_inputs_ = now;
    kept_motion_ = j.motion(part_type_);
    motion_kept_ = true;
  }
  return kept_motion_;
}

void part_shape::set_transformation(const sxsdk::mat4& m) {
  if (is_joint())
    throw std::logic_error("joint \"" + path() + "\" is moved by its joint state, not by a transformation");
  transformation_ = m;
}

// A joint's centre, axis and position are given where the joint is placed, and its motion is
// what it does to its sons: so its local coordinates are its placement.
sxsdk::mat4 part_shape::local_to_world() const { return is_joint() ? placement() : inner_frame(); }

// For every part: world into the coordinates its own transformation is expressed in, so that
// (world matrix H) x world_to_local is the transformation that puts the part at H. The dad
// keeps the inverse for all its sons: the write-back asks for it for every body and frame.
sxsdk::mat4 part_shape::world_to_local() const { return placement_inverse(); }

void part_shape::apply_after(const sxsdk::mat4& m) {
  if (is_joint()) return transform_points(m);
  transformation_ = transformation_ * m;
}

void part_shape::apply_before(const sxsdk::mat4& m) {
  if (is_joint()) return transform_points(m);
  transformation_ = m * transformation_;
}

void part_shape::transform_points(const sxsdk::mat4& m) {
  if (!is_joint()) return;
  joint_state& j = *joint_;
  j.position = j.position * m;
  j.center = j.center * m;
  // A slider keeps an absolute end point; the other joints a vector.
  j.axis = is_slider_joint() ? j.axis * m : sxsdk::transform_vector(j.axis, m);
  if (part_type_ == sxsdk::part_type::camera_joint) {
    camera_->eye = camera_->eye * m;
    camera_->target = camera_->target * m;
  }
}

int part_shape::number_of_points() const {
  int total = 0;
  for (const shape_node* son : sons()) {
    const int t = son->type();
    if (t == sxsdk::shape_type::line || t == sxsdk::shape_type::polygon_mesh || t == sxsdk::shape_type::part)
      total += son->number_of_points();
  }
  return total;
}

sxsdk::ball_joint_interface* part_shape::get_ball_joint() {
  if (!is_ball_joint()) throw_wrong_kind(*this, "a ball joint");
  return new_handle<ball_joint_handle>(joint_);
}

sxsdk::joint_interface* part_shape::get_joint() {
  if (!is_one_value_joint()) throw_wrong_kind(*this, "a rotator, slider, scale or uniform scale joint");
  return new_handle<joint_handle>(joint_);
}

sxsdk::joint_motion_interface* part_shape::get_joint_motion() {
  if (!is_joint()) throw_wrong_kind(*this, "a joint");
  return new_handle<joint_motion_handle>(joint_);
}

void part_shape::select_camera_joint() {
  if (part_type_ != sxsdk::part_type::camera_joint) throw_wrong_kind(*this, "a camera joint");
  owner().select_camera(this);
}

}  // namespace host
