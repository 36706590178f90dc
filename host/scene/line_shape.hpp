#pragma once
// host::line_shape: control points with five vectors each (position, in-handle, out-handle and
// the host's fourth and fifth handles; millimetres, the line's local coordinates), open or
// closed, optionally swept along a vector or turned about a revolution axis.
#include <vector>

#include "host/scene/shape_impl.hpp"
#include "sdk/line_class.hpp"

namespace host {

class line_shape final : public shape_impl<sxsdk::line_class> {
 public:
  using vec3 = sx::vec<float, 3>;
  /// The five vectors of a control point, in their order.
  struct point {
    vec3 position, in_handle, out_handle, fourth_handle, fifth_handle;
  };

  line_shape(scene& owner, std::string name) : shape_impl(owner, std::move(name)) {}

  int type() const override { return sxsdk::shape_type::line; }
  sxsdk::line_class& get_line() override { return *this; }

  // --- host side ---
  /// Replaces the control points; every handle starts at its point.
  void set_points(const std::vector<vec3>& positions);
  /// Replaces the control points with all five vectors each.
  void set_points(const std::vector<point>& points);
  std::vector<point> points() const;
  /// Makes the line no body of revolution.
  void clear_revolution_axis() { revolution_ = false; }

  // --- SDK ---
  bool is_closed() const override { return closed_; }
  void set_closed(bool closed) override { closed_ = closed; }
  int get_number_of_control_points() const override { return static_cast<int>(points_.size()); }
  /// Control point i; throws std::out_of_range for a missing one.
  sxsdk::control_point_class& control_point(int index) override;
  bool get_revolution_axis(vec3& p0, vec3& p1) const override;
  void set_revolution_axis(const vec3& p0, const vec3& p1) override;
  vec3 get_sweep() const override { return sweep_; }
  void set_sweep(const vec3& sweep) override { sweep_ = sweep; }

  int number_of_points() const override { return get_number_of_control_points(); }
  /// Positions, handles and axis points as points, the sweep as a vector.
  void transform_points(const sxsdk::mat4& m) override;

 private:
  class control final : public sxsdk::control_point_class {
   public:
    explicit control(const point& p) : p_(p) {}
    vec3 get_position() const override { return p_.position; }
    void set_position(const vec3& v) override { p_.position = v; }
    vec3 get_in_handle() const override { return p_.in_handle; }
    void set_in_handle(const vec3& v) override { p_.in_handle = v; }
    vec3 get_out_handle() const override { return p_.out_handle; }
    void set_out_handle(const vec3& v) override { p_.out_handle = v; }
    vec3 get_fourth_handle() const override { return p_.fourth_handle; }
    void set_fourth_handle(const vec3& v) override { p_.fourth_handle = v; }
    vec3 get_fifth_handle() const override { return p_.fifth_handle; }
    void set_fifth_handle(const vec3& v) override { p_.fifth_handle = v; }
    sxsdk::skin_class& get_skin() override;
    point p_;
  };

  std::vector<control> points_;
  bool closed_ = false;
  vec3 sweep_;
  bool revolution_ = false;
  vec3 axis0_, axis1_;
};

}  // namespace host
