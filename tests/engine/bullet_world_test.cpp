// World creation and stepping, measured against closed-form physics.
#include "engine/bullet_world.hpp"

#include "engine/engine_scene.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace engine_test;

namespace {

world_datas world_with(float height, float scale) {
  world_datas w;
  w.height = height;
  w.scale_factor = scale;
  return w;
}

}  // namespace

// Bullet integrates velocity first, then position with the new velocity (semi-implicit Euler):
// v_n = v_{n-1} + g dt, x_n = x_{n-1} + v_n dt. Over one second that is 1830 g dt^2 below the
// start, not the continuous g/2.
TEST(bullet_world, free_fall_over_one_second_follows_semi_implicit_euler) {
  engine_scene scene;
  rigidbody_datas& ball = scene.body(sphere(0.1f), btVector3(0.0f, 10.0f, 0.0f));
  ASSERT_TRUE(scene.body_added);
  const double g = -9.8, dt = 1.0 / 60.0;
  double v = 0.0, y = 10.0;
  for (int n = 1; n <= 60; ++n) {
    scene.engine.update(1.0f / 60.0f, 60.0f);
    v += g * dt;
    y += v * dt;
    ASSERT_NEAR(scene.position(ball).y(), y, 1e-4) << "step " << n;
  }
  EXPECT_NEAR(y, 10.0 + g * dt * dt * 1830.0, 1e-9);
  EXPECT_NEAR(scene.bullet_body(ball)->getLinearVelocity().y(), g, 1e-4);
}

// Each case: a shape, the height of its centre above the ground when it lies at rest, and the
// height it is dropped from above that.
struct resting_case {
  collisionshape_datas::primitive_type type;
  int direction;
  float x, y, z;
  float rest_height;
  float drop;
};

TEST(bullet_world, every_primitive_comes_to_rest_on_the_ground_plane_at_height) {
  const resting_case cases[] = {
      {collisionshape_datas::box, 0, 0.1f, 0.2f, 0.3f, 0.2f, 0.05f},
      {collisionshape_datas::box, 0, 0.1f, 0.1f, 0.1f, 0.1f, 2.0f},  // lands fast, on its face
      {collisionshape_datas::sphere, 0, 0.15f, 0.15f, 0.15f, 0.15f, 1.0f},
      {collisionshape_datas::capsule, 0, 0.1f, 0.3f, 0.0f, 0.25f, 0.05f},  // radius + half middle
      {collisionshape_datas::capsule, 1, 0.1f, 0.3f, 0.0f, 0.1f, 0.5f},    // lying along X
      {collisionshape_datas::capsule, 2, 0.1f, 0.3f, 0.0f, 0.1f, 0.5f},    // lying along Z
      {collisionshape_datas::cylinder, 0, 0.2f, 0.3f, 0.2f, 0.3f, 0.05f},
      {collisionshape_datas::cylinder, 1, 0.3f, 0.2f, 0.2f, 0.2f, 0.5f},  // axis X, radius y
      {collisionshape_datas::cylinder, 2, 0.2f, 0.2f, 0.3f, 0.2f, 0.5f},  // axis Z, radius x
      // On its base; a cone keeps its collision margin (0.04) outside its surface.
      {collisionshape_datas::cone, 0, 0.2f, 0.3f, 0.0f, 0.15f + 0.04f, 0.05f},
  };
  for (const resting_case& c : cases) {
    engine_scene scene(world_with(1.5f, 1.0f));
    rigidbody_datas& body = scene.body(shape_record(c.type, c.x, c.y, c.z, c.direction),
                                       btVector3(0.0f, 1.5f + c.rest_height + c.drop, 0.0f));
    ASSERT_TRUE(scene.body_added) << c.type << "/" << c.direction;
    scene.play(3.0f);
    EXPECT_NEAR(scene.position(body).y(), 1.5f + c.rest_height, 0.01f)
        << c.type << "/" << c.direction << " dropped from " << c.drop;
  }
}

// The scale factor multiplies body lengths but not gravity, the ground height or the boundary:
// read back in metres, a ball at scale s falls 1/s as far in the same time (two steps of 1/60 s
// fall 3 g / 3600 = 8.17 mm in the engine) and comes to rest at height / s plus its radius.
struct scale_case {
  float scale;
  float after_two_steps;  // m, from 1 m
  float resting;          // m, on a ground at 0.5 m
};

TEST(bullet_world, scale_factor_multiplies_body_lengths_but_not_gravity_or_the_ground) {
  const scale_case cases[] = {{1.0f, 0.991833f, 0.6f}, {2.0f, 0.995917f, 0.35f}, {4.0f, 0.997958f, 0.225f}};
  for (const scale_case& c : cases) {
    engine_scene scene(world_with(0.5f, c.scale));
    rigidbody_datas& ball = scene.body(sphere(0.1f), btVector3(0.0f, 1.0f, 0.0f));
    ASSERT_TRUE(scene.body_added) << c.scale;
    scene.play(2.0f / 60.0f);
    EXPECT_NEAR(scene.position(ball).y(), c.after_two_steps, 2e-6f) << c.scale;
    scene.play(3.0f);
    EXPECT_NEAR(scene.position(ball).y(), c.resting, 0.002f) << c.scale;
  }
}

