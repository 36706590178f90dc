#include "host/cli/body_pose.hpp"

#include <cmath>

namespace host {
namespace {

using mat3 = std::array<std::array<double, 3>, 3>;

// Shepperd's method on a column-vector rotation matrix c (c[i][j] = row i, column j).
std::array<double, 4> quaternion_of(const mat3& c) {
  const double t = c[0][0] + c[1][1] + c[2][2];
  std::array<double, 4> q;
  if (t > 0) {
    const double s = std::sqrt(t + 1.0) * 2;
    q = {0.25 * s, (c[2][1] - c[1][2]) / s, (c[0][2] - c[2][0]) / s, (c[1][0] - c[0][1]) / s};
  } else if (c[0][0] > c[1][1] && c[0][0] > c[2][2]) {
    const double s = std::sqrt(1.0 + c[0][0] - c[1][1] - c[2][2]) * 2;
    q = {(c[2][1] - c[1][2]) / s, 0.25 * s, (c[0][1] + c[1][0]) / s, (c[0][2] + c[2][0]) / s};
  } else if (c[1][1] > c[2][2]) {
    const double s = std::sqrt(1.0 + c[1][1] - c[0][0] - c[2][2]) * 2;
    q = {(c[0][2] - c[2][0]) / s, (c[0][1] + c[1][0]) / s, 0.25 * s, (c[1][2] + c[2][1]) / s};
  } else {
    const double s = std::sqrt(1.0 + c[2][2] - c[0][0] - c[1][1]) * 2;
    q = {(c[1][0] - c[0][1]) / s, (c[0][2] + c[2][0]) / s, (c[1][2] + c[2][1]) / s, 0.25 * s};
  }
  double n = 0;
  for (double v : q) n += v * v;
  n = std::sqrt(n);
  const double sign = q[0] < 0 ? -1.0 : 1.0;
  for (double& v : q) v = sign * v / n;
  return q;
}

}  // namespace

body_pose body_pose::from_matrix(const sxsdk::mat4& m) {
  body_pose p;
  p.position = {m[3][0], m[3][1], m[3][2]};
  // Host rows are the images of the axes; the column-vector matrix has them as columns.
  mat3 c{};
  for (int row = 0; row < 3; ++row) {
    const double len =
        std::sqrt(double(m[row][0]) * m[row][0] + double(m[row][1]) * m[row][1] + double(m[row][2]) * m[row][2]);
    if (!(len > 0) || !std::isfinite(len)) return p;
    for (int col = 0; col < 3; ++col) c[col][row] = m[row][col] / len;
  }
  p.rotation = quaternion_of(c);
  return p;
}

}  // namespace host
