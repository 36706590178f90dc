#include "joints/joint_kind.hpp"

#include "sdk/sxsdk.hpp"

joint_kind kind_of(sxsdk::shape_class& shape) {
  sxsdk::host_ref<sxsdk::scene_interface> scene(shape.get_scene());
  if (scene && scene->is_bone_joint(shape)) return joint_kind::bone;
  return shape.is_ball_joint() ? joint_kind::ball : joint_kind::none;
}
