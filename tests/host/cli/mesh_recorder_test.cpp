// mesh_recorder: the cloth meshes of active worlds (a soft body mesh, then its projection mesh)
// are recorded in metres as the vertex trace has them in millimetres; faces become fans of
// triangles; a mesh whose vertices stop being finite numbers, or whose vertex count changes,
// keeps its last good shape and is listed with the frame it happened.
#include "host/cli/mesh_recorder.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "host/cli/scene_roles.hpp"
#include "host/scene/scene.hpp"

namespace {

using host::physics_stream_ids;
using vec3 = sx::vec<float, 3>;

struct cloth_scene {
  sxsdk::host_ref<host::scene> s = host::scene::create();
  host::part_shape* world = nullptr;
  host::polygon_mesh_shape* cloth = nullptr;
  host::polygon_mesh_shape* fine = nullptr;

  explicit cloth_scene(bool active = true) {
    std::vector<std::uint8_t> world_bytes(56, 0);
    world_bytes[4] = active ? 1 : 0;  // flags, bit 0: active
    world = &s->add_part(s->root(), "World");
    world->put_stream(physics_stream_ids::world, "", world_bytes);
    world->set_transformation(sxsdk::mat4::translate(100, 0, -20));
    cloth = &s->add_polygon_mesh(*world, "Cloth");
    cloth->set_vertices({{0, 0, 0}, {1000, 0, 0}, {1000, 0, 1000}, {0, 0, 1000}, {500, 2000, 500}});
    cloth->set_faces({{0, 1, 2, 3}, {0, 4}});  // a quad and a line
    cloth->put_stream(physics_stream_ids::modify, "", {4, 0, 0, 0});
    fine = &s->add_polygon_mesh(*world, "Fine");
    fine->set_vertices({{0, 10, 0}, {10, 10, 0}, {0, 10, 10}});
    fine->set_faces({{0, 1, 2}});
    cloth->link_to(physics_stream_ids::figure, *fine);
  }
};

TEST(mesh_recorder, records_each_soft_body_mesh_and_its_projection_in_world_metres) {
  cloth_scene c;
  host::mesh_recorder r(*c.s);
  ASSERT_EQ(r.meshes().size(), 2u);
  EXPECT_EQ(r.meshes()[0].path, "root/World/Cloth");
  EXPECT_FALSE(r.meshes()[0].projection);
  EXPECT_EQ(r.meshes()[1].path, "root/World/Fine");
  EXPECT_TRUE(r.meshes()[1].projection);
  EXPECT_EQ(r.meshes()[0].triangles, (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3}));
  r.record(0);
  const std::vector<float>& cloth = r.meshes()[0].frames.at(0);
  ASSERT_EQ(cloth.size(), 15u);
  EXPECT_FLOAT_EQ(cloth[3], 1.1f);    // (1000 + 100) mm
  EXPECT_FLOAT_EQ(cloth[5], -0.02f);  // -20 mm
  EXPECT_FLOAT_EQ(cloth[13], 2.0f);
  EXPECT_TRUE(r.lost().empty());

  // A held world's cloth is not played, so not recorded.
  cloth_scene held(false);
  EXPECT_TRUE(host::mesh_recorder(*held.s).meshes().empty());
}

TEST(mesh_recorder, a_mesh_that_goes_wrong_keeps_its_last_good_shape) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct wrong_case {
    const char* what;
    std::vector<vec3> vertices;
  };
  const wrong_case cases[] = {
      {"NaN vertex", {{0, 0, 0}, {nan, 0, 0}, {1, 0, 1}, {0, 0, 1}, {0, 1, 0}}},
      {"infinite vertex", {{0, 0, 0}, {1, 0, 0}, {1, inf, 1}, {0, 0, 1}, {0, 1, 0}}},
      {"vertex missing", {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}},
  };
  for (const wrong_case& w : cases) {
    cloth_scene c;
    host::mesh_recorder r(*c.s);
    r.record(0);
    c.cloth->set_vertices({{0, -5, 0}, {1000, -5, 0}, {1000, -5, 1000}, {0, -5, 1000}, {500, 1000, 500}});
    r.record(1);
    c.cloth->set_vertices(w.vertices);
    r.record(2);
    c.cloth->set_vertices({{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, {0, 1, 0}});  // good again: not trusted
    r.record(3);
    ASSERT_EQ(r.lost().size(), 1u) << w.what;
    EXPECT_EQ(r.lost()[0].mesh, 0u) << w.what;
    EXPECT_EQ(r.lost()[0].frame, 2) << w.what;
    const auto& frames = r.meshes()[0].frames;
    ASSERT_EQ(frames.size(), 4u) << w.what;
    EXPECT_EQ(frames[2], frames[1]) << w.what;
    EXPECT_EQ(frames[3], frames[1]) << w.what;
    EXPECT_EQ(r.meshes()[1].frames[3], r.meshes()[1].frames[0]) << w.what;  // the projection is unaffected
  }
}

}  // namespace
