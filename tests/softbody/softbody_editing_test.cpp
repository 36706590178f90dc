// softbody_properties editing: faces into nodes and triangles, anchors from the selected
// vertices, editing with and without "Renew Vertices", bad meshes refused, and write-back
// followed by a reset.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/phygics_world.hpp"
#include "properties/rigidbody_properties.hpp"
#include "softbody_scene.hpp"

using namespace softbody_test;

namespace {

host::polygon_mesh_shape& mesh_of(properties_scene& s, const std::vector<vec3>& points,
                                  const std::vector<std::vector<int>>& faces, const std::string& name = "Mesh") {
  host::polygon_mesh_shape& m = s.scene().add_polygon_mesh(s.root(), name);
  m.set_vertices(points);
  m.set_faces(faces);
  return m;
}

softbody_datas converted(properties_scene& s, host::polygon_mesh_shape& m, const std::vector<int>& selected = {}) {
  softbody_properties p = properties_of(m);
  softbody_datas d;
  EXPECT_TRUE(p.convert_mesh(s.sdk(), d, selected, nullptr));
  return d;
}

}  // namespace

TEST(softbody_editing, faces_become_nodes_in_vertex_order_and_triangles_from_both_ends) {
  struct conversion_case {
    const char* what;
    std::vector<vec3> points;
    std::vector<std::vector<int>> faces;
    std::vector<std::int32_t> node_vertices;
    std::vector<std::int32_t> triangles;
  };
  std::vector<vec3> eight;
  for (int i = 0; i < 8; ++i) eight.push_back({float(i * 10), float(i * i), float(100 - i)});
  const conversion_case cases[] = {
      {"a quad",
       {{0, 0, 0}, {100, 0, 0}, {100, 0, 100}, {0, 0, 100}},
       {{0, 1, 2, 3}},
       {0, 1, 2, 3},
       {0, 1, 3, 1, 2, 3}},
      {"a triangle of vertices 7, 3, 5", eight, {{7, 3, 5}}, {3, 5, 7}, {2, 0, 1}},
      {"a pentagon", eight, {{0, 1, 2, 3, 4}}, {0, 1, 2, 3, 4}, {0, 1, 4, 1, 3, 4, 1, 2, 3}},
      {"a line face adds its vertices only", eight, {{0, 1, 2}, {6, 7}}, {0, 1, 2, 6, 7}, {0, 1, 2}},
  };
  for (const conversion_case& c : cases) {
    properties_scene s;
    host::polygon_mesh_shape& m = mesh_of(s, c.points, c.faces);
    const softbody_datas d = converted(s, m);
    EXPECT_EQ(d.node_vertices, c.node_vertices) << c.what;
    EXPECT_EQ(d.triangles, c.triangles) << c.what;
    ASSERT_EQ(d.vertices.size(), 3 * c.node_vertices.size()) << c.what;
    for (std::size_t i = 0; i < c.node_vertices.size(); ++i) {
      const vec3 p = c.points[std::size_t(c.node_vertices[i])];
      EXPECT_EQ(d.vertices[3 * i], p.x * 0.001f) << c.what;
      EXPECT_EQ(d.vertices[3 * i + 1], p.y * 0.001f) << c.what;
      EXPECT_EQ(d.vertices[3 * i + 2], p.z * 0.001f) << c.what;
    }
  }
}

TEST(softbody_editing, face_editing_converts_the_selected_faces_and_anchors_the_selected_vertices) {
  properties_scene s;
  host::polygon_mesh_shape& m = add_grid(s, "Flag", 3, 3, 100.0f);
  s.scene().begin_mesh_edit(m, sxsdk::selection_mode::faces);
  m.select_faces({3});                                  // vertices 4, 5, 7, 8
  const softbody_datas d = converted(s, m, {8, 0, 4});  // vertex 0 is in no converted face
  EXPECT_EQ(d.node_vertices, (std::vector<std::int32_t>{4, 5, 7, 8}));
  ASSERT_EQ(d.anchors.size(), 1u);
  EXPECT_EQ(d.anchors[0].nodes, (std::vector<std::int32_t>{3, 0}));
  m.select_faces({});
  softbody_properties p = properties_of(m);
  softbody_datas unchanged;
  EXPECT_FALSE(p.convert_mesh(s.sdk(), unchanged, {}, nullptr));
  EXPECT_EQ(s.messages(), std::vector<std::string>{"No faces selected"});
  EXPECT_TRUE(unchanged.node_vertices.empty());
}

