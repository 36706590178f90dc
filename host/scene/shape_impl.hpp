#pragma once
// host::shape_impl<Base>: the SDK face every kind of shape shares. Base is the SDK class of the
// kind (sxsdk::part_class, sxsdk::polygon_mesh_class, ... or sxsdk::shape_class itself); the
// state lives in host::shape_node. Typed views and joint interfaces throw std::logic_error
// here; the kinds that have them override.
#include <stdexcept>
#include <string>

#include "host/scene/shape_node.hpp"
#include "sdk/shape_class.hpp"

namespace host {

/// Throws std::logic_error naming the shape and what was asked of it.
[[noreturn]] void throw_wrong_kind(const shape_node& shape, const char* what);

/// The SDK calls every kind answers alike, written once (defined in shape_impl.cpp).
namespace shape_calls {
sxsdk::scene_interface* get_scene(shape_node& s);
sxsdk::stream_interface* get_attribute_stream(shape_node& s, const sx::uuid_class& uuid);
sxsdk::stream_interface* create_attribute_stream(shape_node& s, const sx::uuid_class& uuid);
void add_link(shape_node& s, const sx::uuid_class& uuid, sxsdk::shape_class& target);
int get_links(shape_node& s, const sx::uuid_class& uuid, sxsdk::shape_class** out);
bool remove_link(shape_node& s, const sx::uuid_class& uuid, sxsdk::shape_class& target);
sxsdk::update_token_interface* begin_update(shape_node& s);
sxsdk::skin_class& no_skin();
void set_active(shape_node& s);
void make_current(shape_node& s);
void remove(shape_node& s);
}  // namespace shape_calls

template <typename Base>
class shape_impl : public Base, public shape_node {
 public:
  using shape_node::shape_node;

  sxsdk::shape_class& sdk() override { return *this; }

  // --- identity and tree ---
  int get_type() const override { return type(); }
  std::string get_name() const override { return name(); }
  void set_name(const char* n) override { rename(n ? n : ""); }
  int get_index() const override { return index(); }
  bool has_son() const override { return has_sons(); }
  sxsdk::shape_class& get_son() override { return first_son_or_sentinel().sdk(); }
  sxsdk::shape_class& get_bro() override { return next_or_sentinel().sdk(); }
  sxsdk::shape_class& get_sentinel() override { return list_sentinel().sdk(); }
  sxsdk::shape_class* get_dad() override { return dad() ? &dad()->sdk() : nullptr; }
  sxsdk::scene_interface* get_scene() override { return shape_calls::get_scene(*this); }

  // --- typed views ---
  sxsdk::part_class& get_part() override { throw_wrong_kind(*this, "a part"); }
  sxsdk::polygon_mesh_class& get_polygon_mesh() override { throw_wrong_kind(*this, "a polygon mesh"); }
  sxsdk::line_class& get_line() override { throw_wrong_kind(*this, "a line"); }
  sxsdk::sphere_class& get_sphere() override { throw_wrong_kind(*this, "a sphere"); }
  sxsdk::disk_class& get_disk() override { throw_wrong_kind(*this, "a disk"); }
  sxsdk::light_class& get_light() override { throw_wrong_kind(*this, "a light"); }

  // --- joints ---
  bool is_ball_joint() const override { return false; }
  bool is_rotator_joint() const override { return false; }
  bool is_slider_joint() const override { return false; }
  bool is_scale_joint() const override { return false; }
  bool is_uniscale_joint() const override { return false; }
  sxsdk::ball_joint_interface* get_ball_joint() override { throw_wrong_kind(*this, "a ball joint"); }
  sxsdk::joint_interface* get_joint() override { throw_wrong_kind(*this, "a one-value joint"); }
  sxsdk::joint_motion_interface* get_joint_motion() override { throw_wrong_kind(*this, "a joint"); }

  // --- transformations ---
  sxsdk::mat4 get_transformation() const override { return own_transformation(); }
  sxsdk::mat4 get_local_to_world_matrix() const override { return local_to_world(); }
  sxsdk::mat4 get_world_to_local_matrix() const override { return world_to_local(); }
  void apply_transformation(const sxsdk::mat4& m) override { apply_after(m); }
  void transform(const sxsdk::mat4& m) override { apply_before(m); }

  // --- geometry ---
  int get_number_of_points() const override { return number_of_points(); }
  sxsdk::control_point_class& control_point(int) override { throw_wrong_kind(*this, "a line"); }
  sx::vec<float, 3> get_sweep() const override { return {}; }
  void set_sweep(const sx::vec<float, 3>&) override { throw_wrong_kind(*this, "a line or disk"); }
  void set_revolution_axis(const sx::vec<float, 3>&, const sx::vec<float, 3>&) override {
    throw_wrong_kind(*this, "a line");
  }
  sxsdk::update_token_interface* begin_update() override { return shape_calls::begin_update(*this); }
  sxsdk::skin_class& get_skin() override { return shape_calls::no_skin(); }

  // --- state ---
  int get_visible() const override { return visible; }
  void set_visible(int flags) override { visible = flags; }
  void set_render_flag(bool on) override { render_flag = on; }
  bool get_render_flag() const override { return render_flag; }
  bool get_selected() const override { return selected; }
  void set_selected(bool on) override { selected = on; }
  void set_active() override { shape_calls::set_active(*this); }
  void make_current() override { shape_calls::make_current(*this); }
  void remove() override { shape_calls::remove(*this); }

  // --- attribute streams and links ---
  sxsdk::stream_interface* get_attribute_stream(const sx::uuid_class& uuid) override {
    return shape_calls::get_attribute_stream(*this, uuid);
  }
  sxsdk::stream_interface* create_attribute_stream(const sx::uuid_class& uuid, const sx::uuid_class&,
                                                   const sx::uuid_class&, const sx::uuid_class&) override {
    return shape_calls::create_attribute_stream(*this, uuid);
  }
  bool delete_attribute_stream(const sx::uuid_class& uuid) override { return erase_stream(uuid); }
  void add_link(const sx::uuid_class& uuid, sxsdk::shape_class& target) override {
    shape_calls::add_link(*this, uuid, target);
  }
  int get_links(const sx::uuid_class& uuid, sxsdk::shape_class** out = nullptr) override {
    return shape_calls::get_links(*this, uuid, out);
  }
  bool remove_link(const sx::uuid_class& uuid, sxsdk::shape_class& target) override {
    return shape_calls::remove_link(*this, uuid, target);
  }
};

}  // namespace host
