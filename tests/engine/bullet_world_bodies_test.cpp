// Collision shapes and rigid bodies.
#include "engine/bullet_world.hpp"

#include "engine/engine_scene.hpp"

#include <BulletCollision/BroadphaseCollision/btBroadphaseProxy.h>
#include <gtest/gtest.h>

#include <limits>

using namespace engine_test;

namespace {
const float not_a_number = std::numeric_limits<float>::quiet_NaN();
const float infinity = std::numeric_limits<float>::infinity();
}  // namespace

TEST(bullet_world, two_bodies_on_one_primitive_share_its_first_shape) {
  engine_scene scene;
  collisionshape_datas shape = sphere(0.1f);
  shape.shape = key(500);
  ASSERT_TRUE(scene.engine.addCollisionShape(shape));
  collisionshape_datas bigger = sphere(0.5f);
  bigger.shape = key(500);
  EXPECT_TRUE(scene.engine.addCollisionShape(bigger));  // the first record for a key wins
  rigidbody_datas a, b;
  a.shape = key(1);
  b.shape = key(2);
  a.primitive = b.primitive = key(500);
  a.transform.setOrigin(btVector3(0.0f, 0.5f, 0.0f));
  b.transform.setOrigin(btVector3(0.0f, 1.0f, 0.0f));
  ASSERT_TRUE(scene.engine.addRigidBody(a));
  ASSERT_TRUE(scene.engine.addRigidBody(b));
  EXPECT_EQ(scene.bullet_body(a)->getCollisionShape(), scene.bullet_body(b)->getCollisionShape());
  scene.play(2.0f);
  EXPECT_NEAR(scene.position(a).y(), 0.1f, 0.01f);  // radius 0.1, not 0.5
  EXPECT_NEAR(scene.position(b).y(), 0.3f, 0.01f);  // stacked on the first
}

TEST(bullet_world, a_body_without_its_primitive_shape_is_refused) {
  engine_scene scene;
  rigidbody_datas body;
  body.shape = key(1);
  body.primitive = key(99);
  EXPECT_FALSE(scene.engine.addRigidBody(body));
  body.primitive = nullptr;
  EXPECT_FALSE(scene.engine.addRigidBody(body));
  EXPECT_EQ(scene.object_count(), 1);  // the ground only
}

// Each case changes one field of a valid shape record; none may reach Bullet.
TEST(bullet_world, shape_records_without_a_kind_or_with_bad_sizes_are_refused) {
  struct refused_shape {
    const char* what;
    collisionshape_datas record;
  };
  auto with = [](auto edit) {
    collisionshape_datas d = engine_test::shape_record(collisionshape_datas::capsule, 0.1f, 0.2f, 0.1f);
    edit(d);
    return d;
  };
  const refused_shape cases[] = {
      {"type 5", with([](collisionshape_datas& d) { d.type = collisionshape_datas::primitive_type(5); })},
      {"type 8", with([](collisionshape_datas& d) { d.type = collisionshape_datas::primitive_type(8); })},
      {"type -1", with([](collisionshape_datas& d) { d.type = collisionshape_datas::primitive_type(-1); })},
      {"direction 3", with([](collisionshape_datas& d) { d.direction = 3; })},
      {"direction -1", with([](collisionshape_datas& d) { d.direction = -1; })},
      {"NaN size", with([](collisionshape_datas& d) { d.size[1] = not_a_number; })},
      {"infinite size", with([](collisionshape_datas& d) { d.size[0] = infinity; })},
      {"negative size", with([](collisionshape_datas& d) { d.size[0] = -0.1f; })},
      {"NaN margin", with([](collisionshape_datas& d) { d.margin = not_a_number; })},
  };
  for (const refused_shape& c : cases) {
    engine_scene scene;
    collisionshape_datas d = c.record;
    d.shape = key(7);
    EXPECT_FALSE(scene.engine.addCollisionShape(d)) << c.what;
    rigidbody_datas body;
    body.primitive = key(7);
    EXPECT_FALSE(scene.engine.addRigidBody(body)) << c.what << ": no shape was stored";
  }
}

