// cloth_search: the grid search gives the walk's candidates (cloth_util::search) exactly: the
// same vertices, distances and order, ties included, on hanging, flat and regular meshes.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "softbody/cloth_search.hpp"
#include "softbody_scene.hpp"

using namespace softbody_test;

namespace {

std::vector<std::pair<std::int32_t, float>> listed(const std::multimap<float, cloth_util::iw>& found) {
  std::vector<std::pair<std::int32_t, float>> out;
  for (const auto& f : found) out.emplace_back(f.second.index, f.first);
  return out;
}

}  // namespace

TEST(cloth_search, finds_the_walks_candidates_in_the_walks_order) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> any(-300.0f, 300.0f);
  std::uniform_int_distribution<int> step(-4, 4);
  struct layout {
    const char* what;
    std::vector<vec3> mesh;
    std::vector<vec3> points;
  };
  std::vector<layout> layouts(5);
  layouts[0].what = "random, upright";
  layouts[1].what = "random, flat at y = 7";
  layouts[2].what = "a regular grid with many equal distances";
  layouts[3].what = "a flat grid below y = 0";
  layouts[4].what = "four vertices";
  for (int i = 0; i < 600; ++i) {
    layouts[0].mesh.push_back({any(random), any(random), any(random)});
    layouts[1].mesh.push_back({any(random), 7.0f, any(random)});
  }
  for (int x = -6; x <= 6; ++x)
    for (int y = -3; y <= 3; ++y)
      for (int z = -6; z <= 6; ++z) layouts[2].mesh.push_back({10.0f * x, 10.0f * y, 10.0f * z});
  for (int x = -10; x <= 10; ++x)
    for (int z = -10; z <= 10; ++z) layouts[3].mesh.push_back({5.0f * x, -20.0f, 5.0f * z});
  layouts[4].mesh = {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}, {-5, 0, 3}};
  for (layout& l : layouts) {
    for (int i = 0; i < 300; ++i) {
      l.points.push_back({any(random), any(random), any(random)});
      l.points.push_back({5.0f * step(random), 5.0f * step(random) + (l.mesh[0].y == -20.0f ? -20.0f : 0.0f),
                          5.0f * step(random)});  // on vertices, between them, on x = 0
    }
    l.points.push_back(l.mesh[3]);
    l.points.push_back({1e6f, -1e6f, 3.0f});  // far outside
  }
  for (const layout& l : layouts) {
    cloth_vertex_index index;
    for (int i = 0; i < int(l.mesh.size()); ++i) index.emplace(l.mesh[std::size_t(i)], i);
    const cloth_search search(l.mesh);
    for (const vec3& p : l.points)
      for (bool same_side : {true, false}) {
        const auto want = cloth_util::search(p, index, same_side), got = search.find(p, same_side);
        ASSERT_EQ(listed(got), listed(want))
            << l.what << " at " << p.x << ", " << p.y << ", " << p.z << " side " << same_side;
        auto w = want.begin();
        for (auto g = got.begin(); g != got.end(); ++g, ++w)
          EXPECT_EQ(std::memcmp(&g->second.diff, &w->second.diff, sizeof(vec3)), 0) << l.what;
      }
  }
}
