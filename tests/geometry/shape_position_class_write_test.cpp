// Writing points back and moving whole shapes, checked against the host's own state.
#include "geometry/shape_position_class.hpp"

#include <functional>

#include <gtest/gtest.h>

#include "geometry/geometry_scene.hpp"

namespace {

using geometry_test::geometry_scene;
using geometry_test::near;
using geometry_test::pi;
using geometry_test::points;
using geometry_test::select;
using geometry_test::vec3;
using sxsdk::mat4;
namespace pt = sxsdk::part_type;
using build_fn = std::function<host::shape_node&(geometry_scene&, host::shape_node&)>;
using state_fn = std::function<points(host::shape_node&)>;

host::part_shape& as_part(host::shape_node& s) { return dynamic_cast<host::part_shape&>(s); }

// One element kind: how to build it, the point to select (-1: none), what to write, and the
// host's own record of the element (read without the class under test) after the write.
struct write_case {
  const char* name;
  build_fn build;
  int index;
  points written;
  state_fn state;
  points expected;
};

const std::vector<write_case>& write_cases() {
  static const state_fn centre_and_axis = [](host::shape_node& s) {
    return points{as_part(s).joint().center, as_part(s).joint().axis};
  };
  static const std::vector<write_case> cases = {
      {"mesh vertex",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& { return g.counted_mesh(d, "m", 3); },
       1,
       {{7, 8, 9}},
       [](host::shape_node& s) { return points{dynamic_cast<host::polygon_mesh_shape&>(s).vertex_positions()[1]}; },
       {{7, 8, 9}}},
      {"line control point",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.line(d, "l", {{0, 0, 0}, {50, 0, 0}});
       },
       0,
       {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13, 14, 15}},
       [](host::shape_node& s) {
         const host::line_shape::point p = dynamic_cast<host::line_shape&>(s).points()[0];
         return points{p.position, p.in_handle, p.out_handle, p.fourth_handle, p.fifth_handle};
       },
       {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13, 14, 15}}},
      {"disk",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& { return g.scene->add_disk(d, "d", {}, 50); },
       -1,
       {{1, 2, 3}},
       [](host::shape_node& s) { return points{dynamic_cast<host::disk_shape&>(s).get_center()}; },
       {{1, 2, 3}}},
      {"sphere",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& { return g.sphere(d, "s", {}); },
       -1,
       {{4, 5, 6}},
       [](host::shape_node& s) { return points{dynamic_cast<host::sphere_shape&>(s).get_center()}; },
       {{4, 5, 6}}},
      {"light",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& { return g.scene->add_light(d, "li", {}); },
       -1,
       {{7, 8, 9}},
       [](host::shape_node& s) { return points{dynamic_cast<host::light_shape&>(s).get_position()}; },
       {{7, 8, 9}}},
      {"ball joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& { return g.ball(d, "b", {}); },
       -1,
       {{1, 2, 3}},
       [](host::shape_node& s) { return points{as_part(s).joint().position}; },
       {{1, 2, 3}}},
      {"bone joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& { return g.bone(d, "bo", {}); },
       -1,
       {{4, 5, 6}},
       [](host::shape_node& s) { return points{as_part(s).joint().position}; },
       {{4, 5, 6}}},
      {"rotator joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.axis_joint(d, "r", pt::rotator_joint, {}, {0, 100, 0});
       },
       -1,
       {{1, 2, 3}, {1, 2, 13}},
       centre_and_axis,
       {{1, 2, 3}, {0, 0, 20}}},  // the second point marks half the axis
      {"slider joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.axis_joint(d, "sl", pt::slider_joint, {}, {0, 100, 0});
       },
       -1,
       {{1, 2, 3}, {4, 5, 6}},
       centre_and_axis,
       {{1, 2, 3}, {4, 5, 6}}},
      {"scale joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.axis_joint(d, "sc", pt::scale_joint, {}, {0, 100, 0});
       },
       -1,
       {{1, 2, 3}, {5, 2, 3}},
       centre_and_axis,
       {{1, 2, 3}, {4, 0, 0}}},
      {"uniform scale joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.axis_joint(d, "u", pt::uniscale_joint, {}, {0, 100, 0});
       },
       -1,
       {{1, 2, 3}},
       centre_and_axis,
       {{1, 2, 3}, {0, 100, 0}}},
      {"camera joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.camera(d, "c", {0, 0, -500}, {});
       },
       -1,
       {{1, 2, 3}, {4, 5, 6}},
       [](host::shape_node& s) {
         return points{as_part(s).camera()->eye, as_part(s).camera()->target};
       },
       {{1, 2, 3}, {4, 5, 6}}},
  };
  return cases;
}

