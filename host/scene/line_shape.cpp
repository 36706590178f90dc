#include "host/scene/line_shape.hpp"

#include <stdexcept>
#include <string>

#include "host/scene/scene.hpp"

namespace host {

sxsdk::skin_class& line_shape::control::get_skin() { return shape_calls::no_skin(); }

void line_shape::set_points(const std::vector<vec3>& positions) {
  points_.clear();
  for (const vec3& p : positions) points_.emplace_back(point{p, p, p, p, p});
}

void line_shape::set_points(const std::vector<point>& points) {
  points_.clear();
  for (const point& p : points) points_.emplace_back(p);
}

std::vector<line_shape::point> line_shape::points() const {
  std::vector<point> out;
  for (const control& c : points_) out.push_back(c.p_);
  return out;
}

sxsdk::control_point_class& line_shape::control_point(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= points_.size())
    throw std::out_of_range("control point " + std::to_string(index) + " of " + std::to_string(points_.size()) +
                            " in line \"" + path() + "\"");
  return points_[static_cast<std::size_t>(index)];
}

bool line_shape::get_revolution_axis(vec3& p0, vec3& p1) const {
  if (!revolution_) return false;
  p0 = axis0_;
  p1 = axis1_;
  return true;
}

void line_shape::set_revolution_axis(const vec3& p0, const vec3& p1) {
  revolution_ = true;
  axis0_ = p0;
  axis1_ = p1;
}

void line_shape::transform_points(const sxsdk::mat4& m) {
  for (control& c : points_) {
    point& p = c.p_;
    for (vec3* v : {&p.position, &p.in_handle, &p.out_handle, &p.fourth_handle, &p.fifth_handle}) *v = *v * m;
  }
  axis0_ = axis0_ * m;
  axis1_ = axis1_ * m;
  sweep_ = sxsdk::transform_vector(sweep_, m);
}

}  // namespace host
