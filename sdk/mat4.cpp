#include "sdk/mat4.hpp"

#include <cmath>

namespace sxsdk {
namespace {

using dvec3 = sx::vec<double, 3>;

// Determinant of the 3x3 left when row `skip_row` and column `skip_col` are struck out.
double minor3(const mat4& a, int skip_row, int skip_col) {
  int r[3], c[3];
  for (int i = 0, n = 0; i < 4; ++i)
    if (i != skip_row) r[n++] = i;
  for (int j = 0, n = 0; j < 4; ++j)
    if (j != skip_col) c[n++] = j;
  auto e = [&](int i, int j) { return static_cast<double>(a.m[r[i]][c[j]]); };
  return e(0, 0) * (e(1, 1) * e(2, 2) - e(1, 2) * e(2, 1)) - e(0, 1) * (e(1, 0) * e(2, 2) - e(1, 2) * e(2, 0)) +
         e(0, 2) * (e(1, 0) * e(2, 1) - e(1, 1) * e(2, 0));
}

double cofactor(const mat4& a, int row, int col) { return ((row + col) % 2 == 0 ? 1.0 : -1.0) * minor3(a, row, col); }

dvec3 row3(const mat4& a, int i, double divisor) {
  return {a.m[i][0] / divisor, a.m[i][1] / divisor, a.m[i][2] / divisor};
}

bool all_finite(const mat4& a) {
  for (const auto& row : a.m)
    for (float v : row)
      if (!std::isfinite(v)) return false;
  return true;
}

// Removes from `v` its part along the unit (or zero) vector `u`; returns that part's size.
double remove_component(dvec3& v, const dvec3& u) {
  const double d = sx::dot(v, u);
  v -= u * d;
  return d;
}

// Shear term relative to the scale of the row it was taken from; a collapsed row has none.
float relative(double shear, double scale) { return scale != 0.0 ? static_cast<float>(shear / scale) : 0.0f; }

sx::vec<float, 3> to_float(const dvec3& v) {
  return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

// Euler angles of an orthonormal row basis whose rows are the images of x, y and z; the basis
// equals rotate_x(rx) * rotate_y(ry) * rotate_z(rz).
dvec3 rotation_angles(const dvec3 row[3]) {
  // Rounding can push |row0.z| a hair over 1; asin would answer NaN.
  const double ry = std::asin(std::fmin(1.0, std::fmax(-1.0, -row[0].z)));
  if (std::fabs(std::cos(ry)) <= 0.0002) {
    // Gimbal lock: only one turn about X and Z together is defined; give it all to X. Row 1
    // is then (sin ry * sin rx, cos rx, 0), so the sign of sin ry must be taken out, or a
    // basis at ry = -90 degrees would come back turned the other way about X.
    const double sin_ry = ry < 0.0 ? -1.0 : 1.0;
    return {std::atan2(sin_ry * row[1].x, row[1].y), ry, 0.0};
  }
  return {std::atan2(row[1].z, row[2].z), ry, std::atan2(row[0].y, row[0].x)};
}

}  // namespace

// Constant-initialised (constexpr constructor): safe to use from other static initialisers.
const mat4 mat4::identity;

mat4 mat4::zero() { return mat4(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0); }

mat4 mat4::operator*(const mat4& b) const {
  mat4 r = zero();
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r.m[i][j] += m[i][k] * b.m[k][j];
  return r;
}

mat4& mat4::operator*=(const mat4& b) { return *this = *this * b; }

double mat4::determinant() const {
  double det = 0.0;
  for (int j = 0; j < 4; ++j) det += m[0][j] * cofactor(*this, 0, j);
  return det;
}

bool mat4::try_inv(mat4& result) const {
  const double det = determinant();
  if (det == 0.0) return false;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) result.m[j][i] = static_cast<float>(cofactor(*this, i, j) / det);
  result.m[3][3] = 1.0f;
  return true;
}

mat4 mat4::inv() const {
  mat4 result = *this;
  try_inv(result);
  return result;
}

mat4 mat4::transpose() const {
  mat4 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) r.m[i][j] = m[j][i];
  return r;
}