TEST(shape_position_class, writes_the_local_points_of_every_element_kind) {
  for (const write_case& c : write_cases()) {
    for (bool update : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (update ? " with an update bracket" : ""));
      geometry_scene g;
      host::shape_node& shape = c.build(g, g.root());
      shape_position_class sp;
      select(sp, shape, c.index);
      sp.positions = c.written;
      EXPECT_FALSE(sp.set(update));
      EXPECT_TRUE(near(c.state(shape), c.expected));
      EXPECT_EQ(sp.positions, c.written);  // the caller's points are left as given
    }
  }
}

TEST(shape_position_class, a_write_with_the_wrong_point_count_changes_nothing) {
  for (const write_case& c : write_cases()) {
    for (int extra : {-1, 1}) {
      SCOPED_TRACE(std::string(c.name) + (extra < 0 ? " one point short" : " one point over"));
      geometry_scene g;
      host::shape_node& shape = c.build(g, g.root());
      const points before = c.state(shape);
      shape_position_class sp;
      select(sp, shape, c.index);
      sp.positions = c.written;
      if (extra < 0)
        sp.positions.pop_back();
      else
        sp.positions.push_back({99, 99, 99});
      EXPECT_TRUE(sp.set_local(false));
      sp.world = true;
      EXPECT_TRUE(sp.set(true));
      EXPECT_EQ(c.state(shape), before);
    }
  }
}

TEST(shape_position_class, line_control_point_written_with_four_points_fails_and_writes_nothing) {
  geometry_scene g;
  host::line_shape& line = g.line(g.root(), "l", {{0, 0, 0}, {50, 0, 0}, {100, 0, 0}});
  shape_position_class sp;
  sp.set_shape(line.sdk());
  ASSERT_FALSE(sp.set_index(1));
  sp.positions = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}};
  EXPECT_TRUE(sp.set(false));
  const host::line_shape::point p = line.points()[1];
  for (const vec3& v : {p.position, p.in_handle, p.out_handle, p.fourth_handle, p.fifth_handle})
    EXPECT_EQ(v, vec3(50, 0, 0));
}

// Two nested parts, both turned about oblique axes and moved: no axis lines up by chance.
host::part_shape& tilted_dad(geometry_scene& g) {
  host::part_shape& outer =
      g.placed_part(g.root(), "outer", mat4::rotate_y(0.7f) * mat4::rotate_x(-0.4f) * mat4::translate(120, -40, 75));
  return g.placed_part(outer, "inner", mat4::rotate_z(1.1f) * mat4::rotate_x(0.3f) * mat4::translate(-15, 60, 5));
}

TEST(shape_position_class, world_read_written_back_leaves_every_element_in_place) {
  for (const write_case& c : write_cases()) {
    SCOPED_TRACE(c.name);
    geometry_scene g;
    host::shape_node& shape = c.build(g, tilted_dad(g));
    // Move the element off its defaults first, so the round trip has something to keep.
    shape_position_class sp;
    select(sp, shape, c.index);
    sp.positions = c.written;
    ASSERT_FALSE(sp.set_local(false));
    const points before = c.state(shape);
    sp.world = true;
    ASSERT_FALSE(sp.get());
    EXPECT_FALSE(sp.set(false));
    EXPECT_TRUE(near(c.state(shape), before, 2e-3f));
  }
}

// A rotator's second point marks half its axis (centre + axis / 2). Read and written back it
// keeps centre and axis (locally bit for bit); a second point moved sets the axis to twice the
// new difference.
TEST(shape_position_class, rotator_read_and_written_back_keeps_its_centre_and_axis) {
  for (bool world : {false, true}) {
    SCOPED_TRACE(world ? "world" : "local");
    geometry_scene g;
    host::part_shape& rotator = g.axis_joint(tilted_dad(g), "r", pt::rotator_joint, {10, 20, 30}, {0, 80, 40});
    shape_position_class sp;
    sp.set_shape(rotator.sdk());
    sp.world = world;
    ASSERT_FALSE(sp.get());
    EXPECT_FALSE(sp.set(false));
    EXPECT_TRUE(near(rotator.joint().center, {10, 20, 30}, 2e-3f));
    EXPECT_TRUE(near(rotator.joint().axis, {0, 80, 40}, 2e-3f));
    if (!world) {
      EXPECT_EQ(rotator.joint().axis, vec3(0, 80, 40));
    }
  }
  geometry_scene g;
  host::part_shape& rotator = g.axis_joint(g.root(), "r", pt::rotator_joint, {10, 20, 30}, {0, 80, 40});
  shape_position_class sp;
  sp.set_shape(rotator.sdk());
  sp.positions = {{10, 20, 30}, {10, 25, 30}};
  EXPECT_FALSE(sp.set_local(false));
  EXPECT_EQ(rotator.joint().axis, vec3(0, 10, 0));
}