// Each case changes one field of a valid moving body; NaN or infinity must not reach Bullet.
TEST(bullet_world, body_records_with_non_finite_or_negative_values_are_refused) {
  struct refused_body {
    const char* what;
    void (*edit)(rigidbody_datas&);
  };
  const refused_body cases[] = {
      {"NaN mass", [](rigidbody_datas& d) { d.mass = not_a_number; }},
      {"infinite mass", [](rigidbody_datas& d) { d.mass = infinity; }},
      {"negative mass", [](rigidbody_datas& d) { d.mass = -1.0f; }},
      {"NaN velocity", [](rigidbody_datas& d) { d.velocity.setY(not_a_number); }},
      {"infinite velocity", [](rigidbody_datas& d) { d.velocity.setX(-infinity); }},
      {"NaN origin", [](rigidbody_datas& d) { d.transform.getOrigin().setZ(not_a_number); }},
      {"infinite origin", [](rigidbody_datas& d) { d.transform.getOrigin().setX(infinity); }},
      {"NaN basis", [](rigidbody_datas& d) { d.transform.getBasis()[1].setX(not_a_number); }},
      {"NaN friction", [](rigidbody_datas& d) { d.friction = not_a_number; }},
      {"origin overflowing once scaled", [](rigidbody_datas& d) { d.transform.getOrigin().setX(3e38f); }},
  };
  for (const refused_body& c : cases) {
    world_datas w;
    w.scale_factor = 2.0f;
    engine_scene scene(w);
    rigidbody_datas& body = scene.add_body(box(0.1f), btVector3(0.0f, 1.0f, 0.0f));
    c.edit(body);
    EXPECT_FALSE(scene.commit(body)) << c.what;
    EXPECT_EQ(scene.object_count(), 1) << c.what;
  }
}

TEST(bullet_world, kinematic_and_static_bodies_get_mass_zero_in_engine_and_record) {
  for (std::int32_t type : {rigidbody_datas::kinematic, rigidbody_datas::static_body}) {
    engine_scene scene;
    rigidbody_datas& body = scene.body(box(0.1f), btVector3(0.0f, 1.0f, 0.0f), type, 3.0f);
    ASSERT_TRUE(scene.body_added);
    EXPECT_EQ(body.mass, 0.0f);
    EXPECT_EQ(scene.bullet_body(body)->getInvMass(), 0.0f);
    scene.play(0.5f);
    EXPECT_EQ(scene.position(body), btVector3(0.0f, 1.0f, 0.0f));
  }
}

TEST(bullet_world, initial_velocity_is_applied_only_when_not_zero_and_scaled) {
  world_datas w;
  w.gravity = 0.0f;
  w.scale_factor = 2.0f;
  engine_scene scene(w);
  rigidbody_datas& still = scene.body(sphere(0.1f), btVector3(0.0f, 1.0f, 0.0f));
  rigidbody_datas& moving = scene.add_body(sphere(0.1f), btVector3(5.0f, 1.0f, 0.0f));
  moving.velocity = btVector3(0.0f, 0.0f, 1.0f);
  ASSERT_TRUE(scene.commit(moving));
  EXPECT_EQ(scene.bullet_body(still)->getLinearVelocity(), btVector3(0.0f, 0.0f, 0.0f));
  EXPECT_EQ(scene.bullet_body(moving)->getLinearVelocity(), btVector3(0.0f, 0.0f, 2.0f));
  scene.play(1.0f);
  EXPECT_NEAR(scene.position(moving).z(), 1.0f, 1e-4f);  // 1 m/s for 1 s, in metres
}

