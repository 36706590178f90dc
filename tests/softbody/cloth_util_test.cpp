// cloth_util: the y-major walk against an exhaustive search, the tie rule, and the binding
// rules (vertex, triangle, segment, side of x = 0, offsets) as one table of cases.
#include <gtest/gtest.h>

#include <random>

#include "softbody/cloth_util.hpp"
#include "softbody_scene.hpp"

using namespace softbody_test;

namespace {

cloth_vertex_index index_of(const std::vector<vec3>& points) {
  cloth_vertex_index index;
  for (int i = 0; i < int(points.size()); ++i) index.emplace(points[std::size_t(i)], i);
  return index;
}

std::vector<vec3> grid3() {
  std::vector<vec3> g;
  for (int k = 0; k < 3; ++k)
    for (int i = 0; i < 3; ++i) g.push_back({10.0f * i, 0.0f, 10.0f * k});
  return g;
}

}  // namespace

TEST(cloth_util, ltvec3yzx_orders_by_y_then_z_then_x_reversed_below_zero) {
  const ltvec3yzx less;
  EXPECT_TRUE(less({9, 0, 9}, {0, 1, 0}));
  EXPECT_TRUE(less({5, 2, 1}, {0, 2, 3}));
  EXPECT_TRUE(less({1, 2, 3}, {2, 2, 3}));
  EXPECT_TRUE(less({0, -2, 3}, {0, -2, 1}));  // negative y: larger z first
  EXPECT_TRUE(less({2, -2, 3}, {1, -2, 3}));  // then larger x first
  EXPECT_FALSE(less({1, 2, 3}, {1, 2, 3}));
}

TEST(cloth_util, the_walk_finds_the_five_nearest_of_an_exhaustive_search) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
  for (bool flat : {false, true}) {
    std::vector<vec3> points;
    for (int i = 0; i < 400; ++i)
      points.push_back({coordinate(random), flat ? 3.0f : coordinate(random), coordinate(random)});
    const cloth_vertex_index index = index_of(points);
    for (int trial = 0; trial < 200; ++trial) {
      const vec3 p{coordinate(random), flat ? 3.0f : coordinate(random), coordinate(random)};
      for (bool same_side : {false, true}) {
        std::multimap<float, int> all;
        for (int i = 0; i < int(points.size()); ++i) {
          const vec3& q = points[std::size_t(i)];
          if (same_side && q.x * p.x < 0.0f) continue;
          all.emplace((q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y) + (q.z - p.z) * (q.z - p.z), i);
        }
        std::vector<int> want, got;
        for (auto it = all.begin(); want.size() < 5 && it != all.end(); ++it) want.push_back(it->second);
        for (const auto& c : cloth_util::search(p, index, same_side)) got.push_back(c.second.index);
        EXPECT_EQ(got, want) << "flat " << flat << " trial " << trial;
      }
    }
  }
}

TEST(cloth_util, an_entry_that_only_ties_the_fifth_distance_is_not_kept) {
  // Six vertices 3 mm from the point: the walk meets (0, 3, 0) last and drops it.
  const std::vector<vec3> points = {{0, 3, 0}, {3, 0, 0}, {-3, 0, 0}, {0, 0, 3}, {0, 0, -3}, {0, -3, 0}};
  std::vector<int> got;
  for (const auto& c : cloth_util::search({0, 0, 0}, index_of(points), false)) got.push_back(c.second.index);
  EXPECT_EQ(got, (std::vector<int>{1, 2, 4, 5, 3}));
}

TEST(cloth_util, binds_a_point_by_the_vertex_triangle_and_segment_rules) {
  struct bound {
    int index;
    float weight;
  };
  struct binding_case {
    const char* what;
    std::vector<vec3> mesh;
    vec3 point;
    std::vector<bound> want;
    vec3 offset;
  };
  const std::vector<vec3> triangle = {{0, 0, 0}, {30, 0, 0}, {0, 0, 30}};
  const float third = 1.0f / 3.0f;
  const binding_case cases[] = {
      {"exactly on a vertex", grid3(), {10, 0, 10}, {{4, 1}}, {0, 0, 0}},
      {"0.0001 above a vertex: offset stored as 0", grid3(), {10, 0.0001f, 10}, {{4, 1}}, {0, 0, 0}},
      {"0.001 above a vertex: offset kept", grid3(), {10, 0.001f, 10}, {{4, 1}}, {0, 0.001f, 0}},
      {"above the middle of a three-vertex mesh",
       triangle,
       {10, 5, 10},
       {{0, third}, {1, third}, {2, third}},
       {0, 5, 0}},
      {"in the triangle's plane: weighed in the plane",
       triangle,
       {10, 0, 10},
       {{0, third}, {1, third}, {2, third}},
       {0, 0, 0}},
      {"beyond the long edge: bound to its two ends", triangle, {20, 0, 20}, {{1, 0.5f}, {2, 0.5f}}, {5, 0, 5}},
      {"x = 1 binds no vertex of negative x",
       {{-0.5f, 0, 0}, {-1, 0, 0.5f}, {3, 0, 0}, {0, 0, 3}, {1, 0, -3}, {-0.2f, 0, 0.1f}},
       {1, 0, 0},
       {{2, 0.2f}, {4, 0.4f}, {3, 0.4f}},
       {0, 0, 0}},
      {"x = 0.0001 binds only vertices within 0.0002 of x = 0",
       {{0, 0, 0}, {0.00015f, 0, 10}, {5, 0, 0}, {-5, 0, 0}, {0.1f, 0, 5}, {-0.1f, 0, 5}},
       {0.0001f, 0, 1},
       {{0, 0.9f}, {1, 0.1f}},
       {0, 0, 0}},
  };
  for (const binding_case& c : cases) {
    properties_scene s;
    cloth_util util;
    EXPECT_FALSE(util.make(c.point, index_of(c.mesh), true, s.sdk(), 0)) << c.what;
    ASSERT_EQ(util.vws.size(), c.want.size()) << c.what;
    for (std::size_t k = 0; k < c.want.size(); ++k) {
      EXPECT_EQ(util.vws[k].index, c.want[k].index) << c.what << " #" << k;
      EXPECT_NEAR(util.vws[k].weight, c.want[k].weight, 1e-5f) << c.what << " #" << k;
    }
    EXPECT_NEAR(util.offset.x, c.offset.x, 1e-5f) << c.what;
    EXPECT_NEAR(util.offset.y, c.offset.y, 1e-5f) << c.what;
    EXPECT_NEAR(util.offset.z, c.offset.z, 1e-5f) << c.what;
    EXPECT_TRUE(s.errors().empty()) << c.what;
  }
}

TEST(cloth_util, no_candidate_leaves_the_binding_empty_and_an_empty_weighing_says_so) {
  properties_scene s;
  cloth_util util;
  const std::vector<vec3> left = {{-1, 0, 0}, {-2, 0, 0}, {-3, 0, 1}};
  EXPECT_TRUE(util.make({1, 0, 0}, index_of(left), true, s.sdk(), 7));
  EXPECT_TRUE(util.vws.empty());
  EXPECT_EQ(util.cal_weight(s.sdk(), 7), -2.0f);
  EXPECT_EQ(s.errors(), std::vector<std::string>{"NO refarence point or BAD point[7]!!"});
}
