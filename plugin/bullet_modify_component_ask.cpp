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
  // Constraint joints (ball and bone joints) and soft body polygon meshes get their editors
  // here when the joint and soft body work adds them.
  texts::show_message(scene, "No targets");
  return true;
}
