// world_properties::repair_matrix and renew_parts: scale and shear leave the parts, the world
// positions of everything below stay.
#include <gtest/gtest.h>

#include "properties/world_properties.hpp"
#include "properties_scene.hpp"

using namespace properties_test;

namespace {

using sxsdk::mat4;

// World positions of every control point of a line.
std::vector<vec3> world_points(host::line_shape& line) {
  std::vector<vec3> out;
  const mat4 to_world = line.get_local_to_world_matrix();
  for (const host::line_shape::point& p : line.points()) out.push_back(p.position * to_world);
  return out;
}

void expect_near(const vec3& a, const vec3& b, float tolerance, const char* what) {
  EXPECT_NEAR(a.x, b.x, tolerance) << what;
  EXPECT_NEAR(a.y, b.y, tolerance) << what;
  EXPECT_NEAR(a.z, b.z, tolerance) << what;
}

void expect_no_scale_or_shear(const mat4& m, const char* what) {
  sx::vec<float, 3> scale, shear, angles, t;
  ASSERT_TRUE(m.unmatrix(scale, shear, angles, t));
  expect_near(scale, vec3(1, 1, 1), 1e-4f, what);
  expect_near(shear, vec3(0, 0, 0), 1e-4f, what);
}

struct nested_parts {
  host::part_shape* world;
  host::part_shape* outer;
  host::part_shape* inner;
  host::line_shape* line;
  host::sphere_shape* ball;
};

// A world with a part scaled by 2 (turned and moved too) holding a ball, and inside it a part
// stretched along y holding a line.
nested_parts scaled_part_with_scaled_son(properties_scene& s) {
  nested_parts n{};
  n.world = &s.part("World");
  n.outer = &s.part("Outer", n.world);
  n.outer->set_transformation(mat4::scale(2, 2, 2) * mat4::rotate_y(0.3f) * mat4::translate(100, 50, -20));
  n.ball = &s.scene().add_sphere(*n.outer, "Ball", vec3(5, 6, 7), vec3(10, 10, 10));
  n.inner = &s.part("Inner", n.outer);
  n.inner->set_transformation(mat4::scale(1, 3, 1) * mat4::rotate_x(0.2f) * mat4::translate(10, 0, 5));
  n.line = &s.scene().add_line(*n.inner, "Line", {{0, 0, 0}, {10, 20, 30}, {-5, 7, 1}}, false);
  return n;
}

}  // namespace

TEST(world_properties, repair_matrix_keeps_world_positions_and_names_only_the_outer_part) {
  properties_scene s;
  nested_parts n = scaled_part_with_scaled_son(s);
  const std::vector<vec3> line_before = world_points(*n.line);
  const vec3 ball_centre_before = n.ball->get_center() * n.ball->get_local_to_world_matrix();
  std::string names = "stale";
  world_properties::repair_matrix(s.sdk(), n.world->get_part(), names);
  EXPECT_EQ(names, "Outer");
  expect_no_scale_or_shear(n.outer->get_transformation(), "outer");
  expect_no_scale_or_shear(n.inner->get_transformation(), "inner");
  const std::vector<vec3> line_after = world_points(*n.line);
  ASSERT_EQ(line_after.size(), line_before.size());
  for (std::size_t i = 0; i < line_after.size(); ++i) expect_near(line_after[i], line_before[i], 2e-3f, "line point");
  expect_near(n.ball->get_center() * n.ball->get_local_to_world_matrix(), ball_centre_before, 2e-3f, "ball centre");
  // The ball keeps its world radius of 20: its own radius takes on the part's scale.
  EXPECT_NEAR(n.ball->get_radius(), 20.0f, 1e-3f);
}

TEST(world_properties, a_pure_rotation_is_not_touched_and_reports_no_repaired_matrix) {
  properties_scene s;
  host::part_shape& world = s.part("World");
  host::part_shape& turned = s.part("Turned", &world);
  const mat4 t = mat4::rotate_z(0.7f) * mat4::rotate_x(-1.1f) * mat4::translate(30, -40, 50);
  turned.set_transformation(t);
  world_properties stored;
  stored.shape = &world.sdk();
  ASSERT_TRUE(stored.regist());
  s.script().push(host::dialog_answer::ok().set("Repair Element's Transformation", true));
  world_properties w;
  ASSERT_TRUE(w.modify_bullet_world_part(s.sdk(), &world.sdk()));
  EXPECT_EQ(turned.get_transformation(), t);
  EXPECT_EQ(s.messages(), std::vector<std::string>{"No repaired matrix"});
}

