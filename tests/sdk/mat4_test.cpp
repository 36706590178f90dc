#include "sdk/mat4.hpp"

#include "sdk/math_near.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using sxsdk::mat4;
using vec3 = sx::vec<float, 3>;
using vec4 = sx::vec<float, 4>;
using physplug_test::near;
using physplug_test::pi;

// Shear as the decomposition reports it: y gains xy * x, z gains xz * x + yz * y (row form).
mat4 shear(float xy, float xz, float yz) {
  mat4 h;
  h[1][0] = xy;
  h[2][0] = xz;
  h[2][1] = yz;
  return h;
}

mat4 rotation(const vec3& r) { return mat4::rotate_x(r.x) * mat4::rotate_y(r.y) * mat4::rotate_z(r.z); }

TEST(mat4, default_and_identity_leave_points_alone) {
  const mat4 d;
  EXPECT_EQ(d, mat4::identity);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(d[i][j], i == j ? 1.0f : 0.0f);
  EXPECT_EQ(vec3(1, -2, 3) * mat4::identity, vec3(1, -2, 3));
}

TEST(mat4, points_are_row_vectors_with_translation_in_row_3) {
  EXPECT_EQ(vec3(1, 2, 3) * mat4::translate(10, 20, 30), vec3(11, 22, 33));
  // Element (i, j) multiplies component i into result j.
  const mat4 a(0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 5, 6, 7, 1);
  EXPECT_EQ(vec3(1, 2, 3) * a, vec3(3 + 5, 1 + 6, 2 + 7));
  EXPECT_EQ(sxsdk::transform_vector(vec3(1, 2, 3), a), vec3(3, 1, 2));
}

TEST(mat4, rotations_turn_the_right_way) {
  EXPECT_TRUE(near(vec3(0, 1, 0) * mat4::rotate_x(pi / 2), vec3(0, 0, 1), 1e-6f));
  EXPECT_TRUE(near(vec3(0, 0, 1) * mat4::rotate_y(pi / 2), vec3(1, 0, 0), 1e-6f));
  EXPECT_TRUE(near(vec3(1, 0, 0) * mat4::rotate_z(pi / 2), vec3(0, 1, 0), 1e-6f));
}

