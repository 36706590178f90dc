#include "softbody/softbody_editor.hpp"

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "properties/property_stream.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/sxsdk.hpp"
#include "softbody/softbody_dialog.hpp"
#include "softbody/softbody_scene_list.hpp"

namespace {

bool vertex_editing(sxsdk::scene_interface& scene) {
  return scene.get_number_of_active_shapes() > 0 && scene.is_mesh_edit_mode() &&
         scene.get_selection_mode() == sxsdk::selection_mode::vertices;
}

bool face_editing(sxsdk::scene_interface& scene) {
  return scene.is_mesh_edit_mode() && scene.get_selection_mode() == sxsdk::selection_mode::faces;
}

void act_on_choice(sxsdk::scene_interface& scene, softbody_properties& entry, softbody_scene_list& softs) {
  const bool simple = softbody_dialog::simple_case(entry);
  const softbody_dialog::choice c = softbody_dialog::choose(scene, entry);
  switch (c.what) {
    case softbody_dialog::action::cancel:
      return;
    case softbody_dialog::action::create:
      (void)entry.modify_softbody_shape(&scene, int(entry.datas.size()));
      return;
    case softbody_dialog::action::edit:
      (void)entry.modify_softbody_shape(&scene, simple ? 0 : c.target);
      return;
    case softbody_dialog::action::remove:
      break;
  }
  sxsdk::shape_class& mesh = *entry.shape;
  if (simple) {
    (void)mesh.delete_attribute_stream(physplug_modify_uuid);
    entry.delete_projection();
    softs.remove(mesh);
    return;
  }
  entry.datas.erase(entry.datas.begin() + c.target);
  if (!entry.regist()) texts::show_unwritten(scene, "soft body settings", mesh.get_name());
  if (entry.datas.empty()) softs.remove(mesh);
}

// The projection gesture: `target` becomes the projection mesh of the active soft body mesh.
bool bind_projection(sxsdk::scene_interface& scene, sxsdk::shape_class& cloth, sxsdk::shape_class& target) {
  softbody_properties s;
  s.shape = &cloth;
  if (!s.get_properties() || !softbody_dialog::simple_case(s)) return false;
  const bool made = s.create_proxcy_mesh(&scene, target);
  texts::show_message_format(scene, made ? "Create Projection Mesh:%s of [%s]" : "Remove Projection Mesh:%s of [%s]",
                             target.get_name(), cloth.get_name());
  return made;
}

}  // namespace

namespace softbody_editor {

bool edit(sxsdk::scene_interface& scene, sxsdk::shape_class& target, softbody_scene_list& softs, bool& result) {
  if (target.get_type() != sxsdk::shape_type::polygon_mesh) return false;
  result = true;
  softs.rebuild(scene.get_root());
  if (softbody_properties* entry = softs.find(target)) {
    if (vertex_editing(scene)) {
      sxsdk::shape_class& first = scene.get_active_shape_at(0);
      if (&first != &target && is_bullet_rigidbody(first) && softbody_dialog::simple_case(*entry))
        entry->assign_optional_anchor(scene, first);
    }
    act_on_choice(scene, *entry, softs);
    return true;
  }
  if (vertex_editing(scene)) {
    sxsdk::shape_class& first = scene.get_active_shape_at(0);
    if (&first != &target && first.get_type() == sxsdk::shape_type::polygon_mesh &&
        property_stream::open(first, physplug_modify_uuid)) {
      result = bind_projection(scene, first, target);
      return true;
    }
  }
  softbody_properties fresh;
  fresh.shape = &target;
  if (!fresh.get_properties()) return true;  // a damaged stream was reported and is kept
  if (!face_editing(scene)) texts::show_message(scene, "Use all meshes");
  if (fresh.modify_softbody_shape(&scene, 0)) softs.append(fresh);
  return true;
}

}  // namespace softbody_editor
