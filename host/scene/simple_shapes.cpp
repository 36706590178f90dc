#include "host/scene/simple_shapes.hpp"

#include <cmath>

namespace host {
namespace {

float row_length(const sxsdk::mat4& m, int row) {
  return std::sqrt(m[row][0] * m[row][0] + m[row][1] * m[row][1] + m[row][2] * m[row][2]);
}

}  // namespace

void sphere_shape::transform_points(const sxsdk::mat4& m) {
  center_ = center_ * m;
  radius_ = vec3(radius_.x * row_length(m, 0), radius_.y * row_length(m, 1), radius_.z * row_length(m, 2));
}

void disk_shape::transform_points(const sxsdk::mat4& m) {
  center_ = center_ * m;
  for (int row = 0; row < 3; ++row) {
    const vec3 r = sxsdk::transform_vector(vec3(matrix_[row][0], matrix_[row][1], matrix_[row][2]), m);
    matrix_[row][0] = r.x;
    matrix_[row][1] = r.y;
    matrix_[row][2] = r.z;
  }
  sweep_ = sxsdk::transform_vector(sweep_, m);
}

void light_shape::transform_points(const sxsdk::mat4& m) { position_ = position_ * m; }

}  // namespace host
