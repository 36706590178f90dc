// Constraint joints, checked by what they do to their bodies.
#include "engine/bullet_world.hpp"

#include "engine/engine_scene.hpp"

#include <BulletDynamics/ConstraintSolver/btConeTwistConstraint.h>
#include <BulletDynamics/ConstraintSolver/btGeneric6DofSpring2Constraint.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace engine_test;

namespace {

const btVector3 pivot(0.0f, 3.0f, 0.0f);

// A joint frame at the pivot whose x axis (the cone-twist axis) points straight down.
btTransform frame_pointing_down() {
  return btTransform(btQuaternion(btVector3(0.0f, 0.0f, 1.0f), -SIMD_HALF_PI), pivot);
}

// A joint that lets its body swing freely in the x-y plane (about the frame's z axis) and
// holds it at its distance from the pivot, in the terms of each kind.
constraints_datas swinging_joint(std::int32_t type) {
  constraints_datas j;
  j.type = type;
  j.transform = frame_pointing_down();
  if (type == constraints_datas::cone_twist) {
    j.angular_upper_limit = btVector3(60.0f, 80.0f, 80.0f);  // twist, swing 2, swing 1
    j.angular_stiffness = btVector3(1.0f, 0.3f, 1.0f);       // softness, bias, relaxation
  } else {
    j.angular_lower_limit = btVector3(0.0f, 0.0f, 1.0f);  // z: lower above upper, free
    j.angular_upper_limit = btVector3(0.0f, 0.0f, -1.0f);
  }
  return j;
}

// A rod of 0.7 m whose centre hangs `arm_length` = 0.4 m from the pivot, turned by `angle` about z
// (0: straight down) so that it points at the pivot. A rod, unlike a small ball on a long arm,
// carries the joint's angular limits to its position within a few solver iterations.
const float arm_length = 0.4f;

rigidbody_datas& add_rod(engine_scene& scene, float angle) {
  const btVector3 arm(arm_length * std::sin(angle), -arm_length * std::cos(angle), 0.0f);
  rigidbody_datas& rod = scene.add_body(shape_record(collisionshape_datas::box, 0.03f, 0.35f, 0.03f), pivot + arm);
  rod.transform.setRotation(btQuaternion(btVector3(0.0f, 0.0f, 1.0f), angle));
  return rod;
}

// Adds a static anchor at the pivot as rigid0 when `two_bodies`, else leaves rigid0 null.
void add_anchor(engine_scene& scene, constraints_datas& joint, bool two_bodies) {
  if (!two_bodies) return;
  rigidbody_datas& anchor = scene.body(sphere(0.02f), pivot, rigidbody_datas::static_body);
  joint.rigid0 = anchor.shape;
}

double swing_angle(const btVector3& bob) {  // radians from straight down
  const btVector3 arm = bob - pivot;
  return std::acos(std::max(-1.0, std::min(1.0, double(-arm.y() / arm.length()))));
}

}  // namespace

struct joint_case {
  std::int32_t type;
  bool two_bodies;
};

// A rod released 45 degrees off the vertical swings through the bottom and keeps its distance
// from the pivot, for every kind, held to the world or to a second body.
TEST(bullet_world, every_kind_of_joint_holds_a_pendulum_at_its_length) {
  const joint_case cases[] = {
      {constraints_datas::six_dof, false},        {constraints_datas::six_dof, true},
      {constraints_datas::six_dof_spring, false}, {constraints_datas::six_dof_spring, true},
      {constraints_datas::cone_twist, false},     {constraints_datas::cone_twist, true},
  };
  for (const joint_case& c : cases) {
    engine_scene scene;
    constraints_datas joint = swinging_joint(c.type);
    add_anchor(scene, joint, c.two_bodies);
    rigidbody_datas& rod = add_rod(scene, SIMD_PI / 4.0f);
    ASSERT_TRUE(scene.commit(rod));
    joint.rigid1 = rod.shape;
    ASSERT_TRUE(scene.engine.addJoint(joint)) << c.type << " " << c.two_bodies;
    float smallest_x = 1.0f;
    for (int frame = 0; frame < 120; ++frame) {
      scene.play(1.0f / 60.0f);
      const btVector3 p = scene.position(rod);
      ASSERT_NEAR(p.distance(pivot), arm_length, 0.01f) << c.type << " " << c.two_bodies << " @" << frame;
      ASSERT_NEAR(p.z(), 0.0f, 0.01f) << c.type << " " << c.two_bodies << " @" << frame;
      smallest_x = std::min(smallest_x, p.x());
    }
    EXPECT_LT(smallest_x, -0.2f) << c.type << " " << c.two_bodies << ": swung across";
  }
}

