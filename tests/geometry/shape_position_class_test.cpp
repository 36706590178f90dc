// Selecting an element and reading its points, locally and in world coordinates.
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

// One element kind: how to build it under a dad, which point to select (-1: none), its local
// points and the name of its kind.
struct kind_case {
  const char* name;
  std::function<host::shape_node&(geometry_scene&, host::shape_node&)> build;
  int index;
  points local;
  const char* type_name;
};

const std::vector<kind_case>& kind_cases() {
  static const std::vector<kind_case> cases = {
      {"mesh vertex",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& { return g.counted_mesh(d, "m", 3); },
       2,
       {{2, 20, 200}},
       "polygon"},
      {"line control point",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         host::line_shape& l = g.line(d, "l", {{0, 0, 0}, {0, 0, 0}});
         l.set_points(
             std::vector<host::line_shape::point>{{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
                                                  {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13, 14, 15}}});
         return l;
       },
       1,
       {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13, 14, 15}},
       "line"},
      {"disk",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.scene->add_disk(d, "d", {1, 2, 3}, 50);
       },
       -1,
       {{1, 2, 3}},
       "disk"},
      {"sphere",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.sphere(d, "s", {4, 5, 6});
       },
       -1,
       {{4, 5, 6}},
       "sphere"},
      {"light",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.scene->add_light(d, "li", {7, 8, 9});
       },
       -1,
       {{7, 8, 9}},
       "light"},
      {"ball joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.ball(d, "b", {1, 2, 3});
       },
       -1,
       {{1, 2, 3}},
       "ball"},
      {"bone joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.bone(d, "bo", {4, 5, 6});
       },
       -1,
       {{4, 5, 6}},
       "bone"},
      {"rotator joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.axis_joint(d, "r", pt::rotator_joint, {1, 2, 3}, {0, 100, 0});
       },
       -1,
       {{1, 2, 3}, {1, 52, 3}},
       "rotator"},
      {"slider joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.axis_joint(d, "sl", pt::slider_joint, {1, 2, 3}, {11, 22, 33});
       },
       -1,
       {{1, 2, 3}, {11, 22, 33}},
       "slider"},
      {"scale joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.axis_joint(d, "sc", pt::scale_joint, {1, 2, 3}, {0, 0, 50});
       },
       -1,
       {{1, 2, 3}, {1, 2, 53}},
       "scale"},
      {"uniform scale joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.axis_joint(d, "u", pt::uniscale_joint, {1, 2, 3}, {0, 0, 50});
       },
       -1,
       {{1, 2, 3}},
       "uniscale"},
      {"camera joint",
       [](geometry_scene& g, host::shape_node& d) -> host::shape_node& {
         return g.camera(d, "c", {0, 0, -500}, {0, 100, 0});
       },
       -1,
       {{0, 0, -500}, {0, 100, 0}},
       "camera"},
  };
  return cases;
}

TEST(shape_position_class, reads_the_local_points_of_every_element_kind) {
  for (const kind_case& c : kind_cases()) {
    SCOPED_TRACE(c.name);
    geometry_scene g;
    host::shape_node& shape = c.build(g, g.root());
    shape_position_class sp;
    select(sp, shape, c.index);
    EXPECT_FALSE(sp.get_local());
    EXPECT_TRUE(near(sp.positions, c.local));
    EXPECT_EQ(sp.get_type_name(), c.type_name);
  }
}

// A simple part turned a quarter about Z, then moved 100 mm along X: (x, y, z) lands at
// (100 - y, x, z).
vec3 quarter_turn_and_shift(const vec3& p) { return vec3(100 - p.y, p.x, p.z); }

TEST(shape_position_class, world_read_places_every_kind_through_its_dads) {
  for (const kind_case& c : kind_cases()) {
    // The camera's eye and target are the host's world positions already.
    if (c.type_name == std::string("camera")) continue;
    SCOPED_TRACE(c.name);
    geometry_scene g;
    host::part_shape& dad = g.placed_part(g.root(), "dad", mat4::rotate_z(pi / 2) * mat4::translate(100, 0, 0));
    shape_position_class sp;
    select(sp, c.build(g, dad), c.index);
    sp.world = true;
    EXPECT_FALSE(sp.get());
    points expected;
    for (const vec3& p : c.local) expected.push_back(quarter_turn_and_shift(p));
    EXPECT_TRUE(near(sp.positions, expected));
  }
}

