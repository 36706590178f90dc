// rigidbody_properties::get_transrate_data and reset_position: a moved part goes back.
#include <gtest/gtest.h>

#include "properties/primitive_properties.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties_scene.hpp"

using namespace properties_test;

namespace {

using sxsdk::mat4;

void expect_near(const mat4& got, const mat4& want) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(got[r][c], want[r][c], 2e-3f) << r << "," << c;
}

}  // namespace

TEST(rigidbody_properties, get_transrate_data_then_reset_position_puts_a_moved_part_back) {
  struct pose_case {
    const char* what;
    mat4 dad, start, moved;
    bool with_primitive;
  };
  const pose_case cases[] = {
      {"under the root", mat4(), mat4::rotate_y(0.4f) * mat4::translate(120, -30, 75),
       mat4::rotate_x(1.3f) * mat4::translate(-500, 20, 0), true},
      {"under a turned and moved dad", mat4::rotate_z(0.9f) * mat4::translate(1000, 200, -300),
       mat4::rotate_x(-0.5f) * mat4::translate(10, 20, 30), mat4::rotate_z(2.0f) * mat4::translate(0, -80, 40), true},
      {"without a primitive", mat4::translate(5, 6, 7), mat4::rotate_y(-0.2f) * mat4::translate(1, 2, 3),
       mat4::translate(300, 300, 300), false},
  };
  for (const pose_case& c : cases) {
    SCOPED_TRACE(c.what);
    properties_scene s;
    host::part_shape& dad = s.part("Dad");
    dad.set_transformation(c.dad);
    host::part_shape& part = s.part("Body", &dad);
    part.set_transformation(c.start);
    rigidbody_properties b;
    b.shape = &part.sdk();
    if (c.with_primitive) {
      part.make_current();
      primitive_properties ball;
      ASSERT_TRUE(ball.create_or_modify_sorvel_shape(s.sdk(), collisionshape_datas::sphere));
      b.primitive = ball.shape;
    }
    b.get_transrate_data();
    // The start pose in metres is where the part stands in the world.
    const mat4 world = c.start * c.dad;
    EXPECT_NEAR(b.transform.getOrigin().x(), world[3][0] * 0.001f, 1e-5f);
    EXPECT_NEAR(b.transform.getOrigin().z(), world[3][2] * 0.001f, 1e-5f);
    part.set_transformation(c.moved);
    b.reset_position();
    expect_near(part.get_transformation(), c.start);
  }
}

TEST(rigidbody_properties, the_start_basis_is_the_transposed_host_rotation) {
  properties_scene s;
  host::part_shape& part = s.part("Body");
  part.set_transformation(mat4::rotate_z(0.5f));
  rigidbody_properties b;
  b.shape = &part.sdk();
  b.get_transrate_data();
  // The host turns +X toward +Y by 0.5 rad; the engine basis maps x to (cos, sin, 0) as a column.
  const btVector3 x_axis = b.transform.getBasis() * btVector3(1, 0, 0);
  EXPECT_NEAR(x_axis.x(), std::cos(0.5f), 1e-6f);
  EXPECT_NEAR(x_axis.y(), std::sin(0.5f), 1e-6f);
  EXPECT_NEAR(x_axis.z(), 0.0f, 1e-6f);
}