// A body on a spring along y, pushed off its rest pose without gravity, oscillates about that
// pose with the period of a mass on a spring, 2*pi*sqrt(m/k).
TEST(bullet_world, a_spring_joint_oscillates_about_its_rest_pose_with_the_analytic_period) {
  const float mass = 0.5f, stiffness = 20.0f;
  const double period = 2.0 * SIMD_PI * std::sqrt(mass / stiffness);
  for (bool two_bodies : {false, true}) {
    world_datas w;
    w.gravity = 0.0f;
    engine_scene scene(w);
    constraints_datas joint;
    joint.type = constraints_datas::six_dof_spring;
    joint.transform.setOrigin(pivot);
    joint.linear_lower_limit = btVector3(0.0f, 1.0f, 0.0f);  // y free, x and z locked
    joint.linear_upper_limit = btVector3(0.0f, -1.0f, 0.0f);
    joint.angular_lower_limit = joint.angular_upper_limit = btVector3(0.0f, 0.0f, 0.0f);
    joint.linear_stiffness = btVector3(0.0f, stiffness, 0.0f);
    if (two_bodies) {
      rigidbody_datas& anchor =
          scene.body(sphere(0.05f), pivot + btVector3(0.0f, 1.0f, 0.0f), rigidbody_datas::static_body);
      joint.rigid0 = anchor.shape;
    }
    rigidbody_datas& bob = scene.add_body(sphere(0.1f), pivot, rigidbody_datas::move, mass);
    bob.velocity = btVector3(0.0f, 0.3f, 0.0f);
    ASSERT_TRUE(scene.commit(bob));
    joint.rigid1 = bob.shape;
    ASSERT_TRUE(scene.engine.addJoint(joint));
    std::vector<double> upward_crossings;
    float previous = 0.0f, farthest = 0.0f;
    for (int frame = 1; frame <= 240; ++frame) {
      scene.play(1.0f / 60.0f);
      const float offset = scene.position(bob).y() - pivot.y();
      farthest = std::max(farthest, std::fabs(offset));
      if (previous < 0.0f && offset >= 0.0f)
        upward_crossings.push_back((frame - 1 + previous / (previous - offset)) / 60.0);
      previous = offset;
    }
    ASSERT_GE(upward_crossings.size(), 2u) << two_bodies;
    const double measured = (upward_crossings.back() - upward_crossings.front()) / double(upward_crossings.size() - 1);
    EXPECT_NEAR(measured, period, 0.03 * period) << two_bodies;
    EXPECT_NEAR(farthest, 0.3 / std::sqrt(stiffness / mass), 0.01) << two_bodies;  // v0 / omega
  }
}

// Pushed hard sideways (freely it would swing out to about 85 degrees), a rod under a cone-twist
// joint of 30 degrees reaches the cone and stays within it, up to the 6 degrees the rod turns
// in one step at that speed, held to the world or to a second body.
TEST(bullet_world, a_cone_twist_joint_keeps_its_body_inside_the_cone) {
  for (bool two_bodies : {false, true}) {
    engine_scene scene;
    constraints_datas joint;
    joint.type = constraints_datas::cone_twist;
    joint.transform = frame_pointing_down();
    joint.angular_upper_limit = btVector3(45.0f, 30.0f, 30.0f);  // twist, swing 2, swing 1
    joint.angular_stiffness = btVector3(1.0f, 0.3f, 1.0f);       // softness, bias, relaxation
    add_anchor(scene, joint, two_bodies);
    rigidbody_datas& rod = add_rod(scene, 0.0f);
    rod.velocity = btVector3(2.5f, 0.0f, 1.0f);
    ASSERT_TRUE(scene.commit(rod));
    joint.rigid1 = rod.shape;
    ASSERT_TRUE(scene.engine.addJoint(joint));
    double widest = 0.0;
    for (int frame = 0; frame < 120; ++frame) {
      scene.play(1.0f / 60.0f);
      widest = std::max(widest, swing_angle(scene.position(rod)));
      ASSERT_NEAR(scene.position(rod).distance(pivot), arm_length, 0.01f) << two_bodies << " @" << frame;
    }
    EXPECT_GT(widest, 28.0 * SIMD_RADS_PER_DEG) << two_bodies;
    EXPECT_LT(widest, 36.0 * SIMD_RADS_PER_DEG) << two_bodies;
  }
}

TEST(bullet_world, cone_twist_spans_come_from_the_upper_limit_in_twist_swing2_swing1_order) {
  engine_scene scene;
  rigidbody_datas& bob = scene.body(sphere(0.1f), pivot);
  constraints_datas joint;
  joint.type = constraints_datas::cone_twist;
  joint.rigid1 = bob.shape;
  joint.angular_upper_limit = btVector3(10.0f, 20.0f, 30.0f);
  ASSERT_TRUE(scene.engine.addJoint(joint));
  auto* cone = static_cast<btConeTwistConstraint*>(scene.engine.engine()->dynamics_world()->getConstraint(0));
  EXPECT_FLOAT_EQ(cone->getTwistSpan(), float(10.0 * SIMD_PI / 180.0));
  EXPECT_FLOAT_EQ(cone->getSwingSpan2(), float(20.0 * SIMD_PI / 180.0));
  EXPECT_FLOAT_EQ(cone->getSwingSpan1(), float(30.0 * SIMD_PI / 180.0));
}

