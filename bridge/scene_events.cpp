#include "bridge/scene_events.hpp"

#include "base/texts.hpp"
#include "joints/constraints_properties.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"

namespace scene_events {

namespace {

void refresh_start_transform(sxsdk::scene_interface& scene, sxsdk::shape_class& shape) {
  rigidbody_properties body;
  body.shape = &shape;
  (void)body.get_properties();  // a body without a readable stream is stored with the defaults
  body.get_transrate_data();
  if (!body.regist()) texts::show_unwritten(scene, "rigid body settings", shape.get_name());
}

// A moved or changed constraint joint: its frame taken again and its limits handed to the
// scene's joint. Nothing is written: the frame is taken afresh whenever a world is built.
void constraints_joint_modified(sxsdk::scene_interface&, sxsdk::shape_class& shape) {
  constraints_properties joint;
  joint.shape = &shape;
  if (joint.get_properties()) (void)joint.set_transrate_data_and_motion();
  (void)joint.adjust_limits();
}

}  // namespace

void shape_modified(sxsdk::scene_interface& scene, sxsdk::shape_class& shape, bool top,
                    const std::function<void(sxsdk::shape_class&)>& start_refreshed) {
  if (is_bullet_rigidbody(shape)) {
    refresh_start_transform(scene, shape);
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
