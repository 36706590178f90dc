#pragma once
// A test double of a scene shape whose host fails while its attribute streams are looked up
// (a broken attribute). Only its kind and its scene answer; every other call throws, so a test
// also learns when the code under test touches the shape more than it should.
#include <stdexcept>
#include <string>

#include "sdk/sxsdk.hpp"

namespace properties_test {

class throwing_stream_shape final : public sxsdk::shape_class {
 public:
  using mat4 = sxsdk::mat4;
  using part_class = sxsdk::part_class;
  using polygon_mesh_class = sxsdk::polygon_mesh_class;
  using line_class = sxsdk::line_class;
  using sphere_class = sxsdk::sphere_class;
  using disk_class = sxsdk::disk_class;
  using light_class = sxsdk::light_class;
  using ball_joint_interface = sxsdk::ball_joint_interface;
  using joint_interface = sxsdk::joint_interface;
  using joint_motion_interface = sxsdk::joint_motion_interface;
  using control_point_class = sxsdk::control_point_class;
  using update_token_interface = sxsdk::update_token_interface;
  using skin_class = sxsdk::skin_class;
  using stream_interface = sxsdk::stream_interface;
  using scene_interface = sxsdk::scene_interface;

  /// A shape of `type` (not a part) that belongs to `scene`.
  throwing_stream_shape(int type, sxsdk::scene_interface& scene) : type_(type), scene_(scene) {}
  ~throwing_stream_shape() = default;

  int get_type() const override { return type_; }
  std::string get_name() const override { throw std::logic_error("not used"); }
  void set_name(const char* /*name*/) override { throw std::logic_error("not used"); }
  int get_index() const override { throw std::logic_error("not used"); }
  bool has_son() const override { throw std::logic_error("not used"); }
  shape_class& get_son() override { throw std::logic_error("not used"); }
  shape_class& get_bro() override { throw std::logic_error("not used"); }
  shape_class& get_sentinel() override { throw std::logic_error("not used"); }
  shape_class* get_dad() override { throw std::logic_error("not used"); }
  scene_interface* get_scene() override {
    scene_.AddRef();
    return &scene_;
  }
  part_class& get_part() override { throw std::logic_error("not used"); }
  polygon_mesh_class& get_polygon_mesh() override { throw std::logic_error("not used"); }
  line_class& get_line() override { throw std::logic_error("not used"); }
  sphere_class& get_sphere() override { throw std::logic_error("not used"); }
  disk_class& get_disk() override { throw std::logic_error("not used"); }
  light_class& get_light() override { throw std::logic_error("not used"); }
  bool is_ball_joint() const override { throw std::logic_error("not used"); }
  bool is_rotator_joint() const override { throw std::logic_error("not used"); }
  bool is_slider_joint() const override { throw std::logic_error("not used"); }
  bool is_scale_joint() const override { throw std::logic_error("not used"); }
  bool is_uniscale_joint() const override { throw std::logic_error("not used"); }
  ball_joint_interface* get_ball_joint() override { throw std::logic_error("not used"); }
  joint_interface* get_joint() override { throw std::logic_error("not used"); }
  joint_motion_interface* get_joint_motion() override { throw std::logic_error("not used"); }
  mat4 get_transformation() const override { throw std::logic_error("not used"); }
  mat4 get_local_to_world_matrix() const override { throw std::logic_error("not used"); }
  mat4 get_world_to_local_matrix() const override { throw std::logic_error("not used"); }
  void apply_transformation(const mat4& /*m*/) override { throw std::logic_error("not used"); }
  void transform(const mat4& /*m*/) override { throw std::logic_error("not used"); }
  int get_number_of_points() const override { throw std::logic_error("not used"); }
  control_point_class& control_point(int /*index*/) override { throw std::logic_error("not used"); }
  sx::vec<float, 3> get_sweep() const override { throw std::logic_error("not used"); }
  void set_sweep(const sx::vec<float, 3>& /*sweep*/) override { throw std::logic_error("not used"); }
  void set_revolution_axis(const sx::vec<float, 3>& /*p0*/, const sx::vec<float, 3>& /*p1*/) override {
    throw std::logic_error("not used");
  }
  update_token_interface* begin_update() override { throw std::logic_error("not used"); }
  skin_class& get_skin() override { throw std::logic_error("not used"); }
  int get_visible() const override { throw std::logic_error("not used"); }
  void set_visible(int /*flags*/) override { throw std::logic_error("not used"); }
  void set_render_flag(bool /*on*/) override { throw std::logic_error("not used"); }
  bool get_render_flag() const override { throw std::logic_error("not used"); }
  bool get_selected() const override { throw std::logic_error("not used"); }
  void set_selected(bool /*on*/) override { throw std::logic_error("not used"); }
  void set_active() override { throw std::logic_error("not used"); }
  void make_current() override { throw std::logic_error("not used"); }
  void remove() override { throw std::logic_error("not used"); }
  stream_interface* get_attribute_stream(const sx::uuid_class& /*uuid*/) override {
    throw std::runtime_error("broken attribute");
  }
  stream_interface* create_attribute_stream(const sx::uuid_class& /*uuid*/, const sx::uuid_class& /*id0*/,
                                            const sx::uuid_class& /*id1*/, const sx::uuid_class& /*id2*/) override {
    throw std::logic_error("not used");
  }
  bool delete_attribute_stream(const sx::uuid_class& /*uuid*/) override { throw std::logic_error("not used"); }
  void add_link(const sx::uuid_class& /*uuid*/, shape_class& /*target*/) override {
    throw std::logic_error("not used");
  }
  int get_links(const sx::uuid_class& /*uuid*/, shape_class** /*out*/) override { throw std::logic_error("not used"); }
  bool remove_link(const sx::uuid_class& /*uuid*/, shape_class& /*target*/) override {
    throw std::logic_error("not used");
  }

 private:
  int type_;
  sxsdk::scene_interface& scene_;
};

}  // namespace properties_test