// Angles past +-180 degrees fold back into [-180, 180]; linear limits scale with the world.
TEST(bullet_world, joint_limits_are_normalised_and_scaled) {
  for (std::int32_t type : {constraints_datas::six_dof, constraints_datas::six_dof_spring}) {
    world_datas w;
    w.scale_factor = 2.0f;
    engine_scene scene(w);
    rigidbody_datas& bob = scene.body(sphere(0.1f), pivot);
    constraints_datas joint;
    joint.type = type;
    joint.rigid1 = bob.shape;
    joint.angular_lower_limit = btVector3(-190.0f, 190.0f, -45.0f);
    joint.angular_upper_limit = btVector3(190.0f, -190.0f, 45.0f);
    joint.linear_upper_limit = btVector3(0.5f, 0.0f, 0.0f);
    ASSERT_TRUE(scene.engine.addJoint(joint));
    btTypedConstraint* c = scene.engine.engine()->dynamics_world()->getConstraint(0);
    btVector3 lower, upper, linear;
    auto* d = dynamic_cast<btGeneric6DofSpring2Constraint*>(c);  // both kinds: see make_six_dof
    ASSERT_NE(d, nullptr) << type;
    d->getAngularLowerLimit(lower), d->getAngularUpperLimit(upper), d->getLinearUpperLimit(linear);
    const float deg = SIMD_RADS_PER_DEG;
    EXPECT_NEAR(upper.x(), -170.0f * deg, 1e-5f) << type;
    EXPECT_NEAR(upper.y(), 170.0f * deg, 1e-5f) << type;
    EXPECT_NEAR(lower.x(), 170.0f * deg, 1e-5f) << type;
    EXPECT_NEAR(lower.y(), -170.0f * deg, 1e-5f) << type;
    EXPECT_NEAR(upper.z(), 45.0f * deg, 1e-6f) << type;
    EXPECT_FLOAT_EQ(linear.x(), 1.0f) << type;
  }
}

TEST(bullet_world, a_spring_joint_without_stiffness_enables_no_spring) {
  engine_scene scene;
  rigidbody_datas& bob = scene.body(sphere(0.1f), pivot);
  constraints_datas joint;
  joint.type = constraints_datas::six_dof_spring;
  joint.rigid1 = bob.shape;
  joint.linear_damping = btVector3(5.0f, 5.0f, 5.0f);
  ASSERT_TRUE(scene.engine.addJoint(joint));
  auto* spring =
      static_cast<btGeneric6DofSpring2Constraint*>(scene.engine.engine()->dynamics_world()->getConstraint(0));
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(spring->getTranslationalLimitMotor()->m_enableSpring[i]) << i;
    EXPECT_FALSE(spring->getRotationalLimitMotor(i)->m_enableSpring) << i;
  }
}

// Each case breaks one thing; no constraint may be created.
TEST(bullet_world, joints_without_their_second_body_or_kind_or_with_bad_numbers_are_refused) {
  struct refused_joint {
    const char* what;
    void (*edit)(constraints_datas&);
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  static float not_a_number;
  not_a_number = nan;
  const refused_joint cases[] = {
      {"no rigid1", [](constraints_datas& j) { j.rigid1 = nullptr; }},
      {"unknown rigid1", [](constraints_datas& j) { j.rigid1 = key(99); }},
      {"type 3", [](constraints_datas& j) { j.type = 3; }},
      {"type -1", [](constraints_datas& j) { j.type = -1; }},
      {"NaN origin", [](constraints_datas& j) { j.transform.getOrigin().setY(not_a_number); }},
      {"NaN limit", [](constraints_datas& j) { j.angular_upper_limit.setX(not_a_number); }},
      {"infinite stiffness",
       [](constraints_datas& j) { j.linear_stiffness.setX(std::numeric_limits<float>::infinity()); }},
  };
  for (const refused_joint& c : cases) {
    engine_scene scene;
    rigidbody_datas& bob = scene.body(sphere(0.1f), pivot);
    constraints_datas joint;
    joint.rigid1 = bob.shape;
    c.edit(joint);
    EXPECT_FALSE(scene.engine.addJoint(joint)) << c.what;
    EXPECT_EQ(scene.engine.engine()->dynamics_world()->getNumConstraints(), 0) << c.what;
  }
}

// rigid0 naming a shape without a body is no failure: the joint holds rigid1 to the world where
// the joint is, whatever its kind.
TEST(bullet_world, an_unknown_first_body_makes_a_one_body_joint_at_the_joint_frame) {
  for (std::int32_t type :
       {constraints_datas::six_dof, constraints_datas::six_dof_spring, constraints_datas::cone_twist}) {
    engine_scene scene;
    constraints_datas joint = swinging_joint(type);
    joint.rigid0 = key(42);
    rigidbody_datas& rod = add_rod(scene, 0.0f);
    ASSERT_TRUE(scene.commit(rod));
    joint.rigid1 = rod.shape;
    ASSERT_TRUE(scene.engine.addJoint(joint)) << type;
    scene.play(1.0f);
    EXPECT_LT(scene.position(rod).distance(pivot - btVector3(0.0f, arm_length, 0.0f)), 0.01f) << type;
  }
}
