#include "editing/editing_dispatcher.hpp"

#include "base/texts.hpp"
#include "editing/softbody_gestures.hpp"
#include "joints/constraints_properties.hpp"
#include "joints/joint_chain_builder.hpp"
#include "properties/primitive_properties.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/shape_roles.hpp"
#include "properties/world_properties.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"
#include "sdk/shape_types.hpp"
#include "softbody/softbody_properties.hpp"
#include "softbody/softbody_scene_list.hpp"

namespace {

// In mesh element editing the mesh being edited is what the user asked about; the active
// shapes are then the partners of the vertex gestures (a rigid body, a soft body mesh).
sxsdk::shape_class& edited_shape(sxsdk::scene_interface& scene, sxsdk::shape_class* asked) {
  if (asked && scene.is_mesh_edit_mode() && asked->get_type() == sxsdk::shape_type::polygon_mesh) return *asked;
  return scene.get_active_shape();
}

bool is_ball_or_bone_joint(sxsdk::scene_interface& scene, sxsdk::shape_class& shape) {
  return shape.is_ball_joint() || scene.is_bone_joint(shape);
}

// A ball or bone joint opens the constraint dialog (with a constraint stream) or the joint chain
// builder (without one). A joint without a joint son has no chain to build: it opens the
// constraint dialog, so that a single joint can be made a constraint joint.
void edit_joint(sxsdk::scene_interface& scene, sxsdk::shape_class& target) {
  constraints_properties joint;  // limits of +-90 degrees, everything else 0
  joint.shape = &target;
  const bool stored = is_bullet_constraints_joint(target);
  if (!stored && joint_chain_builder::has_chain(target)) {
    (void)joint_chain_builder::create_bullet_constraints_or_rigidbody(&scene, target);
    return;
  }
  // A joint without settings yet is framed as it stands; stored settings are read first.
  if (!stored || joint.get_properties()) (void)joint.set_transrate_data_and_motion();
  (void)joint.modify_bullet_constraints(&scene);
}

// "Renew inner parts": a constraint joint's stream read (old versions rewrite themselves) and its
// frame taken again.
void renew_constraints_joint(sxsdk::shape_class& shape) {
  constraints_properties joint;
  joint.shape = &shape;
  if (joint.get_properties()) (void)joint.set_transrate_data_and_motion();
}

void renew_softbody(sxsdk::shape_class& mesh) {
  softbody_properties p;
  p.shape = &mesh;
  if (p.get_properties()) (void)p.regist();  // a damaged stream is reported and kept as it is
}

}  // namespace

namespace editing_dispatcher {

// Each editor starts from its record's defaults and reads the shape's stream over them, so a
// missing or short stream shows the defaults.
bool edit_active_shape(sxsdk::scene_interface& scene, sxsdk::shape_class* asked, softbody_scene_list* softs) {
  sxsdk::shape_class& target = edited_shape(scene, asked);
  if (is_bullet_world(target)) {
    world_properties world;
    (void)world.modify_bullet_world_part(scene, &target, renewers());  // a cancel says so itself
    return true;
  }
  if (is_bullet_primitive(target)) {
    primitive_properties primitive;
    (void)primitive.modify_bullet_primitive_shape(scene, &target);
    return true;
  }
  if (is_bullet_rigidbody(target)) {
    rigidbody_properties body;
    (void)body.modify_bullet_rigidbody(scene, &target);
    return true;
  }
  if (is_ball_or_bone_joint(scene, target)) {
    edit_joint(scene, target);
    return true;
  }
  if (target.get_type() == sxsdk::shape_type::polygon_mesh) {
    softbody_scene_list local;
    return softbody_gestures::edit_mesh(scene, target, softs ? *softs : local);
  }
  texts::show_message(scene, "No targets");
  return true;
}

stream_renewers renewers() {
  stream_renewers r;
  r.constraints_joint = renew_constraints_joint;
  r.softbody = renew_softbody;
  return r;
}

}  // namespace editing_dispatcher