TEST(mat4, product_applies_the_left_matrix_first) {
  // By hand: rows of A*B are rows of A combined with the rows of B.
  const mat4 a(1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
  const mat4 b(1, 0, 0, 0, 3, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
  EXPECT_EQ(a * b, mat4(7, 2, 0, 0, 3, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
  EXPECT_EQ(b * a, mat4(1, 2, 0, 0, 3, 7, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));

  // Move 1 along x, then a quarter turn about z: (1,0,0) -> (2,0,0) -> (0,2,0).
  const mat4 move_then_turn = mat4::translate(1, 0, 0) * mat4::rotate_z(pi / 2);
  // Turn first: (1,0,0) -> (0,1,0) -> (1,1,0).
  const mat4 turn_then_move = mat4::rotate_z(pi / 2) * mat4::translate(1, 0, 0);
  EXPECT_TRUE(near(vec3(1, 0, 0) * move_then_turn, vec3(0, 2, 0), 1e-6f));
  EXPECT_TRUE(near(vec3(1, 0, 0) * turn_then_move, vec3(1, 1, 0), 1e-6f));
  EXPECT_TRUE(near(vec3(0, 0, 0) * move_then_turn, vec3(0, 1, 0), 1e-6f));
  EXPECT_TRUE(near(vec3(0, 0, 0) * turn_then_move, vec3(1, 0, 0), 1e-6f));
}

TEST(mat4, element_3_3_divides_the_transformed_point) {
  mat4 m;
  m[3][3] = 2;
  EXPECT_EQ(vec3(2, 4, 6) * m, vec3(1, 2, 3));
  m[3][0] = 2;  // translation is divided too
  EXPECT_EQ(vec3(2, 4, 6) * m, vec3(2, 2, 3));
  // The full row vector product does not divide.
  EXPECT_EQ(vec4(2, 4, 6, 1) * m, vec4(4, 4, 6, 2));
  // The element, not the computed w: a projective column does not enter.
  mat4 p;
  p[0][3] = 5;
  EXPECT_EQ(vec3(1, 1, 1) * p, vec3(1, 1, 1));
}

TEST(mat4, zero_element_3_3_gives_a_finite_point) {
  mat4 m;
  m[3][3] = 0;
  const vec3 r = vec3(2, 4, 6) * m;
  EXPECT_EQ(r, vec3(2, 4, 6));
}

TEST(mat4, inv_undoes_affine_matrices) {
  const mat4 cases[] = {
      mat4::translate(10, -20, 30),
      mat4::scale(2, 0.5f, -3),
      rotation(vec3(0.3f, -1.1f, 2.5f)),
      mat4::scale(1, 2, 3) * shear(0.5f, -0.25f, 0.75f) * rotation(vec3(1, 2, 3)) * mat4::translate(4, 5, 6),
      mat4(2, 1, 0, 0, 0, 3, 1, 0, 1, 0, 4, 0, -7, 8, 9, 1),
  };
  for (const mat4& a : cases) {
    EXPECT_TRUE(near(a * a.inv(), mat4::identity, 2e-5f)) << a;
    EXPECT_TRUE(near(a.inv() * a, mat4::identity, 2e-5f)) << a;
    EXPECT_TRUE(near(vec3(1, 2, 3) * a * a.inv(), vec3(1, 2, 3), 1e-4f)) << a;
  }
  // By hand: scale and translation invert exactly.
  EXPECT_EQ(mat4::scale(2, 4, 8).inv(), mat4::scale(0.5f, 0.25f, 0.125f));
  EXPECT_EQ(mat4::translate(1, -2, 3).inv(), mat4::translate(-1, 2, -3));
}

TEST(mat4, inv_forces_element_3_3_to_one) {
  // The true inverse of diag(1,1,1,2) is diag(1,1,1,0.5); the host keeps [3][3] at 1.
  mat4 m;
  m[3][3] = 2;
  EXPECT_EQ(m.inv(), mat4::identity);
  // Translation row (6,0,0) with [3][3] = 2: cofactors give (-3,0,0) and [3][3] 0.5 -> 1.
  m[3][0] = 6;
  EXPECT_EQ(m.inv(), mat4::translate(-3, 0, 0));
}

TEST(mat4, inv_of_a_singular_matrix_is_the_matrix) {
  const mat4 cases[] = {
      mat4::scale(0, 1, 1),
      mat4(1, 2, 3, 0, 2, 4, 6, 0, 0, 0, 1, 0, 5, 5, 5, 1),  // rows 0 and 1 are parallel
      mat4::zero(),
  };
  for (const mat4& a : cases) {
    EXPECT_EQ(a.inv(), a);
    mat4 out = mat4::translate(1, 2, 3);
    EXPECT_FALSE(a.try_inv(out));
    EXPECT_EQ(out, mat4::translate(1, 2, 3));
    EXPECT_EQ(a.determinant(), 0.0);
  }
}

struct decomposition {
  vec3 scale, shear, rotation, translation;
};

decomposition unmatrix(const mat4& m) {
  decomposition d;
  EXPECT_TRUE(m.unmatrix(d.scale, d.shear, d.rotation, d.translation)) << m;
  return d;
}

TEST(mat4, unmatrix_reads_back_scale_shear_rotation_translation) {
  const decomposition cases[] = {
      {{1, 1, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {{1, 1, 1}, {0, 0, 0}, {0, 0, 0}, {100, -200, 300}},
      {{2, 3, 4}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {{1, 1, 1}, {0, 0, 0}, {0.4f, 0, 0}, {0, 0, 0}},
      {{1, 1, 1}, {0, 0, 0}, {0, -0.7f, 0}, {0, 0, 0}},
      {{1, 1, 1}, {0, 0, 0}, {0, 0, 2.9f}, {0, 0, 0}},
      {{1, 1, 1}, {0.5f, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {{1, 1, 1}, {0, -0.3f, 0.8f}, {0, 0, 0}, {0, 0, 0}},
      {{0.5f, 2, 1.5f}, {0.2f, -0.4f, 0.6f}, {-1.2f, 0.5f, 2.0f}, {7, 8, -9}},
      {{3, 3, 3}, {0, 0, 0}, {3.0f, -1.4f, -3.0f}, {-1, 0, 1}},
  };
  for (const decomposition& c : cases) {
    const mat4 m = mat4::scale(c.scale) * shear(c.shear.x, c.shear.y, c.shear.z) * rotation(c.rotation) *
                   mat4::translate(c.translation);
    const decomposition d = unmatrix(m);
    EXPECT_TRUE(near(d.scale, c.scale, 1e-5f)) << m;
    EXPECT_TRUE(near(d.shear, c.shear, 1e-5f)) << m;
    EXPECT_TRUE(near(d.rotation, c.rotation, 1e-5f)) << m;
    EXPECT_TRUE(near(d.translation, c.translation, 1e-4f)) << m;
  }
}

TEST(mat4, unmatrix_divides_by_element_3_3) {
  const mat4 m = mat4::scale(2, 3, 4) * rotation(vec3(0.1f, 0.2f, 0.3f)) * mat4::translate(5, 6, 7);
  mat4 doubled = m;
  for (auto& row : doubled.m)
    for (float& v : row) v *= 2;
  const decomposition a = unmatrix(m), b = unmatrix(doubled);
  EXPECT_TRUE(near(a.scale, b.scale, 1e-6f));
  EXPECT_TRUE(near(a.rotation, b.rotation, 1e-6f));
  EXPECT_TRUE(near(a.translation, b.translation, 1e-6f));
}

TEST(mat4, unmatrix_negative_determinant_negates_the_scales) {
  const mat4 cases[] = {
      mat4::scale(-1, 1, 1),
      mat4::scale(-1, -1, -1),
      mat4::scale(1, -2, 1) * mat4::rotate_y(0.3f) * mat4::translate(1, 2, 3),
      mat4::scale(2, 3, -4) * rotation(vec3(0.5f, -0.2f, 1.0f)),
  };
  for (const mat4& m : cases) {
    const decomposition d = unmatrix(m);
    EXPECT_LT(d.scale.x, 0) << m;
    EXPECT_LT(d.scale.y, 0) << m;
    EXPECT_LT(d.scale.z, 0) << m;
    // The angles left are a proper rotation that, with the negated scales, gives the matrix back.
    const mat4 back = mat4::scale(d.scale) * rotation(d.rotation) * mat4::translate(d.translation);
    EXPECT_TRUE(near(back, m, 1e-5f)) << m;
  }
  const decomposition mirror = unmatrix(mat4::scale(-1, 1, 1));
  EXPECT_TRUE(near(mirror.scale, vec3(-1, -1, -1), 0));
  EXPECT_NEAR(std::fabs(mirror.rotation.x), pi, 1e-6f);  // a half turn about x
  EXPECT_NEAR(mirror.rotation.y, 0, 1e-6f);
  EXPECT_NEAR(mirror.rotation.z, 0, 1e-6f);
}

TEST(mat4, unmatrix_gimbal_lock_gives_the_turn_to_x) {
  // ry = +-90 degrees: only rx -+ rz is defined. By hand, row 1 of Rx(a)Ry(90)Rz(c) is
  // (sin(a-c), cos(a-c), 0), and of Rx(a)Ry(-90)Rz(c) it is (-sin(a+c), cos(a+c), 0).
  const struct {
    vec3 angles;
    float rx;
  } cases[] = {
      {{0.7f, pi / 2, 0.2f}, 0.5f},
      {{0.7f, pi / 2, 0}, 0.7f},
      {{-0.4f, -pi / 2, 0}, -0.4f},
      {{0.3f, -pi / 2, 0.5f}, 0.8f},
  };
  for (const auto& c : cases) {
    const mat4 m = rotation(c.angles);
    const decomposition d = unmatrix(m);
    EXPECT_EQ(d.rotation.z, 0.0f) << m;
    EXPECT_NEAR(d.rotation.y, c.angles.y, 1e-3f) << m;
    EXPECT_NEAR(d.rotation.x, c.rx, 1e-5f) << m;
    EXPECT_TRUE(near(rotation(d.rotation), m, 1e-5f)) << m;
  }
}

TEST(mat4, unmatrix_gimbal_threshold_is_cos_ry_0_0002) {
  // Row 0 of a rotation is (cos ry cos rz, cos ry sin rz, -sin ry): set cos ry directly.
  const auto basis = [](double cos_ry, double rz) {
    const double sin_ry = std::sqrt(1 - cos_ry * cos_ry);
    mat4 m = mat4::rotate_y(pi / 2);
    m[0][0] = float(cos_ry * std::cos(rz));
    m[0][1] = float(cos_ry * std::sin(rz));
    m[0][2] = float(-sin_ry);
    return m;
  };
  EXPECT_EQ(unmatrix(basis(0.0001, 0.3)).rotation.z, 0.0f);
  EXPECT_NEAR(unmatrix(basis(0.0005, 0.3)).rotation.z, 0.3f, 1e-5f);
}

TEST(mat4, unmatrix_collapsed_axis_stays_finite) {
  const decomposition d = unmatrix(mat4::scale(0, 2, 3) * mat4::translate(1, 2, 3));
  EXPECT_TRUE(near(d.scale, vec3(0, 2, 3), 1e-6f));
  EXPECT_TRUE(near(d.shear, vec3(0, 0, 0), 0));
  EXPECT_TRUE(std::isfinite(d.rotation.x) && std::isfinite(d.rotation.y) && std::isfinite(d.rotation.z));
  EXPECT_TRUE(near(d.translation, vec3(1, 2, 3), 0));
}

TEST(mat4, unmatrix_refuses_what_cannot_be_decomposed) {
  mat4 zero_w = mat4::translate(1, 2, 3);
  zero_w[3][3] = 0;
  mat4 not_finite;
  not_finite[1][2] = std::numeric_limits<float>::quiet_NaN();
  for (const mat4& m : {zero_w, not_finite}) {
    vec3 s(9, 9, 9), h(9, 9, 9), r(9, 9, 9), t(9, 9, 9);
    EXPECT_FALSE(m.unmatrix(s, h, r, t));
    EXPECT_EQ(s, vec3(1, 1, 1));
    EXPECT_EQ(h, vec3());
    EXPECT_EQ(r, vec3());
    EXPECT_EQ(t, vec3());
  }
}

}  // namespace
