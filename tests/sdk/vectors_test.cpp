#include "sx/core/vectors.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

using vec3 = sx::vec<float, 3>;

TEST(vec, float3_is_three_packed_floats) {
  // Host calls and streams pass vectors as three consecutive floats.
  EXPECT_EQ(offsetof(vec3, x), 0u);
  EXPECT_EQ(offsetof(vec3, y), sizeof(float));
  EXPECT_EQ(offsetof(vec3, z), 2 * sizeof(float));
  const float raw[3] = {1.5f, -2.0f, 3.25f};
  vec3 v;
  std::memcpy(&v, raw, sizeof raw);
  EXPECT_EQ(v, vec3(1.5f, -2.0f, 3.25f));
}

TEST(vec, index_reaches_the_named_members) {
  sx::vec<float, 4> v;
  v[0] = 1;
  v[1] = 2;
  v[2] = 3;
  v[3] = 4;
  EXPECT_EQ(v, (sx::vec<float, 4>(1, 2, 3, 4)));
  const sx::vec<int, 2> p(7, 8);
  EXPECT_EQ(p[1], 8);
}

TEST(vec, cross_is_right_handed_and_perpendicular) {
  EXPECT_EQ(sx::cross(vec3(1, 0, 0), vec3(0, 1, 0)), vec3(0, 0, 1));
  EXPECT_EQ(sx::cross(vec3(0, 1, 0), vec3(0, 0, 1)), vec3(1, 0, 0));
  const vec3 a(1, 2, 3), b(-4, 0.5f, 2);
  const vec3 c = sx::cross(a, b);
  EXPECT_FLOAT_EQ(sx::dot(c, a), 0.0f);
  EXPECT_FLOAT_EQ(sx::dot(c, b), 0.0f);
  EXPECT_EQ(sx::cross(b, a), -c);
}

TEST(vec, arithmetic) {
  vec3 v(1, 2, 3);
  v += vec3(1, 1, 1);
  v *= 2.0f;
  EXPECT_EQ(v, vec3(4, 6, 8));
  EXPECT_EQ(v / 2.0f - vec3(2, 3, 4), vec3());
  EXPECT_EQ(0.5f * v, v * 0.5f);
  v -= vec3(4, 6, 8);
  EXPECT_EQ(v, vec3());
}

TEST(vec, length_and_normalize) {
  EXPECT_FLOAT_EQ(sx::length(vec3(3, 4, 12)), 13.0f);
  const vec3 n = sx::normalize(vec3(0, 3, 4));
  EXPECT_FLOAT_EQ(n.y, 0.6f);
  EXPECT_FLOAT_EQ(n.z, 0.8f);
  // A zero vector has no direction: it stays zero rather than turning into NaN.
  EXPECT_EQ(sx::normalize(vec3()), vec3());
}

}  // namespace
