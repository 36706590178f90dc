// How a world that holds joints steps, damps and puts its bodies to sleep; a world without
// joints steps as its cycle says.
#include "engine/bullet_world.hpp"

#include "engine/engine_scene.hpp"
#include "engine/joint_settings.hpp"

#include <BulletDynamics/ConstraintSolver/btTypedConstraint.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace engine_test;

namespace {

const btVector3 pivot(0.0f, 3.0f, 0.0f);

// A ball 1 m below the pivot on a 6Dof joint with its turns free (the anchor is the world).
rigidbody_datas& add_pendulum(engine_scene& scene, float start_angle, float damping = 0.0f) {
  rigidbody_datas& ball =
      scene.add_body(sphere(0.05f), pivot + btVector3(std::sin(start_angle), -std::cos(start_angle), 0));
  ball.linear_damping = ball.angular_damping = damping;
  EXPECT_TRUE(scene.commit(ball));
  constraints_datas joint;
  joint.rigid1 = ball.shape;
  joint.transform.setOrigin(pivot);
  joint.angular_lower_limit = btVector3(1, 1, 1);  // lower above upper: free
  joint.angular_upper_limit = btVector3(-1, -1, -1);
  EXPECT_TRUE(scene.engine.addJoint(joint));
  return ball;
}

int steps_in(engine_scene& scene, float seconds) {
  int steps = 0;
  btDiscreteDynamicsWorld* world = scene.engine.engine()->dynamics_world();
  world->setInternalTickCallback([](btDynamicsWorld* w, btScalar) { ++*static_cast<int*>(w->getWorldUserInfo()); },
                                 &steps);
  scene.play(seconds);
  return steps;
}

}  // namespace

// One second of frames at 60 fps: a world without joints takes exactly its cycle's steps; one with
// a joint cuts every step of its cycle into equal ones, at least 480 a second.
TEST(joint_stepping, a_world_with_joints_takes_at_least_480_equal_steps_a_second) {
  for (float cycle : {30.0f, 60.0f, 120.0f, 240.0f, 480.0f, 1000.0f}) {
    for (bool with_joint : {false, true}) {
      world_datas w;
      w.simulation_cycle = cycle;
      engine_scene scene(w);
      if (with_joint) {
        add_pendulum(scene, 0.5f);
      } else {
        scene.body(sphere(0.05f), pivot);
      }
      const int steps = steps_in(scene, 1.0f);
      if (!with_joint) {
        EXPECT_EQ(steps, int(cycle)) << cycle;
        continue;
      }
      EXPECT_GE(steps, 480) << cycle;
      EXPECT_LT(steps, 480 + int(cycle)) << cycle;
      EXPECT_EQ(steps % int(cycle), 0) << cycle << ": each step of the cycle cut into equal ones";
    }
  }
}

// A ball damped 0.3 falls from rest as its damping says, v' = g - k v with k = -ln(1 - 0.3) per
// second (Bullet damps by (1 - d)^dt each step): after t, y = g / k (t - (1 - e^-kt) / k).
// In a world with a joint, where steps are short, Bullet's extra damping of slow bodies (x0.005
// under 0.1 m/s in every step) would keep it hanging in the air; it is dropped there.
TEST(joint_stepping, a_damped_body_falls_from_rest_in_a_world_with_or_without_joints) {
  for (bool with_joint : {false, true}) {
    engine_scene scene;
    if (with_joint) add_pendulum(scene, 0.5f);
    rigidbody_datas& ball = scene.add_body(sphere(0.1f), btVector3(10.0f, 20.0f, 0.0f));
    ball.linear_damping = ball.angular_damping = 0.3f;
    ASSERT_TRUE(scene.commit(ball));
    const double t = 0.5, k = -std::log(1.0 - 0.3), g = 9.8;
    const double expected = g / k * (t - (1 - std::exp(-k * t)) / k);
    scene.play(float(t));
    const double fallen = 20.0 - double(scene.position(ball).y());
    // Stepping (semi-implicit Euler) falls (n + 1) / n as far as the curve: 3% at 30 steps.
    EXPECT_NEAR(fallen / expected, 1.0, 0.05) << (with_joint ? "with" : "without") << " a joint: " << fallen << " m";
  }
}

