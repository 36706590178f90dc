#pragma once
// The small kinds of shape: sphere, disk, light, and the sentinel that ends every list of sons.
// Lengths in millimetres, in the shape's local coordinates.
#include "host/scene/shape_impl.hpp"
#include "sdk/disk_class.hpp"
#include "sdk/light_class.hpp"
#include "sdk/sphere_class.hpp"

namespace host {

/// A sphere (an ellipsoid in general: its radius is a vector).
class sphere_shape final : public shape_impl<sxsdk::sphere_class> {
 public:
  using vec3 = sx::vec<float, 3>;
  sphere_shape(scene& owner, std::string name) : shape_impl(owner, std::move(name)) {}
  int type() const override { return sxsdk::shape_type::sphere; }
  sxsdk::sphere_class& get_sphere() override { return *this; }

  float get_radius() const override { return radius_.x; }
  vec3 get_radius_vector() const override { return radius_; }
  void set_radius(const vec3& r) override { radius_ = r; }
  vec3 get_center() const override { return center_; }
  void set_center(const vec3& c) override { center_ = c; }
  /// The centre as a point; each radius component scaled by the length of m's matching row.
  void transform_points(const sxsdk::mat4& m) override;

 private:
  vec3 center_;
  vec3 radius_{100, 100, 100};
};

/// A disk: centre, radius, orientation matrix (its first two rows span the disk, scaled by the
/// radius: (R,0,0) and (0,R,0) when made) and an optional sweep vector.
class disk_shape final : public shape_impl<sxsdk::disk_class> {
 public:
  using vec3 = sx::vec<float, 3>;
  disk_shape(scene& owner, std::string name) : shape_impl(owner, std::move(name)) {}
  int type() const override { return sxsdk::shape_type::disk; }
  sxsdk::disk_class& get_disk() override { return *this; }

  float get_radius() const override { return radius_; }
  void set_radius(float r) override { radius_ = r; }
  vec3 get_center() const override { return center_; }
  void set_center(const vec3& c) override { center_ = c; }
  sxsdk::mat4 get_matrix() const override { return matrix_; }
  void set_matrix(const sxsdk::mat4& m) override { matrix_ = m; }
  vec3 get_sweep() const override { return sweep_; }
  void set_sweep(const vec3& s) override { sweep_ = s; }
  /// The centre as a point; the matrix rows 0-2 and the sweep as vectors.
  void transform_points(const sxsdk::mat4& m) override;

 private:
  vec3 center_;
  float radius_ = 100;
  sxsdk::mat4 matrix_;
  vec3 sweep_;
};

/// A point light.
class light_shape final : public shape_impl<sxsdk::light_class> {
 public:
  using vec3 = sx::vec<float, 3>;
  light_shape(scene& owner, std::string name) : shape_impl(owner, std::move(name)) {}
  int type() const override { return sxsdk::shape_type::light; }
  sxsdk::light_class& get_light() override { return *this; }
  vec3 get_position() const override { return position_; }
  void set_position(const vec3& p) override { position_ = p; }
  void transform_points(const sxsdk::mat4& m) override;

 private:
  vec3 position_;
};

/// The end marker of a list of sons (type 0). Its son, brother and sentinel are itself; its
/// dad is the shape whose list it ends; it has no index number, streams or links.
class sentinel_shape final : public shape_impl<sxsdk::shape_class> {
 public:
  sentinel_shape(scene& owner, shape_node* list_owner) : shape_impl(owner, ""), list_owner_(list_owner) {}
  int type() const override { return sxsdk::shape_type::sentinel; }
  shape_node& list_sentinel() override { return *this; }
  shape_node& son_sentinel() override { return *this; }
  sxsdk::shape_class* get_dad() override { return list_owner_ ? &list_owner_->sdk() : nullptr; }
  sxsdk::shape_class& get_bro() override { return *this; }

 private:
  shape_node* list_owner_;
};

}  // namespace host
