// motion_recorder: a body whose matrix stops being finite numbers is recorded at its last finite
// pose from then on and listed with the frame it happened; the other bodies are recorded as
// they are.
#include "host/cli/motion_recorder.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "host/scene/scene.hpp"

namespace {

TEST(motion_recorder, a_body_that_leaves_the_finite_numbers_keeps_its_last_finite_pose) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct lost_case {
    const char* what;
    sxsdk::mat4 broken;
  };
  sxsdk::mat4 nan_origin = sxsdk::mat4::translate(0, nan, 0);
  sxsdk::mat4 inf_basis = sxsdk::mat4::translate(5, 6, 7);
  inf_basis[1][1] = inf;
  const lost_case cases[] = {{"NaN origin", nan_origin}, {"infinite basis", inf_basis}};
  for (const lost_case& c : cases) {
    sxsdk::host_ref<host::scene> s = host::scene::create();
    host::part_shape& ball = s->add_part(s->root(), "Ball");
    host::part_shape& box = s->add_part(s->root(), "Box");
    host::motion_recorder recorder({{&ball, nullptr, {}, "root/Ball"}, {&box, nullptr, {}, "root/Box"}});
    ball.set_transformation(sxsdk::mat4::translate(1, 2, 3));
    recorder.record(0);
    ball.set_transformation(sxsdk::mat4::translate(1, 1, 3));
    box.set_transformation(sxsdk::mat4::translate(9, 0, 0));
    recorder.record(1);
    ball.set_transformation(c.broken);
    recorder.record(2);
    ball.set_transformation(sxsdk::mat4::translate(0, 0, 0));  // finite again: not trusted
    box.set_transformation(sxsdk::mat4::translate(8, 0, 0));
    const auto& last = recorder.record(3);
    ASSERT_EQ(recorder.lost().size(), 1u) << c.what;
    EXPECT_EQ(recorder.lost()[0].body, 0u) << c.what;
    EXPECT_EQ(recorder.lost()[0].frame, 2) << c.what;
    for (const auto& sample : recorder.samples()) {
      if (sample.frame >= 1) {
        EXPECT_EQ(sample.poses[0].position, (std::array<double, 3>{1, 1, 3})) << c.what;
      }
    }
    EXPECT_EQ(last.poses[1].position, (std::array<double, 3>{8, 0, 0})) << c.what;
  }
}

}  // namespace