// An undamped pendulum swinging 3 degrees (never faster than 0.17 m/s, under Bullet's default
// sleeping speeds) keeps swinging; a damped one comes to rest and falls asleep.
TEST(joint_stepping, a_swinging_pendulum_stays_awake_and_a_damped_one_falls_asleep) {
  struct sleep_case {
    float damping;
    bool sleeps;
  };
  for (const sleep_case& c : {sleep_case{0.0f, false}, sleep_case{0.5f, true}}) {
    engine_scene scene;
    rigidbody_datas& ball = add_pendulum(scene, 3.0f * SIMD_RADS_PER_DEG, c.damping);
    float widest = 0;
    for (int frame = 0; frame < 60 * 40; ++frame) {
      scene.play(1.0f / 60.0f);
      if (frame >= 60 * 38) widest = std::max(widest, std::fabs(scene.position(ball).x()));
    }
    const btRigidBody* body = scene.bullet_body(ball);
    EXPECT_EQ(body->getActivationState() == ISLAND_SLEEPING, c.sleeps) << "damping " << c.damping;
    if (!c.sleeps) {
      EXPECT_GT(widest, 0.95f * std::sin(3.0f * SIMD_RADS_PER_DEG)) << "still swinging after 40 s";
    }
  }
}

// How strongly a body couples its joint's rows: m d^2 / I across the arm, from the shapes'
// inertia formulas: a ball of radius r, d from the pivot: 2.5 d^2 / r^2; a rod of length l and
// width w hung from its end: (l / 2)^2 / ((l^2 + w^2) / 12). Joints coupled more than 10 get
// more solver iterations than Bullet's 10, the more the stronger (at most 40).
TEST(joint_stepping, a_joint_gets_more_iterations_only_when_its_body_couples_its_rows_strongly) {
  struct coupling_case {
    const char* what;
    collisionshape_datas shape;
    btVector3 centre;  // of the body, from the pivot
    double coupling;
    bool more_iterations;
  };
  const coupling_case cases[] = {
      {"5 cm ball on a 1 m arm", sphere(0.05f), btVector3(0, -1, 0), 2.5 / (0.05 * 0.05), true},
      {"8 cm ball 0.2 m out", sphere(0.08f), btVector3(0.2f, 0, 0), 2.5 * 0.04 / (0.08 * 0.08), true},
      {"1 m rod hung from its end", shape_record(collisionshape_datas::box, 0.02f, 0.5f, 0.02f), btVector3(0, -0.5f, 0),
       0.25 / ((1 + 0.04 * 0.04) / 12), false},
      {"ball turning about its centre", sphere(0.05f), btVector3(0, 0, 0), 0, false},
  };
  int fewer = joint_settings::most_iterations + 1;  // cases come strongest first
  for (const coupling_case& c : cases) {
    engine_scene scene;
    rigidbody_datas& body = scene.body(c.shape, pivot + c.centre);
    EXPECT_NEAR(double(joint_settings::coupling(*scene.bullet_body(body), pivot)), c.coupling, 1e-3 * c.coupling + 1e-6)
        << c.what;
    constraints_datas joint;
    joint.rigid1 = body.shape;
    joint.transform.setOrigin(pivot);
    ASSERT_TRUE(scene.engine.addJoint(joint)) << c.what;
    const int iterations = scene.engine.engine()->dynamics_world()->getConstraint(0)->getOverrideNumSolverIterations();
    EXPECT_EQ(iterations > 10, c.more_iterations) << c.what << ": " << iterations;
    EXPECT_LE(iterations, joint_settings::most_iterations) << c.what;
    EXPECT_LT(iterations, fewer) << c.what;
    if (c.more_iterations) fewer = iterations;
  }
}
