// constraints_properties: the "Modify Bullet Joint" dialog.
#include <string>
#include <vector>

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "joints/constraints_dialog_section.hpp"
#include "joints/constraints_properties.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/sxsdk.hpp"

namespace {

using shape_list = std::vector<sxsdk::shape_class*>;

// The rigid-body brothers that come before the joint (the first body's candidates).
shape_list brothers_before(sxsdk::shape_class& joint) {
  shape_list found;
  sxsdk::shape_class* dad = joint.get_dad();
  if (!dad) return found;
  const int own = joint.get_index();
  for (sxsdk::shape_class& bro : sxsdk::sons(*dad)) {
    if (own > 0 && bro.get_index() > own) break;
    if (is_bullet_rigidbody(bro)) found.push_back(&bro);
  }
  return found;
}

// The joint's own rigid-body sons (the second body's candidates).
shape_list rigid_sons(sxsdk::shape_class& joint) {
  shape_list found;
  for (sxsdk::shape_class& son : sxsdk::sons(joint))
    if (is_bullet_rigidbody(son)) found.push_back(&son);
  return found;
}

// "Rigid0/Ball/Box": a "/" inside a name would split it into two choices and shift every later
// index, so that the wrong body is stored; it is shown as "_".
std::string choices(const std::string& label, const shape_list& shapes) {
  std::string text = label;
  for (sxsdk::shape_class* s : shapes) {
    std::string name = s->get_name();
    for (char& c : name)
      if (c == '/') c = '_';
    text += "/" + name;
  }
  return text;
}

// A selection of bodies, appended only when there is a candidate; -1 otherwise.
int append_bodies(sxsdk::scene_interface& scene, sxsdk::dialog_interface& d, const char* id, const shape_list& s) {
  if (s.empty()) return -1;
  const int item = d.append_selection(choices(texts::get_text(scene, id), s).c_str());
  d.set_default_int(item, 0);
  d.set_int(item, 0);
  return item;
}

sxsdk::shape_class* chosen(sxsdk::dialog_interface& d, int item, const shape_list& s) {
  if (item < 0) return nullptr;
  const int k = d.get_int(item);
  return k >= 0 && k < static_cast<int>(s.size()) ? s[static_cast<std::size_t>(k)] : s.front();
}

}  // namespace

bool constraints_properties::modify_bullet_constraints(sxsdk::scene_interface* scene) {
  if (!joint() || !scene) return false;
  sxsdk::host_ref<sxsdk::dialog_interface> dialog(scene->create_dialog());
  if (!dialog) return false;
  dialog->set_title(texts::get_text(*scene, "Modify Bullet Joint").c_str());
  const shape_list firsts = brothers_before(*joint());
  const shape_list seconds = rigid_sons(*joint());
  if (seconds.empty()) texts::show_message(*scene, "No RigidBody");
  const int remove = dialog->append_bool(texts::get_text(*scene, "Delete Constraints").c_str());
  dialog->set_default_bool(remove, false);
  dialog->set_bool(remove, false);
  const int first = append_bodies(*scene, *dialog, "Rigid0", firsts);
  const int second = append_bodies(*scene, *dialog, "Rigid1", seconds);
  constraints_dialog_section section(*scene, *dialog);
  section.show(*this);
  if (!dialog->ask()) {
    texts::show_message(*scene, "Terminated");
    return false;
  }
  if (dialog->get_bool(remove)) {
    (void)joint()->delete_attribute_stream(physplug_modify_uuid);
    return true;
  }
  rigid0 = chosen(*dialog, first, firsts);
  rigid1 = chosen(*dialog, second, seconds);
  section.read(*this);
  (void)adjust_limits();
  (void)set_transrate_data_and_motion();
  if (!regist()) texts::show_unwritten(*scene, "joint settings", joint()->get_name());
  return true;
}
