// Cloth that moves as the physics says, played through the loaded plug-in at 60 frames per
// second with the record's defaults: a cloth hanging from two corners keeps its threads near
// their rest lengths, and a cloth dropped on a table comes to rest on it without passing through.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "cloth_scene.hpp"

using namespace softbody_test;

namespace {

constexpr int fps = 60;
constexpr int side = 20;             // nodes along each side
constexpr float cloth_mm = 1000.0f;  // 1 m square
constexpr float step_mm = cloth_mm / (side - 1);

float distance(const cloth_vec3& a, const cloth_vec3& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

// Every thread of the cloth (a distinct edge of its triangles) as a pair of mesh vertices, with
// its length in the mesh as it was made (flat: its rest length).
struct thread {
  int a, b;
  float rest;
};

std::vector<thread> threads_of(const softbody_datas& record, const std::vector<cloth_vec3>& rest) {
  std::set<std::pair<int, int>> seen;
  std::vector<thread> out;
  for (std::size_t t = 0; t + 2 < record.triangles.size(); t += 3)
    for (int k = 0; k < 3; ++k) {
      const int a = record.node_vertices[std::size_t(record.triangles[t + std::size_t(k)])];
      const int b = record.node_vertices[std::size_t(record.triangles[t + std::size_t((k + 1) % 3)])];
      if (seen.insert(std::minmax(a, b)).second)
        out.push_back({a, b, distance(rest[std::size_t(a)], rest[std::size_t(b)])});
    }
  return out;
}

struct stretch {
  float mean = 0.0f;     // mean of (length / rest - 1) over the threads
  float longest = 0.0f;  // largest length / rest
  int a = -1, b = -1;    // the thread that has it
};

stretch measure(const std::vector<thread>& threads, const std::vector<cloth_vec3>& p) {
  stretch s;
  double sum = 0.0;
  for (const thread& t : threads) {
    const float ratio = distance(p[std::size_t(t.a)], p[std::size_t(t.b)]) / t.rest;
    sum += ratio - 1.0f;
    if (ratio > s.longest) s = {0.0f, ratio, t.a, t.b};
  }
  s.mean = float(sum / double(threads.size()));
  return s;
}

}  // namespace

// The record's defaults: no damping, four position iterations; the undamped cloth keeps
// swinging for the ten seconds played. Its threads may stretch by 2 % on average and none to
// more than the row's bound, at any frame; the pinned corners stay where they were.
TEST(cloth_physics, a_cloth_hanging_from_two_corners_keeps_its_threads_near_their_rest_length) {
  struct row {
    float cycle;
    float longest;  // bound on any thread's length / rest length
  };
  const row rows[] = {{60.0f, 1.5f}, {240.0f, 1.2f}};
  for (const row& r : rows) {
    SCOPED_TRACE("cycle " + std::to_string(int(r.cycle)));
    playback_scene s;
    s.scene->animation().frame_rate = fps;
    world_datas settings;
    settings.simulation_cycle = r.cycle;
    host::part_shape& world = s.add_world("World", settings);
    host::polygon_mesh_shape& cloth = add_grid_mesh(*s.scene, world, "Cloth", side, side, step_mm, {0, 2000, 0});
    const std::vector<int> corners = {0, side - 1};
    const std::vector<cloth_vec3> rest = cloth.vertex_positions();
    const std::vector<thread> threads = threads_of(make_cloth(*s.scene, cloth, softbody_datas(), corners), rest);
    ASSERT_EQ(threads.size(),
              std::size_t(3 * (side - 1) * (side - 1) + 2 * (side - 1)));  // sides + one diagonal a cell
    s.enter();
    stretch worst;
    float worst_mean = 0.0f, lowest = 2000.0f;
    for (int frame = 1; frame <= 10 * fps; ++frame) {
      s.play_to(frame);
      const std::vector<cloth_vec3> p = cloth.vertex_positions();
      const stretch now = measure(threads, p);
      worst_mean = std::max(worst_mean, now.mean);
      if (now.longest > worst.longest) worst = now;
      for (int c : corners) ASSERT_LT(distance(p[std::size_t(c)], rest[std::size_t(c)]), 0.01f) << "frame " << frame;
      lowest = std::min(lowest, lowest_y(cloth));
    }
    EXPECT_LE(worst_mean, 0.02f);
    EXPECT_LE(worst.longest, r.longest) << "thread " << worst.a << "-" << worst.b;
    // It did hang: the far edge swung below the pins, by about the cloth's length at most.
    EXPECT_LT(lowest, 2000.0f - 0.9f * cloth_mm);
    EXPECT_GT(lowest, 2000.0f - std::sqrt(1.25f) * cloth_mm * 1.02f);  // the far corners are sqrt(1.25) m off the pins
    EXPECT_TRUE(s.errors().empty());
  }
}

// A static box 1.2 m square, its top at 500 mm, and the cloth dropped flat from 1 m, centred
// over it. Every node stays above the top at every frame (the cloth's 40 mm margin holds it off)
// and over it; from 5 s on, every node moves slower than 0.05 m/s.
TEST(cloth_physics, a_cloth_dropped_on_a_box_comes_to_rest_on_its_top) {
  constexpr float top = 500.0f, half = 600.0f;
  const float dampings[] = {0.0f, 0.1f};
  for (float damping : dampings) {
    SCOPED_TRACE("damping " + std::to_string(damping));
    playback_scene s;
    s.scene->animation().frame_rate = fps;
    world_datas settings;
    settings.height = -5.0f;  // the ground is far below
    host::part_shape& world = s.add_world("World", settings);
    s.add_body(world, "Table", plugin_test::box_shape(half / 1000.0f, 0.25f, half / 1000.0f), {0, top - 250.0f, 0},
               plugin_test::body_settings(rigidbody_datas::static_body));
    host::polygon_mesh_shape& cloth =
        add_grid_mesh(*s.scene, world, "Cloth", side, side, step_mm, {-cloth_mm / 2, 1000, -cloth_mm / 2});
    softbody_datas record;
    record.kDP = damping;
    make_cloth(*s.scene, cloth, record);
    s.enter();
    std::vector<cloth_vec3> before = cloth.vertex_positions();
    float fastest_late = 0.0f;
    for (int frame = 1; frame <= 7 * fps; ++frame) {
      s.play_to(frame);
      const std::vector<cloth_vec3> p = cloth.vertex_positions();
      for (std::size_t i = 0; i < p.size(); ++i) {
        ASSERT_GT(p[i].y, top) << "node " << i << " at frame " << frame;
        ASSERT_LT(std::max(std::fabs(p[i].x), std::fabs(p[i].z)), half) << "node " << i << " at frame " << frame;
        const float speed = distance(p[i], before[i]) * fps / 1000.0f;  // m/s
        if (frame > 5 * fps) fastest_late = std::max(fastest_late, speed);
      }
      before = p;
    }
    EXPECT_LT(fastest_late, 0.05f);
    EXPECT_LT(lowest_y(cloth), top + 45.0f);  // it lies on the top, not held up somewhere
    EXPECT_TRUE(s.errors().empty());
  }
}
