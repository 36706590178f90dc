#include "engine/phygics_world.hpp"

#include "engine/engine_scene.hpp"

#include <gtest/gtest.h>

#include <limits>

using namespace engine_test;

TEST(phygics_world, without_a_world_adds_nothing_and_queries_leave_outputs_untouched) {
  phygics_world engine;
  collisionshape_datas shape = sphere(0.1f);
  rigidbody_datas body;
  constraints_datas joint;
  softbody_datas cloth;
  btTransform t(btQuaternion::getIdentity(), btVector3(7.0f, 8.0f, 9.0f));
  std::vector<btVector3> nodes(2, btVector3(1.0f, 2.0f, 3.0f));

  EXPECT_FALSE(engine.addCollisionShape(shape));
  EXPECT_FALSE(engine.addRigidBody(body));
  EXPECT_FALSE(engine.reverse_direction(body));
  EXPECT_FALSE(engine.set_kinematic_new_transform(body, t));
  EXPECT_FALSE(engine.addJoint(joint));
  EXPECT_FALSE(engine.addSoftBody(cloth, key(1)));
  EXPECT_FALSE(engine.remove_world());
  engine.update(1.0f / 60.0f, 60.0f);

  EXPECT_TRUE(engine.get_rigidbody_transform(body, t));
  EXPECT_TRUE(engine.get_rigidbody_transform(key(1), t));
  EXPECT_TRUE(engine.get_softbody_positions(key(1), 0, nodes));
  EXPECT_EQ(t.getOrigin(), btVector3(7.0f, 8.0f, 9.0f));
  EXPECT_EQ(nodes.size(), 2u);
}

TEST(phygics_world, remove_world_twice_answers_false_the_second_time) {
  phygics_world engine;
  world_datas world;
  ASSERT_TRUE(engine.create_world(world, false));
  EXPECT_TRUE(engine.remove_world());
  EXPECT_FALSE(engine.remove_world());
}

TEST(phygics_world, create_world_replaces_the_old_world_and_its_bodies) {
  engine_scene scene;
  rigidbody_datas& ball = scene.body(sphere(0.1f), btVector3(0.0f, 1.0f, 0.0f));
  ASSERT_TRUE(scene.body_added);
  ASSERT_TRUE(scene.engine.create_world(scene.world, true));
  btTransform t;
  EXPECT_FALSE(scene.engine.get_rigidbody_transform(ball, t));
}

TEST(phygics_world, positive_gravity_is_stored_negated_and_pulls_down) {
  for (float gravity : {9.8f, -9.8f}) {
    engine_scene scene([&] {
      world_datas w;
      w.gravity = gravity;
      return w;
    }());
    EXPECT_FLOAT_EQ(scene.world.gravity, -9.8f);
    rigidbody_datas& ball = scene.body(sphere(0.1f), btVector3(0.0f, 10.0f, 0.0f));
    scene.play(0.5f);
    EXPECT_LT(scene.position(ball).y(), 9.0f) << "gravity " << gravity;
  }
  engine_scene still([] {
    world_datas w;
    w.gravity = 0.0f;
    return w;
  }());
  EXPECT_EQ(still.world.gravity, 0.0f);
}

// A world record that would put a NaN into Bullet, or divide by a zero scale on the way out,
// makes no world at all.
TEST(phygics_world, create_world_refuses_records_that_cannot_make_a_world) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct refused_case {
    const char* what;
    void (*edit)(world_datas&, float nan, float inf);
    bool soft;
  };
  const refused_case cases[] = {
      {"scale 0", [](world_datas& w, float, float) { w.scale_factor = 0.0f; }, false},
      {"scale -1", [](world_datas& w, float, float) { w.scale_factor = -1.0f; }, false},
      {"scale NaN", [](world_datas& w, float n, float) { w.scale_factor = n; }, false},
      {"gravity NaN", [](world_datas& w, float n, float) { w.gravity = n; }, false},
      {"gravity inf", [](world_datas& w, float, float i) { w.gravity = i; }, false},
      {"height inf", [](world_datas& w, float, float i) { w.height = i; }, false},
      {"boundary NaN", [](world_datas& w, float n, float) { w.boundary_min.setX(n); }, true},
      {"boundary empty", [](world_datas& w, float, float) { w.boundary_max = w.boundary_min; }, true},
  };
  for (const refused_case& c : cases) {
    phygics_world engine;
    world_datas world;
    ASSERT_TRUE(engine.create_world(world, c.soft));
    c.edit(world, nan, inf);
    EXPECT_FALSE(engine.create_world(world, c.soft)) << c.what;
    EXPECT_EQ(engine.engine(), nullptr) << c.what;
    collisionshape_datas shape = sphere(0.1f);
    EXPECT_FALSE(engine.addCollisionShape(shape)) << c.what;
  }
}