TEST(shape_position_class, world_write_lands_where_the_dads_place_it) {
  // The dad turns a quarter about Z and moves 100 mm along X: world (X, Y, Z) is local
  // (Y, 100 - X, Z).
  geometry_scene g;
  host::part_shape& dad = g.placed_part(g.root(), "dad", mat4::rotate_z(pi / 2) * mat4::translate(100, 0, 0));
  host::polygon_mesh_shape& mesh = g.counted_mesh(dad, "m", 3);
  shape_position_class sp;
  sp.set_shape(dad.sdk());
  ASSERT_FALSE(sp.set_index(2));
  sp.world = true;
  sp.positions = {{90, 5, 7}};
  EXPECT_FALSE(sp.set(false));
  EXPECT_TRUE(near(mesh.vertex_positions()[2], {5, 10, 7}));
  EXPECT_TRUE(near(mesh.vertex_positions()[1], {1, 10, 100}));
}

TEST(shape_position_class, world_write_divides_by_element_3_3) {
  geometry_scene g;
  host::sphere_shape& sphere = g.sphere(g.root(), "s", {});
  mat4 halving;
  halving[3][3] = 2;
  shape_position_class sp;
  sp.set_shape(sphere.sdk());
  sp.world = true;
  sp.positions = {{2, 4, 6}};
  EXPECT_FALSE(sp.set_world(halving, false));
  EXPECT_EQ(sphere.get_center(), vec3(1, 2, 3));
  sp.positions = {{20, 40, 60}};
  EXPECT_FALSE(sp.move_world(halving));
  EXPECT_EQ(sphere.get_center(), vec3(10, 20, 30));
}

TEST(shape_position_class, camera_read_and_write_leave_the_camera_selection_alone) {
  geometry_scene g;
  host::part_shape& used = g.camera(g.root(), "used", {0, 0, -500}, {0, 50, 0});
  host::part_shape& other = g.camera(g.root(), "other", {0, 0, -900}, {0, 90, 0});
  const vec3 own_eye = g.scene->scene_camera().eye;
  for (host::part_shape* selected : {static_cast<host::part_shape*>(nullptr), &other, &used}) {
    SCOPED_TRACE(selected ? selected->name() : "scene camera");
    g.scene->select_camera(selected);
    shape_position_class sp;
    sp.set_shape(used.sdk());
    ASSERT_FALSE(sp.get());
    EXPECT_EQ(sp.positions, (points{used.camera()->eye, used.camera()->target}));
    EXPECT_EQ(g.scene->selected_camera_joint(), selected);
    sp.positions = {used.camera()->eye + vec3(1, 0, 0), {0, 0, 0}};
    EXPECT_FALSE(sp.set(true));
    EXPECT_EQ(used.camera()->target, vec3(0, 0, 0));
    EXPECT_EQ(g.scene->selected_camera_joint(), selected);
  }
  EXPECT_EQ(used.camera()->eye, vec3(3, 0, -500));
  EXPECT_EQ(other.camera()->eye, vec3(0, 0, -900));
  EXPECT_EQ(g.scene->scene_camera().eye, own_eye);
}

TEST(shape_position_class, mov_without_a_target_fails_and_moves_nothing) {
  geometry_scene g;
  const mat4 placement = mat4::rotate_z(0.3f) * mat4::translate(5, 6, 7);
  host::part_shape& container = g.placed_part(g.root(), "container", placement);
  host::polygon_mesh_shape& mesh = g.counted_mesh(container, "m", 3);
  host::sphere_shape& sphere = g.sphere(g.root(), "s", {1, 2, 3});
  for (bool world : {false, true}) {
    SCOPED_TRACE(world ? "world" : "local");
    shape_position_class in_container;
    in_container.set_shape(container.sdk());
    ASSERT_FALSE(in_container.set_index(1));
    shape_position_class on_sphere;
    on_sphere.set_shape(sphere.sdk());
    for (shape_position_class* sp : {&in_container, &on_sphere}) {
      sp->world = world;
      sp->positions.clear();
      EXPECT_TRUE(sp->mov());
    }
    // The wrong mode for the call is refused the same way.
    in_container.positions = {{0, 0, 0}};
    EXPECT_TRUE(world ? in_container.move_local() : in_container.move_world(mat4::identity));
  }
  EXPECT_EQ(container.get_transformation(), placement);
  EXPECT_EQ(mesh.vertex_positions()[1], vec3(1, 10, 100));
  EXPECT_EQ(sphere.get_center(), vec3(1, 2, 3));
}

