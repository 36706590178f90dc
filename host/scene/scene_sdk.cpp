// The SDK face of host::scene: what the plug-in calls.
#include <stdexcept>
#include <string>

#include "host/scene/joint_handles.hpp"
#include "host/scene/scene.hpp"
#include "host/scene/scene_handles.hpp"

namespace host {
namespace {

template <typename T>
T* handed_out(T* object) {
  object->AddRef();
  return object;
}

std::string text_or_empty(const char* text) { return text ? text : ""; }

}  // namespace

// --- shapes ---

sxsdk::shape_class& scene::get_root() { return *root_; }

sxsdk::shape_class& scene::get_active_shape() { return active_.empty() ? root_->sdk() : active_.front()->sdk(); }

sxsdk::shape_class& scene::get_active_shape_at(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= active_.size())
    throw std::out_of_range("active shape " + std::to_string(index) + " of " + std::to_string(active_.size()));
  return active_[static_cast<std::size_t>(index)]->sdk();
}

sxsdk::shape_class* scene::get_shape_by_index(int index) {
  shape_node* s = node_at(index);
  return s ? &s->sdk() : nullptr;
}

// --- creation ---

void scene::end_creating() {
  if (creating_depth_ > 0) --creating_depth_;
}

sxsdk::part_class& scene::create_part(const char* name) {
  return insert_at_current(std::make_unique<part_shape>(*this, text_or_empty(name), sxsdk::part_type::part));
}

sxsdk::line_class& scene::create_line(const char* name, int count, const vec3* points, bool closed) {
  if (count < 0 || (count > 0 && !points)) throw std::invalid_argument("create_line: bad point list");
  auto line = std::make_unique<line_shape>(*this, text_or_empty(name));
  line->set_points(std::vector<vec3>(points, points + count));
  line->set_closed(closed);
  return insert_at_current(std::move(line));
}

sxsdk::sphere_class& scene::create_sphere(const char* name, const vec3& center, float radius) {
  auto sphere = std::make_unique<sphere_shape>(*this, text_or_empty(name));
  sphere->set_center(center);
  sphere->set_radius(vec3(radius, radius, radius));
  return insert_at_current(std::move(sphere));
}

sxsdk::disk_class& scene::create_disk(const char* name, const vec3& center, float radius) {
  auto disk = std::make_unique<disk_shape>(*this, text_or_empty(name));
  disk->set_center(center);
  disk->set_radius(radius);
  disk->set_matrix(sxsdk::mat4::scale(radius, radius, 1));
  return insert_at_current(std::move(disk));
}

// --- dialogs, texts, messages ---

sxsdk::dialog_interface* scene::create_dialog() { return services_ ? services_->create_dialog(nullptr) : nullptr; }

sxsdk::dialog_interface* scene::create_dialog_for(const sx::uuid_class& uuid) {
  return services_ ? services_->create_dialog(&uuid) : nullptr;
}

sxsdk::host_interface* scene::get_host() { return services_ ? services_->get_host() : nullptr; }

void scene::message(const char* text) { messages_.add(message_window::kind::message, text_or_empty(text)); }

void scene::show_error(const char* text) { messages_.add(message_window::kind::error, text_or_empty(text)); }

// --- sequence ---

void scene::set_sequence_mode(bool on) {
  if (on == sequence_mode_) return;
  sequence_mode_ = on;
  if (sequence_handler_) sequence_handler_(on);
}

sxsdk::animation_settings_interface* scene::get_animation_settings() {
  return handed_out(new animation_settings_handle(*this));
}

// --- mesh editing ---

void scene::end_mesh_edit_mode() { edited_mesh_ = nullptr; }

std::vector<int> scene::get_active_vertices() {
  return edited_mesh_ ? edited_mesh_->selected_vertices() : std::vector<int>();
}

// --- joints and camera ---

bool scene::is_bone_joint(sxsdk::shape_class& shape) {
  const auto* part = dynamic_cast<const part_shape*>(&shape);
  return part && part->is_bone_joint();
}

sxsdk::bone_joint_interface* scene::get_bone_joint(sxsdk::shape_class& shape) {
  auto* part = dynamic_cast<part_shape*>(&shape);
  if (!part || !part->is_bone_joint()) throw_wrong_kind(shape_node::of(shape), "a bone joint");
  return handed_out(new bone_joint_handle(part->shared_joint()));
}

sxsdk::camera_interface* scene::get_camera() {
  return handed_out(new camera_handle(camera_joint_ ? camera_joint_->camera() : camera_));
}

int scene::get_camera_selection() { return camera_joint_ ? camera_joint_->index() : -1; }

void scene::set_camera_selection(int selection) {
  if (selection == -1) return select_camera(nullptr);
  auto* part = dynamic_cast<part_shape*>(node_at(selection));
  if (!part || part->get_part_type() != sxsdk::part_type::camera_joint)
    throw std::invalid_argument("camera selection " + std::to_string(selection) + " is no camera joint");
  select_camera(part);
}

// --- other plug-ins ---

sxsdk::plugin_interface* scene::get_plugin_interface(const sx::uuid_class& uuid) {
  auto it = plugins_.find(uuid);
  if (it == plugins_.end()) return nullptr;
  return handed_out(it->second.get());
}

sxsdk::element_selection_interface* scene::get_element_selection_interface(const sx::uuid_class&) {
  return handed_out(new element_selection_handle());
}

}  // namespace host
