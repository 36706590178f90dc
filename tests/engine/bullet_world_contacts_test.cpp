// Contacts measured against physics: bounce heights from the impact speed, resting heights from
// the shapes, and thin walls that fast bodies do not pass.
#include "engine/bullet_world.hpp"

#include "engine/engine_scene.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

using namespace engine_test;

namespace {

constexpr float g = 9.8f;
constexpr float frame_seconds = 1.0f / 60.0f;  // one frame per step at the default cycle

// A static slab whose top is at y = 0 with restitution `floor_restitution`; the ground plane
// lies far below, so that only the slab meets the body.
engine_scene scene_with_floor(float floor_restitution) {
  world_datas w;
  w.height = -10.0f;
  engine_scene scene(w);
  rigidbody_datas& floor = scene.add_body(shape_record(collisionshape_datas::box, 2.0f, 0.05f, 2.0f),
                                          btVector3(0.0f, -0.05f, 0.0f), rigidbody_datas::static_body);
  floor.restitution = floor_restitution;
  scene.commit(floor);
  return scene;
}

// Height of the body's centre above its resting height, once per frame, for `seconds`.
std::vector<float> heights_above_rest(engine_scene& scene, rigidbody_datas& body, float rest, float seconds) {
  std::vector<float> heights;
  for (int i = 0, n = int(seconds / frame_seconds + 0.5f); i < n; ++i) {
    scene.engine.update(frame_seconds, scene.world.simulation_cycle);
    heights.push_back(scene.position(body).y() - rest);
  }
  return heights;
}

// The tops of the bounces: frames higher than both neighbours, after the first contact.
std::vector<float> bounce_tops(const std::vector<float>& h) {
  std::vector<float> tops;
  for (std::size_t i = 1; i + 1 < h.size(); ++i)
    if (h[i] > h[i - 1] && h[i] >= h[i + 1]) tops.push_back(h[i]);
  return tops;
}

std::string describe(const collisionshape_datas& s) {
  return "type " + std::to_string(s.type) + "/" + std::to_string(s.direction) + " size " + std::to_string(s.size[0]) +
         "," + std::to_string(s.size[1]) + "," + std::to_string(s.size[2]);
}

struct bounce_case {
  collisionshape_datas shape;
  float rest;  // height of the centre above the floor when the body lies on it
  float body_restitution, floor_restitution;
  float drop;  // height of the fall to the floor
};

}  // namespace

// A body dropped from height H meets the floor at v = sqrt(2 g H); Bullet combines the two
// restitutions by product, e = e1 e2, so it leaves at e v and rises (e v)^2 / 2g = e^2 H; every
// later bounce rises e^2 times the one before. (Round bodies: a bouncing box turns a little at
// every landing, and its later bounces depend on which edge meets the floor first.)
TEST(bullet_world, bounces_rise_by_the_square_of_the_combined_restitution) {
  const bounce_case cases[] = {
      {sphere(0.1f), 0.1f, 0.8f, 1.0f, 1.4f},  // a 20 cm ball on a slab, as in the example scene
      {sphere(0.025f), 0.025f, 0.9f, 0.8f, 1.0f},
      {shape_record(collisionshape_datas::capsule, 0.05f, 0.2f, 0.0f, 1), 0.05f, 0.8f, 0.8f, 1.5f},  // lying
  };
  for (const bounce_case& c : cases) {
    engine_scene scene = scene_with_floor(c.floor_restitution);
    rigidbody_datas& body = scene.add_body(c.shape, btVector3(0.0f, c.rest + c.drop, 0.0f));
    body.restitution = c.body_restitution;
    ASSERT_TRUE(scene.commit(body));
    const std::vector<float> tops = bounce_tops(heights_above_rest(scene, body, c.rest, 4.0f));
    const float e2 = std::pow(c.body_restitution * c.floor_restitution, 2.0f);
    ASSERT_GE(tops.size(), 2u) << describe(c.shape);
    const float impact_speed = std::sqrt(2.0f * g * c.drop);
    EXPECT_NEAR(tops[0], e2 * impact_speed * impact_speed / (2.0f * g), 0.05f * e2 * c.drop) << describe(c.shape);
    EXPECT_NEAR(tops[1] / tops[0], e2, 0.05f * e2) << describe(c.shape);
  }
}

