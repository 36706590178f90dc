// The "Bullet Modify" attribute of the loaded library, driven with the events the host sends:
// the playback loop and the scene events outside playback.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/io/scene_file.hpp"
#include "host/player/player.hpp"
#include "plugin/playback_scene.hpp"

namespace {

using plugin_test::body_settings;
using plugin_test::box_shape;
using plugin_test::playback_scene;
using plugin_test::sphere_shape;
using plugin_test::vec3;

/// A weightless world with one ball gliding along +X at `speed` m/s from x = 0, y = 5 m: its x
/// tells exactly how much simulated time has passed, and in which direction.
struct glide {
  playback_scene s;
  host::part_shape* ball = nullptr;
  explicit glide(float speed = 1.0f) {
    world_datas weightless;
    weightless.gravity = 0;
    rigidbody_datas moving = body_settings();
    moving.velocity = btVector3(speed, 0, 0);
    ball = &s.add_body(s.add_world("World", weightless), "Ball", sphere_shape(0.1f), vec3(0, 5000, 0), moving);
  }
  float x() const { return playback_scene::position_of(*ball).x; }
};

constexpr float mm_per_frame = 1000.0f / 30.0f;  // 1 m/s at 30 frames per second

TEST(bullet_modify_component, uniform_motion_follows_the_sequence_position) {
  glide g;
  g.s.enter();
  g.s.play_to(30);
  EXPECT_NEAR(g.x(), 1000.0f, 0.5f);  // one second at 1 m/s
  EXPECT_NEAR(playback_scene::position_of(*g.ball).y, 5000.0f, 1e-3f);
}

TEST(bullet_modify_component, returning_to_frame_0_rebuilds_and_steps_nothing) {
  glide g;
  g.s.enter();
  g.s.play_to(10);
  g.s.go_to(0);
  EXPECT_EQ(g.x(), 0.0f);  // back at the start pose, exactly
  g.s.play_to(3);
  EXPECT_NEAR(g.x(), 3 * mm_per_frame, 0.05f);  // and it runs again from the start
}

TEST(bullet_modify_component, edits_made_at_frame_0_take_effect_on_the_rebuild) {
  glide g;
  g.s.enter();
  g.s.play_to(5);
  g.s.go_to(0);
  g.ball->set_transformation(sxsdk::mat4::translate(-2000, 5000, 0));
  bool flag = false;
  sxsdk::shape_class* moved[] = {&g.ball->sdk()};
  g.s.modify->shapes_moved(flag, g.s.scene.get(), 1, moved, sxsdk::mat4());
  g.s.go_to(0);
  g.s.play_to(3);
  EXPECT_NEAR(g.x(), -2000.0f + 3 * mm_per_frame, 0.05f);
}

TEST(bullet_modify_component, scrubbing_back_runs_the_motion_backwards_and_forwards_again) {
  glide g;
  g.s.enter();
  g.s.play_to(20);
  const float at_20 = g.x();
  g.s.go_to(19);  // reversed once: the ball glides back one frame
  EXPECT_NEAR(g.x(), at_20 - mm_per_frame, 0.05f);
  g.s.go_to(18);  // still backwards: no second reversal
  EXPECT_NEAR(g.x(), at_20 - 2 * mm_per_frame, 0.05f);
  g.s.go_to(19);  // forwards again: reversed back
  EXPECT_NEAR(g.x(), at_20 - mm_per_frame, 0.05f);
  g.s.go_to(21);
  EXPECT_NEAR(g.x(), at_20 + mm_per_frame, 0.05f);
}

TEST(bullet_modify_component, the_same_position_twice_does_nothing) {
  glide g;
  g.s.enter();
  g.s.play_to(5);
  const float at_5 = g.x();
  g.s.go_to(5);
  EXPECT_EQ(g.x(), at_5);
}

struct frame_rate_case {
  int host_rate;
  bool playback_option;
  int rate_after;
  bool repaired;
};

TEST(bullet_modify_component, an_unsupported_frame_rate_is_repaired_to_30) {
  const frame_rate_case cases[] = {
      {24, false, 30, true},    {30, false, 30, false}, {60, false, 60, false},
      {120, false, 120, false}, {25, false, 30, true},  {60, true, 30, true},
  };
  for (const frame_rate_case& c : cases) {
    glide g;
    g.s.scene->animation().frame_rate = c.host_rate;
    g.s.scene->animation().playback_option = c.playback_option;
    g.s.enter();
    EXPECT_EQ(g.s.scene->animation().frame_rate, c.rate_after) << c.host_rate;
    EXPECT_FALSE(g.s.scene->animation().playback_option);
    const auto repaired = std::vector<std::string>{"Bad animation mode. Repaired"};
    EXPECT_EQ(g.s.messages(), c.repaired ? repaired : std::vector<std::string>{}) << c.host_rate;
    // A frame lasts 1/rate seconds of simulated time.
    g.s.play_to(c.rate_after);
    EXPECT_NEAR(g.x(), 1000.0f, 0.5f) << c.host_rate;
  }
}

TEST(bullet_modify_component, entering_moves_the_sequence_to_frame_0) {
  glide g;
  g.s.scene->set_sequence_value(17);
  g.s.enter();
  EXPECT_EQ(g.s.scene->get_sequence_value(), 0.0f);
}

TEST(bullet_modify_component, rendering_from_a_later_frame_builds_nothing) {
  glide g;
  g.s.scene->set_rendering(true);
  g.s.go_to(5);
  g.s.go_to(6);
  EXPECT_EQ(g.x(), 0.0f);
}

TEST(bullet_modify_component, rendering_builds_at_0_and_puts_back_at_minus_1) {
  glide g;
  g.s.enter();  // played at 30 frames per second first
  g.s.play_to(3);
  g.s.leave();
  g.s.scene->animation().frame_rate = 60;  // no sequence_mode_changed: the pass reads the rate
  g.s.scene->set_rendering(true);
  const std::string before = plugin_test::scene_state(*g.s.scene);
  g.s.go_to(0);
  g.s.play_to(60);
  EXPECT_NEAR(g.x(), 1000.0f, 0.5f);  // 60 frames at 60 fps: one second
  g.s.go_to(-1);
  EXPECT_EQ(plugin_test::scene_state(*g.s.scene), before);
}

TEST(bullet_modify_component, leaving_puts_the_scene_back_even_after_entering_twice) {
  glide g;
  const std::string before = plugin_test::scene_state(*g.s.scene);
  bool flag = false;
  g.s.enter();
  g.s.play_to(10);
  // A second start without an end in between must not take the moved pose as the start.
  g.s.modify->sequence_mode_changed(flag, g.s.scene.get(), true);
  g.s.position = 0;
  g.s.play_to(10);
  g.s.leave();
  EXPECT_EQ(plugin_test::scene_state(*g.s.scene), before);
}

TEST(bullet_modify_component, one_rigid_body_selected_alone_ends_mesh_editing) {
  playback_scene s;
  host::part_shape& world = s.add_world("World");
  host::part_shape& a = s.add_body(world, "A", sphere_shape(0.1f), vec3(0, 0, 0));
  host::part_shape& b = s.add_body(world, "B", sphere_shape(0.1f), vec3(0, 0, 0));
  host::polygon_mesh_shape& mesh = s.scene->add_polygon_mesh(world, "Mesh");
  struct selection_case {
    std::vector<host::shape_node*> before, after;
    bool ends_editing;
  };
  const selection_case cases[] = {
      {{&mesh}, {&a}, true},
      {{&mesh}, {&a, &b}, false},
      {{&a}, {&world}, false},
      {{&a}, {&mesh}, false},
  };
  for (const selection_case& c : cases) {
    s.scene->begin_mesh_edit(mesh, sxsdk::selection_mode::vertices);
    s.scene->set_active_shapes(c.after);
    s.plugins.active_shapes_changed(c.before, c.after);
    EXPECT_EQ(s.scene->edited_mesh() == nullptr, c.ends_editing) << c.after.size();
  }
}

TEST(bullet_modify_component, moving_a_body_outside_playback_moves_its_start) {
  playback_scene s;
  host::part_shape& holder = s.scene->add_part(s.scene->root(), "Holder");
  host::part_shape& ball =
      s.add_body(s.add_world("World", world_datas(), &holder), "Ball", sphere_shape(0.1f), vec3(0, 10000, 0));
  // The user moves a part above the body: the body's start follows (sons are refreshed too).
  holder.set_transformation(sxsdk::mat4::translate(3000, 0, 0));
  bool flag = false;
  sxsdk::shape_class* moved[] = {&holder.sdk()};
  s.modify->shapes_moved(flag, s.scene.get(), 1, moved, sxsdk::mat4::translate(3000, 0, 0));
  s.enter();
  s.play_to(1);
  EXPECT_NEAR(playback_scene::position_of(ball).x, 3000.0f, 1e-2f);
  EXPECT_NEAR(playback_scene::position_of(ball).y, 10000.0f, 10.0f);  // one frame of fall
}

TEST(bullet_modify_component, modifying_a_primitive_is_refused_with_a_message) {
  playback_scene s;
  host::part_shape& ball = s.add_body(s.add_world("World"), "Ball", sphere_shape(0.1f), vec3(0, 1000, 0));
  sxsdk::shape_class* primitive[] = {&ball.sons().front()->sdk()};
  sxsdk::shape_class* body[] = {&ball.sdk()};
  bool flag = false;
  s.scene->messages().clear();
  s.modify->shapes_modified(flag, s.scene.get(), 1, body, nullptr);
  EXPECT_TRUE(s.messages().empty());  // the primitive below a named body is not named itself
  s.modify->shapes_modified(flag, s.scene.get(), 1, primitive, nullptr);
  EXPECT_EQ(s.messages(), std::vector<std::string>{"Bullet primitive can't be modified.Undo it"});
}

TEST(bullet_modify_component, a_scene_opened_in_sequence_mode_leaves_it) {
  glide g;
  g.s.enter();
  g.s.play_to(5);
  bool flag = false;
  g.s.modify->scene_opened(flag, g.s.scene.get());
  EXPECT_FALSE(g.s.scene->is_sequence_mode());
  EXPECT_EQ(g.x(), 0.0f);
}

TEST(bullet_modify_component, ask_shape_leaves_playback_before_anything_else) {
  glide g;
  g.s.enter();
  g.s.play_to(5);
  g.s.scene->set_active_shapes({&g.s.scene->root()});
  g.s.scene->messages().clear();
  EXPECT_TRUE(g.s.modify->ask_shape(g.s.scene->root().sdk()));
  EXPECT_FALSE(g.s.scene->is_sequence_mode());
  EXPECT_EQ(g.s.scene->get_sequence_value(), 0.0f);
  EXPECT_EQ(g.x(), 0.0f);
  EXPECT_EQ(g.s.messages(), std::vector<std::string>{"No targets"});
}

}  // namespace

