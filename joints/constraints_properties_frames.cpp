// constraints_properties: the joint frame taken from the scene, the matrices with which the
// joint follows its body, the limits handed to the scene's joint, and the restore.
#include <cmath>

#include "base/matrix_conversion.hpp"
#include "base/uuid_table.hpp"
#include "joints/alternative_bone_joint.hpp"
#include "joints/constraints_properties.hpp"
#include "joints/joint_kind.hpp"
#include "properties/property_stream.hpp"
#include "sdk/sxsdk.hpp"

namespace {

using sxsdk::host_ref;
using sxsdk::mat4;

// The upper-left 3 x 3 of m with row 3 cleared to the identity's.
mat4 rotation_part(const mat4& m) {
  mat4 r = m;
  r[3][0] = r[3][1] = r[3][2] = 0;
  r[0][3] = r[1][3] = r[2][3] = 0;
  r[3][3] = 1;
  return r;
}

// A rotation by `angle` radians about one axis as the host's quaternion (the rotate_x, _y, _z
// of the host matrices): scalar cos(angle / 2), axis part -sin(angle / 2).
sxsdk::quaternion_class about_axis(int axis, float angle) {
  sxsdk::quaternion_class q(std::cos(angle / 2), 0, 0, 0);
  const float s = std::sin(-angle / 2);
  (axis == 0 ? q.x : axis == 1 ? q.y : q.z) = s;
  return q;
}

// The frame rotation of a ball joint at matrix m: turned by the axes of its bone-limit attribute
// when it carries one. Axes that span no space (a damaged attribute) would hand the engine a
// collapsed frame: they are ignored.
mat4 ball_frame(sxsdk::part_class& part, const mat4& m) {
  const mat4 upper = rotation_part(m);
  if (!property_stream::open(part, alternative_bone_joint_uuid)) return upper;
  alternative_bone_joint bone;
  bone.shape = &part;
  bone.set_datas();
  const mat4 axes = bone.axis_matrix();
  if (std::fabs(axes.determinant()) < 1e-6) return upper;
  mat4 f = axes * upper;
  if (m[3][3] != 1.0f && m[3][3] != 0.0f)
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) f[r][c] /= m[3][3];
  return f;
}

// Hands the limits to the bone-limit attribute of a ball joint, written once after all three axes.
void attribute_limits(sxsdk::shape_class& joint, const constraints_datas& j) {
  if (!property_stream::open(joint, alternative_bone_joint_uuid)) return;
  alternative_bone_joint bone;
  bone.shape = &joint;
  bone.set_datas();
  for (int i = 0; i < 3; ++i) {
    float lo = j.angular_lower_limit[i], hi = j.angular_upper_limit[i];
    if (j.type == constraints_datas::cone_twist) {
      lo = -j.angular_upper_limit[i];
    } else if (lo > hi) {
      lo = -180;
      hi = 180;
    }
    bone.slider_limit_changed(i, {lo, 0, hi}, i == 2);
  }
}

// A 6Dof range in half-turns for the host's bone joint, computed in double and rounded once.
sx::vec<float, 2> half_turns(float lower, float upper) {
  if (upper < lower) return {-1.0f, 1.0f};  // an inverted range leaves the axis free
  return {static_cast<float>(static_cast<double>(lower) / 180.0),
          static_cast<float>(static_cast<double>(upper) / 180.0)};
}

void bone_limits(sxsdk::bone_joint_interface& bone, const constraints_datas& j) {
  if (j.type == constraints_datas::cone_twist) {
    // Cone spans are handed over in degrees, as they are stored.
    bone.set_limit_enabled(true);
    for (int i = 0; i < 3; ++i) bone.set_limit(i, {-j.angular_upper_limit[i], j.angular_upper_limit[i]});
    return;
  }
  bool any = false;
  for (int i = 0; i < 3; ++i) any = any || !(j.angular_upper_limit[i] < j.angular_lower_limit[i]);
  bone.set_limit_enabled(any);
  if (!any) return;
  for (int i = 0; i < 3; ++i) bone.set_limit(i, half_turns(j.angular_lower_limit[i], j.angular_upper_limit[i]));
}

}  // namespace

