#include "host/scene/scene_handles.hpp"

#include <stdexcept>
#include <string>

#include "host/scene/scene.hpp"

namespace host {

animation_settings_handle::animation_settings_handle(scene& owner) : scene_(&owner) { scene_->AddRef(); }

animation_settings_handle::~animation_settings_handle() { scene_->Release(); }

int animation_settings_handle::get_frame_rate() { return scene_->animation().frame_rate; }

void animation_settings_handle::set_frame_rate(int frames_per_second) {
  if (frames_per_second <= 0) throw std::invalid_argument("frame rate " + std::to_string(frames_per_second));
  scene_->animation().frame_rate = frames_per_second;
}

bool animation_settings_handle::get_playback_option() { return scene_->animation().playback_option; }

void animation_settings_handle::set_playback_option(bool on) { scene_->animation().playback_option = on; }

std::vector<int> element_selection_handle::get_selected_vertices(sxsdk::shape_class& mesh) {
  auto* m = dynamic_cast<polygon_mesh_shape*>(&mesh);
  if (!m) throw_wrong_kind(shape_node::of(mesh), "a polygon mesh");
  return m->selected_vertices();
}

}  // namespace host