TEST(shape_position_class, world_read_of_joints_includes_their_motion) {
  // A ball turns about its own centre, so only its offset moves the centre; a bone's world
  // position is where its transformation puts its origin: position plus offset. Either way one
  // point, whatever the rotation.
  const sxsdk::quaternion_class turn(0.8f, 0.36f, 0.48f, 0.0f);
  geometry_scene g;
  host::part_shape& dad = g.placed_part(g.root(), "dad", mat4::rotate_z(pi / 2) * mat4::translate(100, 0, 0));
  host::part_shape& ball = g.ball(dad, "ball", {10, 20, 30}, {1, 2, 3}, turn);
  host::part_shape& bone = g.bone(dad, "bone", {40, 50, 60}, {4, 5, 6}, turn);
  for (auto [joint, origin] : {std::pair{&ball, vec3(11, 22, 33)}, std::pair{&bone, vec3(44, 55, 66)}}) {
    SCOPED_TRACE(joint->name());
    shape_position_class sp;
    sp.set_shape(joint->sdk());
    sp.world = true;
    EXPECT_FALSE(sp.get());
    EXPECT_TRUE(near(sp.positions, {quarter_turn_and_shift(origin)}));
  }
}

TEST(shape_position_class, world_read_divides_by_element_3_3) {
  // A part whose matrix carries 2 in element [3][3] halves the points it places.
  geometry_scene g;
  mat4 halving;
  halving[3][3] = 2;
  host::part_shape& dad = g.placed_part(g.root(), "dad", halving);
  shape_position_class sp;
  sp.set_shape(g.mesh(dad, "m", {{2, 4, 6}}).sdk());
  ASSERT_FALSE(sp.set_index(0));
  sp.world = true;
  EXPECT_FALSE(sp.get());
  EXPECT_TRUE(near(sp.positions, {{1, 2, 3}}));
}

TEST(shape_position_class, container_index_counts_through_lines_and_meshes_in_order) {
  geometry_scene g;
  host::part_shape& container = g.part(g.root(), "container");
  host::polygon_mesh_shape& first = g.counted_mesh(container, "first", 4);
  g.sphere(container, "no points", {0, 0, 0});
  host::polygon_mesh_shape& second = g.counted_mesh(container, "second", 6, 1000);
  struct {
    int index;
    host::shape_node* shape;
    int point;
  } const table[] = {{0, &first, 0}, {3, &first, 3}, {4, &second, 0}, {5, &second, 1}, {9, &second, 5}};
  for (const auto& row : table) {
    SCOPED_TRACE(row.index);
    shape_position_class sp;
    sp.set_shape(container.sdk());
    EXPECT_EQ(sp.container_part, &container.sdk());
    EXPECT_FALSE(sp.set_index(row.index));
    EXPECT_EQ(sp.requested_index, row.index);
    EXPECT_EQ(sp.substance_shape, &row.shape->sdk());
    EXPECT_EQ(sp.point_index, row.point);
    EXPECT_FALSE(sp.get_local());
    const auto& mesh = dynamic_cast<host::polygon_mesh_shape&>(*row.shape);
    EXPECT_EQ(sp.positions, points{mesh.vertex_positions()[row.point]});
  }
}

