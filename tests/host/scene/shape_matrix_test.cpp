// Matrix conventions of shapes: row vectors (p' = p x M), own transformation first, then the
// dads' outwards. Expected points are worked out by hand in each test.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "host/scene/scene_fixture.hpp"

namespace {

using host_test::scene_fixture;
using host_test::vec3;
using sxsdk::mat4;

constexpr float pi = 3.14159265358979f;

void expect_near(const vec3& a, const vec3& b, float tol = 1e-4f) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
  EXPECT_NEAR(a.z, b.z, tol);
}

void expect_identity(const mat4& m, float tol = 1e-5f) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(m[i][j], i == j ? 1.0f : 0.0f, tol) << i << "," << j;
}

struct shape_matrix : ::testing::Test, scene_fixture {};

TEST_F(shape_matrix, a_point_in_a_son_of_a_translated_then_rotated_part) {
  // Outer part lifted by 5 along z; inner part moved 10 along x, then turned 90 degrees about z.
  auto& outer = part("root/Outer");
  outer.set_transformation(mat4::translate(0, 0, 5));
  auto& inner = part("root/Outer/Inner");
  inner.set_transformation(mat4::translate(10, 0, 0) * mat4::rotate_z(pi / 2));
  auto& m = mesh("root/Outer/Inner/M", {{1, 0, 0}});
  // (1,0,0) -> +10 x -> (11,0,0) -> turned: x goes to y -> (0,11,0) -> lifted -> (0,11,5).
  expect_near(m.vertex(0).get_position() * m.get_local_to_world_matrix(), {0, 11, 5});
  // The inner part's own local coordinates are its sons': the same map.
  expect_near(vec3(1, 0, 0) * inner.get_local_to_world_matrix(), {0, 11, 5});
  expect_near(vec3(0, 11, 5) * m.get_world_to_local_matrix(), {1, 0, 0});
  expect_identity(m.get_world_to_local_matrix() * m.get_local_to_world_matrix());
}

TEST_F(shape_matrix, world_to_local_of_a_part_is_where_its_transformation_is_expressed) {
  auto& outer = part("root/Outer");
  outer.set_transformation(mat4::rotate_x(0.3f) * mat4::translate(1, 2, 3));
  auto& body = part("root/Outer/Body");
  body.set_transformation(mat4::translate(7, 0, 0));
  // Metamorphic pair: setting H x world_to_local as the transformation puts the part at H.
  const mat4 h = mat4::rotate_y(0.7f) * mat4::translate(-4, 5, 6);
  body.set_transformation(h * body.get_world_to_local_matrix());
  const mat4 placed = body.get_local_to_world_matrix();
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(placed[i][j], h[i][j], 1e-4f);
  // Doing it again with the same H changes nothing (no feedback through the part's own T).
  body.set_transformation(h * body.get_world_to_local_matrix());
  EXPECT_NEAR(body.get_local_to_world_matrix()[3][0], h[3][0], 1e-4f);
}

TEST_F(shape_matrix, apply_transformation_acts_after_and_transform_before_the_own_one) {
  auto& a = part("root/A");
  a.set_transformation(mat4::translate(1, 0, 0));
  a.apply_transformation(mat4::rotate_z(pi / 2));  // T x m: the origin goes to (1,0,0) then (0,1,0)
  expect_near(vec3() * a.get_transformation(), {0, 1, 0});
  auto& b = part("root/B");
  b.set_transformation(mat4::translate(1, 0, 0));
  b.transform(mat4::rotate_z(pi / 2));  // m x T: the origin stays at the origin, then goes to (1,0,0)
  expect_near(vec3() * b.get_transformation(), {1, 0, 0});
}

TEST_F(shape_matrix, other_shapes_move_their_points) {
  auto& m = mesh("root/M", {{1, 0, 0}, {0, 2, 0}});
  m.transform(mat4::translate(0, 0, 3));
  m.apply_transformation(mat4::scale(2, 2, 2));
  expect_near(m.vertex(0).get_position(), {2, 0, 6});
  expect_near(m.vertex(1).get_position(), {0, 4, 6});
  EXPECT_EQ(m.get_transformation(), mat4());
  auto& s = sphere("root/S", {1, 1, 1});
  s.transform(mat4::translate(1, 0, 0));
  expect_near(s.get_center(), {2, 1, 1});
}

