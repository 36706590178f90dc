#include "bridge/scene_events.hpp"

#include "plugin/texts.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"

namespace scene_events {

namespace {

void refresh_start_transform(sxsdk::shape_class& shape) {
  rigidbody_properties body;
  body.shape = &shape;
  body.get_properties();
  body.get_transrate_data();
  body.regist();
}

/// The joint work refreshes a moved constraint joint's stored state here.
void constraints_joint_modified(sxsdk::scene_interface&, sxsdk::shape_class&) {}

}  // namespace

void shape_modified(sxsdk::scene_interface& scene, sxsdk::shape_class& shape, bool top,
                    const std::function<void(sxsdk::shape_class&)>& start_refreshed) {
  if (is_bullet_rigidbody(shape)) {
    refresh_start_transform(shape);
    if (start_refreshed) start_refreshed(shape);
  } else if (is_bullet_constraints_joint(shape)) {
    constraints_joint_modified(scene, shape);
    return;
  } else if (top && is_bullet_primitive(shape)) {
    texts::show_message(scene, "Bullet primitive can't be modified.Undo it");
  }
  for (sxsdk::shape_class& son : sxsdk::sons(shape)) shape_modified(scene, son, false, start_refreshed);
}

void active_shapes_changed(sxsdk::scene_interface& scene, int count, sxsdk::shape_class* const* shapes) {
  if (count == 1 && shapes && shapes[0] && is_bullet_rigidbody(*shapes[0])) scene.end_mesh_edit_mode();
}

}  // namespace scene_events
