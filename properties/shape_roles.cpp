#include "properties/shape_roles.hpp"

#include "base/uuid_table.hpp"
#include "sdk/sxsdk.hpp"

namespace {

// Whether the shape carries a stream under `uuid`. A host that throws while looking it up has a
// broken attribute on its hands: say so and treat the stream as absent.
bool carries_stream(sxsdk::shape_class& shape, const sx::uuid_class& uuid) {
  try {
    sxsdk::host_ref<sxsdk::stream_interface> stream(shape.get_attribute_stream(uuid));
    return static_cast<bool>(stream);
  } catch (...) {
  }
  try {
    sxsdk::host_ref<sxsdk::scene_interface> scene(shape.get_scene());
    if (scene) scene->show_error("attribute error delete it");
  } catch (...) {
    // Nothing more can be reported; the role test still answers.
  }
  return false;
}

bool is_simple_part(sxsdk::shape_class& shape) {
  return shape.get_type() == sxsdk::shape_type::part && shape.get_part().get_part_type() == sxsdk::part_type::part;
}

bool is_bone_joint(sxsdk::shape_class& shape) {
  sxsdk::host_ref<sxsdk::scene_interface> scene(shape.get_scene());
  return scene && scene->is_bone_joint(shape);
}

// The joint kinds a constraint can hang on, tested in the host's order.
bool is_constraint_joint_kind(sxsdk::shape_class& shape) {
  return is_bone_joint(shape) || shape.is_ball_joint() || shape.is_rotator_joint() || shape.is_slider_joint();
}

}  // namespace

bool is_bullet_world(sxsdk::shape_class& shape) {
  return is_simple_part(shape) && carries_stream(shape, physplug_uuid);
}

bool is_bullet_rigidbody(sxsdk::shape_class& shape) {
  return is_simple_part(shape) && carries_stream(shape, physplug_modify_uuid);
}

bool is_bullet_primitive(sxsdk::shape_class& shape) {
  return shape.get_type() != sxsdk::shape_type::part && carries_stream(shape, physplug_rigid_uuid);
}

bool is_bullet_constraints_joint(sxsdk::shape_class& shape) {
  return is_constraint_joint_kind(shape) && carries_stream(shape, physplug_modify_uuid);
}

int get_sons_rigidbody_recursively(sxsdk::shape_class& shape, std::vector<sxsdk::shape_class*>& bodies) {
  if (is_bullet_rigidbody(shape)) bodies.push_back(&shape);
  for (sxsdk::shape_class& son : sxsdk::sons(shape)) get_sons_rigidbody_recursively(son, bodies);
  return static_cast<int>(bodies.size());
}

bool hangs_under_joint(sxsdk::shape_class& shape) {
  sxsdk::shape_class* dad = shape.get_dad();
  return dad && is_bullet_constraints_joint(*dad);
}
