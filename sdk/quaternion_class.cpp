#include "sdk/quaternion_class.hpp"

#include <cmath>

namespace sxsdk {
namespace {

struct dquat {
  double w, x, y, z;
};

// The upper-left 3x3 with every row scaled to unit length; false when a row has no length.
bool unit_rows(const mat4& a, double r[3][3]) {
  for (int i = 0; i < 3; ++i) {
    const double len =
        std::sqrt(double(a.m[i][0]) * a.m[i][0] + double(a.m[i][1]) * a.m[i][1] + double(a.m[i][2]) * a.m[i][2]);
    if (!(len > 0.0)) return false;
    for (int j = 0; j < 3; ++j) r[i][j] = a.m[i][j] / len;
  }
  return true;
}

// Shepperd's method: divide by the largest of the four candidates so that rotations near a
// half turn (trace close to -1) stay accurate.
dquat from_rotation(const double r[3][3]) {
  const double trace = r[0][0] + r[1][1] + r[2][2];
  if (trace > r[0][0] && trace > r[1][1] && trace > r[2][2]) {
    const double s = 2.0 * std::sqrt(1.0 + trace);
    return {0.25 * s, (r[2][1] - r[1][2]) / s, (r[0][2] - r[2][0]) / s, (r[1][0] - r[0][1]) / s};
  }
  if (r[0][0] >= r[1][1] && r[0][0] >= r[2][2]) {
    const double s = 2.0 * std::sqrt(1.0 + r[0][0] - r[1][1] - r[2][2]);
    return {(r[2][1] - r[1][2]) / s, 0.25 * s, (r[0][1] + r[1][0]) / s, (r[0][2] + r[2][0]) / s};
  }
  if (r[1][1] >= r[2][2]) {
    const double s = 2.0 * std::sqrt(1.0 + r[1][1] - r[0][0] - r[2][2]);
    return {(r[0][2] - r[2][0]) / s, (r[0][1] + r[1][0]) / s, 0.25 * s, (r[1][2] + r[2][1]) / s};
  }
  const double s = 2.0 * std::sqrt(1.0 + r[2][2] - r[0][0] - r[1][1]);
  return {(r[1][0] - r[0][1]) / s, (r[0][2] + r[2][0]) / s, (r[1][2] + r[2][1]) / s, 0.25 * s};
}

}  // namespace

quaternion_class::quaternion_class(const mat4& rotation) : quaternion_class() {
  double r[3][3];
  if (!unit_rows(rotation, r)) return;
  dquat q = from_rotation(r);
  // One sign for each rotation, so that equal matrices give equal quaternions.
  const double sign = q.w < 0.0 ? -1.0 : 1.0;
  const double len = sign * std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
  *this = quaternion_class(float(q.w / len), float(q.x / len), float(q.y / len), float(q.z / len));
}

mat4 quaternion_class::get_matrix() const {
  const quaternion_class q = normalized();
  const float xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
  const float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
  const float wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
  return mat4(1 - 2 * (yy + zz), 2 * (xy - wz), 2 * (xz + wy), 0, 2 * (xy + wz), 1 - 2 * (xx + zz), 2 * (yz - wx), 0,
              2 * (xz - wy), 2 * (yz + wx), 1 - 2 * (xx + yy), 0, 0, 0, 0, 1);
}

quaternion_class quaternion_class::operator*(const quaternion_class& b) const {
  return {w * b.w - x * b.x - y * b.y - z * b.z, w * b.x + x * b.w + y * b.z - z * b.y,
          w * b.y - x * b.z + y * b.w + z * b.x, w * b.z + x * b.y - y * b.x + z * b.w};
}

quaternion_class& quaternion_class::operator*=(const quaternion_class& b) { return *this = *this * b; }

float quaternion_class::norm() const { return w * w + x * x + y * y + z * z; }

quaternion_class& quaternion_class::normalize() {
  const float n = norm();
  if (!(n > 0.0f)) return *this = quaternion_class();
  const float len = std::sqrt(n);
  w /= len;
  x /= len;
  y /= len;
  z /= len;
  return *this;
}

quaternion_class quaternion_class::normalized() const {
  quaternion_class q = *this;
  return q.normalize();
}

quaternion_class quaternion_class::conjugate() const { return {w, -x, -y, -z}; }

quaternion_class quaternion_class::inverse() const {
  const float n = norm();
  if (!(n > 0.0f)) return quaternion_class();
  return {w / n, -x / n, -y / n, -z / n};
}

bool quaternion_class::operator==(const quaternion_class& b) const {
  return w == b.w && x == b.x && y == b.y && z == b.z;
}

bool quaternion_class::operator!=(const quaternion_class& b) const { return !(*this == b); }

std::ostream& operator<<(std::ostream& out, const quaternion_class& q) {
  return out << '(' << q.w << ", " << q.x << ", " << q.y << ", " << q.z << ')';
}

}  // namespace sxsdk
