// Poses between the host (row vectors, millimetres) and the engine (column vectors, metres).
#include <gtest/gtest.h>

#include "base/matrix_conversion.hpp"
#include "sdk/mat4.hpp"

namespace {

using conversion::engine_to_host;
using conversion::host_to_engine;

TEST(matrix_conversion, a_host_point_and_its_engine_image_are_the_same_place) {
  // p x M in millimetres must equal T * p in metres, for a turned and moved frame.
  const sxsdk::mat4 m = sxsdk::mat4::rotate_x(0.4f) * sxsdk::mat4::rotate_y(-1.1f) * sxsdk::mat4::rotate_z(2.3f) *
                        sxsdk::mat4::translate(1500.0f, -250.0f, 42.0f);
  const btTransform t = host_to_engine(m);
  const sx::vec<float, 3> points[] = {{0, 0, 0}, {1000, 0, 0}, {0, -2000, 500}, {123, 456, 789}};
  for (const auto& p : points) {
    const sx::vec<float, 3> host = p * m;
    const btVector3 engine = t * (btVector3(p.x, p.y, p.z) * 0.001f);
    EXPECT_NEAR(engine.x() * 1000.0f, host.x, 1e-2f);
    EXPECT_NEAR(engine.y() * 1000.0f, host.y, 1e-2f);
    EXPECT_NEAR(engine.z() * 1000.0f, host.z, 1e-2f);
  }
}

TEST(matrix_conversion, a_turn_about_y_keeps_its_sense) {
  // The host's rotate_y turns +Z toward +X; so must the engine basis.
  const btTransform t = host_to_engine(sxsdk::mat4::rotate_y(SIMD_HALF_PI));
  const btVector3 z_image = t.getBasis() * btVector3(0, 0, 1);
  EXPECT_NEAR(z_image.x(), 1.0f, 1e-6f);
  EXPECT_NEAR(z_image.z(), 0.0f, 1e-6f);
}

TEST(matrix_conversion, engine_to_host_and_back_is_exact_for_the_basis) {
  btTransform t;
  t.setRotation(btQuaternion(btVector3(1, 2, 3).normalized(), 0.9f));
  t.setOrigin(btVector3(0.25f, -1.5f, 3.0f));
  const sxsdk::mat4 m = engine_to_host(t);
  EXPECT_EQ(m[0][3], 0.0f);
  EXPECT_EQ(m[1][3], 0.0f);
  EXPECT_EQ(m[2][3], 0.0f);
  EXPECT_EQ(m[3][3], 1.0f);
  EXPECT_EQ(m[3][0], 250.0f);
  EXPECT_EQ(m[3][1], -1500.0f);
  EXPECT_EQ(m[3][2], 3000.0f);
  const btTransform back = host_to_engine(m);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(back.getBasis()[r][c], t.getBasis()[r][c]);
  EXPECT_NEAR(back.getOrigin().distance(t.getOrigin()), 0.0f, 1e-6f);
}

}  // namespace
