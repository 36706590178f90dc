// bullet_modify_component: the editing dispatcher. The active shape's role decides which editor
// opens; each editor reads the shape's stream over the default record it is handed.
#include "plugin/bullet_modify_component.hpp"
#include "plugin/handler_guard.hpp"
#include "plugin/texts.hpp"
#include "properties/primitive_properties.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/shape_roles.hpp"
#include "properties/world_properties.hpp"
#include "sdk/host_ref.hpp"
#include "sdk/scene_interface.hpp"

bool bullet_modify_component::ask_shape(sxsdk::shape_class& shape, void*) {
  sxsdk::host_ref<sxsdk::scene_interface> scene;
  return handler_guard::guarded(nullptr, "ask_shape", false, [&] {
    scene.reset(shape.get_scene());
    if (!scene) return false;
    return handler_guard::guarded(scene.get(), "ask_shape", false, [&] {
      // Every edit happens on a scene without a running simulation.
      playback_.leave_sequence_mode(*scene);
      return edit_active_shape(*scene);
    });
  });
}

bool bullet_modify_component::edit_active_shape(sxsdk::scene_interface& scene) {
  sxsdk::shape_class& target = scene.get_active_shape();
  if (is_bullet_world(target)) {
    world_properties world;
    world.modify_bullet_world_part(scene, &target);
    return true;
  }
  if (is_bullet_primitive(target)) {
    primitive_properties primitive;
    primitive.modify_bullet_primitive_shape(scene, &target);
    return true;
  }
  if (is_bullet_rigidbody(target)) {
    rigidbody_properties body;
    body.modify_bullet_rigidbody(scene, &target);
    return true;
  }
  if (edit_joint(scene, target)) return true;
  bool result = true;
  if (edit_softbody(scene, target, result)) return result;
  texts::show_message(scene, "No targets");
  return true;
}

// The joint work fills this in: a ball or bone joint opens the constraint dialog (with a
// constraint stream) or the joint chain builder (without one). True when it handled the target.
bool bullet_modify_component::edit_joint(sxsdk::scene_interface&, sxsdk::shape_class&) { return false; }

// The soft body work fills this in: a polygon mesh opens the soft body chooser, the projection
// gesture or a new soft body; `result` is what ask_shape answers. True when it handled the target.
bool bullet_modify_component::edit_softbody(sxsdk::scene_interface&, sxsdk::shape_class&, bool&) { return false; }