TEST_F(shape_matrix, a_move_shifts_points_but_not_vectors) {
  auto& line = scene->add_line(scene->root(), "L", {{1, 0, 0}}, false);
  line.set_sweep({0, 10, 0});
  line.set_revolution_axis({0, 0, 0}, {0, 1, 0});
  line.transform(mat4::translate(5, 0, 0));
  expect_near(line.control_point(0).get_out_handle(), {6, 0, 0});
  expect_near(line.get_sweep(), {0, 10, 0});
  vec3 a0, a1;
  ASSERT_TRUE(line.get_revolution_axis(a0, a1));
  expect_near(a1, {5, 1, 0});
  // A rotator's axis is a vector; a slider's is its absolute end point.
  auto& rotator = part("root/R", sxsdk::part_type::rotator_joint);
  auto& slider = part("root/S", sxsdk::part_type::slider_joint);
  slider.joint().axis = {0, 10, 0};
  rotator.transform(mat4::translate(5, 0, 0));
  slider.transform(mat4::translate(5, 0, 0));
  expect_near(rotator.joint().center, {5, 0, 0});
  expect_near(rotator.joint().axis, {0, 100, 0});
  expect_near(slider.joint().axis, {5, 10, 0});
}

TEST_F(shape_matrix, joint_parts_move_their_sons_by_their_motion) {
  struct joint_case {
    const char* name;
    int part_type;
    void (*pose)(host::joint_state&);
    vec3 son_point, expected;
  };
  const std::vector<joint_case> cases = {
      {"ball turned 90 degrees about z around its position",
       sxsdk::part_type::ball_joint,
       [](host::joint_state& j) {
         j.position = {10, 0, 0};
         j.rotation = sxsdk::quaternion_class(mat4::rotate_z(pi / 2));
       },
       {11, 0, 0},
       {10, 1, 0}},
      {"ball offset",
       sxsdk::part_type::ball_joint,
       [](host::joint_state& j) {
         j.offset = {0, 0, 2};
       },
       {1, 1, 1},
       {1, 1, 3}},
      {"bone: sons relative to its position",
       sxsdk::part_type::bone_joint,
       [](host::joint_state& j) {
         j.position = {0, 50, 0};
       },
       {1, 0, 0},
       {1, 50, 0}},
      {"rotator 90 degrees about z through (10,0,0)",
       sxsdk::part_type::rotator_joint,
       [](host::joint_state& j) {
         j.center = {10, 0, 0};
         j.axis = {0, 0, 100};
         j.value = 90;
       },
       {11, 0, 0},
       {10, 1, 0}},
      {"slider 5 mm toward its end point",
       sxsdk::part_type::slider_joint,
       [](host::joint_state& j) {
         j.center = {0, 0, 0};
         j.axis = {0, 10, 0};
         j.value = 5;
       },
       {1, 0, 0},
       {1, 5, 0}},
      {"scale 3 along x about (1,0,0)",
       sxsdk::part_type::scale_joint,
       [](host::joint_state& j) {
         j.center = {1, 0, 0};
         j.axis = {10, 0, 0};
         j.value = 3;
       },
       {2, 2, 0},
       {4, 2, 0}},
      {"uniform scale 2 about (0,1,0)",
       sxsdk::part_type::uniscale_joint,
       [](host::joint_state& j) {
         j.center = {0, 1, 0};
         j.value = 2;
       },
       {1, 1, 1},
       {2, 1, 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    scene_fixture f;
    auto& j = f.part("root/J", c.part_type);
    c.pose(j.joint());
    auto& m = f.mesh("root/J/M", {c.son_point});
    expect_near(m.vertex(0).get_position() * m.get_local_to_world_matrix(), c.expected);
    // The joint's own points are given where it is placed: its local-to-world is the dad's.
    EXPECT_EQ(j.get_local_to_world_matrix(), mat4());
    expect_identity(j.get_world_to_local_matrix() * j.get_local_to_world_matrix());
  }
}

TEST_F(shape_matrix, a_joints_transformation_cannot_be_set_directly) {
  auto& j = part("root/J", sxsdk::part_type::ball_joint);
  EXPECT_THROW(j.set_transformation(mat4::translate(1, 0, 0)), std::logic_error);
}

TEST_F(shape_matrix, skins_have_no_binds) {
  auto& m = mesh("root/M", {{1, 2, 3}});
  EXPECT_EQ(m.get_skin().get_number_of_binds(), 0);
  EXPECT_EQ(m.vertex(0).get_skin().get_number_of_binds(), 0);
  EXPECT_EQ(m.vertex(0).get_skin().get_skin_world_matrix(), mat4());
}

}  // namespace

// The world-to-local matrix the write-back asks for is kept by the dad between calls. After
// any move of a dad or a grandfather it must be the one made afresh: each case is played on a
// scene whose matrices were asked for before the move, and on a twin asked only after it.
TEST(shape_matrix_cache, world_to_local_follows_every_move_of_the_dads) {
  struct tree {
    scene_fixture f;
    host::part_shape& top = f.part("root/Top");
    host::part_shape& joint = f.part("root/Top/Turn", sxsdk::part_type::rotator_joint);
    host::part_shape& dad = f.part("root/Top/Turn/Dad");
    host::part_shape& body = f.part("root/Top/Turn/Dad/Body");
    host::part_shape& brother = f.part("root/Top/Turn/Dad/Brother");
    tree() {
      top.set_transformation(mat4::translate(100, 0, 0));
      joint.joint().axis = {0, 0, 100};
      joint.joint().value = 30;
      dad.set_transformation(mat4::rotate_x(0.4f) * mat4::translate(0, 20, 0));
      body.set_transformation(mat4::translate(5, 5, 5));
    }
  };
  struct move_case {
    const char* name;
    void (*move)(tree&);
  };
  const std::vector<move_case> cases = {
      {"nothing moves", [](tree&) {}},
      {"the dad's transformation is set", [](tree& t) { t.dad.set_transformation(mat4::rotate_y(1.1f)); }},
      {"the dad is applied a matrix after", [](tree& t) { t.dad.apply_transformation(mat4::translate(0, 0, 9)); }},
      {"the dad is transformed before", [](tree& t) { t.dad.transform(mat4::scale(2, 2, 2)); }},
      {"the top part above the joint moves", [](tree& t) { t.top.set_transformation(mat4::rotate_z(0.2f)); }},
      {"the joint turns through its handle",
       [](tree& t) {
         sxsdk::joint_motion_interface* handle = t.joint.get_joint_motion();
         handle->set_value(75);
         handle->Release();
       }},
      {"the joint's state is put back whole (as leaving sequence mode does)",
       [](tree& t) {
         host::joint_state s = t.joint.joint();
         s.center = {0, 7, 0};
         t.joint.joint() = s;
       }},
      {"a zero of the dad's turns into -0 (equal by ==, not by bits)",
       [](tree& t) {
         mat4 m = t.dad.get_transformation();
         m[0][1] = -0.0f;
         t.dad.set_transformation(m);
       }},
      {"the joint's subtree is removed from under the top part", [](tree& t) { t.f.scene->remove_shape(t.joint); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tree asked, twin;
    (void)asked.body.get_world_to_local_matrix();
    (void)asked.brother.get_world_to_local_matrix();
    c.move(asked);
    c.move(twin);
    const mat4 kept = asked.body.get_world_to_local_matrix();
    const mat4 fresh = twin.body.get_world_to_local_matrix();
    EXPECT_EQ(0, std::memcmp(&kept, &fresh, sizeof kept));
    const mat4 brother = asked.brother.get_world_to_local_matrix();
    EXPECT_EQ(0, std::memcmp(&kept, &brother, sizeof kept));
    // Independent of how it is made: H x world_to_local puts the body at H.
    const mat4 h = mat4::rotate_y(0.7f) * mat4::translate(-4, 5, 6);
    asked.body.set_transformation(h * kept);
    const mat4 placed = asked.body.get_local_to_world_matrix();
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j) EXPECT_NEAR(placed[i][j], h[i][j], 1e-3f) << i << "," << j;
  }
}
