#pragma once
// host::scene: the in-memory scene of the headless host. It implements the SDK's
// scene_interface for the plug-in and offers a host-side API for tests, the command line, the
// player and the scene files. Reference counted: make one with scene::create.
//
// The shape tree starts at the root, a simple part named "root". Index numbers follow the
// depth-first order from the root (root 0, sentinels not counted); shape.get_index and
// get_shape_by_index are amortised O(1): the order is cached and rebuilt lazily after a change
// of the tree. Texts and dialogs are borrowed from scene_services (none: get_host and
// create_dialog answer null).
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/player/animation_keys.hpp"
#include "host/scene/joint_state.hpp"
#include "host/scene/line_shape.hpp"
#include "host/scene/message_window.hpp"
#include "host/scene/part_shape.hpp"
#include "host/scene/polygon_mesh_shape.hpp"
#include "host/scene/scene_services.hpp"
#include "host/scene/simple_shapes.hpp"
#include "sdk/host_ref.hpp"
#include "sdk/plugin_interface.hpp"
#include "sdk/scene_interface.hpp"

namespace host {

/// The scene's animation settings (the SDK shows frame rate and playback option).
struct animation_data {
  int frame_rate = 30;           ///< frames per second
  bool playback_option = false;  ///< play every frame in real time
  int start_frame = 0;           ///< first frame the player plays
  int end_frame = 60;            ///< last frame the player plays
};

class scene final : public sxsdk::scene_interface {
 public:
  using vec3 = sx::vec<float, 3>;

  /// A new empty scene (root only) holding one reference for the caller. `services` is
  /// borrowed and must outlive the scene (or be replaced with set_services); null is allowed.
  static sxsdk::host_ref<scene> create(scene_services* services = nullptr);
  ~scene() override;

  // ======================= host-side API =======================

  // --- services and messages ---
  scene_services* services() const { return services_; }
  void set_services(scene_services* services) { services_ = services; }
  message_window& messages() { return messages_; }

  // --- building the tree (each new shape becomes the last son of `dad`, a part) ---
  part_shape& root() { return *root_; }
  /// Throws std::logic_error when `dad` is no part or is removed.
  part_shape& add_part(shape_node& dad, const std::string& name, int part_type = sxsdk::part_type::part);
  polygon_mesh_shape& add_polygon_mesh(shape_node& dad, const std::string& name);
  /// Handles start at their points.
  line_shape& add_line(shape_node& dad, const std::string& name, const std::vector<vec3>& points, bool closed);
  sphere_shape& add_sphere(shape_node& dad, const std::string& name, const vec3& center, const vec3& radius);
  disk_shape& add_disk(shape_node& dad, const std::string& name, const vec3& center, float radius);
  light_shape& add_light(shape_node& dad, const std::string& name, const vec3& position);
  /// Removes a subtree (not the root: std::logic_error): drops every link into it, its active
  /// and selected state, the mesh edit mode of a mesh in it, a camera selection in it, and
  /// makes the root current when the current shape was in it.
  void remove_shape(shape_node& shape);
  /// Moves `shape` (with its sons) to the end of `dad`'s sons; its own transformation is kept.
  /// Throws std::logic_error for the root, a `dad` that is no part of this scene, or a `dad`
  /// inside the moved subtree.
  void move_into(shape_node& shape, shape_node& dad);

  // --- finding shapes ---
  /// The shape at a path of names from the root ("root/World/Ball"); the first son with each
  /// name wins; null when there is none.
  shape_node* find(const std::string& path);
  /// Every shape in depth-first order (index order), sentinels not included.
  const std::vector<shape_node*>& shapes_in_order();
  /// The shape with this index number, or null.
  shape_node* node_at(int index);
  /// Number of shapes in the tree (root included).
  int shape_count();

  // --- creation state ---
  shape_node& current_shape() { return *current_; }
  void set_current_shape(shape_node& shape);
  /// Nesting depth of begin_creating / end_creating.
  int creating_depth() const { return creating_depth_; }

  // --- selection and editing ---
  /// The active shapes, in order (the first is "the" active shape).
  const std::vector<shape_node*>& active_shapes() const { return active_; }
  void set_active_shapes(const std::vector<shape_node*>& shapes);
  /// Enters mesh element editing of `mesh` with a selection mode (sxsdk::selection_mode).
  void begin_mesh_edit(polygon_mesh_shape& mesh, int selection_mode);
  /// The mesh being edited, or null outside mesh editing.
  polygon_mesh_shape* edited_mesh() const { return edited_mesh_; }

  // --- sequence and animation ---
  void set_rendering(bool on) { rendering_ = on; }
  /// Called by set_sequence_mode whenever it changes the mode (with the new mode); the player
  /// uses it to learn that the plug-in left or entered sequence mode. Empty: none.
  void set_sequence_mode_handler(std::function<void(bool)> handler) { sequence_handler_ = std::move(handler); }
  animation_data& animation() { return animation_; }
  /// The keyframes of the scene's parts (host/player/animation_keys.hpp): the player applies
  /// them, the scene files save them.
  animation_keys& keys() { return keys_; }

