#include "softbody/softbody_scene_list.hpp"

#include <algorithm>

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "properties/property_stream.hpp"
#include "sdk/sxsdk.hpp"

namespace {

// Parts of these kinds hold no shapes of the simulation.
bool walked_into(sxsdk::shape_class& shape) {
  if (shape.get_type() != sxsdk::shape_type::part) return false;
  const int kind = shape.get_part().get_part_type();
  return kind != 100 && kind != 102 && kind != 103;
}

}  // namespace

void softbody_scene_list::rebuild(sxsdk::shape_class& root) {
  softs_.clear();
  create_(root);
}

void softbody_scene_list::create_(sxsdk::shape_class& shape) {
  if (shape.get_type() == sxsdk::shape_type::polygon_mesh && property_stream::open(shape, physplug_modify_uuid)) {
    softbody_properties mesh;
    mesh.shape = &shape;
    if (mesh.get_properties()) softs_.push_back(std::move(mesh));
  }
  if (!walked_into(shape)) return;
  for (sxsdk::shape_class& son : sxsdk::sons(shape)) create_(son);
}

void softbody_scene_list::browser_updated(sxsdk::scene_interface& scene) {
  sxsdk::shape_class& active = scene.get_active_shape();
  const int number = active.get_index();
  if (&active != browser_shape_ || number == browser_number_) {
    browser_shape_ = &active;
    browser_number_ = number;
    return;
  }
  browser_number_ = number;
  if (number == 0) return;
  rebuild(scene.get_root());  // shapes may have come and gone since the list was made
  for (softbody_properties& mesh : softs_)
    if (!mesh.regist()) texts::show_unwritten(scene, "soft body settings", mesh.mesh_name());
}

softbody_properties* softbody_scene_list::find(const sxsdk::shape_class& mesh) {
  const auto found =
      std::find_if(softs_.begin(), softs_.end(), [&](const softbody_properties& p) { return p.shape == &mesh; });
  return found != softs_.end() ? &*found : nullptr;
}

void softbody_scene_list::remove(const sxsdk::shape_class& mesh) {
  softs_.erase(
      std::remove_if(softs_.begin(), softs_.end(), [&](const softbody_properties& p) { return p.shape == &mesh; }),
      softs_.end());
}
