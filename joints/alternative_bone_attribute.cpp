#include "joints/alternative_bone_attribute.hpp"

#include <cmath>

#include "properties/property_stream.hpp"
#include "sdk/sxsdk.hpp"

namespace {

using vec3 = alternative_bone_attribute::vec3;

// Half a degree in radians: the angle of a quaternion is halved.
constexpr float half_degree = 0.008726646f;

// a x b, normalised unless it is about zero. In double: the axes of a stream written elsewhere
// need not be unit vectors, and with axes of 1e19 and 1e34 the product in floats overflows to
// an infinity and the axis to NaN.
vec3 unit_cross(const vec3& a, const vec3& b) {
  double c[3] = {double(a.y) * b.z - double(a.z) * b.y, double(a.z) * b.x - double(a.x) * b.z,
                 double(a.x) * b.y - double(a.y) * b.x};
  const double length2 = c[0] * c[0] + c[1] * c[1] + c[2] * c[2];
  if (length2 > 1e-37)
    for (double& v : c) v /= std::sqrt(length2);
  return {float(c[0]), float(c[1]), float(c[2])};
}

}  // namespace

sxsdk::mat4 alternative_bone_attribute::axis_matrix() const {
  return sxsdk::mat4(axis_x.x, axis_x.y, axis_x.z, 0, axis_y.x, axis_y.y, axis_y.z, 0, axis_z.x, axis_z.y, axis_z.z, 0,
                     0, 0, 0, 1);
}

bool alternative_bone_attribute::down_load(sxsdk::stream_interface& stream, sxsdk::shape_class&) {
  property_stream::reader in(stream);
  std::int32_t bits = flags;
  if (in.read_int(bits)) flags = bits;
  in.read_vec3(&axis_x.x);
  in.read_vec3(&axis_y.x);
  in.read_float(guide_length_1);
  in.read_float(guide_length_2);
  for (vec3* v : {&limit_x, &limit_y, &limit_z, &display_size}) in.read_vec3(&v->x);
  axis_z = unit_cross(axis_x, axis_y);
  make_line();
  return !in.sound();
}

bool alternative_bone_attribute::up_load(sxsdk::stream_interface& stream, sxsdk::shape_class& shape) {
  try {
    stream.set_pointer(0);
    stream.set_size(0);
    stream.write_int(flags);
    stream.write_vec3(axis_x);
    stream.write_vec3(axis_y);
    stream.write_float(guide_length_1);
    stream.write_float(guide_length_2);
    for (const vec3* v : {&limit_x, &limit_y, &limit_z, &display_size}) stream.write_vec3(*v);
    if (shape.is_ball_joint()) stream.set_label("@");
    return false;
  } catch (...) {
    return true;
  }
}

void alternative_bone_attribute::set_default(sxsdk::host_interface*) {
  flags = 63;
  display_size = {100, 100, 100};
}

void alternative_bone_attribute::make_line() {
  guide_lines.clear();
  const float a = guide_length_1, b = guide_length_2;
  if (a != 0) {
    // A cross along the first length and a tick of the second at its end.
    guide_lines = {{0, 0, 0}, {a, 0, 0}, {a, 0, 0}, {a, b, 0}, {a, 0, 0}, {a, 0, b}};
  } else {
    guide_lines = {{-b, 0, 0}, {b, 0, 0}, {0, -b, 0}, {0, b, 0}, {0, 0, -b}, {0, 0, b}};
  }
}

sxsdk::quaternion_class alternative_bone_attribute::value_to_quaternion(const vec3& degrees) const {
  const vec3* axes[3] = {&axis_x, &axis_y, &axis_z};
  sxsdk::quaternion_class q[3];
  for (int k = 0; k < 3; ++k) {
    const float h = degrees[k] * half_degree;
    const float s = -std::sin(h);
    q[k] = sxsdk::quaternion_class(std::cos(h), s * axes[k]->x, s * axes[k]->y, s * axes[k]->z);
  }
  return q[0] * q[1] * q[2];
}