TEST(bullet_world, scale_factor_applies_inside_the_engine_and_is_undone_on_the_way_out) {
  world_datas w;
  w.scale_factor = 2.0f;
  engine_scene scene(w);
  rigidbody_datas& body = scene.body(box(0.1f), btVector3(1.0f, 0.0f, 0.0f), rigidbody_datas::static_body);
  EXPECT_EQ(scene.bullet_body(body)->getWorldTransform().getOrigin(), btVector3(2.0f, 0.0f, 0.0f));
  EXPECT_EQ(scene.position(body), btVector3(1.0f, 0.0f, 0.0f));
  btTransform by_key;
  ASSERT_TRUE(scene.engine.get_rigidbody_transform(body.shape, by_key));
  EXPECT_EQ(by_key.getOrigin(), btVector3(1.0f, 0.0f, 0.0f));
  EXPECT_FALSE(scene.engine.get_rigidbody_transform(key(77), by_key));
}

TEST(bullet_world, group_fifteen_reaches_bullet_as_its_own_bit) {
  engine_scene scene;
  rigidbody_datas& body = scene.add_body(box(0.1f), btVector3(0.0f, 1.0f, 0.0f));
  body.group_index = 15;
  body.group = group_bit(15);
  body.mask = 0x5u;
  ASSERT_TRUE(scene.commit(body));
  EXPECT_EQ(body.group, -32768);
  const btBroadphaseProxy* proxy = scene.bullet_body(body)->getBroadphaseHandle();
  EXPECT_EQ(proxy->m_collisionFilterGroup, 0x8000);
  EXPECT_EQ(proxy->m_collisionFilterMask, int(~0x5u));
}

// A kinematic body goes where it is told (in metres, any scale) and pushes what is in its way.
TEST(bullet_world, kinematic_bodies_follow_their_targets_and_push_moving_bodies) {
  world_datas w;
  w.scale_factor = 2.0f;
  engine_scene scene(w);
  rigidbody_datas& paddle = scene.body(shape_record(collisionshape_datas::box, 0.1f, 0.3f, 0.5f),
                                       btVector3(-1.0f, 0.3f, 0.0f), rigidbody_datas::kinematic);
  rigidbody_datas& crate = scene.body(box(0.1f), btVector3(0.0f, 0.1f, 0.0f));
  scene.play(0.5f);
  const float crate_start = scene.position(crate).x();
  for (int frame = 1; frame <= 60; ++frame) {
    btTransform target(btQuaternion::getIdentity(), btVector3(-1.0f + frame / 30.0f, 0.3f, 0.0f));
    ASSERT_TRUE(scene.engine.set_kinematic_new_transform(paddle, target));
    scene.play(1.0f / 60.0f);
    ASSERT_LT(scene.position(paddle).distance(target.getOrigin()), 1e-5f) << frame;
  }
  EXPECT_GT(scene.position(crate).x(), crate_start + 0.7f);  // the paddle ends at x = 1
  btTransform t = btTransform::getIdentity();
  EXPECT_FALSE(scene.engine.set_kinematic_new_transform(crate, t));
  t.getOrigin().setX(not_a_number);
  EXPECT_FALSE(scene.engine.set_kinematic_new_transform(paddle, t));
}

