// The scene-side worlds as playback builds them, driven through the loaded plug-in: which world
// parts become worlds, what goes into each, the messages of a failed build in their order, and
// the scene put back when playback ends.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "host/io/scene_file.hpp"

#include "plugin/playback_scene.hpp"

namespace {

using plugin_test::body_settings;
using plugin_test::box_shape;
using plugin_test::playback_scene;
using plugin_test::sphere_shape;
using plugin_test::vec3;

constexpr float g = 9.8f;             // m/s^2, the world default
constexpr float fps = 30.0f;          // the host default
constexpr float step = 1.0f / 60.0f;  // s, one engine step at the default simulation cycle

/// Height (mm) of a body released at rest from `start` (mm) after `t` seconds of free fall.
float free_fall_height(float start, float t) { return start - 0.5f * g * t * t * 1000.0f; }
/// A fixed-step integrator lags the closed form by at most g * dt * t (mm).
float free_fall_tolerance(float t) { return g * step * t * 1000.0f + 0.5f; }

TEST(sorvel_worlds, a_ball_falls_freely_until_it_rests_on_the_ground) {
  playback_scene s;
  host::part_shape& world = s.add_world("World");
  host::part_shape& ball = s.add_body(world, "Ball", sphere_shape(0.1f), vec3(0, 10000, 0));
  s.enter();
  for (int frame : {10, 20, 30, 40}) {
    s.play_to(frame);
    const float t = frame / fps;
    EXPECT_NEAR(playback_scene::position_of(ball).y, free_fall_height(10000, t), free_fall_tolerance(t))
        << "frame " << frame;
    EXPECT_EQ(playback_scene::position_of(ball).x, 0.0f);
  }
  s.play_to(150);  // it reached the ground plane (height 0) after about 1.4 s
  EXPECT_NEAR(playback_scene::position_of(ball).y, 100.0f, 5.0f);  // resting on its radius
}

// Scale Factor multiplies the bodies' lengths inside the engine but not gravity or the ground:
// at scale s a ball falls 1/s as far per frame in the scene and rests at "Hight" / s plus its
// radius. A ball of radius 100 mm dropped from 1000 mm, 30 frames per second, cycle 60: two
// steps of 1/60 s fall 3 g / 3600 = 8.17 mm at scale 1.
struct scale_case {
  float scale;
  float frame_one;  // mm, height at frame 1
  float resting;    // mm, height at rest on a ground at "Hight" 0.5
};

TEST(sorvel_worlds, the_scale_factor_makes_bodies_act_as_if_that_many_times_larger) {
  const scale_case cases[] = {{1.0f, 991.83f, 600.0f}, {2.0f, 995.92f, 350.0f}, {4.0f, 997.96f, 225.0f}};
  for (const scale_case& c : cases) {
    playback_scene s;
    world_datas settings;
    settings.scale_factor = c.scale;
    settings.height = 0.5f;
    host::part_shape& ball = s.add_body(s.add_world("World", settings), "Ball", sphere_shape(0.1f), vec3(0, 1000, 0));
    s.enter();
    s.play_to(1);
    EXPECT_NEAR(playback_scene::position_of(ball).y, c.frame_one, 0.01f) << "scale " << c.scale;
    s.play_to(90);
    EXPECT_NEAR(playback_scene::position_of(ball).y, c.resting, 1.0f) << "scale " << c.scale;
  }
}

TEST(sorvel_worlds, leaving_sequence_mode_puts_every_shape_back_bit_for_bit) {
  playback_scene s;
  // A moved and turned world, bodies turned by angles whose sines are not exact in floats,
  // and a body inside another body: everything the metre round trip would round.
  host::part_shape& world = s.add_world("World");
  world.set_transformation(sxsdk::mat4::rotate_y(0.3f) * sxsdk::mat4::translate(123.4f, 56.7f, -89.1f));
  host::part_shape& box = s.add_body(world, "Box", box_shape(0.2f, 0.1f, 0.3f), vec3(10.1f, 3000.3f, -7.7f));
  box.set_transformation(sxsdk::mat4::rotate_x(0.7f) * sxsdk::mat4::rotate_z(0.2f) * box.get_transformation());
  s.add_body(box, "Inner", sphere_shape(0.05f), vec3(333.3f, 0, 0));
  s.add_body(world, "Ball", sphere_shape(0.1f), vec3(-500, 2000, 400));
  s.add_body(world, "Floor", box_shape(2, 0.1f, 2), vec3(0, 100, 0), body_settings(rigidbody_datas::static_body));
  const std::string before = plugin_test::scene_state(*s.scene);

  s.enter();
  s.play_to(45);
  EXPECT_NE(plugin_test::scene_state(*s.scene), before);  // the bodies did move
  s.leave();
  EXPECT_EQ(plugin_test::scene_state(*s.scene), before);
}

std::string file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(sorvel_worlds, a_scene_saved_before_playback_and_after_leaving_is_the_same_file) {
  playback_scene s;
  host::part_shape& world = s.add_world("World");
  world.set_transformation(sxsdk::mat4::rotate_z(0.1f) * sxsdk::mat4::translate(1.5f, 2.25f, -3.75f));
  host::part_shape& box = s.add_body(world, "Box", box_shape(0.3f, 0.2f, 0.1f), vec3(7.7f, 2500.1f, 3.3f));
  box.set_transformation(sxsdk::mat4::rotate_y(1.234f) * box.get_transformation());
  s.add_body(world, "Ball", sphere_shape(0.15f), vec3(100, 4000, -50));
  s.add_body(world, "Ground", box_shape(3, 0.1f, 3), vec3(0, 100, 0), body_settings(rigidbody_datas::static_body));
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("physplug_sorvel_worlds_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  host::scene_file::save(*s.scene, (dir / "before.json").string());
  s.enter();
  s.play_to(60);  // the box lands, tumbles and settles
  s.leave();
  host::scene_file::save(*s.scene, (dir / "after.json").string());
  EXPECT_EQ(file_bytes(dir / "after.json"), file_bytes(dir / "before.json"));
  std::filesystem::remove_all(dir);
}

TEST(sorvel_worlds, a_scene_without_world_parts_builds_nothing_and_says_nothing) {
  playback_scene s;
  host::part_shape& part = s.scene->add_part(s.scene->root(), "Not a world");
  host::part_shape& ball = s.add_body(part, "Ball", sphere_shape(0.1f), vec3(0, 1000, 0));
  s.scene->messages().clear();
  s.enter();
  s.play_to(10);
  EXPECT_EQ(playback_scene::position_of(ball).y, 1000.0f);
  EXPECT_TRUE(s.all_lines().empty());
}

TEST(sorvel_worlds, a_held_world_is_skipped_and_its_bodies_stay) {
  playback_scene s;
  world_datas held;
  held.active = false;
  host::part_shape& still = s.add_body(s.add_world("Held", held), "Still", sphere_shape(0.1f), vec3(0, 5000, 0));
  host::part_shape& falling = s.add_body(s.add_world("Active"), "Falling", sphere_shape(0.1f), vec3(0, 5000, 0));
  s.enter();
  s.play_to(15);
  EXPECT_EQ(playback_scene::position_of(still).y, 5000.0f);
  EXPECT_LT(playback_scene::position_of(falling).y, 5000.0f - 500.0f);
}

TEST(sorvel_worlds, bodies_of_two_worlds_never_meet) {
  // A ball of one world falls right through a static slab of the other, as if it were not there.
  playback_scene s;
  host::part_shape& ball = s.add_body(s.add_world("Left"), "Ball", sphere_shape(0.1f), vec3(0, 3000, 0));
  s.add_body(s.add_world("Right"), "Slab", box_shape(5, 0.2f, 5), vec3(0, 2500, 0),
             body_settings(rigidbody_datas::static_body));
  s.enter();
  s.play_to(15);  // 0.5 s: 1.2 m of fall, well past the slab
  EXPECT_NEAR(playback_scene::position_of(ball).y, free_fall_height(3000, 0.5f), free_fall_tolerance(0.5f));
}

TEST(sorvel_worlds, a_nested_world_part_joins_the_outer_world) {
  // The inner world part would hold its ball still (no gravity) if it were a world of its own;
  // inside the outer world its ball falls under the outer gravity and lands on the outer slab.
  playback_scene s;
  host::part_shape& outer = s.add_world("Outer");
  world_datas weightless;
  weightless.gravity = 0;
  host::part_shape& inner = s.add_world("Inner", weightless, &outer);
  host::part_shape& ball = s.add_body(inner, "Ball", sphere_shape(0.1f), vec3(0, 2000, 0));
  s.add_body(outer, "Slab", box_shape(5, 0.2f, 5), vec3(0, 1000, 0), body_settings(rigidbody_datas::static_body));
  s.enter();
  s.play_to(10);
  EXPECT_NEAR(playback_scene::position_of(ball).y, free_fall_height(2000, 10 / fps), free_fall_tolerance(10 / fps));
  s.play_to(90);
  EXPECT_NEAR(playback_scene::position_of(ball).y, 1000.0f + 200.0f + 100.0f, 5.0f);  // on the slab
}

TEST(sorvel_worlds, a_failed_world_shows_its_own_error_then_its_name_and_later_worlds_are_not_built) {
  playback_scene s;
  s.add_body(s.add_world("Good"), "Ball", sphere_shape(0.1f), vec3(0, 1000, 0));
  host::part_shape& bad = s.add_world("Broken");
  host::part_shape& lost = s.add_body(bad, "Lost", sphere_shape(0.1f), vec3(0, 1000, 0));
  s.scene->remove_shape(*lost.sons().front());  // the body's primitive is gone
  host::part_shape& later = s.add_body(s.add_world("Later"), "Ball", sphere_shape(0.1f), vec3(0, 1000, 0));
  s.scene->messages().clear();
  s.enter();
  const std::vector<std::string> expected = {
      "Can't get primitive shape. please repair.",  // reading the body while the world is gathered
      "bad primitive shape",                        // building it
      "Bullet world[Broken] create ERROR",
  };
  EXPECT_EQ(s.all_lines(), expected);
  EXPECT_EQ(s.errors(), std::vector<std::string>{"bad primitive shape"});
  s.play_to(10);
  EXPECT_EQ(playback_scene::position_of(later).y, 1000.0f);  // a failed build leaves no simulation
}

struct missing_primitive_case {
  std::int32_t type;
  const char* error;
};

TEST(sorvel_worlds, a_body_without_primitive_is_named_by_its_list) {
  const missing_primitive_case cases[] = {
      {rigidbody_datas::static_body, "bad primitive shape"},
      {rigidbody_datas::kinematic, "error in add rigid"},
      {rigidbody_datas::move, "bad primitive shape"},
  };
  for (const missing_primitive_case& c : cases) {
    playback_scene s;
    host::part_shape& body =
        s.add_body(s.add_world("World"), "Body", sphere_shape(0.1f), vec3(0, 1000, 0), body_settings(c.type));
    s.scene->remove_shape(*body.sons().front());
    s.scene->messages().clear();
    s.enter();
    EXPECT_EQ(s.errors(), std::vector<std::string>{c.error}) << "type " << c.type;
  }
}

TEST(sorvel_worlds, a_body_inside_a_body_is_a_second_body) {
  playback_scene s;
  host::part_shape& world = s.add_world("World");
  host::part_shape& outer = s.add_body(world, "Outer", sphere_shape(0.1f), vec3(-1000, 5000, 0));
  host::part_shape& inner = s.add_body(outer, "Inner", sphere_shape(0.1f), vec3(2000, 0, 0));
  s.enter();
  s.play_to(30);
  // Both fall freely side by side: the inner one is simulated on its own, not carried.
  EXPECT_NEAR(playback_scene::position_of(outer).y, free_fall_height(5000, 1), free_fall_tolerance(1));
  EXPECT_NEAR(playback_scene::position_of(inner).y, free_fall_height(5000, 1), free_fall_tolerance(1));
  EXPECT_NEAR(playback_scene::position_of(inner).x, 1000.0f, 0.01f);
}

TEST(sorvel_worlds, a_kinematic_body_follows_its_animated_part_and_carries_a_ball) {
  // An elevator: the host raises the platform 20 mm every frame; the ball resting on it rides up.
  playback_scene s;
  host::part_shape& world = s.add_world("World");
  host::part_shape& platform =
      s.add_body(world, "Platform", box_shape(1, 0.1f, 1), vec3(0, 1000, 0), body_settings(rigidbody_datas::kinematic));
  host::part_shape& ball = s.add_body(world, "Ball", sphere_shape(0.1f), vec3(0, 1200, 0));
  s.enter();
  for (int frame = 1; frame <= 30; ++frame) {
    platform.set_transformation(sxsdk::mat4::translate(0, 1000.0f + 20.0f * frame, 0));
    s.go_to(float(frame));
  }
  EXPECT_EQ(playback_scene::position_of(platform).y, 1600.0f);  // the simulation never moves it
  EXPECT_NEAR(playback_scene::position_of(ball).y, 1600.0f + 100.0f + 100.0f, 15.0f);
  s.leave();
  EXPECT_EQ(playback_scene::position_of(platform).y, 1600.0f);  // the host's animation is its own
  EXPECT_EQ(playback_scene::position_of(ball).y, 1200.0f);
}

}  // namespace
