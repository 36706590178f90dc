#include "editing/editing_dispatcher.hpp"

#include "base/texts.hpp"
#include "properties/primitive_properties.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/shape_roles.hpp"
#include "properties/world_properties.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"

namespace {

// A ball or bone joint opens the constraint dialog (with a constraint stream) or the joint chain
// builder (without one). True when it handled the target. No joint editor exists yet.
bool edit_joint(sxsdk::scene_interface&, sxsdk::shape_class&) { return false; }

// A polygon mesh opens the soft body chooser, the projection gesture or a new soft body;
// `result` is what ask_shape answers. True when it handled the target. No soft body editor
// exists yet.
bool edit_softbody(sxsdk::scene_interface&, sxsdk::shape_class&, bool&) { return false; }

}  // namespace

namespace editing_dispatcher {

bool edit_active_shape(sxsdk::scene_interface& scene) {
  sxsdk::shape_class& target = scene.get_active_shape();
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
  if (edit_joint(scene, target)) return true;
  bool result = true;
  if (edit_softbody(scene, target, result)) return result;
  texts::show_message(scene, "No targets");
  return true;
}

stream_renewers renewers() {
  // Constraint and soft body streams are not read yet: such shapes are left as they are.
  return {};
}

}  // namespace editing_dispatcher
