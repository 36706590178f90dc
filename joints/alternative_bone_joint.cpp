#include "joints/alternative_bone_joint.hpp"

#include <algorithm>

#include "base/uuid_table.hpp"
#include "joints/joint_kind.hpp"
#include "properties/property_stream.hpp"
#include "sdk/sxsdk.hpp"

namespace {

using vec3 = alternative_bone_attribute::vec3;
using sxsdk::host_ref;

// Radians to degrees with the sign changed, as the attribute counts its angles.
constexpr float minus_degrees_per_radian = -57.295776f;

vec3 widened(float lower, float current, float upper) {
  return {std::min(lower, current), current, std::max(upper, current)};
}

// The joint's current rotation as three angles (degrees, sign changed).
vec3 current_angles(sxsdk::shape_class& shape) {
  host_ref<sxsdk::joint_motion_interface> motion(shape.get_joint_motion());
  vec3 scale, shear, angles, translation;
  (void)motion->get_rotation().get_matrix().unmatrix(scale, shear, angles, translation);
  return angles * minus_degrees_per_radian;
}

}  // namespace

void alternative_bone_joint::set_datas() {
  if (!shape) return;
  try {
    property_stream::stream_ref stream = property_stream::open(*shape, alternative_bone_joint_uuid);
    if (stream) {
      valid = !down_load(*stream, *shape);
      return;
    }
    set_default(nullptr);
    set_default_limit();
    make_line();
    valid = false;
    if (!shape->is_ball_joint()) return;
    property_stream::stream_ref made = property_stream::create(*shape, alternative_bone_joint_uuid);
    valid = made && !up_load(*made, *shape);
  } catch (...) {
    valid = false;
  }
}

void alternative_bone_joint::set_default_limit() {
  if (!shape) return;
  set_default(nullptr);
  try {
    const joint_kind kind = kind_of(*shape);
    if (kind == joint_kind::ball || kind == joint_kind::bone) {
      const vec3 a = current_angles(*shape);
      vec3 lower{-180, -180, -180}, upper{180, 180, 180};
      if (kind == joint_kind::bone) {
        host_ref<sxsdk::scene_interface> scene(shape->get_scene());
        host_ref<sxsdk::bone_joint_interface> bone(scene->get_bone_joint(*shape));
        if (bone->get_limit_enabled())
          for (int i = 0; i < 3; ++i) {
            const sx::vec<float, 2> range = bone->get_limit(i);
            lower[i] = range.x * 180;
            upper[i] = range.y * 180;
          }
      }
      for (int i = 0; i < 3; ++i) limit(i) = widened(lower[i], a[i], upper[i]);
    } else if (shape->is_rotator_joint() || shape->is_slider_joint() || shape->is_scale_joint() ||
               shape->is_uniscale_joint()) {
      // The host gives a rotator's value in degrees already: no half-turns to convert.
      host_ref<sxsdk::joint_motion_interface> motion(shape->get_joint_motion());
      limit_x = widened(motion->get_min(), motion->get_value(), motion->get_max());
    }
  } catch (...) {
    // The ranges keep what they had.
  }
}

void alternative_bone_joint::slider_limit_changed(int axis, vec3 range, bool store) {
  if (axis < 0 || axis > 2 || !shape) return;
  range.x = std::min(range.x, range.y);
  range.z = std::max(range.z, range.y);
  const float before = limit(axis).y;
  limit(axis) = range;
  try {
    if (range.y != before) {
      host_ref<sxsdk::joint_motion_interface> motion(shape->get_joint_motion());
      motion->set_rotation(value_to_quaternion({limit_x.y, limit_y.y, limit_z.y}));
    }
    if (kind_of(*shape) == joint_kind::bone) {
      host_ref<sxsdk::scene_interface> scene(shape->get_scene());
      host_ref<sxsdk::bone_joint_interface> bone(scene->get_bone_joint(*shape));
      bone->set_limit_enabled(true);
      bone->set_limit(axis, {range.x / 180, range.z / 180});
    }
    if (valid && store) {
      property_stream::stream_ref stream = property_stream::create(*shape, alternative_bone_joint_uuid);
      valid = stream && !up_load(*stream, *shape);
    }
  } catch (...) {
    valid = false;
  }
}
