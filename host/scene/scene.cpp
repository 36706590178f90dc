#include "host/scene/scene.hpp"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>

namespace host {

sxsdk::host_ref<scene> scene::create(scene_services* services) {
  auto* s = new scene(services);
  s->AddRef();
  return sxsdk::host_ref<scene>(s);
}

scene::scene(scene_services* services)
    : services_(services),
      root_(std::make_unique<part_shape>(*this, "root", sxsdk::part_type::part)),
      top_sentinel_(std::make_unique<sentinel_shape>(*this, nullptr)),
      current_(root_.get()) {}

// Components registered by plug-ins go first: their destructors may still look at the scene.
scene::~scene() { clear_plugin_interfaces(); }

// --- building the tree ---

void scene::append_son(shape_node& dad, std::unique_ptr<shape_node> son) {
  if (dad.type() != sxsdk::shape_type::part || dad.removed())
    throw std::logic_error("cannot add \"" + son->name() + "\" under \"" + dad.path() + "\": not a part of the scene");
  shape_node* s = son.get();  // the assignment below moves `son` before its left side is evaluated
  s->dad_ = &dad;
  s->self_ = dad.sons_.insert(dad.sons_.end(), std::move(son));
  order_changed();
}

void scene::insert_before(shape_node& brother, std::unique_ptr<shape_node> son) {
  shape_node* dad = brother.dad_;
  if (!dad) throw std::logic_error("cannot add a brother to \"" + brother.path() + "\"");
  shape_node* s = son.get();
  s->dad_ = dad;
  s->self_ = dad->sons_.insert(brother.self_, std::move(son));
  order_changed();
}

void scene::place_at_current(std::unique_ptr<shape_node> shape) {
  shape_node& c = *current_;
  const auto* part = dynamic_cast<const part_shape*>(&c);
  const bool container =
      part && (part->get_part_type() == sxsdk::part_type::part || part->get_part_type() == sxsdk::part_type::surface);
  // The root is always a simple part, so the brother case never reaches it.
  if (container)
    append_son(c, std::move(shape));
  else
    insert_before(c, std::move(shape));
}

part_shape& scene::add_part(shape_node& dad, const std::string& name, int part_type) {
  return adopt(dad, std::make_unique<part_shape>(*this, name, part_type));
}

polygon_mesh_shape& scene::add_polygon_mesh(shape_node& dad, const std::string& name) {
  return adopt(dad, std::make_unique<polygon_mesh_shape>(*this, name));
}

line_shape& scene::add_line(shape_node& dad, const std::string& name, const std::vector<vec3>& points, bool closed) {
  auto line = std::make_unique<line_shape>(*this, name);
  line->set_points(points);
  line->set_closed(closed);
  return adopt(dad, std::move(line));
}

sphere_shape& scene::add_sphere(shape_node& dad, const std::string& name, const vec3& center, const vec3& radius) {
  auto sphere = std::make_unique<sphere_shape>(*this, name);
  sphere->set_center(center);
  sphere->set_radius(radius);
  return adopt(dad, std::move(sphere));
}

namespace {
std::unique_ptr<disk_shape> make_disk(scene& s, const std::string& name, const sx::vec<float, 3>& center,
                                      float radius) {
  auto disk = std::make_unique<disk_shape>(s, name);
  disk->set_center(center);
  disk->set_radius(radius);
  disk->set_matrix(sxsdk::mat4::scale(radius, radius, 1));
  return disk;
}
}  // namespace

disk_shape& scene::add_disk(shape_node& dad, const std::string& name, const vec3& center, float radius) {
  return adopt(dad, make_disk(*this, name, center, radius));
}

light_shape& scene::add_light(shape_node& dad, const std::string& name, const vec3& position) {
  auto light = std::make_unique<light_shape>(*this, name);
  light->set_position(position);
  return adopt(dad, std::move(light));
}

// --- removal ---

namespace {
void mark_removed(shape_node& s, std::unordered_set<const shape_node*>& gone) {
  gone.insert(&s);
  for (shape_node* son : s.sons()) mark_removed(*son, gone);
}
}  // namespace

void scene::remove_shape(shape_node& shape) {
  if (&shape == root_.get()) throw std::logic_error("the root cannot be removed");
  if (shape.removed() || &shape.owner() != this || !shape.dad_) throw std::logic_error("shape is not in this scene");
  std::unordered_set<const shape_node*> gone;
  mark_removed(shape, gone);
  for (const shape_node* s : gone) const_cast<shape_node*>(s)->removed_ = true;
  shape_node* dad = shape.dad_;
  removed_.push_back(std::move(*shape.self_));
  dad->sons_.erase(shape.self_);
  shape.dad_ = nullptr;
  order_changed();
  forget_removed();
}

void scene::move_into(shape_node& shape, shape_node& dad) {
  if (&shape == root_.get() || shape.removed() || &shape.owner() != this || !shape.dad_)
    throw std::logic_error("\"" + shape.path() + "\" cannot be moved");
  for (const shape_node* up = &dad; up; up = up->dad_)
    if (up == &shape) throw std::logic_error("\"" + shape.path() + "\" cannot be moved inside itself");
  if (dad.type() != sxsdk::shape_type::part || dad.removed() || &dad.owner() != this)
    throw std::logic_error("cannot move \"" + shape.path() + "\" under \"" + dad.path() +
                           "\": not a part of the scene");
  shape_node* old = shape.dad_;
  std::unique_ptr<shape_node> moved = std::move(*shape.self_);
  old->sons_.erase(shape.self_);
  shape.dad_ = &dad;
  shape.self_ = dad.sons_.insert(dad.sons_.end(), std::move(moved));
  order_changed();
}

// Drops every reference the scene state holds into removed shapes.
void scene::forget_removed() {
  for (shape_node* s : shapes_in_order()) s->drop_links_to_removed();
  active_.erase(std::remove_if(active_.begin(), active_.end(), [](shape_node* s) { return s->removed(); }),
                active_.end());
  if (current_->removed()) current_ = root_.get();
  if (edited_mesh_ && edited_mesh_->removed()) edited_mesh_ = nullptr;
  if (camera_joint_ && camera_joint_->removed()) camera_joint_ = nullptr;
}

// --- finding shapes and index numbers ---

void scene::rebuild_order() {
  order_.clear();
  std::vector<shape_node*> stack{root_.get()};
  while (!stack.empty()) {
    shape_node* s = stack.back();
    stack.pop_back();
    s->index_ = static_cast<int>(order_.size());
    order_.push_back(s);
    for (auto it = s->sons_.rbegin(); it != s->sons_.rend(); ++it) stack.push_back(it->get());
  }
  order_valid_ = true;
}

const std::vector<shape_node*>& scene::shapes_in_order() {
  if (!order_valid_) rebuild_order();
  return order_;
}

int scene::index_of(const shape_node& shape) {
  if (!order_valid_) rebuild_order();
  return shape.index_;
}

shape_node* scene::node_at(int index) {
  const auto& order = shapes_in_order();
  return index >= 0 && static_cast<std::size_t>(index) < order.size() ? order[static_cast<std::size_t>(index)]
                                                                      : nullptr;
}

int scene::shape_count() { return static_cast<int>(shapes_in_order().size()); }

shape_node* scene::find(const std::string& path) {
  std::size_t start = 0;
  shape_node* at = nullptr;
  while (start <= path.size()) {
    const std::size_t slash = std::min(path.find('/', start), path.size());
    const std::string name = path.substr(start, slash - start);
    if (!at) {
      if (name != root_->name()) return nullptr;
      at = root_.get();
    } else {
      auto it = std::find_if(at->sons_.begin(), at->sons_.end(), [&](const auto& s) { return s->name() == name; });
      if (it == at->sons_.end()) return nullptr;
      at = it->get();
    }
    start = slash + 1;
  }
  return at;
}

// --- creation state, selection, editing, camera, plug-ins ---

void scene::set_current_shape(shape_node& shape) {
  if (shape.removed() || &shape.owner() != this || shape.type() == sxsdk::shape_type::sentinel)
    throw std::logic_error("only a shape of this scene can be current");
  current_ = &shape;
}

void scene::set_active_shapes(const std::vector<shape_node*>& shapes) {
  for (const shape_node* s : shapes)
    if (!s || s->removed() || &s->owner() != this || s->type() == sxsdk::shape_type::sentinel)
      throw std::logic_error("only shapes of this scene can be active");
  active_ = shapes;
}

void scene::begin_mesh_edit(polygon_mesh_shape& mesh, int selection_mode) {
  if (mesh.removed() || &mesh.owner() != this) throw std::logic_error("mesh is not in this scene");
  if (selection_mode < sxsdk::selection_mode::faces || selection_mode > sxsdk::selection_mode::vertices)
    throw std::invalid_argument("selection mode " + std::to_string(selection_mode));
  edited_mesh_ = &mesh;
  selection_mode_ = selection_mode;
}

void scene::select_camera(part_shape* camera_joint) {
  if (camera_joint && (camera_joint->get_part_type() != sxsdk::part_type::camera_joint || camera_joint->removed()))
    throw std::invalid_argument("not a camera joint of this scene");
  camera_joint_ = camera_joint;
}

void scene::register_plugin_interface(const sx::uuid_class& uuid, sxsdk::plugin_interface* component) {
  if (!component) return unregister_plugin_interface(uuid);
  component->AddRef();
  plugins_[uuid] = sxsdk::host_ref<sxsdk::plugin_interface>(component);
}

void scene::unregister_plugin_interface(const sx::uuid_class& uuid) { plugins_.erase(uuid); }

void scene::clear_plugin_interfaces() { plugins_.clear(); }

}  // namespace host
