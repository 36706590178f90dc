#pragma once
// A polygon mesh whose shape and vertices can be bound to joints. The headless host has no
// skinning (every skin there has no binds), so the skin paths of the geometry code are
// exercised on this stand-in. Every call the geometry code has no business making throws.
#include <stdexcept>
#include <vector>

#include "sdk/sxsdk.hpp"

namespace geometry_test {

/// A skin with a number of binds and the world matrix they make.
class fixed_skin final : public sxsdk::skin_class {
 public:
  int binds = 0;
  sxsdk::mat4 world;
  int get_number_of_binds() const override { return binds; }
  sxsdk::mat4 get_skin_world_matrix() const override { return world; }
};

/// What happened to the update brackets a shape handed out.
struct token_log {
  int begun = 0, ended = 0, released = 0;
};

class logging_token final : public sxsdk::update_token_interface {
 public:
  explicit logging_token(token_log& log) : log_(log) { ++log_.begun; }
  ~logging_token() override { ++log_.released; }
  void end() override { ++log_.ended; }

 private:
  token_log& log_;
};

class skinned_mesh final : public sxsdk::polygon_mesh_class {
 public:
  class skinned_vertex final : public sxsdk::vertex_class {
   public:
    sx::vec<float, 3> position;
    fixed_skin skin;
    bool refuse_writes = false;  ///< set_position throws, as a failing host call would
    sx::vec<float, 3> get_position() const override { return position; }
    void set_position(const sx::vec<float, 3>& p) override {
      if (refuse_writes) throw std::runtime_error("vertex is locked");
      position = p;
    }
    sxsdk::skin_class& get_skin() override { return skin; }
  };

  std::vector<skinned_vertex> vertices;
  fixed_skin skin;  ///< the shape's own skin
  sxsdk::mat4 local_to_world;
  sxsdk::mat4 world_to_local;
  token_log tokens;
  int type_code = sxsdk::shape_type::polygon_mesh;  ///< what get_type answers

  // --- what the geometry code may ask of a mesh ---
  int get_type() const override { return type_code; }
  int get_number_of_points() const override { return get_number_of_vertices(); }
  int get_number_of_vertices() const override { return static_cast<int>(vertices.size()); }
  sxsdk::vertex_class& vertex(int index) override { return vertices.at(static_cast<std::size_t>(index)); }
  sxsdk::polygon_mesh_class& get_polygon_mesh() override { return *this; }
  sxsdk::skin_class& get_skin() override { return skin; }
  sxsdk::mat4 get_transformation() const override { return {}; }
  sxsdk::mat4 get_local_to_world_matrix() const override { return local_to_world; }
  sxsdk::mat4 get_world_to_local_matrix() const override { return world_to_local; }
  sxsdk::update_token_interface* begin_update() override {
    auto* token = new logging_token(tokens);
    token->AddRef();
    return token;
  }
  sxsdk::scene_interface* get_scene() override { return nullptr; }
  bool is_ball_joint() const override { return false; }
  bool is_rotator_joint() const override { return false; }
  bool is_slider_joint() const override { return false; }
  bool is_scale_joint() const override { return false; }
  bool is_uniscale_joint() const override { return false; }

  // --- everything else is out of bounds here ---
  [[noreturn]] static void unused() { throw std::logic_error("skinned_mesh: call not expected"); }
  std::string get_name() const override { unused(); }
  void set_name(const char*) override { unused(); }
  int get_index() const override { unused(); }
  bool has_son() const override { return false; }
  sxsdk::shape_class& get_son() override { unused(); }
  sxsdk::shape_class& get_bro() override { unused(); }
  sxsdk::shape_class& get_sentinel() override { unused(); }
  sxsdk::shape_class* get_dad() override { unused(); }
  sxsdk::part_class& get_part() override { unused(); }
  sxsdk::line_class& get_line() override { unused(); }
  sxsdk::sphere_class& get_sphere() override { unused(); }
  sxsdk::disk_class& get_disk() override { unused(); }
  sxsdk::light_class& get_light() override { unused(); }
  sxsdk::ball_joint_interface* get_ball_joint() override { unused(); }
  sxsdk::joint_interface* get_joint() override { unused(); }
  sxsdk::joint_motion_interface* get_joint_motion() override { unused(); }
  void apply_transformation(const sxsdk::mat4&) override { unused(); }
  void transform(const sxsdk::mat4&) override { unused(); }
  sxsdk::control_point_class& control_point(int) override { unused(); }
  sx::vec<float, 3> get_sweep() const override { unused(); }
  void set_sweep(const sx::vec<float, 3>&) override { unused(); }
  void set_revolution_axis(const sx::vec<float, 3>&, const sx::vec<float, 3>&) override { unused(); }
  int get_visible() const override { unused(); }
  void set_visible(int) override { unused(); }
  void set_render_flag(bool) override { unused(); }
  bool get_render_flag() const override { unused(); }
  bool get_selected() const override { unused(); }
  void set_selected(bool) override { unused(); }
  void set_active() override { unused(); }
  void make_current() override { unused(); }
  void remove() override { unused(); }
  sxsdk::stream_interface* get_attribute_stream(const sx::uuid_class&) override { unused(); }
  sxsdk::stream_interface* create_attribute_stream(const sx::uuid_class&, const sx::uuid_class&, const sx::uuid_class&,
                                                   const sx::uuid_class&) override {
    unused();
  }
  bool delete_attribute_stream(const sx::uuid_class&) override { unused(); }
  void add_link(const sx::uuid_class&, sxsdk::shape_class&) override { unused(); }
  int get_links(const sx::uuid_class&, sxsdk::shape_class**) override { unused(); }
  bool remove_link(const sx::uuid_class&, sxsdk::shape_class&) override { unused(); }
  int get_number_of_faces() const override { return 0; }
  sxsdk::face_class& face(int) override { unused(); }
  int get_number_of_active_vertices() const override { return 0; }
  std::vector<int> get_active_faces() const override { return {}; }
};

}  // namespace geometry_test
