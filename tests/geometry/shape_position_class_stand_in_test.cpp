// On a mesh stand-in (tests/geometry/skinned_mesh.hpp) for what the headless host cannot show:
// skinned vertices and meshes, update brackets, host calls that throw, unknown shape codes.
#include "geometry/shape_position_class.hpp"

#include <gtest/gtest.h>

#include "geometry/geometry_scene.hpp"
#include "geometry/skinned_mesh.hpp"
#include "sdk/math_near.hpp"

namespace {

using geometry_test::near;
using geometry_test::points;
using geometry_test::skinned_mesh;
using geometry_test::vec3;
using sxsdk::mat4;

// A mesh placed by one matrix, skinned as a whole by a second and per vertex by a third, each
// a different turn and shift so that a wrong pick shows.
struct skinned_fixture {
  const mat4 placement = mat4::rotate_x(0.4f) * mat4::translate(10, 20, 30);
  const mat4 shape_skin = mat4::rotate_y(1.0f) * mat4::translate(-50, 0, 5);
  const mat4 vertex_skin = mat4::rotate_z(-0.6f) * mat4::translate(0, 70, 0);
  skinned_mesh mesh;

  skinned_fixture(int vertex_binds, int shape_binds) {
    mesh.vertices.resize(2);
    mesh.vertices[0].position = vec3(1, 2, 3);
    mesh.vertices[1].position = vec3(4, 5, 6);
    mesh.vertices[1].skin.binds = vertex_binds;
    mesh.vertices[1].skin.world = vertex_skin;
    mesh.skin.binds = shape_binds;
    mesh.skin.world = shape_skin;
    mesh.local_to_world = placement;
    mesh.world_to_local = placement.inv();
  }
};

TEST(shape_position_class, a_vertex_is_placed_by_its_skin_else_by_its_meshs_skin_else_by_the_mesh) {
  const struct {
    int vertex_binds, shape_binds;
    const char* placed_by;
  } table[] = {{1, 0, "vertex"}, {2, 1, "vertex"}, {0, 1, "shape"}, {0, 0, "placement"}};
  for (const auto& row : table) {
    SCOPED_TRACE(std::string("placed by ") + row.placed_by + ", shape binds " + std::to_string(row.shape_binds));
    skinned_fixture f(row.vertex_binds, row.shape_binds);
    const mat4 expected = row.placed_by == std::string("vertex")  ? f.vertex_skin
                          : row.placed_by == std::string("shape") ? f.shape_skin
                                                                  : f.placement;
    shape_position_class sp;
    sp.set_shape(f.mesh);
    ASSERT_FALSE(sp.set_index(1));
    EXPECT_TRUE(physplug_test::near(sp.ltow(), expected, 1e-5f));
    EXPECT_TRUE(physplug_test::near(sp.wtol() * expected, mat4::identity, 1e-4f));
    sp.world = true;
    ASSERT_FALSE(sp.get());
    EXPECT_TRUE(near(sp.positions, {vec3(4, 5, 6) * expected}));
    // Written back, the world point must land on the vertex it came from.
    EXPECT_FALSE(sp.set(false));
    EXPECT_TRUE(near(f.mesh.vertices[1].position, {4, 5, 6}, 2e-3f));
  }
}

TEST(shape_position_class, without_a_selected_vertex_the_meshs_own_placement_is_used) {
  for (int shape_binds : {0, 1}) {
    SCOPED_TRACE(shape_binds);
    skinned_fixture f(1, shape_binds);
    shape_position_class sp;
    sp.set_shape(f.mesh);
    EXPECT_TRUE(sp.set_index(2));
    const mat4 expected = shape_binds ? f.shape_skin : f.placement;
    EXPECT_TRUE(physplug_test::near(sp.ltow(), expected, 1e-5f));
    EXPECT_TRUE(physplug_test::near(sp.wtol() * expected, mat4::identity, 1e-4f));
  }
}

TEST(shape_position_class, an_update_bracket_is_ended_and_released_on_every_path) {
  skinned_fixture f(0, 0);
  shape_position_class sp;
  sp.set_shape(f.mesh);
  ASSERT_FALSE(sp.set_index(0));
  sp.positions = {{7, 8, 9}};
  EXPECT_FALSE(sp.set(false));
  EXPECT_EQ(f.mesh.tokens.begun, 0);
  EXPECT_FALSE(sp.set(true));
  EXPECT_EQ(f.mesh.tokens.begun, 1);
  EXPECT_EQ(f.mesh.tokens.ended, 1);
  EXPECT_EQ(f.mesh.tokens.released, 1);
  // A host call that throws halfway is a failed write, not an escaping exception, and the
  // bracket still closes.
  f.mesh.vertices[0].refuse_writes = true;
  EXPECT_TRUE(sp.set(true));
  EXPECT_EQ(f.mesh.tokens.begun, 2);
  EXPECT_EQ(f.mesh.tokens.released, 2);
  EXPECT_EQ(f.mesh.vertices[0].position, vec3(7, 8, 9));
}

TEST(shape_position_class, type_names_of_unknown_shape_codes_are_empty) {
  // Codes from 11 up name part types, but only a part has one to give.
  const struct {
    int code;
    const char* name;
  } table[] = {{7, "polygon"}, {10, "m_image"}, {0, "sentinel"}, {11, ""}, {42, ""}, {-3, ""}};
  for (const auto& row : table) {
    SCOPED_TRACE(row.code);
    skinned_fixture f(0, 0);
    f.mesh.type_code = row.code;
    shape_position_class sp;
    sp.set_shape(f.mesh);
    EXPECT_EQ(sp.get_type_name(), row.name);
  }
}

}  // namespace