TEST(softbody_editing, a_mesh_that_makes_no_cloth_is_refused_with_its_name_and_left_as_it_was) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct bad_case {
    const char* what;
    std::vector<vec3> points;
    std::vector<std::vector<int>> faces;
    const char* message;  // a plain message, or "" for an error naming the mesh
  };
  const bad_case cases[] = {
      {"no vertices", {}, {}, "No faces polygon mesh"},
      {"one vertex", {{0, 0, 0}}, {}, ""},
      {"a NaN vertex", {{0, 0, 0}, {nan, 0, 0}, {0, 0, 100}}, {{0, 1, 2}}, ""},
      {"only degenerate faces", {{0, 0, 0}, {100, 0, 0}, {200, 0, 0}}, {{0, 1, 2}, {0, 0, 1}}, ""},
      {"duplicate vertices", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {{0, 1, 2}}, ""},
      {"a face naming a missing vertex", {{0, 0, 0}, {100, 0, 0}, {0, 0, 100}}, {{0, 1, 9}}, ""},
  };
  for (const bad_case& c : cases) {
    properties_scene s;
    host::polygon_mesh_shape& m = s.scene().add_polygon_mesh(s.root(), "Rag");
    m.set_vertices(c.points);
    try {
      m.set_faces(c.faces);
    } catch (const std::exception&) {
      continue;  // the host itself refuses such a face: nothing reaches the plug-in
    }
    softbody_properties p = properties_of(m);
    p.datas.resize(1);
    p.datas[0].name = "old";
    ASSERT_TRUE(p.regist());
    const bytes stored = properties_scene::stream_bytes(m, physplug_modify_uuid);
    s.script().push_ok();
    EXPECT_FALSE(p.modify_softbody_shape(&s.sdk(), 1)) << c.what;
    EXPECT_EQ(p.datas.size(), 1u) << c.what;
    EXPECT_EQ(properties_scene::stream_bytes(m, physplug_modify_uuid), stored) << c.what;
    if (*c.message) {
      EXPECT_EQ(s.messages(), std::vector<std::string>{c.message}) << c.what;
    } else {
      ASSERT_EQ(s.errors().size(), 1u) << c.what;
      EXPECT_NE(s.errors()[0].find("\"Rag\""), std::string::npos) << c.what << ": " << s.errors()[0];
    }
  }
}

TEST(softbody_editing, a_degenerate_face_among_good_ones_is_left_out_with_a_message) {
  properties_scene s;
  host::polygon_mesh_shape& m =
      mesh_of(s, {{0, 0, 0}, {100, 0, 0}, {0, 0, 100}, {200, 0, 0}}, {{0, 1, 2}, {0, 1, 3}}, "Rag");
  const softbody_datas d = converted(s, m);
  EXPECT_EQ(d.triangles, (std::vector<std::int32_t>{0, 1, 2}));
  EXPECT_EQ(d.node_vertices.size(), 4u);
  ASSERT_EQ(s.errors().size(), 1u);
  EXPECT_NE(s.errors()[0].find("\"Rag\""), std::string::npos);
}

