#include "sdk/quaternion_class.hpp"

#include "sdk/math_near.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using sxsdk::mat4;
using sxsdk::quaternion_class;
using vec3 = sx::vec<float, 3>;
using physplug_test::near;
using physplug_test::pi;
using physplug_test::same_rotation;

// The quaternions the repair and joint code build from decomposed angles: a turn by -angle
// about one axis in textbook terms, which the host's row vectors see as +angle.
quaternion_class qx(float a) { return {std::cos(a / 2), -std::sin(a / 2), 0, 0}; }
quaternion_class qy(float a) { return {std::cos(a / 2), 0, -std::sin(a / 2), 0}; }
quaternion_class qz(float a) { return {std::cos(a / 2), 0, 0, -std::sin(a / 2)}; }

TEST(quaternion_class, stored_as_w_x_y_z) {
  const quaternion_class q(1, 2, 3, 4);
  float raw[4];
  std::memcpy(raw, &q, sizeof raw);
  EXPECT_EQ(raw[0], 1);
  EXPECT_EQ(raw[1], 2);
  EXPECT_EQ(raw[2], 3);
  EXPECT_EQ(raw[3], 4);
  EXPECT_EQ(quaternion_class(), quaternion_class(1, 0, 0, 0));
}

TEST(quaternion_class, hamilton_product) {
  const quaternion_class i(0, 1, 0, 0), j(0, 0, 1, 0), k(0, 0, 0, 1), minus_one(-1, 0, 0, 0);
  EXPECT_EQ(i * j, k);
  EXPECT_EQ(j * k, i);
  EXPECT_EQ(k * i, j);
  EXPECT_EQ(j * i, quaternion_class(0, 0, 0, -1));
  EXPECT_EQ(i * i, minus_one);
  EXPECT_EQ(i * j * k, minus_one);
  // By hand: (1,2,3,4)(5,6,7,8) = (5-12-21-32, 6+10+24-28, 7-16+15+24, 8+14-18+20).
  EXPECT_EQ(quaternion_class(1, 2, 3, 4) * quaternion_class(5, 6, 7, 8), quaternion_class(-60, 12, 30, 24));
}

TEST(quaternion_class, axis_quaternions_match_the_host_rotations) {
  for (float a : {0.0f, 0.3f, -1.2f, pi / 2, 2.8f}) {
    EXPECT_TRUE(near(qx(a).get_matrix(), mat4::rotate_x(a), 1e-6f)) << a;
    EXPECT_TRUE(near(qy(a).get_matrix(), mat4::rotate_y(a), 1e-6f)) << a;
    EXPECT_TRUE(near(qz(a).get_matrix(), mat4::rotate_z(a), 1e-6f)) << a;
  }
  // Row 1 of the matrix of qx(a) is the image of the y axis: (0, cos a, sin a).
  const mat4 m = qx(0.5f).get_matrix();
  EXPECT_NEAR(m[1][1], std::cos(0.5f), 1e-6f);
  EXPECT_NEAR(m[1][2], std::sin(0.5f), 1e-6f);
  EXPECT_TRUE(near(vec3(0, 1, 0) * qx(pi / 2).get_matrix(), vec3(0, 0, 1), 1e-6f));
}

TEST(quaternion_class, product_order_is_matrix_order) {
  const quaternion_class a = quaternion_class(0.9f, 0.1f, -0.3f, 0.2f).normalized();
  const quaternion_class b = quaternion_class(-0.2f, 0.7f, 0.4f, -0.5f).normalized();
  EXPECT_TRUE(near((a * b).get_matrix(), a.get_matrix() * b.get_matrix(), 2e-6f));
  EXPECT_TRUE(near((b * a).get_matrix(), b.get_matrix() * a.get_matrix(), 2e-6f));
  EXPECT_FALSE(near((a * b).get_matrix(), (b * a).get_matrix(), 1e-2f));
}