TEST(shape_position_class, container_index_descends_into_parts_below) {
  geometry_scene g;
  host::part_shape& container = g.part(g.root(), "container");
  g.counted_mesh(container, "first", 2);
  host::part_shape& inner = g.part(container, "inner");
  g.part(inner, "empty");
  host::line_shape& line = g.line(inner, "line", {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
  host::polygon_mesh_shape& last = g.counted_mesh(container, "last", 2);
  shape_position_class sp;
  sp.set_shape(container.sdk());
  EXPECT_FALSE(sp.set_index(4));
  EXPECT_EQ(sp.substance_shape, &line.sdk());
  EXPECT_EQ(sp.point_index, 2);
  EXPECT_FALSE(sp.set_index(6));
  EXPECT_EQ(sp.substance_shape, &last.sdk());
  EXPECT_EQ(sp.point_index, 1);
}

TEST(shape_position_class, container_index_past_the_end_fails_and_selects_nothing) {
  geometry_scene g;
  host::part_shape& container = g.part(g.root(), "container");
  g.counted_mesh(container, "first", 4);
  host::polygon_mesh_shape& second = g.counted_mesh(container, "second", 6, 1000);
  shape_position_class sp;
  sp.set_shape(container.sdk());
  ASSERT_FALSE(sp.set_index(5));  // a vertex of the second mesh was selected before
  EXPECT_TRUE(sp.set_index(10));
  EXPECT_EQ(sp.requested_index, 10);
  EXPECT_EQ(sp.point_index, 0);  // what is left after both meshes
  // Nothing stays selected, so a careless write cannot land on vertex 0 of the second mesh.
  EXPECT_EQ(sp.substance_shape, nullptr);
  const points before = second.vertex_positions();
  sp.positions = {{-1, -1, -1}};
  EXPECT_TRUE(sp.set(false));
  EXPECT_TRUE(sp.get());
  EXPECT_TRUE(sp.positions.empty());
  EXPECT_EQ(second.vertex_positions(), before);
  EXPECT_TRUE(sp.set_index(-1));
}

TEST(shape_position_class, mesh_index_out_of_range_fails_and_falls_back_to_the_shape_matrices) {
  geometry_scene g;
  host::part_shape& dad = g.placed_part(g.root(), "dad", mat4::rotate_x(0.5f) * mat4::translate(7, 8, 9));
  host::polygon_mesh_shape& mesh = g.counted_mesh(dad, "m", 4);
  const points before = mesh.vertex_positions();
  for (int index : {4, 100, -1, -7}) {
    SCOPED_TRACE(index);
    shape_position_class sp;
    sp.set_shape(mesh.sdk());
    EXPECT_TRUE(sp.set_index(index));
    EXPECT_EQ(sp.point_index, -1);
    EXPECT_TRUE(sp.get_local());
    EXPECT_TRUE(sp.positions.empty());
    sp.positions = {{5, 5, 5}};
    EXPECT_TRUE(sp.set_local(false));
    EXPECT_EQ(sp.ltow(), mesh.get_local_to_world_matrix());
    EXPECT_EQ(sp.wtol(), mesh.get_world_to_local_matrix());
  }
  EXPECT_EQ(mesh.vertex_positions(), before);
}

TEST(shape_position_class, shapes_without_an_index_ignore_it) {
  geometry_scene g;
  shape_position_class sp;
  sp.set_shape(g.sphere(g.root(), "s", {1, 2, 3}).sdk());
  EXPECT_FALSE(sp.set_index(42));
  EXPECT_EQ(sp.point_index, -1);
  EXPECT_FALSE(sp.get_local());
  EXPECT_EQ(sp.positions, (points{{1, 2, 3}}));
}

TEST(shape_position_class, shapes_without_points_fail_to_read_and_write) {
  geometry_scene g;
  host::shape_node* shapes[] = {&g.part(g.root(), "path", pt::path_joint), &g.part(g.root(), "morph", pt::morph_joint),
                                &g.part(g.root(), "master", pt::master_shape_part), &g.part(g.root(), "container"),
                                &g.counted_mesh(g.root(), "unindexed", 3)};
  for (host::shape_node* shape : shapes) {
    SCOPED_TRACE(shape->name());
    shape_position_class sp;
    sp.set_shape(shape->sdk());
    sp.world = true;
    EXPECT_TRUE(sp.get());
    EXPECT_TRUE(sp.positions.empty());
    sp.positions = {{1, 1, 1}};
    EXPECT_TRUE(sp.set(false));
    EXPECT_TRUE(sp.mov());
  }
  shape_position_class fresh;
  EXPECT_FALSE(fresh.world);
  EXPECT_TRUE(fresh.set_index(0));
  EXPECT_TRUE(fresh.get());
  EXPECT_EQ(fresh.ltow(), mat4::identity);
  EXPECT_EQ(fresh.wtol(), mat4::identity);
  EXPECT_EQ(fresh.get_type_name(), "");
}

TEST(shape_position_class, type_names_of_parts_follow_the_part_type) {
  const struct {
    int part_type;
    const char* name;
  } table[] = {{pt::part, "part"},
               {pt::surface, "surface"},
               {pt::path_replicator, "path_rep."},
               {pt::bone_joint, "bone"},
               {pt::master_surface_part, "m_sur._part"},
               {pt::master_shape_part, "m_shape_part"},
               {pt::master_shape_part2, "m_shape_part"},
               {pt::local_axis_part, "local_axis_part"},
               {106, ""},
               {200, ""},
               {-1, ""}};
  for (const auto& row : table) {
    SCOPED_TRACE(row.part_type);
    geometry_scene g;
    shape_position_class sp;
    sp.set_shape(g.part(g.root(), "p", row.part_type).sdk());
    EXPECT_EQ(sp.get_type_name(), row.name);
  }
}

TEST(shape_position_class, son_bone_is_the_first_bone_among_the_sons) {
  geometry_scene g;
  host::part_shape& dad = g.part(g.root(), "dad");
  g.counted_mesh(dad, "mesh", 2);
  g.ball(dad, "ball", {});
  host::part_shape& inner = g.part(dad, "inner");
  g.bone(inner, "grandson bone", {});
  host::part_shape& first = g.bone(dad, "first bone", {});
  g.bone(dad, "second bone", {});
  shape_position_class sp;
  EXPECT_EQ(sp.get_son_bone(dad.sdk()), &first.sdk());
  EXPECT_EQ(sp.get_son_bone(inner.sdk()), &inner.sons().front()->sdk());
  EXPECT_EQ(sp.get_son_bone(first.sdk()), nullptr);
  EXPECT_EQ(sp.get_son_bone(g.root().sdk()), nullptr);
}

}  // namespace
