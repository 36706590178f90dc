// mesh_points: the products it makes inline for every written vertex (three floats, and four-float
// SIMD lanes) are the SDK's vec3 * mat4 bit for bit, whatever element [3][3] holds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "sdk/mat4.hpp"
#include "softbody/mesh_points.hpp"

namespace {

using vec3 = sx::vec<float, 3>;

sxsdk::mat4 with_w(sxsdk::mat4 m, float w) {
  m.m[3][3] = w;
  return m;
}

}  // namespace

TEST(mesh_points, the_inline_product_is_the_sdk_product_bit_for_bit) {
  const sxsdk::mat4 turned = sxsdk::mat4::rotate_x(0.41f) * sxsdk::mat4::rotate_y(-1.3f) * sxsdk::mat4::rotate_z(2.9f) *
                             sxsdk::mat4::translate(-21.3f, 4.9f, 17.7f);
  const sxsdk::mat4 sheared(1.0f, 0.3f, -0.7f, 0.0f, 0.11f, 0.9f, 0.25f, 0.0f, -0.4f, 0.6f, 1.7f, 0.0f, 1e4f, -3e-3f,
                            77.7f, 1.0f);
  struct case_ {
    const char* name;
    sxsdk::mat4 m;
  };
  const case_ cases[] = {
      {"identity", sxsdk::mat4()},
      {"translation", sxsdk::mat4::translate(13.7f, -2.3f, 5.1f)},
      {"turned and moved", turned},
      {"turned world to local", turned.inv()},
      {"sheared", sheared},
      {"scaled by 1e-3", sxsdk::mat4::scale(1e-3f, 1e-3f, 1e-3f)},
      {"element [3][3] = 2", with_w(turned, 2.0f)},
      {"element [3][3] = -0.37", with_w(sheared, -0.37f)},
      {"element [3][3] = 0 (not applied)", with_w(turned, 0.0f)},
      {"element [3][3] = -0 (not applied)", with_w(turned, -0.0f)},
      {"element [3][3] = 1e-30", with_w(sheared, 1e-30f)},
  };
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<vec3> points = {
      {0, 0, 0},          {-0.0f, -0.0f, -0.0f}, {1, 2, 3},          {-150.3f, 800.7f, 13.1f}, {1e-7f, -3e-38f, 7e5f},
      {3e38f, -3e38f, 1}, {inf, 0, 1},           {0.1f, 0.2f, 0.3f}, {-640.0f, 1400.0f, 5.0f},
  };
  for (const case_& c : cases)
    for (const vec3& p : points) {
      const vec3 sdk = p * c.m;
      const vec3 products[] = {mesh_points::times(p, c.m),
                               mesh_points::times(float4_ops::load(p), mesh_points::rows_of(c.m))};
      for (const vec3& product : products)
        for (int i = 0; i < 3; ++i) {
          const std::string where = std::string(c.name) + " (" + std::to_string(p.x) + ", " + std::to_string(p.y) +
                                    ", " + std::to_string(p.z) + ")[" + std::to_string(i) + "]";
          // NaN results must be NaN on both sides; every other result the same bits.
          if (std::isnan(sdk[i])) {
            EXPECT_TRUE(std::isnan(product[i])) << where;
          } else {
            EXPECT_EQ(std::memcmp(&sdk[i], &product[i], sizeof(float)), 0)
                << where << ": " << sdk[i] << " vs " << product[i];
          }
        }
    }
}