namespace {

TEST(bullet_modify_component, ask_shape_puts_the_scene_back_even_when_the_host_stays_silent) {
  glide g;
  g.s.enter();
  g.s.play_to(5);
  g.s.scene->set_sequence_mode_handler(nullptr);  // a host that does not report the mode it left
  g.s.scene->set_active_shapes({&g.s.scene->root()});
  g.s.modify->ask_shape(g.s.scene->root().sdk());
  EXPECT_EQ(g.x(), 0.0f);
  g.s.modify->scene_opened(g.s.flag, g.s.scene.get());  // nothing left to clear, nothing moves
  EXPECT_EQ(g.x(), 0.0f);
}

}  // namespace

namespace {

std::string saved_text(host::scene& scene) { return host::scene_file::format(scene, "scene.json"); }

TEST(bullet_modify_component, a_keyed_kinematic_paddle_pushes_a_ball_and_the_played_scene_saves_unchanged) {
  playback_scene s;
  host::part_shape& world = s.add_world("World");
  host::part_shape& paddle = s.add_body(world, "Paddle", box_shape(0.1f, 0.3f, 1), vec3(-1000, 300, 0),
                                        body_settings(rigidbody_datas::kinematic));
  host::part_shape& ball = s.add_body(world, "Ball", sphere_shape(0.2f), vec3(0, 200, 0));
  host::part_key from, to;
  from.frame = 0;
  from.translation = vec3(-1000, 300, 0);
  to.frame = 30;
  to.translation = vec3(1000, 300, 0);
  s.scene->keys().set_part_key(paddle, from);
  s.scene->keys().set_part_key(paddle, to);
  const std::string before = saved_text(*s.scene);

  // The paddle sweeps 2 m in 1 s through the ball's place: the ball must end up well ahead of
  // where it stood, on the far side of the paddle's path.
  host::player player(s.plugins);
  float ball_x_at_end = 0;
  player.set_progress([&](float position, int, int) {
    if (position == 45.0f) ball_x_at_end = playback_scene::position_of(ball).x;
  });
  const host::player::outcome played = player.play(0, 45);
  EXPECT_EQ(played.reported, 45);
  EXPECT_FALSE(played.interrupted);
  EXPECT_GT(ball_x_at_end, 1000.0f + 100.0f + 200.0f);
  EXPECT_EQ(saved_text(*s.scene), before);
}

}  // namespace

