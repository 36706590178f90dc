#include "editing/softbody_gestures.hpp"

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "properties/property_stream.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/sxsdk.hpp"
#include "softbody/softbody_dialog.hpp"
#include "softbody/softbody_editor.hpp"
#include "softbody/softbody_properties.hpp"
#include "softbody/softbody_scene_list.hpp"

namespace {

bool vertex_editing(sxsdk::scene_interface& scene) {
  return scene.get_number_of_active_shapes() > 0 && scene.is_mesh_edit_mode() &&
         scene.get_selection_mode() == sxsdk::selection_mode::vertices;
}

bool face_editing(sxsdk::scene_interface& scene) {
  return scene.is_mesh_edit_mode() && scene.get_selection_mode() == sxsdk::selection_mode::faces;
}

// The shape the gestures pair with the asked mesh; null outside vertex editing.
sxsdk::shape_class* gesture_partner(sxsdk::scene_interface& scene, sxsdk::shape_class& mesh) {
  if (!vertex_editing(scene)) return nullptr;
  sxsdk::shape_class& first = scene.get_active_shape_at(0);
  return &first == &mesh ? nullptr : &first;
}

void edit_softbody_mesh(sxsdk::scene_interface& scene, softbody_properties& entry, softbody_scene_list& softs) {
  sxsdk::shape_class* partner = gesture_partner(scene, *entry.shape);
  if (partner && is_bullet_rigidbody(*partner) && softbody_dialog::simple_case(entry))
    entry.assign_optional_anchor(scene, *partner);
  softbody_editor::choose_and_act(scene, entry, softs);
}

// The projection gesture: `mesh` becomes the projection mesh of the soft body mesh `cloth`.
bool bind_projection(sxsdk::scene_interface& scene, sxsdk::shape_class& cloth, sxsdk::shape_class& mesh) {
  softbody_properties s;
  s.shape = &cloth;
  if (!s.get_properties() || !softbody_dialog::simple_case(s)) return false;
  const bool made = s.create_proxcy_mesh(&scene, mesh);
  texts::show_message_format(scene, made ? "Create Projection Mesh:%s of [%s]" : "Remove Projection Mesh:%s of [%s]",
                             mesh.get_name(), cloth.get_name());
  return made;
}

void new_softbody(sxsdk::scene_interface& scene, sxsdk::shape_class& mesh, softbody_scene_list& softs) {
  softbody_properties fresh;
  fresh.shape = &mesh;
  if (!fresh.get_properties()) return;  // a damaged stream was reported and is kept as it is
  if (!face_editing(scene)) texts::show_message(scene, "Use all meshes");
  if (fresh.modify_softbody_shape(&scene, 0)) softs.append(fresh);
}

}  // namespace

namespace softbody_gestures {

bool edit_mesh(sxsdk::scene_interface& scene, sxsdk::shape_class& mesh, softbody_scene_list& softs) {
  softs.rebuild(scene.get_root());
  if (softbody_properties* entry = softs.find(mesh)) {
    edit_softbody_mesh(scene, *entry, softs);
    return true;
  }
  sxsdk::shape_class* partner = gesture_partner(scene, mesh);
  if (partner && partner->get_type() == sxsdk::shape_type::polygon_mesh &&
      property_stream::open(*partner, physplug_modify_uuid))
    return bind_projection(scene, *partner, mesh);
  new_softbody(scene, mesh, softs);
  return true;
}

}  // namespace softbody_gestures