// Each case: elapsed seconds and cycle of one update, and the simulated time Bullet then
// integrates (0: no internal step). Up to 10*seconds*cycle steps of 1/cycle are allowed; when
// that is below one, Bullet takes one step of exactly the elapsed time.
struct step_case {
  float seconds, cycle;
  double simulated;
};

TEST(bullet_world, update_takes_the_steps_the_sub_step_rule_allows) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const step_case cases[] = {
      {1.0f / 60.0f, 60.0f, 1.0 / 60.0},
      {1.0f / 30.0f, 60.0f, 2.0 / 60.0},
      {1.0f / 120.0f, 60.0f, 0.0},         // 5 allowed, but not yet one whole step of 1/60
      {1.0f / 120.0f, 6.0f, 1.0 / 120.0},  // none allowed: one step of exactly 1/120
      {0.02f, 4.0f, 0.02},                 // none allowed: one step of exactly 0.02
      {0.5f, 1.0f, 0.0},
      {0.0f, 60.0f, 0.0},
      {-1.0f / 60.0f, 60.0f, 0.0},
      {nan, 60.0f, 0.0},
      {inf, 60.0f, 0.0},
      {1.0f / 60.0f, 0.0f, 0.0},
      {1.0f / 60.0f, -60.0f, 0.0},
      {1.0f / 60.0f, nan, 0.0},
      {1.0f / 60.0f, inf, 0.0},
  };
  for (const step_case& c : cases) {
    engine_scene scene;
    rigidbody_datas& ball = scene.body(sphere(0.1f), btVector3(0.0f, 10.0f, 0.0f));
    scene.engine.update(c.seconds, c.cycle);
    const btVector3 v = scene.bullet_body(ball)->getLinearVelocity();
    EXPECT_NEAR(v.y(), -9.8 * c.simulated, 1e-5) << c.seconds << " s at cycle " << c.cycle;
    EXPECT_TRUE(std::isfinite(scene.position(ball).y()));
  }
}

TEST(bullet_world, the_half_step_left_over_at_120_frames_is_taken_with_the_next_frame) {
  engine_scene scene;
  rigidbody_datas& ball = scene.body(sphere(0.1f), btVector3(0.0f, 10.0f, 0.0f));
  scene.engine.update(1.0f / 120.0f, 60.0f);
  scene.engine.update(1.0f / 120.0f, 60.0f);
  EXPECT_NEAR(scene.bullet_body(ball)->getLinearVelocity().y(), -9.8 / 60.0, 1e-5);
  EXPECT_NEAR(scene.position(ball).y(), 10.0 - 9.8 / 3600.0, 1e-5);
}

// Group n is bit n; the stored mask lists the groups a body ignores. The ground is group bit 1
// (group number 0). Each case: the falling body's group number and mask, a platform's group
// number and mask, and where the body ends.
struct filter_case {
  const char* what;
  int body_group;
  std::uint32_t body_mask;
  int platform_group;
  std::uint32_t platform_mask;
  float rest_y;
};

TEST(bullet_world, collision_groups_and_masks_follow_the_exclusion_convention) {
  const float on_platform = 1.2f, on_ground = 0.1f, through_ground = -100.0f;
  const filter_case cases[] = {
      {"collides with all", 1, 0u, 1, 0u, on_platform},
      {"ignores group 0: falls through the ground", 1, 1u, 1, 1u << 1, through_ground},
      {"ignores the platform's group", 1, 1u << 3, 3, 0u, on_ground},
      {"the platform ignores the body's group", 4, 0u, 1, 1u << 4, on_ground},
      {"group 15 collides like any other", 15, 0u, 15, 0u, on_platform},
      {"group 15 excluded by the platform", 15, 0u, 2, 1u << 15, on_ground},
      {"group 15 excluded by the body", 2, 1u << 15, 15, 0u, on_ground},
      {"group 15 still meets the ground", 15, 1u << 15, 15, 1u << 15, on_ground},
  };
  for (const filter_case& c : cases) {
    engine_scene scene;
    rigidbody_datas& platform = scene.add_body(shape_record(collisionshape_datas::box, 1.0f, 0.1f, 1.0f),
                                               btVector3(0.0f, 1.0f, 0.0f), rigidbody_datas::static_body);
    platform.group = group_bit(c.platform_group);
    platform.mask = c.platform_mask;
    ASSERT_TRUE(scene.commit(platform));
    rigidbody_datas& body = scene.add_body(box(0.1f), btVector3(0.0f, 2.0f, 0.0f));
    body.group = group_bit(c.body_group);
    body.mask = c.body_mask;
    ASSERT_TRUE(scene.commit(body));
    scene.play(2.0f);
    const float y = scene.position(body).y();
    if (c.rest_y == through_ground)
      EXPECT_LT(y, -5.0f) << c.what;
    else
      EXPECT_NEAR(y, c.rest_y, 0.02f) << c.what;
  }
}
