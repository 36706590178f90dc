#include "joints/joint_position_class.hpp"

#include "joints/joint_kind.hpp"
#include "sdk/sxsdk.hpp"

using sxsdk::host_ref;

sx::vec<float, 3> joint_position_class::get_local() {
  if (!shape) return {0, 0, 0};
  try {
    switch (kind_of(*shape)) {
      case joint_kind::ball: {
        host_ref<sxsdk::ball_joint_interface> ball(shape->get_ball_joint());
        return ball->get_position();
      }
      case joint_kind::bone: {
        host_ref<sxsdk::scene_interface> scene(shape->get_scene());
        host_ref<sxsdk::bone_joint_interface> bone(scene->get_bone_joint(*shape));
        return bone->get_position();
      }
      case joint_kind::none:
        break;
    }
    if (shape->is_rotator_joint() || shape->is_slider_joint() || shape->is_scale_joint() ||
        shape->is_uniscale_joint()) {
      host_ref<sxsdk::joint_interface> joint(shape->get_joint());
      return joint->get_center();
    }
  } catch (...) {
  }
  return {0, 0, 0};
}

sxsdk::mat4 joint_position_class::ltow() {
  if (!shape) return sxsdk::mat4();
  if (shape->is_ball_joint())
    return shape->get_part().get_axis_matrix().inv() * shape->get_transformation() * shape->get_local_to_world_matrix();
  return shape->get_local_to_world_matrix();
}

sx::vec<float, 3> joint_position_class::get_world() {
  if (!shape) return local_position;
  try {
    if (kind_of(*shape) == joint_kind::bone) {
      const sxsdk::mat4 t = shape->get_transformation();
      const sx::vec<float, 4> origin{t[3][0], t[3][1], t[3][2], t[3][3]};
      const sx::vec<float, 4> w = origin * ltow();
      return {w.x, w.y, w.z};
    }
    return local_position * ltow();
  } catch (...) {
    return local_position;
  }
}