TEST(world_properties, two_repaired_brothers_report_the_last_one) {
  properties_scene s;
  host::part_shape& world = s.part("World");
  s.part("First", &world).set_transformation(mat4::scale(2, 1, 1));
  s.part("Second", &world).set_transformation(mat4::scale(1, 1, 0.5f) * mat4::translate(1, 2, 3));
  s.part("Third", &world).set_transformation(mat4::translate(4, 5, 6));
  world_properties stored;
  stored.shape = &world.sdk();
  ASSERT_TRUE(stored.regist());
  s.script().push(host::dialog_answer::ok().set("Repair Element's Transformation", true));
  world_properties w;
  ASSERT_TRUE(w.modify_bullet_world_part(s.sdk(), &world.sdk()));
  EXPECT_EQ(s.messages(), std::vector<std::string>{"Repaired Matrix underSecond"});
}

TEST(world_properties, a_sheared_part_is_repaired_and_its_son_keeps_its_place) {
  properties_scene s;
  host::part_shape& world = s.part("World");
  host::part_shape& sheared = s.part("Sheared", &world);
  mat4 shear;  // x picks up y
  shear[1][0] = 0.5f;
  sheared.set_transformation(shear * mat4::translate(7, 8, 9));
  host::line_shape& line = s.scene().add_line(sheared, "Line", {{1, 2, 3}, {-4, 5, 6}}, false);
  const std::vector<vec3> before = world_points(line);
  std::string names;
  EXPECT_TRUE(world_properties::repair_matrix(s.sdk(), world.get_part(), names) == false);
  EXPECT_EQ(names, "Sheared");
  expect_no_scale_or_shear(sheared.get_transformation(), "sheared");
  const std::vector<vec3> after = world_points(line);
  for (std::size_t i = 0; i < after.size(); ++i) expect_near(after[i], before[i], 1e-3f, "line point");
}

TEST(world_properties, renew_inner_parts_rewrites_old_rigid_body_streams_in_the_current_format) {
  properties_scene s;
  host::part_shape& world = s.part("World");
  host::part_shape& direct = s.part("Direct", &world);
  host::part_shape& holder = s.part("Holder", &world);
  host::part_shape& nested = s.part("Nested", &holder);
  // Version 0: type, group index, mask, mass, friction, restitution, dampings, velocity, the
  // identity as a quaternion (w first), origin.
  le_bytes old;
  old.i32(0).i32(2).u8(5).i32(0x10).f32(3).f32(0.5f).f32(0).f32(0).f32(0).v3(0, 0, 0);
  old.f32(1).f32(0).f32(0).f32(0).v3(1, 2, 3);
  le_bytes current;
  current.i32(1).i32(2).u8(5).i32(0x10).f32(3).f32(0.5f).f32(0).f32(0).f32(0).v3(0, 0, 0);
  current.v3(1, 0, 0).v3(0, 1, 0).v3(0, 0, 1).v3(1, 2, 3);
  for (host::shape_node* body : std::initializer_list<host::shape_node*>{&direct, &nested})
    properties_scene::put(*body, physplug_modify_uuid, old.get());
  world_properties stored;
  stored.shape = &world.sdk();
  ASSERT_TRUE(stored.regist());
  s.script().push(host::dialog_answer::ok().set("Renew inner parts", true));
  world_properties w;
  ASSERT_TRUE(w.modify_bullet_world_part(s.sdk(), &world.sdk()));
  for (host::shape_node* body : std::initializer_list<host::shape_node*>{&direct, &nested}) {
    EXPECT_EQ(properties_scene::stream_bytes(*body, physplug_modify_uuid), current.get()) << body->name();
    EXPECT_EQ(properties_scene::stream_label(*body, physplug_modify_uuid), "5:RigidBody") << body->name();
  }
  EXPECT_TRUE(holder.streams().empty());
}

TEST(world_properties, a_scaling_joint_keeps_its_motion_and_a_part_below_it_is_still_repaired) {
  properties_scene s;
  host::part_shape& world = s.part("World");
  host::part_shape& joint = s.scene().add_part(world, "Scaler", sxsdk::part_type::uniscale_joint);
  joint.joint().value = 2.0f;
  const mat4 motion = joint.get_transformation();
  host::part_shape& below = s.part("Below", &joint);
  below.set_transformation(mat4::scale(3, 3, 3) * mat4::translate(1, 2, 3));
  host::line_shape& line = s.scene().add_line(below, "Line", {{1, 2, 3}, {-4, 5, 6}}, false);
  const std::vector<vec3> before = world_points(line);
  std::string names;
  world_properties::repair_matrix(s.sdk(), world.get_part(), names);
  EXPECT_EQ(names, "Below");
  EXPECT_EQ(joint.joint().value, 2.0f);
  EXPECT_EQ(joint.get_transformation(), motion);
  expect_no_scale_or_shear(below.get_transformation(), "below");
  const std::vector<vec3> after = world_points(line);
  for (std::size_t i = 0; i < after.size(); ++i) expect_near(after[i], before[i], 1e-3f, "line point");
}