// Dropped from 1.5 m (5.4 m/s at impact, 9 cm per step), a body of 5 cm or more is stopped
// within 2 mm of the floor and comes to rest with its lowest point on it, whether it bounces or
// not. Each case lands on a side that its largest inscribed sphere touches. Bodies that move
// less than 1 cm per step are left to the discrete contacts: the small late bounces may reach
// that far into the floor for a step before they are pushed out.
TEST(bullet_world, a_falling_body_sinks_at_most_two_millimetres_and_rests_at_contact_height) {
  const bounce_case cases[] = {
      {sphere(0.025f), 0.025f, 0.0f, 0.0f, 1.5f},
      {sphere(0.1f), 0.1f, 0.8f, 1.0f, 1.5f},
      {box(0.025f), 0.025f, 0.0f, 0.0f, 1.5f},
      {box(0.1f), 0.1f, 0.5f, 1.0f, 1.5f},
      {shape_record(collisionshape_datas::box, 0.2f, 0.05f, 0.3f), 0.05f, 0.3f, 1.0f, 1.5f},  // a plate
      {shape_record(collisionshape_datas::capsule, 0.05f, 0.3f, 0.0f, 2), 0.05f, 0.0f, 0.0f, 1.5f},
      {sphere(0.5f), 0.5f, 0.9f, 0.5f, 3.0f},
  };
  for (const bounce_case& c : cases) {
    engine_scene scene = scene_with_floor(c.floor_restitution);
    rigidbody_datas& body = scene.add_body(c.shape, btVector3(0.0f, c.rest + c.drop, 0.0f));
    body.restitution = c.body_restitution;
    ASSERT_TRUE(scene.commit(body));
    const std::vector<float> h = heights_above_rest(scene, body, c.rest, 6.0f);
    const auto first_rise = std::adjacent_find(h.begin(), h.end(), std::less<float>());
    EXPECT_GE(*std::min_element(h.begin(), first_rise + 1), -0.002f) << describe(c.shape) << ": landing";
    EXPECT_GE(*std::min_element(h.begin(), h.end()), -0.01f) << describe(c.shape) << ": later bounces";
    EXPECT_NEAR(h.back(), 0.0f, 0.001f) << describe(c.shape);
    EXPECT_LT(scene.bullet_body(body)->getLinearVelocity().length(), 0.01f) << describe(c.shape);
  }
}

// A 5 cm box thrown at a static wall at any speed and from any starting point does not pass
// it (no gravity; the wall is the thin slab at x = 0): it stops within 2 mm of the wall's face and
// flies back at e v, e being the product of the two restitutions.
TEST(bullet_world, a_fast_box_never_passes_a_thin_wall) {
  struct wall_case {
    float speed, thickness;
  };
  const wall_case cases[] = {{5.0f, 0.01f},   {20.0f, 0.01f},   {50.0f, 0.01f}, {100.0f, 0.01f},
                             {50.0f, 0.002f}, {100.0f, 0.002f}, {50.0f, 0.05f}};
  const float half = 0.025f, e = 0.5f;
  for (const wall_case& c : cases)
    for (float phase : {0.0f, 0.3f, 0.77f}) {  // where within a step the box reaches the wall
      world_datas w;
      w.gravity = 0.0f;
      engine_scene scene(w);
      rigidbody_datas& wall = scene.add_body(shape_record(collisionshape_datas::box, c.thickness / 2, 1.0f, 1.0f),
                                             btVector3(0.0f, 1.0f, 0.0f), rigidbody_datas::static_body);
      wall.restitution = 1.0f;
      ASSERT_TRUE(scene.commit(wall));
      rigidbody_datas& thrown = scene.add_body(box(half), btVector3(-1.0f - phase * c.speed / 60.0f, 1.0f, 0.3f));
      thrown.velocity = btVector3(c.speed, 0.0f, 0.0f);
      thrown.restitution = e;
      ASSERT_TRUE(scene.commit(thrown));
      float furthest = -10.0f;
      for (int frame = 0; frame < 60; ++frame) {
        scene.engine.update(frame_seconds, 60.0f);
        furthest = std::max(furthest, scene.position(thrown).x());
      }
      const std::string what =
          std::to_string(c.speed) + " m/s at " + std::to_string(c.thickness) + " m, phase " + std::to_string(phase);
      EXPECT_LE(furthest, -c.thickness / 2 - half + 0.002f) << what;
      EXPECT_NEAR(scene.bullet_body(thrown)->getLinearVelocity().x(), -e * c.speed, 0.05f * e * c.speed) << what;
    }
}

// The same throw with the box turned: its corners may reach into the wall for a step, but its
// centre never crosses the wall and it ends on the side it came from.
TEST(bullet_world, a_fast_turned_box_ends_on_its_side_of_a_thin_wall) {
  const float half = 0.025f, thickness = 0.01f;
  for (float speed : {20.0f, 50.0f, 100.0f}) {
    world_datas w;
    w.gravity = 0.0f;
    engine_scene scene(w);
    ASSERT_TRUE(scene.commit(scene.add_body(shape_record(collisionshape_datas::box, thickness / 2, 1.0f, 1.0f),
                                            btVector3(0.0f, 1.0f, 0.0f), rigidbody_datas::static_body)));
    rigidbody_datas& thrown = scene.add_body(box(half), btVector3(-1.0f, 1.0f, 0.3f));
    thrown.transform.setRotation(btQuaternion(btVector3(0.2f, 1.0f, 0.5f).normalized(), 0.7f));
    thrown.velocity = btVector3(speed, 0.0f, 0.0f);
    ASSERT_TRUE(scene.commit(thrown));
    for (int frame = 0; frame < 60; ++frame) {
      scene.engine.update(frame_seconds, 60.0f);
      ASSERT_LT(scene.position(thrown).x(), -thickness / 2) << speed << " m/s, frame " << frame;
    }
  }
}