mat4 mat4::translate(float x, float y, float z) { return mat4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1); }

mat4 mat4::translate(const sx::vec<float, 3>& t) { return translate(t.x, t.y, t.z); }

mat4 mat4::scale(float x, float y, float z) { return mat4(x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1); }

mat4 mat4::scale(const sx::vec<float, 3>& s) { return scale(s.x, s.y, s.z); }

mat4 mat4::rotate_x(float radians) {
  const float c = std::cos(radians), s = std::sin(radians);
  return mat4(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1);
}

mat4 mat4::rotate_y(float radians) {
  const float c = std::cos(radians), s = std::sin(radians);
  return mat4(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1);
}

mat4 mat4::rotate_z(float radians) {
  const float c = std::cos(radians), s = std::sin(radians);
  return mat4(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
}

bool mat4::unmatrix(sx::vec<float, 3>& scale, sx::vec<float, 3>& shear, sx::vec<float, 3>& rotation,
                    sx::vec<float, 3>& translation) const {
  scale = {1, 1, 1};
  shear = rotation = translation = {0, 0, 0};
  const double w = m[3][3];
  if (w == 0.0 || !all_finite(*this)) return false;
  translation = to_float(row3(*this, 3, w));
  dvec3 row[3] = {row3(*this, 0, w), row3(*this, 1, w), row3(*this, 2, w)};
  // Gram-Schmidt in the order x, y, z: each length is a scale, each removed part a shear.
  dvec3 s;
  s.x = sx::length(row[0]);
  row[0] = sx::normalize(row[0]);
  const double xy = remove_component(row[1], row[0]);
  s.y = sx::length(row[1]);
  row[1] = sx::normalize(row[1]);
  const double xz = remove_component(row[2], row[0]);
  const double yz = remove_component(row[2], row[1]);
  s.z = sx::length(row[2]);
  row[2] = sx::normalize(row[2]);
  shear = {relative(xy, s.y), relative(xz, s.z), relative(yz, s.z)};
  // A mirrored basis: keep the rotation proper and carry the reflection in the scales.
  if (sx::dot(row[0], sx::cross(row[1], row[2])) < 0.0) {
    s = -s;
    for (dvec3& r : row) r = -r;
  }
  scale = to_float(s);
  rotation = to_float(rotation_angles(row));
  return true;
}

bool mat4::operator==(const mat4& b) const {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (m[i][j] != b.m[i][j]) return false;
  return true;
}

bool mat4::operator!=(const mat4& b) const { return !(*this == b); }

sx::vec<float, 3> operator*(const sx::vec<float, 3>& p, const mat4& M) {
  sx::vec<float, 3> r;
  for (int j = 0; j < 3; ++j) r[j] = p.x * M.m[0][j] + p.y * M.m[1][j] + p.z * M.m[2][j] + M.m[3][j];
  const float w = M.m[3][3];
  // Element [3][3] acts as a uniform divisor; 0 has no finite meaning, so it is not applied.
  if (w != 1.0f && w != 0.0f) r /= w;
  return r;
}

sx::vec<float, 4> operator*(const sx::vec<float, 4>& p, const mat4& M) {
  sx::vec<float, 4> r;
  for (int j = 0; j < 4; ++j) r[j] = p.x * M.m[0][j] + p.y * M.m[1][j] + p.z * M.m[2][j] + p.w * M.m[3][j];
  return r;
}

sx::vec<float, 3> transform_vector(const sx::vec<float, 3>& v, const mat4& M) {
  sx::vec<float, 3> r;
  for (int j = 0; j < 3; ++j) r[j] = v.x * M.m[0][j] + v.y * M.m[1][j] + v.z * M.m[2][j];
  return r;
}

std::ostream& operator<<(std::ostream& out, const mat4& M) {
  out << '[';
  for (int i = 0; i < 4; ++i)
    out << (i ? "; " : "") << M.m[i][0] << ' ' << M.m[i][1] << ' ' << M.m[i][2] << ' ' << M.m[i][3];
  return out << ']';
}

}  // namespace sxsdk