TEST(softbody_editing, editing_without_renew_keeps_the_mesh_lists_and_changes_only_the_anchor_body) {
  properties_scene s;
  host::part_shape& pole = s.part("Pole");
  host::part_shape& post = s.part("Post");
  for (host::part_shape* b : {&pole, &post}) {
    rigidbody_properties body;
    body.shape = &b->sdk();
    ASSERT_TRUE(body.regist());
  }
  host::polygon_mesh_shape& m = add_grid(s, "Flag", 3, 3, 100.0f);
  m.select_vertices({0, 2});
  softbody_properties p = properties_of(m);
  s.script().push(host::dialog_answer::ok().set("Anchor RigidBody", "Pole"));
  ASSERT_TRUE(p.modify_softbody_shape(&s.sdk(), 0));
  const softbody_datas made = p.datas[0];
  ASSERT_EQ(made.anchors.size(), 1u);
  EXPECT_EQ(made.anchors[0].rigid, &pole.sdk());
  EXPECT_EQ(made.anchors[0].nodes, (std::vector<std::int32_t>{0, 2}));

  m.select_vertices({4});
  m.set_vertices(std::vector<vec3>(9, vec3{5, 5, 5}));  // would convert to nothing usable
  s.script().push(host::dialog_answer::ok().set("Anchor RigidBody", "Post").set("Mass", 2.0));
  ASSERT_TRUE(p.modify_softbody_shape(&s.sdk(), 0));
  EXPECT_EQ(p.datas[0].node_vertices, made.node_vertices);
  EXPECT_EQ(p.datas[0].vertices, made.vertices);
  EXPECT_EQ(p.datas[0].triangles, made.triangles);
  EXPECT_EQ(p.datas[0].anchors[0].nodes, made.anchors[0].nodes);
  EXPECT_EQ(p.datas[0].anchors[0].rigid, &post.sdk());
  EXPECT_EQ(p.datas[0].mass, 2.0f);

  add_grid(s, "Unused", 2, 2, 1.0f);
  m.set_vertices(std::vector<vec3>{{0, 0, 0},
                                   {100, 0, 0},
                                   {200, 0, 0},
                                   {0, 0, 100},
                                   {100, 0, 100},
                                   {200, 0, 100},
                                   {0, 0, 200},
                                   {100, 0, 200},
                                   {200, 0, 200}});
  m.select_vertices({});
  s.script().push(host::dialog_answer::ok().set("Renew Vertices", true));
  ASSERT_TRUE(p.modify_softbody_shape(&s.sdk(), 0));
  EXPECT_TRUE(p.datas[0].anchors.empty());  // renewed with no vertex selected
  softbody_properties stored = properties_of(m);
  ASSERT_TRUE(stored.get_properties());
  EXPECT_EQ(stored.datas[0].mass, 2.0f);
}

TEST(softbody_editing, a_cancelled_new_soft_body_leaves_nothing_behind) {
  properties_scene s;
  host::polygon_mesh_shape& m = add_grid(s, "Flag", 3, 3, 100.0f);
  softbody_properties p = properties_of(m);
  s.script().push_cancel();
  EXPECT_FALSE(p.modify_softbody_shape(&s.sdk(), 0));
  EXPECT_TRUE(p.datas.empty());
  EXPECT_EQ(m.find_stream(physplug_modify_uuid), nullptr);
  EXPECT_EQ(s.messages(), std::vector<std::string>{"Terminated"});
}

TEST(softbody_editing, a_written_back_mesh_returns_to_its_rest_positions) {
  properties_scene s;
  host::part_shape& dad = s.part("Dad");
  dad.set_transformation(sxsdk::mat4::translate(0, 1000, 0));
  host::polygon_mesh_shape& m = add_grid(s, "Flag", 4, 4, 50.0f, 0.0f, &dad);
  softbody_properties p = properties_of(m);
  s.script().push_ok();
  ASSERT_TRUE(p.modify_softbody_shape(&s.sdk(), 0));
  const std::vector<vec3> rest = m.vertex_positions();
  phygics_world engine;
  world_datas settings;
  ASSERT_TRUE(engine.create_world(settings, true));
  ASSERT_TRUE(engine.addSoftBody(p.datas[0], p.shape));
  for (int i = 0; i < 30; ++i) engine.update(1.0f / 60, 60);
  p.write_back(engine);
  const std::vector<vec3> fallen = m.vertex_positions();
  EXPECT_LT(fallen[0].y, rest[0].y - 100.0f);  // local y: 1 m up in world, fell about 0.5 * 9.8 * 0.25
  p.reset_positions();
  const std::vector<vec3> back = m.vertex_positions();
  for (std::size_t i = 0; i < rest.size(); ++i) {
    EXPECT_NEAR(back[i].x, rest[i].x, 1e-3f);
    EXPECT_NEAR(back[i].y, rest[i].y, 1e-3f);
    EXPECT_NEAR(back[i].z, rest[i].z, 1e-3f);
  }
}
