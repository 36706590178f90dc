// Playback is a pure function of the scene: the same scene played again, after scrubbing back
// to the start, or beside other worlds gives the same motion, bit for bit.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin/playback_scene.hpp"

namespace {

using plugin_test::body_settings;
using plugin_test::box_shape;
using plugin_test::playback_scene;
using plugin_test::sphere_shape;
using plugin_test::vec3;

/// Every frame's world matrices of the traced parts, as raw bytes.
using trace = std::vector<std::string>;

/// A world with contacts of every kind: a ball bouncing on a slab, a stack of boxes, a turned
/// box tumbling onto them and a box thrown sideways. Returns its moving parts.
std::vector<host::part_shape*> add_busy_world(playback_scene& s, const std::string& name, float x) {
  host::part_shape& world = s.add_world(name);
  rigidbody_datas fixed = body_settings(rigidbody_datas::static_body);
  fixed.restitution = 1.0f;
  s.add_body(world, "Slab", box_shape(2.0f, 0.05f, 2.0f), vec3(x, 50, 0), fixed);
  std::vector<host::part_shape*> moving;
  rigidbody_datas ball = body_settings();
  ball.restitution = 0.8f;
  moving.push_back(&s.add_body(world, "Ball", sphere_shape(0.1f), vec3(x + 600, 1500, 0), ball));
  for (int i = 0; i < 4; ++i)
    moving.push_back(&s.add_body(world, "Box" + std::to_string(i), box_shape(0.1f, 0.1f, 0.1f),
                                 vec3(x + 10.0f * i, 200.0f + 210.0f * i, 0)));
  rigidbody_datas thrown = body_settings();
  thrown.velocity = btVector3(-3.0f, 2.0f, 0.5f);
  moving.push_back(&s.add_body(world, "Thrown", box_shape(0.05f, 0.1f, 0.05f), vec3(x + 900, 400, 0), thrown));
  return moving;
}

std::string matrices(const std::vector<host::part_shape*>& parts) {
  std::string bytes;
  for (host::part_shape* part : parts) {
    const sxsdk::mat4 m = part->get_local_to_world_matrix();
    bytes.append(reinterpret_cast<const char*>(&m), sizeof m);
  }
  return bytes;
}

/// Plays frames after the current position up to `last`, appending each frame's matrices.
void record(playback_scene& s, const std::vector<host::part_shape*>& parts, int last, trace& out) {
  for (int f = int(s.position) + 1; f <= last; ++f) {
    s.go_to(float(f));
    out.push_back(matrices(parts));
  }
}

/// Enters sequence mode and records frames 0..last.
trace play(playback_scene& s, const std::vector<host::part_shape*>& parts, int last) {
  s.enter();
  trace t{matrices(parts)};
  record(s, parts, last, t);
  s.leave();
  return t;
}

/// The first frame at which two traces differ, or -1.
int first_difference(const trace& a, const trace& b) {
  for (std::size_t f = 0; f < a.size() || f < b.size(); ++f)
    if (f >= a.size() || f >= b.size() || a[f] != b[f]) return int(f);
  return -1;
}

}  // namespace

TEST(playback_determinism, a_scene_played_twice_moves_the_same_bit_for_bit) {
  playback_scene s;
  const std::vector<host::part_shape*> parts = add_busy_world(s, "World", 0);
  const trace first = play(s, parts, 120);
  EXPECT_EQ(first_difference(first, play(s, parts, 120)), -1);
  playback_scene other;  // a second scene in the same process
  const std::vector<host::part_shape*> same = add_busy_world(other, "World", 0);
  EXPECT_EQ(first_difference(first, play(other, same, 120)), -1);
  EXPECT_NE(first.front(), first.back());  // and something did move
}

TEST(playback_determinism, scrubbing_back_to_the_start_and_replaying_repeats_the_motion) {
  playback_scene once, scrubbed;
  const std::vector<host::part_shape*> a = add_busy_world(once, "World", 0);
  const std::vector<host::part_shape*> b = add_busy_world(scrubbed, "World", 0);
  const trace straight = play(once, a, 100);
  scrubbed.enter();
  trace ignored;
  record(scrubbed, b, 50, ignored);
  scrubbed.go_to(0);
  trace replay{matrices(b)};
  record(scrubbed, b, 100, replay);
  scrubbed.leave();
  EXPECT_EQ(first_difference(straight, replay), -1);
}

TEST(playback_determinism, a_world_moves_the_same_whatever_other_worlds_the_scene_holds) {
  playback_scene alone, crowded;
  const std::vector<host::part_shape*> a = add_busy_world(alone, "World", 0);
  add_busy_world(crowded, "Before", -5000);  // found first, depth first from the root
  const std::vector<host::part_shape*> b = add_busy_world(crowded, "World", 0);
  add_busy_world(crowded, "After", 5000);
  add_busy_world(crowded, "Overlapping", 0);  // in the same place, but a world of its own
  EXPECT_EQ(first_difference(play(alone, a, 120), play(crowded, b, 120)), -1);
}
