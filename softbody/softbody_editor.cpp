#include "softbody/softbody_editor.hpp"

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "sdk/sxsdk.hpp"
#include "softbody/softbody_dialog.hpp"
#include "softbody/softbody_properties.hpp"
#include "softbody/softbody_scene_list.hpp"

namespace softbody_editor {

void choose_and_act(sxsdk::scene_interface& scene, softbody_properties& entry, softbody_scene_list& softs) {
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

}  // namespace softbody_editor
