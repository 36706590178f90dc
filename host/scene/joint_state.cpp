#include "host/scene/joint_state.hpp"

#include <cmath>

#include "sdk/shape_types.hpp"

namespace host {
namespace {

using vec3 = sx::vec<float, 3>;

sxsdk::mat4 about(const vec3& c, const sxsdk::mat4& m) {
  return sxsdk::mat4::translate(-c) * m * sxsdk::mat4::translate(c);
}

// Scale by s along the unit direction u: I + (s - 1) u u^T (symmetric, so rows = columns).
sxsdk::mat4 directional_scale(const vec3& u, float s) {
  sxsdk::mat4 m;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] += (s - 1) * u[i] * u[j];
  return m;
}

}  // namespace

sxsdk::mat4 axis_rotation(const vec3& axis, float radians) {
  const vec3 u = sx::normalize(axis);
  const float c = std::cos(radians), s = std::sin(radians), t = 1 - c;
  // The column-vector Rodrigues matrix, transposed for row vectors.
  return sxsdk::mat4(t * u.x * u.x + c, t * u.x * u.y + s * u.z, t * u.x * u.z - s * u.y, 0, t * u.x * u.y - s * u.z,
                     t * u.y * u.y + c, t * u.y * u.z + s * u.x, 0, t * u.x * u.z + s * u.y, t * u.y * u.z - s * u.x,
                     t * u.z * u.z + c, 0, 0, 0, 0, 1);
}

sxsdk::mat4 joint_state::motion(int part_type) const {
  namespace pt = sxsdk::part_type;
  constexpr float degrees = 3.14159265358979f / 180.0f;
  switch (part_type) {
    case pt::ball_joint:
      return about(position, rotation.get_matrix()) * sxsdk::mat4::translate(offset);
    case pt::bone_joint:
      return rotation.get_matrix() * sxsdk::mat4::translate(position + offset);
    case pt::rotator_joint:
      if (sx::length_squared(axis) == 0) return {};
      return about(center, axis_rotation(axis, value * degrees));
    case pt::slider_joint:
      return sxsdk::mat4::translate(sx::normalize(axis - center) * value);
    case pt::scale_joint:
      if (sx::length_squared(axis) == 0) return {};
      return about(center, directional_scale(sx::normalize(axis), value));
    case pt::uniscale_joint:
      return about(center, sxsdk::mat4::scale(value, value, value));
    default:
      return {};
  }
}

}  // namespace host