TEST(shape_position_class, move_world_carries_the_whole_container_to_the_target) {
  geometry_scene g;
  host::part_shape& container =
      g.placed_part(tilted_dad(g), "container", mat4::rotate_y(0.9f) * mat4::translate(3, 4, 5));
  host::polygon_mesh_shape& mesh = g.counted_mesh(container, "m", 3);
  const points local_before = mesh.vertex_positions();
  auto world_of = [&](int index) {
    shape_position_class sp;
    sp.set_shape(container.sdk());
    EXPECT_FALSE(sp.set_index(index));
    sp.world = true;
    EXPECT_FALSE(sp.get());
    return sp.positions.at(0);
  };
  const vec3 first_before = world_of(0);
  const vec3 target(250, -75, 40);
  const vec3 step = target - world_of(2);
  shape_position_class sp;
  sp.set_shape(container.sdk());
  ASSERT_FALSE(sp.set_index(2));
  sp.world = true;
  sp.positions = {target};
  EXPECT_FALSE(sp.mov());
  EXPECT_TRUE(near(sp.positions, {target}, 2e-3f));
  // The part moved, not the vertex: every vertex travelled the same step.
  EXPECT_EQ(mesh.vertex_positions(), local_before);
  EXPECT_TRUE(near(world_of(0), first_before + step, 2e-3f));
}

TEST(shape_position_class, move_local_carries_the_whole_shape_to_the_target) {
  geometry_scene g;
  host::line_shape& line = g.line(g.root(), "l", {{0, 0, 0}, {50, 0, 0}, {100, 0, 0}});
  shape_position_class sp;
  sp.set_shape(line.sdk());
  ASSERT_FALSE(sp.set_index(1));
  sp.positions = {{50, 10, -20}};
  EXPECT_FALSE(sp.mov());
  ASSERT_EQ(sp.positions.size(), 5u);
  EXPECT_EQ(sp.positions[0], vec3(50, 10, -20));
  EXPECT_EQ(line.points()[0].position, vec3(0, 10, -20));
  EXPECT_EQ(line.points()[2].fifth_handle, vec3(100, 10, -20));
}

}  // namespace

namespace {

// Joints whose motion moves their point: a ball turns about its centre and is then offset; a
// bone is turned and then carried to its position plus the offset. A world read gives the
// moved point; writing it back must leave the joint as it was (the offset is motion, not
// position), and a world write must put the moved point where it was asked to go.
TEST(shape_position_class, a_joint_moved_by_its_motion_keeps_its_place_through_world_writes) {
  struct motion_case {
    const char* name;
    int part_type;
    vec3 offset;
    sxsdk::quaternion_class rotation;
    // A turned ball's world frame turns about its old position, so a new point is only
    // approached (nothing writes balls in world coordinates); the round trip is exact.
    bool lands_on_target;
  };
  const sxsdk::quaternion_class turn(0.8f, 0.36f, 0.48f, 0.0f);
  const motion_case cases[] = {
      {"bone without motion", pt::bone_joint, {}, {}, true},
      {"bone with an offset", pt::bone_joint, {4, -5, 6}, {}, true},
      {"bone with an offset and a turn", pt::bone_joint, {4, -5, 6}, turn, true},
      {"ball with an offset", pt::ball_joint, {4, -5, 6}, {}, true},
      {"ball with an offset and a turn", pt::ball_joint, {4, -5, 6}, turn, false},
  };
  for (const motion_case& c : cases) {
    SCOPED_TRACE(c.name);
    geometry_scene g;
    host::part_shape& dad = tilted_dad(g);
    host::part_shape& joint = c.part_type == pt::bone_joint ? g.bone(dad, "j", {40, 50, 60}, c.offset, c.rotation)
                                                            : g.ball(dad, "j", {40, 50, 60}, c.offset, c.rotation);
    shape_position_class sp;
    sp.set_shape(joint.sdk());
    sp.world = true;
    ASSERT_FALSE(sp.get());
    const points moved = sp.positions;
    for (int round = 0; round < 3; ++round) {
      ASSERT_FALSE(sp.set(false));
      ASSERT_FALSE(sp.get());
    }
    EXPECT_TRUE(near(joint.joint().position, {40, 50, 60}, 2e-3f));
    EXPECT_TRUE(near(sp.positions, moved, 2e-3f));
    EXPECT_EQ(joint.joint().offset, c.offset);

    const points target = {moved[0] + vec3(30, -20, 10)};
    sp.positions = target;
    ASSERT_FALSE(sp.set(false));
    ASSERT_FALSE(sp.get());
    if (c.lands_on_target) {
      EXPECT_TRUE(near(sp.positions, target, 2e-3f));
    }
  }
}

}  // namespace
