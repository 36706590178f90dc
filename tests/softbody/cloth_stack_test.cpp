// Cloths that touch each other, played through the loaded plug-in at 60 frames per second: two
// cloths dropped on a crate come to rest on it, one on the other, the upper one held off the
// lower by their two margins; neither passes through the other, the crate or the ground, and a
// cloth falling on a cloth that already lies still does not throw it off.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "cloth_scene.hpp"
#include "host/io/scene_file.hpp"
#include "host/ui/ui_services.hpp"

using namespace softbody_test;

namespace {

constexpr int fps = 60;
constexpr int side = 13;          // nodes along each side
constexpr float step_mm = 50.0f;  // 0.6 m square
constexpr float top = 400.0f;     // the crate's top; its sides at +-400 mm, the ground at 0
constexpr float crate_half = 400.0f;
constexpr float margins = 80.0f;  // two cloths of the record's 40 mm margin
// Bullet samples a static body's distance field in 0.25 m cells and finds the crate's top low
// near its edges: by 4-7 mm 100 mm in from them, by up to 45 mm at 50 mm (a corner of the upper
// cloth lying on the crate beside the lower one). A cloth through the crate would lie at its
// bottom, 400 mm down.
constexpr float field_error = 50.0f;

float distance(const cloth_vec3& a, const cloth_vec3& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

// The highest node of `lower` within half a grid step of `p` seen from above (none: -infinity).
float lower_surface_under(const std::vector<cloth_vec3>& lower, const cloth_vec3& p) {
  float high = -INFINITY;
  for (const cloth_vec3& q : lower)
    if (std::hypot(q.x - p.x, q.z - p.z) < 0.75f * step_mm) high = std::max(high, q.y);
  return high;
}

// A world whose ground is at 0 with the static crate on it (its scene is played at 60 fps).
host::part_shape& crate_world(plugin_test::playback_scene& s) {
  s.scene->animation().frame_rate = fps;
  world_datas settings;
  settings.height = 0.0f;
  host::part_shape& world = s.add_world("World", settings);
  s.add_body(world, "Crate", plugin_test::box_shape(crate_half / 1000.0f, top / 2000.0f, crate_half / 1000.0f),
             {0, top / 2.0f, 0}, plugin_test::body_settings(rigidbody_datas::static_body));
  return world;
}

// The two cloths made soft bodies of 0.4 kg with a little damping.
void make_cloths(plugin_test::playback_scene& s, host::polygon_mesh_shape& lower, host::polygon_mesh_shape& upper) {
  softbody_datas record;
  record.mass = 0.4f;
  record.kDP = 0.05f;
  make_cloth(*s.scene, lower, record);
  make_cloth(*s.scene, upper, record);
}

}  // namespace

// The lower cloth 0.6 m square is dropped flat from 600 mm onto a static crate 0.8 m square
// whose top is at 400 mm; the upper one, as large and shifted by 50 mm, from the row's height.
// At every frame: no node under the ground or inside the crate, every node of the upper cloth
// above the lower cloth's nodes under it. From 4 s on every node moves slower than 0.05 m/s; at
// the end the upper cloth lies on the lower one, its two margins above it. A cloth falling from
// 2.5 m hits the lower one after it has come to rest (0.6 s): the lower one stays where it lay.
TEST(cloth_stack, two_cloths_dropped_on_a_crate_come_to_rest_one_on_the_other) {
  struct row {
    float upper_mm;  // height the upper cloth starts at
    const char* what;
  };
  const row rows[] = {{900.0f, "falling together"}, {2500.0f, "on a cloth at rest"}};
  for (const row& r : rows) {
    SCOPED_TRACE(r.what);
    plugin_test::playback_scene s;
    host::part_shape& world = crate_world(s);
    host::polygon_mesh_shape& lower = add_grid_mesh(*s.scene, world, "Lower", side, side, step_mm, {-300, 600, -300});
    host::polygon_mesh_shape& upper =
        add_grid_mesh(*s.scene, world, "Upper", side, side, step_mm, {-250, r.upper_mm, -350});
    make_cloths(s, lower, upper);
    s.enter();
    std::vector<cloth_vec3> before_lower = lower.vertex_positions(), before_upper = upper.vertex_positions();
    std::vector<cloth_vec3> lower_at_rest;
    float fastest_late = 0.0f;
    for (int frame = 1; frame <= 5 * fps; ++frame) {
      s.play_to(frame);
      const std::vector<cloth_vec3> l = lower.vertex_positions(), u = upper.vertex_positions();
      for (const std::vector<cloth_vec3>* cloth : {&l, &u})
        for (std::size_t i = 0; i < cloth->size(); ++i) {
          const cloth_vec3& p = (*cloth)[i];
          ASSERT_GT(p.y, 0.0f) << "node " << i << " at frame " << frame;
          if (std::max(std::fabs(p.x), std::fabs(p.z)) < crate_half) {
            ASSERT_GT(p.y, top - field_error) << "node " << i << " at frame " << frame;
          }
        }
      for (std::size_t i = 0; i < u.size(); ++i)
        ASSERT_GT(u[i].y, lower_surface_under(l, u[i])) << "upper node " << i << " at frame " << frame;
      if (frame > 4 * fps)
        for (std::size_t i = 0; i < l.size(); ++i)
          fastest_late = std::max({fastest_late, distance(l[i], before_lower[i]) * fps / 1000.0f,
                                   distance(u[i], before_upper[i]) * fps / 1000.0f});
      if (frame == 36) lower_at_rest = l;
      before_lower = l;
      before_upper = u;
    }
    EXPECT_LT(fastest_late, 0.05f);
    // Lying on the lower cloth: the upper cloth's nodes over it rest its two margins above it.
    const std::vector<cloth_vec3> l = lower.vertex_positions(), u = upper.vertex_positions();
    int over = 0;
    for (std::size_t i = 0; i < u.size(); ++i) {
      const float under = lower_surface_under(l, u[i]);
      if (under == -INFINITY || std::max(std::fabs(u[i].x), std::fabs(u[i].z)) > 250.0f) continue;
      ++over;
      EXPECT_NEAR(u[i].y - under, margins, 5.0f) << "upper node " << i;
    }
    EXPECT_GT(over, 60);
    if (r.upper_mm > 2000.0f) {
      // Not thrown off: the lower cloth as a whole stays where it lay; its edges, where the
      // upper cloth falls over them, are pressed onto the crate (by as much as the field errs).
      cloth_vec3 shift(0, 0, 0);
      float moved = 0.0f;
      for (std::size_t i = 0; i < l.size(); ++i) {
        shift = shift + (l[i] - lower_at_rest[i]) / float(l.size());
        moved = std::max(moved, distance(l[i], lower_at_rest[i]));
      }
      EXPECT_LT(distance(shift, cloth_vec3(0, 0, 0)), 3.0f);
      EXPECT_LT(moved, field_error);
    }
    EXPECT_TRUE(s.errors().empty());
  }
}

// A 1 kg ball of radius 100 mm dropped from 1.3 m onto two 0.4 kg cloths lying on the crate
// stays on them: its bottom never reaches the crate's top (it pressed through both onto the
// crate). From 4 s on it and the cloths stay where they lie: the ball trembles on them by a
// millimetre or two a frame (its contact planes come from Bullet's coarse distance field; 0.11
// m/s on average, under 0.2), the nodes under it with it (0.21 m/s at most, under 0.5); nothing
// snaps or slides off.
TEST(cloth_stack, a_ball_dropped_on_cloths_lying_on_a_crate_rests_on_them) {
  plugin_test::playback_scene s;
  host::part_shape& world = crate_world(s);
  host::part_shape& ball = s.add_body(world, "Ball", plugin_test::sphere_shape(0.1f), {0, 1300, 0});
  host::polygon_mesh_shape& lower = add_grid_mesh(*s.scene, world, "Lower", side, side, step_mm, {-300, 600, -300});
  host::polygon_mesh_shape& upper = add_grid_mesh(*s.scene, world, "Upper", side, side, step_mm, {-250, 900, -350});
  make_cloths(s, lower, upper);
  s.enter();
  float lowest = 1e9f, fastest_node = 0.0f, ball_path = 0.0f;
  plugin_test::vec3 ball_before = s.position_of(ball);
  std::vector<cloth_vec3> before_lower = lower.vertex_positions(), before_upper = upper.vertex_positions();
  for (int frame = 1; frame <= 5 * fps; ++frame) {
    s.play_to(frame);
    const plugin_test::vec3 at = s.position_of(ball);
    lowest = std::min(lowest, at.y - 100.0f);
    const std::vector<cloth_vec3> l = lower.vertex_positions(), u = upper.vertex_positions();
    if (frame > 4 * fps) {
      ball_path += distance(at, ball_before);
      for (std::size_t i = 0; i < l.size(); ++i)
        fastest_node = std::max({fastest_node, distance(l[i], before_lower[i]) * fps / 1000.0f,
                                 distance(u[i], before_upper[i]) * fps / 1000.0f});
    }
    ball_before = at;
    before_lower = l;
    before_upper = u;
  }
  EXPECT_GT(lowest, top + 20.0f);  // both cloths lie between it and the crate
  EXPECT_LT(fastest_node, 0.5f);
  EXPECT_LT(ball_path / 1000.0f, 0.2f);  // metres in the last second: its mean speed
  const plugin_test::vec3 end = s.position_of(ball);
  EXPECT_LT(std::max(std::fabs(end.x), std::fabs(end.z)), 150.0f);  // still on the crate's middle
  EXPECT_TRUE(s.errors().empty());
}

// The example scene two_cloths as it is stored (two cloths and a 1 kg ball dropped on a crate,
// 150 frames): nothing passes through the crate or the ground, the ball stays on the cloths,
// and from 1 s on no cloth node moves faster than 0.5 m/s (a corner of the upper cloth snapped
// back over the lower one's edge at 1.9 m/s every nine frames; the pair slid off the crate).
TEST(cloth_stack, the_two_cloths_example_plays_with_the_cloths_at_rest_on_the_crate) {
  host::ui_services ui;
  const std::string file = std::string(PHYSPLUG_SOURCE_DIR) + "/examples/two_cloths.json";
  plugin_test::playback_scene s(host::scene_file::load(file, &ui));
  host::polygon_mesh_shape* cloths[2] = {nullptr, nullptr};
  host::part_shape* ball = nullptr;
  for (host::shape_node* shape : s.scene->shapes_in_order()) {
    if (shape->path() == "root/Bullet World/Lower") cloths[0] = dynamic_cast<host::polygon_mesh_shape*>(shape);
    if (shape->path() == "root/Bullet World/Upper") cloths[1] = dynamic_cast<host::polygon_mesh_shape*>(shape);
    if (shape->path() == "root/Bullet World/Ball") ball = dynamic_cast<host::part_shape*>(shape);
  }
  ASSERT_TRUE(cloths[0] != nullptr && cloths[1] != nullptr && ball != nullptr);
  s.enter();
  std::vector<cloth_vec3> before[2] = {cloths[0]->vertex_positions(), cloths[1]->vertex_positions()};
  float fastest = 0.0f, lowest_ball = 1e9f;
  const int end = s.scene->animation().end_frame;
  ASSERT_EQ(end, 150);
  for (int frame = 1; frame <= end; ++frame) {
    s.play_to(frame);
    for (int k = 0; k < 2; ++k) {
      const std::vector<cloth_vec3> p = cloths[k]->vertex_positions();
      for (std::size_t i = 0; i < p.size(); ++i) {
        ASSERT_GT(p[i].y, 0.0f) << "cloth " << k << " node " << i << " at frame " << frame;
        if (std::max(std::fabs(p[i].x), std::fabs(p[i].z)) < crate_half) {
          ASSERT_GT(p[i].y, top - field_error) << "cloth " << k << " node " << i << " at frame " << frame;
        }
        if (frame > fps) fastest = std::max(fastest, distance(p[i], before[k][i]) * fps / 1000.0f);
      }
      before[k] = p;
    }
    if (frame > fps) lowest_ball = std::min(lowest_ball, s.position_of(*ball).y - 100.0f);
  }
  EXPECT_LT(fastest, 0.5f);
  EXPECT_GT(lowest_ball, top + 20.0f);
  EXPECT_TRUE(s.errors().empty());
}