  // --- camera ---
  camera_state& scene_camera() { return *camera_; }
  /// The selected camera joint, or null for the scene's own camera.
  part_shape* selected_camera_joint() const { return camera_joint_; }
  /// Selects a camera joint (part type 11), or the scene's camera with null.
  void select_camera(part_shape* camera_joint);

  // --- other plug-ins ---
  /// Registers a component under its UUID (adds a reference; replaces an earlier one).
  void register_plugin_interface(const sx::uuid_class& uuid, sxsdk::plugin_interface* component);
  void unregister_plugin_interface(const sx::uuid_class& uuid);
  /// Releases every registered component (before their library is unloaded).
  void clear_plugin_interfaces();

  // --- used by the shapes ---
  void order_changed() { order_valid_ = false; }
  int index_of(const shape_node& shape);
  /// Puts a new shape where the current shape says (sxsdk::shape_class::make_current).
  template <typename Shape>
  Shape& insert_at_current(std::unique_ptr<Shape> shape) {
    Shape& s = *shape;
    place_at_current(std::move(shape));
    return s;
  }

  // ======================= SDK =======================
  sxsdk::shape_class& get_root() override;
  sxsdk::shape_class& get_active_shape() override;
  int get_number_of_active_shapes() override { return static_cast<int>(active_.size()); }
  sxsdk::shape_class& get_active_shape_at(int index) override;
  sxsdk::shape_class* get_shape_by_index(int index) override;

  void begin_creating() override { ++creating_depth_; }
  void end_creating() override;
  sxsdk::part_class& create_part(const char* name) override;
  sxsdk::line_class& create_line(const char* name, int count, const vec3* points, bool closed) override;
  sxsdk::sphere_class& create_sphere(const char* name, const vec3& center, float radius) override;
  sxsdk::disk_class& create_disk(const char* name, const vec3& center, float radius) override;

  sxsdk::dialog_interface* create_dialog() override;
  sxsdk::dialog_interface* create_dialog_for(const sx::uuid_class& uuid) override;
  sxsdk::host_interface* get_host() override;
  void message(const char* text) override;
  void show_error(const char* text) override;
  /// 463042.
  int get_version() override { return 463042; }

  bool is_sequence_mode() override { return sequence_mode_; }
  void set_sequence_mode(bool on) override;
  float get_sequence_value() override { return sequence_value_; }
  void set_sequence_value(float frame) override { sequence_value_ = frame; }
  bool is_rendering() override { return rendering_; }
  sxsdk::animation_settings_interface* get_animation_settings() override;

  bool is_mesh_edit_mode() override { return edited_mesh_ != nullptr; }
  void end_mesh_edit_mode() override;
  int get_selection_mode() override { return selection_mode_; }
  std::vector<int> get_active_vertices() override;

  bool is_bone_joint(sxsdk::shape_class& shape) override;
  sxsdk::bone_joint_interface* get_bone_joint(sxsdk::shape_class& part) override;
  sxsdk::camera_interface* get_camera() override;
  int get_camera_selection() override;
  /// -1 selects the scene's camera; else the index number of a camera joint
  /// (std::invalid_argument for anything else).
  void set_camera_selection(int selection) override;

  sxsdk::plugin_interface* get_plugin_interface(const sx::uuid_class& uuid) override;
  /// The element selection service, for any UUID (a new reference).
  sxsdk::element_selection_interface* get_element_selection_interface(const sx::uuid_class& uuid) override;

 private:
  explicit scene(scene_services* services);
  template <typename Shape>
  Shape& adopt(shape_node& dad, std::unique_ptr<Shape> shape) {
    Shape& s = *shape;
    append_son(dad, std::move(shape));
    return s;
  }
  void append_son(shape_node& dad, std::unique_ptr<shape_node> son);
  void insert_before(shape_node& brother, std::unique_ptr<shape_node> son);
  void place_at_current(std::unique_ptr<shape_node> shape);
  void rebuild_order();
  void forget_removed();

  scene_services* services_;
  message_window messages_;
  std::unique_ptr<part_shape> root_;
  std::unique_ptr<sentinel_shape> top_sentinel_;
  std::vector<std::unique_ptr<shape_node>> removed_;  // parked subtrees (see shape_node.hpp)
  std::vector<shape_node*> order_;
  bool order_valid_ = false;
  shape_node* current_ = nullptr;
  int creating_depth_ = 0;
  std::vector<shape_node*> active_;
  polygon_mesh_shape* edited_mesh_ = nullptr;
  int selection_mode_ = sxsdk::selection_mode::faces;
  bool sequence_mode_ = false;
  float sequence_value_ = 0;
  bool rendering_ = false;
  std::function<void(bool)> sequence_handler_;
  animation_data animation_;
  animation_keys keys_;
  std::shared_ptr<camera_state> camera_ = std::make_shared<camera_state>();
  part_shape* camera_joint_ = nullptr;
  std::map<sx::uuid_class, sxsdk::host_ref<sxsdk::plugin_interface>> plugins_;

  friend class shape_node;
};

}  // namespace host