namespace {

TEST(bullet_modify_component, a_jump_simulates_the_same_time_as_the_frames_it_skips) {
  glide stepped, jumped;
  stepped.s.enter();
  stepped.s.play_to(30);
  jumped.s.enter();
  jumped.s.go_to(30);
  // Both ran one second in fixed engine steps of 1/60 s; they may differ by one step at most.
  EXPECT_NEAR(jumped.x(), stepped.x(), 1000.0f / 60.0f + 0.01f);
  EXPECT_NEAR(jumped.x(), 1000.0f, 1000.0f / 60.0f + 0.01f);
}

}  // namespace

namespace {

// A cylinder is drawn with its full height along its axis; dropped onto the ground it must come
// to rest with its centre at half that height when it stands (Y), and at its radius when it
// lies along X or Z.
TEST(bullet_modify_component, a_cylinder_rests_as_tall_as_it_is_drawn_along_every_axis) {
  struct axis_case {
    int direction;
    float rest_height_mm;
  };
  const float radius = 0.05f, height = 0.4f;
  for (const axis_case c : {axis_case{0, 200.0f}, axis_case{1, 50.0f}, axis_case{2, 50.0f}}) {
    SCOPED_TRACE("direction " + std::to_string(c.direction));
    playback_scene s;
    collisionshape_datas cylinder;
    cylinder.type = collisionshape_datas::cylinder;
    cylinder.direction = c.direction;
    cylinder.size[0] = cylinder.size[2] = radius;
    cylinder.size[1] = height;
    host::part_shape& body = s.add_body(s.add_world("World"), "Cylinder", cylinder, vec3(0, c.rest_height_mm + 50, 0));
    s.enter();
    s.play_to(90);
    EXPECT_NEAR(playback_scene::position_of(body).y, c.rest_height_mm, 5.0f);
    s.leave();
  }
}

}  // namespace
