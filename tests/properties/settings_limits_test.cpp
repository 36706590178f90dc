// settings_limits: the first value of a world or body that cannot give a finite simulation,
// named with its range; the edges of each range and the values Bullet handles are kept.
#include "properties/settings_limits.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <limits>
#include <string>

namespace {

template <class Datas>
struct problem_case {
  const char* what;
  std::function<void(Datas&)> edit;
  const char* problem;  // the start of the expected text; empty: accepted
};

// Each case edits `start`; the problem found must begin with the case's text, or be none.
template <class Datas, std::size_t N>
void expect_problems(const problem_case<Datas> (&cases)[N], std::string (*problem_of)(const Datas&),
                     const Datas& start) {
  for (const problem_case<Datas>& c : cases) {
    Datas d = start;
    c.edit(d);
    const std::string problem = problem_of(d);
    if (*c.problem == 0) {
      EXPECT_EQ(problem, "") << c.what;
    } else {
      EXPECT_EQ(problem.rfind(c.problem, 0), 0u) << c.what << ": " << problem;
    }
  }
}

TEST(settings_limits, bodies_outside_the_ranges_are_named_with_item_value_and_range) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const problem_case<rigidbody_datas> cases[] = {
      {"defaults", [](rigidbody_datas&) {}, ""},
      {"mass 1e-30", [](rigidbody_datas& b) { b.mass = 1e-30f; },
       "\"Mass\" 1e-30 is outside its range (from 1e-06 to 1e+06)"},
      {"mass 0 on a static body", [](rigidbody_datas& b) { b.type = rigidbody_datas::static_body, b.mass = 0; }, ""},
      {"mass 0 on a moving body (Bullet's immovable body)", [](rigidbody_datas& b) { b.mass = 0; }, ""},
      {"kinematic velocity ignored", [](rigidbody_datas& b) { b.type = 1, b.velocity.setX(1e9f); }, ""},
      {"velocity 1e8", [](rigidbody_datas& b) { b.velocity.setZ(-1e8f); }, "\"Velocity\" -1e+08 is outside its range"},
      {"friction NaN", [nan](rigidbody_datas& b) { b.friction = nan; }, "\"Friction\" nan is outside its range"},
      {"restitution 2", [](rigidbody_datas& b) { b.restitution = 2; }, ""},
      {"restitution -0.5", [](rigidbody_datas& b) { b.restitution = -0.5f; }, "\"Restitution\" -0.5 is outside"},
      {"damping 1", [](rigidbody_datas& b) { b.linear_damping = 1; }, ""},
      {"basis rows of 1e30",
       [](rigidbody_datas& b) { b.transform.setBasis(btMatrix3x3(1e30f, 0, 0, 0, 1, 0, 0, 0, 1)); },
       "\"start basis row length\" 1e+30 is outside its range (from 0 to 10)"},
      {"basis rows of 10", [](rigidbody_datas& b) { b.transform.setBasis(btMatrix3x3(10, 0, 0, 0, 10, 0, 0, 0, 10)); },
       ""},
      {"origin 2e6 m", [](rigidbody_datas& b) { b.transform.setOrigin(btVector3(0, 2e6f, 0)); },
       "\"start position\" 2e+06 is outside its range (from -1e+06 m to 1e+06 m)"},
  };
  rigidbody_datas start;
  start.transform.setIdentity();
  expect_problems(cases, settings_limits::rigidbody_problem, start);
}

TEST(settings_limits, worlds_outside_the_ranges_are_named_with_item_value_and_range) {
  const problem_case<world_datas> cases[] = {
      {"defaults", [](world_datas&) {}, ""},
      {"subnormal scale", [](world_datas& w) { w.scale_factor = 1e-40f; }, "\"Scale Factor\" 9.99995e-41 is outside"},
      {"ground at 3e38 m", [](world_datas& w) { w.height = 3e38f; },
       "\"Hight\" 3e+38 is outside its range (from -1e+06 m to 1e+06 m)"},
      {"negated gravity 9.8", [](world_datas& w) { w.gravity = -9.8f; }, ""},
      {"cycle 1e9", [](world_datas& w) { w.simulation_cycle = 1e9f; },
       "\"Simulation Cycle\" 1e+09 is outside its range (more than 0, at most 10000)"},
      {"infinite boundary", [](world_datas& w) { w.boundary_max.setY(std::numeric_limits<float>::infinity()); },
       "\"Boundary\" inf is outside"},
  };
  expect_problems(cases, settings_limits::world_problem, world_datas());
}

}  // namespace
