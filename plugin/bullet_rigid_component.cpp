#include "plugin/bullet_rigid_component.hpp"

#include "base/handler_guard.hpp"
#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "plugin/version.hpp"
#include "properties/primitive_properties.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/part_class.hpp"
#include "sdk/scene_interface.hpp"

namespace {

bool is_master_shape_part(sxsdk::shape_class& shape) {
  return shape.get_type() == sxsdk::shape_type::part &&
         shape.get_part().get_part_type() == sxsdk::part_type::master_shape_part;
}

}  // namespace

bool bullet_rigid_component::create(sxsdk::scene_interface* scene, void*) {
  return handler_guard::guarded(scene, "Primitive/Rigid", false, [&] {
    if (!scene) return false;
    if (scene->is_sequence_mode()) scene->set_sequence_mode(false);
    if (scene->is_mesh_edit_mode()) scene->end_mesh_edit_mode();
    sxsdk::shape_class& active = scene->get_active_shape();
    if (is_master_shape_part(active)) {
      // A new primitive made at the current shape; the master part itself is never handed to
      // the primitive editor, which replaces the shape it edits when the kind changes.
      primitive_properties primitive;
      return primitive.modify_bullet_primitive_shape(*scene, nullptr);
    }
    if (scene->get_number_of_active_shapes() > 0) {
      sxsdk::shape_class& first = scene->get_active_shape_at(0);
      if (is_bullet_primitive(first)) return create_rigid_body(*scene, &first);
    }
    return create_rigid_body(*scene, nullptr);
  });
}

bool bullet_rigid_component::create_rigid_body(sxsdk::scene_interface& scene, sxsdk::shape_class* primitive) {
  rigidbody_properties body;
  if (!primitive) return body.modify_bullet_rigidbody(scene, nullptr);
  // A selected primitive stands for the rigid body it gives its shape to: its dad. The primitive
  // itself carries no rigid body settings, and the editor would refuse it without a word.
  sxsdk::shape_class* owner = primitive->get_dad();
  if (!owner || !is_bullet_rigidbody(*owner)) {
    texts::show_error(scene, ("physplug: Primitive/Rigid: the primitive \"" + primitive->get_name() +
                              "\" is not inside a rigid body part, so it has no rigid body settings to edit; select "
                              "another shape to make a new rigid body")
                                 .c_str());
    return false;
  }
  return body.modify_bullet_rigidbody(scene, owner);
}

sx::uuid_class bullet_rigid_component::get_uuid(void*) { return physplug_uuid; }

int bullet_rigid_component::get_sorvel_version() const { return physplug_version::sorvel_version; }