bool constraints_properties::set_transrate_data_and_motion() {
  if (!joint()) return false;
  try {
    const joint_kind kind = kind_of(*joint());
    if (kind == joint_kind::none) return false;
    sxsdk::part_class& part = joint()->get_part();
    mat4 m;
    mat4 frame;
    if (kind == joint_kind::bone) {
      host_ref<sxsdk::scene_interface> scene(joint()->get_scene());
      host_ref<sxsdk::bone_joint_interface> bone(scene->get_bone_joint(part));
      joint_offset = bone->get_offset();
      joint_rotation = bone->get_rotation();
      m = part.get_transformation() * part.get_local_to_world_matrix();
      frame = rotation_part(m);
    } else {
      host_ref<sxsdk::ball_joint_interface> ball(joint()->get_ball_joint());
      joint_offset = ball->get_offset();
      joint_rotation = ball->get_rotation();
      const mat4 t = mat4::translate(ball->get_position() + joint_offset);
      m = joint_rotation.get_matrix() * t * part.get_local_to_world_matrix();
      frame = ball_frame(part, m);
    }
    frame[3][0] = m[3][0];
    frame[3][1] = m[3][1];
    frame[3][2] = m[3][2];
    transform = conversion::host_to_engine(frame);
    framed = true;
    return true;
  } catch (...) {
    return false;
  }
}

bool constraints_properties::calculate_base_mat() {
  if (!body1() || !joint()) return false;
  try {
    const joint_kind kind = kind_of(*joint());
    if (kind == joint_kind::none) return true;
    const mat4 b = body1()->get_part().get_axis_matrix();
    const mat4 l = body1()->get_local_to_world_matrix();
    const mat4 w = joint()->get_world_to_local_matrix();
    if (kind == joint_kind::bone) {
      host_ref<sxsdk::scene_interface> scene(joint()->get_scene());
      host_ref<sxsdk::bone_joint_interface> bone(scene->get_bone_joint(*joint()));
      bone_inverse_mat = bone->get_matrix().inv();
    }
    base_mat = (b * l * w).inv();
  } catch (...) {
    // The joint then turns from the identity; the world's write-back still goes on.
  }
  return true;
}

bool constraints_properties::rotate_constraints_joint(const sxsdk::mat4& body_matrix) {
  if (!body1()) return false;
  if (!joint()) return true;
  try {
    const joint_kind kind = kind_of(*joint());
    if (kind == joint_kind::none) return true;
    const mat4 w = joint()->get_world_to_local_matrix();
    mat4 g = base_mat * body_matrix * w;
    if (kind == joint_kind::bone) g = g * bone_inverse_mat;
    sx::vec<float, 3> scale, shear, angles, translation;
    if (!g.unmatrix(scale, shear, angles, translation)) return true;  // a broken pose moves nothing
    const sxsdk::quaternion_class q = about_axis(0, angles.x) * about_axis(1, angles.y) * about_axis(2, angles.z);
    host_ref<sxsdk::joint_motion_interface> motion(joint()->get_joint_motion());
    motion->set_rotation(joint_rotation * q);
  } catch (...) {
    // The joint stays where it is for this step.
  }
  return true;
}

bool constraints_properties::adjust_limits() {
  if (type == cone_twist) angular_upper_limit = angular_upper_limit.absolute();
  if (!joint()) return false;
  try {
    const joint_kind kind = kind_of(*joint());
    if (kind == joint_kind::bone) {
      host_ref<sxsdk::scene_interface> scene(joint()->get_scene());
      host_ref<sxsdk::bone_joint_interface> bone(scene->get_bone_joint(*joint()));
      bone_limits(*bone, *this);
    } else if (kind == joint_kind::ball) {
      attribute_limits(*joint(), *this);
    }
    return kind != joint_kind::none;
  } catch (...) {
    return false;
  }
}

bool constraints_properties::restore_joint() {
  // Without a frame there is nothing saved to go back to: the joint is left as it stands.
  if (!joint() || !framed) return false;
  try {
    host_ref<sxsdk::joint_motion_interface> motion(joint()->get_part().get_joint_motion());
    motion->set_offset(joint_offset);
    motion->set_rotation(joint_rotation);
    return true;
  } catch (...) {
    return false;
  }
}