TEST(quaternion_class, decomposed_angles_rebuild_through_qx_qy_qz) {
  // The road of repair and joint write-back: matrix -> unmatrix angles -> qx*qy*qz -> matrix.
  const vec3 angles[] = {
      {0, 0, 0},           {0.3f, 0, 0},        {0, -0.8f, 0},        {0, 0, 2.0f},
      {0.3f, -0.8f, 2.0f}, {-2.9f, 1.2f, 0.4f}, {1.5f, -1.5f, -3.0f}, {3.1f, 0.01f, -0.01f},
  };
  for (const vec3& a : angles) {
    const quaternion_class q = qx(a.x) * qy(a.y) * qz(a.z);
    const mat4 m = q.get_matrix();
    EXPECT_TRUE(near(m, mat4::rotate_x(a.x) * mat4::rotate_y(a.y) * mat4::rotate_z(a.z), 2e-6f)) << a;
    vec3 s, h, r, t;
    ASSERT_TRUE(m.unmatrix(s, h, r, t));
    EXPECT_TRUE(near(r, a, 2e-5f)) << a;
    EXPECT_TRUE(near(s, vec3(1, 1, 1), 1e-6f)) << a;
    EXPECT_TRUE(near(h, vec3(0, 0, 0), 1e-6f)) << a;
  }
}

TEST(quaternion_class, from_matrix_inverts_get_matrix) {
  const float s = std::sqrt(0.5f);
  const quaternion_class cases[] = {
      {1, 0, 0, 0},
      qx(0.4f) * qy(-1.0f) * qz(2.2f),
      {0, 1, 0, 0},  // half turns: w = 0, the trace is -1
      {0, 0, 1, 0},
      {0, 0, 0, 1},
      {0, s, s, 0},
      {0, 0.6f, 0, -0.8f},
      quaternion_class(0.0009f, 0.2f, -0.9f, 0.3f).normalized(),  // 179.9 degrees
      quaternion_class(-0.3f, 0.5f, 0.1f, -0.8f).normalized(),
  };
  for (const quaternion_class& q : cases) {
    const quaternion_class back(q.get_matrix());
    EXPECT_TRUE(same_rotation(back, q, 2e-6f)) << q;
    EXPECT_GE(back.w, 0.0f) << q;
    EXPECT_NEAR(back.norm(), 1.0f, 1e-6f) << q;
    EXPECT_TRUE(near(back.get_matrix(), q.get_matrix(), 2e-6f)) << q;
  }
}

TEST(quaternion_class, from_matrix_ignores_translation_and_uniform_scale) {
  const quaternion_class q = qx(0.7f) * qz(-0.4f);
  const mat4 m = mat4::scale(3, 3, 3) * q.get_matrix() * mat4::translate(10, 20, 30);
  EXPECT_TRUE(same_rotation(quaternion_class(m), q, 2e-6f));
  EXPECT_EQ(quaternion_class(mat4::scale(0, 1, 1)), quaternion_class());
}

TEST(quaternion_class, conjugate_and_inverse_undo_the_rotation) {
  const quaternion_class q = qx(0.3f) * qy(1.1f) * qz(-2.0f);
  EXPECT_TRUE(same_rotation(q * q.conjugate(), quaternion_class(), 1e-6f));
  EXPECT_TRUE(near(q.conjugate().get_matrix(), q.get_matrix().transpose(), 1e-6f));
  const quaternion_class long_q(2, 0, 0, 2);
  EXPECT_TRUE(same_rotation(long_q * long_q.inverse(), quaternion_class(), 1e-6f));
}

TEST(quaternion_class, zero_quaternion_is_the_identity_not_nan) {
  const quaternion_class zero(0, 0, 0, 0);
  EXPECT_EQ(zero.get_matrix(), mat4::identity);
  EXPECT_EQ(zero.normalized(), quaternion_class());
  EXPECT_EQ(zero.inverse(), quaternion_class());
  // A non-unit quaternion turns like its unit version.
  EXPECT_TRUE(near(quaternion_class(2, 0, 0, 2).get_matrix(), mat4::rotate_z(-pi / 2), 1e-6f));
}

}  // namespace