// Playing forward, reversing and playing the same time again returns a free body to its start
// (no gravity: the integrator is then exactly reversible up to rounding).
TEST(bullet_world, reverse_direction_retraces_a_moving_body_and_skips_the_others) {
  world_datas w;
  w.gravity = 0.0f;
  engine_scene scene(w);
  rigidbody_datas& ball = scene.add_body(box(0.1f), btVector3(0.0f, 1.0f, 0.0f));
  ball.velocity = btVector3(1.0f, 2.0f, -0.5f);
  ASSERT_TRUE(scene.commit(ball));
  scene.bullet_body(ball)->setAngularVelocity(btVector3(0.0f, 3.0f, 1.0f));
  rigidbody_datas& wall = scene.body(box(0.1f), btVector3(5.0f, 1.0f, 0.0f), rigidbody_datas::static_body);
  rigidbody_datas& lift = scene.body(box(0.1f), btVector3(-5.0f, 1.0f, 0.0f), rigidbody_datas::kinematic);
  scene.play(0.5f);
  const btVector3 linear = scene.bullet_body(ball)->getLinearVelocity();
  const btVector3 angular = scene.bullet_body(ball)->getAngularVelocity();
  ASSERT_TRUE(scene.engine.reverse_direction(ball));
  EXPECT_TRUE(scene.bullet_body(ball)->getLinearVelocity() == -linear);
  EXPECT_TRUE(scene.bullet_body(ball)->getAngularVelocity() == -angular);
  scene.play(0.5f);
  btTransform t;
  ASSERT_TRUE(scene.engine.get_rigidbody_transform(ball, t));
  EXPECT_LT(t.getOrigin().distance(btVector3(0.0f, 1.0f, 0.0f)), 1e-4f);
  EXPECT_LT(t.getRotation().angleShortestPath(btQuaternion::getIdentity()), 1e-3f);
  EXPECT_FALSE(scene.engine.reverse_direction(wall));
  EXPECT_FALSE(scene.engine.reverse_direction(lift));
  rigidbody_datas unknown;
  unknown.shape = key(99);
  EXPECT_FALSE(scene.engine.reverse_direction(unknown));
}

// The soft world's broadphase has a fixed number of handles; past them it would reuse its
// sentinel. A full soft world refuses the next rigid or soft body; a world without soft
// bodies has no such limit.
TEST(bullet_world, a_full_soft_world_refuses_more_bodies) {
  for (bool soft : {true, false}) {
    engine_scene scene(world_datas(), soft);
    collisionshape_datas shape = sphere(0.1f);
    shape.shape = key(-1);
    ASSERT_TRUE(scene.engine.addCollisionShape(shape));
    rigidbody_datas body;
    body.primitive = shape.shape;
    body.type = rigidbody_datas::static_body;
    auto next = [&scene, &body] {  // apart from each other, so that no pairs overlap
      const int n = scene.object_count();
      body.shape = key(n);
      body.transform.setOrigin(btVector3(float(n % 128), 0.5f, float(n / 128)));
    };
    while (scene.object_count() < bullet_world::soft_world_capacity) {
      next();
      ASSERT_TRUE(scene.engine.addRigidBody(body));
    }
    next();
    EXPECT_EQ(scene.engine.addRigidBody(body), !soft);
    softbody_datas cloth;
    cloth.vertices = {0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f};
    cloth.triangles = {0, 1, 2};
    EXPECT_FALSE(scene.engine.addSoftBody(cloth, key(-2))) << soft;
  }
}

// Primitives of equal records share one Bullet shape (a pile of equal boxes reads one shape);
// any difference in kind, direction, size or margin keeps them apart.
TEST(bullet_world, primitives_of_equal_records_share_one_shape) {
  const collisionshape_datas base = engine_test::shape_record(collisionshape_datas::capsule, 0.1f, 0.3f, 0.1f, 1);
  struct pair_case {
    const char* what;
    void (*edit)(collisionshape_datas&);
    bool shared;
  };
  const pair_case cases[] = {
      {"equal records", [](collisionshape_datas&) {}, true},
      {"another kind", [](collisionshape_datas& d) { d.type = collisionshape_datas::cylinder; }, false},
      {"another direction", [](collisionshape_datas& d) { d.direction = 2; }, false},
      {"another length", [](collisionshape_datas& d) { d.size[1] = 0.31f; }, false},
      {"another margin", [](collisionshape_datas& d) { d.margin = 0.02f; }, false},
  };
  for (const pair_case& c : cases) {
    engine_scene scene;
    collisionshape_datas other = base;
    c.edit(other);
    rigidbody_datas& a = scene.body(base, btVector3(0.0f, 1.0f, 0.0f));
    rigidbody_datas& b = scene.body(other, btVector3(1.0f, 1.0f, 0.0f));
    ASSERT_TRUE(scene.body_added) << c.what;
    EXPECT_EQ(scene.bullet_body(a)->getCollisionShape() == scene.bullet_body(b)->getCollisionShape(), c.shared)
        << c.what;
  }
}
