// body_pose: rotations read from host matrices, checked against what a quaternion does to a
// vector (v' = q v q*), computed here from the matrix rows the host defines as the images of
// the axes, and against the textbook quaternion of a turn about one axis.
#include "host/cli/body_pose.hpp"

#include <cmath>

#include <gtest/gtest.h>

namespace {

using sxsdk::mat4;
using quat = std::array<double, 4>;
using dvec = std::array<double, 3>;

// v turned by the unit quaternion q (w, x, y, z): v + 2w (u x v) + 2 u x (u x v).
dvec rotate(const quat& q, const dvec& v) {
  const dvec u{q[1], q[2], q[3]};
  auto cross = [](const dvec& a, const dvec& b) {
    return dvec{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
  };
  const dvec t = cross(u, v);
  const dvec tt = cross(u, t);
  return {v[0] + 2 * q[0] * t[0] + 2 * tt[0], v[1] + 2 * q[0] * t[1] + 2 * tt[1], v[2] + 2 * q[0] * t[2] + 2 * tt[2]};
}

// The quaternion must turn each local axis onto the matrix row that the host says is its image.
void expect_turns_axes_onto_rows(const mat4& m, const host::body_pose& p) {
  for (int axis = 0; axis < 3; ++axis) {
    dvec e{0, 0, 0};
    e[axis] = 1;
    const dvec got = rotate(p.rotation, e);
    const double len =
        std::sqrt(double(m[axis][0]) * m[axis][0] + double(m[axis][1]) * m[axis][1] + double(m[axis][2]) * m[axis][2]);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(got[c], m[axis][c] / len, 1e-6) << "axis " << axis;
  }
}

TEST(body_pose, single_axis_turns_give_the_textbook_quaternion) {
  // rotate_x turns +Y toward +Z, rotate_y +Z toward +X, rotate_z +X toward +Y: right-handed
  // turns about +X, +Y, +Z, whose quaternion is (cos a/2, sin a/2 * axis).
  const double a = 0.7;
  const struct {
    mat4 m;
    quat expected;
  } cases[] = {
      {mat4::rotate_x(float(a)), {std::cos(a / 2), std::sin(a / 2), 0, 0}},
      {mat4::rotate_y(float(a)), {std::cos(a / 2), 0, std::sin(a / 2), 0}},
      {mat4::rotate_z(float(a)), {std::cos(a / 2), 0, 0, std::sin(a / 2)}},
  };
  for (const auto& c : cases) {
    const host::body_pose p = host::body_pose::from_matrix(c.m);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(p.rotation[i], c.expected[i], 1e-6);
  }
}

TEST(body_pose, any_turn_maps_the_axes_onto_the_rows_and_keeps_the_translation) {
  // Turns past 180 degrees about every axis exercise each branch of the matrix-to-quaternion
  // conversion.
  for (float rx : {0.0f, 1.0f, 3.0f})
    for (float ry : {0.0f, -2.5f, 3.1f})
      for (float rz : {0.5f, 2.9f}) {
        const mat4 m = mat4::rotate_x(rx) * mat4::rotate_y(ry) * mat4::rotate_z(rz) * mat4::translate(10, -20, 30);
        const host::body_pose p = host::body_pose::from_matrix(m);
        expect_turns_axes_onto_rows(m, p);
        EXPECT_GE(p.rotation[0], 0.0);
        EXPECT_DOUBLE_EQ(p.position[0], m[3][0]);
        EXPECT_DOUBLE_EQ(p.position[1], m[3][1]);
        EXPECT_DOUBLE_EQ(p.position[2], m[3][2]);
      }
}

TEST(body_pose, scale_does_not_reach_the_rotation) {
  const mat4 turn = mat4::rotate_y(1.2f) * mat4::rotate_x(0.4f);
  const host::body_pose plain = host::body_pose::from_matrix(turn);
  const host::body_pose scaled = host::body_pose::from_matrix(mat4::scale(2, 0.5f, 7) * turn);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(scaled.rotation[i], plain.rotation[i], 1e-6);
}

TEST(body_pose, a_collapsed_axis_gives_the_identity_rotation) {
  const host::body_pose p = host::body_pose::from_matrix(mat4::scale(1, 0, 1));
  EXPECT_EQ(p.rotation, (quat{1, 0, 0, 0}));
}

}  // namespace
