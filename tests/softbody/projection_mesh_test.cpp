// Projection meshes: the binding stream and link, the rest positions, following the soft body
// mesh and going back, removing, foreign links, and anchors from a vertex selection.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "softbody_scene.hpp"

using namespace softbody_test;

namespace {

struct projection_fixture {
  properties_scene s;
  host::polygon_mesh_shape& cloth = add_grid(s, "Cloth", 3, 3, 100.0f);
  host::polygon_mesh_shape& fine = add_grid(s, "Fine", 5, 5, 50.0f, 10.0f);
  softbody_properties p = properties_of(cloth);

  projection_fixture() {
    s.script().push_ok();
    EXPECT_TRUE(p.modify_softbody_shape(&s.sdk(), 0));
  }
  bool bind(const std::vector<int>& vertices) {
    s.scene().begin_mesh_edit(fine, sxsdk::selection_mode::vertices);
    fine.select_vertices(vertices);
    return p.create_proxcy_mesh(&s.sdk(), fine.sdk());
  }
  static std::vector<int> all(int n) {
    std::vector<int> v;
    for (int i = 0; i < n; ++i) v.push_back(i);
    return v;
  }
};

// The binding stream as its format table lays it out.
bytes binding_bytes(const std::vector<softbody_properties::proxcy_struct>& bindings) {
  le_bytes b;
  b.i32(0).i32(std::int32_t(bindings.size()));
  for (const auto& p : bindings) {
    b.i32(p.vertex);
    for (int j = 0; j < 3; ++j) b.i32(p.mesh_vertex[j]).f32(p.weight[j]);
    b.v3(p.offset.x, p.offset.y, p.offset.z);
  }
  return b.get();
}

vec3 weighted(const softbody_properties::proxcy_struct& b, const std::vector<vec3>& cloth) {
  vec3 sum{0, 0, 0};
  for (int j = 0; j < 3; ++j) {
    if (b.mesh_vertex[j] < 0) continue;
    const vec3 p = cloth[std::size_t(b.mesh_vertex[j])];
    sum = {sum.x + b.weight[j] * p.x, sum.y + b.weight[j] * p.y, sum.z + b.weight[j] * p.z};
  }
  return sum;
}

}  // namespace

TEST(projection_mesh, creating_stores_bindings_link_and_rest_positions_that_reproduce_the_surface) {
  projection_fixture f;
  ASSERT_TRUE(f.bind(projection_fixture::all(25)));
  ASSERT_EQ(f.p.proxcys.size(), 25u);
  EXPECT_EQ(properties_scene::stream_bytes(f.cloth, physplug_figure_uuid), binding_bytes(f.p.proxcys));
  EXPECT_EQ(properties_scene::stream_label(f.cloth, physplug_figure_uuid), "->Fine");
  EXPECT_EQ(f.p.projection_mesh(), &f.fine.sdk());
  le_bytes rest;
  for (const vec3& v : f.fine.vertex_positions()) rest.v3(v.x, v.y, v.z);
  EXPECT_EQ(properties_scene::stream_bytes(f.fine, physplug_browser_uuid), rest.get());
  // Each bound vertex is its weighted point plus the offset, 10 mm above the cloth's plane.
  const std::vector<vec3> cloth = f.cloth.vertex_positions(), fine = f.fine.vertex_positions();
  for (const auto& b : f.p.proxcys) {
    const vec3 on = weighted(b, cloth), at = fine[std::size_t(b.vertex)];
    EXPECT_NEAR(on.x + b.offset.x, at.x, 1e-4f) << b.vertex;
    EXPECT_NEAR(on.y + b.offset.y, at.y, 1e-4f) << b.vertex;
    EXPECT_NEAR(on.z + b.offset.z, at.z, 1e-4f) << b.vertex;
    EXPECT_NEAR(b.offset.y, 10.0f, 1e-4f) << b.vertex;
    EXPECT_NEAR(b.weight[0] + b.weight[1] + b.weight[2], 1.0f, 1e-5f) << b.vertex;
  }
  softbody_properties reloaded = properties_of(f.cloth);
  ASSERT_TRUE(reloaded.get_properties());
  EXPECT_EQ(reloaded.proxcys.size(), 25u);
}

TEST(projection_mesh, bound_vertices_follow_the_cloth_and_go_back_to_their_rest_positions) {
  projection_fixture f;
  ASSERT_TRUE(f.bind({0, 12, 24}));
  const std::vector<vec3> rest = f.fine.vertex_positions();
  const std::vector<vec3> original = f.cloth.vertex_positions();
  std::vector<vec3> moved = original;
  for (vec3& v : moved) v = {v.x * 1.5f, v.y + 300.0f, v.z};
  f.cloth.set_vertices(moved);
  f.p.set_related_shape_position();
  const std::vector<vec3> followed = f.fine.vertex_positions();
  for (const auto& b : f.p.proxcys) {
    const vec3 want = weighted(b, moved), got = followed[std::size_t(b.vertex)];
    EXPECT_NEAR(got.x, want.x, 1e-3f);
    EXPECT_NEAR(got.y, want.y, 1e-3f);
    EXPECT_NEAR(got.z, want.z, 1e-3f);
  }
  EXPECT_EQ(followed[1].y, rest[1].y);  // not bound: not moved
  f.p.reset_related_shape_position();
  for (std::size_t i = 0; i < rest.size(); ++i) EXPECT_EQ(f.fine.vertex_positions()[i].y, rest[i].y) << i;
  // Binding the same vertices again doubles the bindings; following gives the same places.
  f.cloth.set_vertices(original);
  ASSERT_TRUE(f.bind({0, 12, 24}));
  EXPECT_EQ(f.p.proxcys.size(), 6u);
  f.cloth.set_vertices(moved);
  f.p.set_related_shape_position();
  EXPECT_EQ(f.fine.vertex_positions()[12].y, followed[12].y);
  EXPECT_EQ(f.fine.vertex_positions()[24].x, followed[24].x);
}

// Bindings as a damaged or foreign stream could hold them: unused entries anywhere, entries
// naming vertices the cloth does not have, projection vertices the mesh does not have.
TEST(projection_mesh, bindings_with_unused_or_missing_entries_move_only_what_they_can) {
  projection_fixture f;
  ASSERT_TRUE(f.bind({0}));  // makes the link
  std::vector<vec3> moved = f.cloth.vertex_positions();
  for (vec3& v : moved) v = {v.x * 1.25f + 7.0f, v.y + 300.0f, v.z - 11.0f};
  f.cloth.set_vertices(moved);
  const std::vector<vec3> rest = f.fine.vertex_positions();
  using binding = softbody_properties::proxcy_struct;
  const auto make = [](int vertex, std::array<int, 3> entries, std::array<float, 3> weights) {
    binding b;
    b.vertex = vertex;
    for (int j = 0; j < 3; ++j) {
      b.mesh_vertex[j] = entries[std::size_t(j)];
      b.weight[j] = weights[std::size_t(j)];
    }
    return b;
  };
  struct case_ {
    const char* what;
    binding b;
    bool moves;
  };
  const case_ cases[] = {
      {"three entries", make(1, {0, 4, 8}, {0.5f, 0.25f, 0.25f}), true},
      {"first entry unused", make(2, {-1, 4, 8}, {0.0f, 0.25f, 0.75f}), true},
      {"middle entry unused", make(3, {2, -1, 6}, {0.5f, 0.0f, 0.5f}), true},
      {"one entry", make(4, {-1, -1, 7}, {0.0f, 0.0f, 1.0f}), true},
      {"an entry past the cloth", make(5, {3, 9, 1}, {0.3f, 0.3f, 0.4f}), false},
      {"an entry far past the cloth", make(6, {3, 1, 2147483647}, {0.3f, 0.3f, 0.4f}), false},
      {"a negative entry other than -1", make(7, {3, -5, 1}, {0.5f, 0.0f, 0.5f}), true},
      {"no entry", make(8, {-1, -1, -1}, {0.0f, 0.0f, 0.0f}), false},
      {"a projection vertex past the mesh", make(25, {0, 1, 2}, {0.2f, 0.3f, 0.5f}), false},
      {"a negative projection vertex", make(-3, {0, 1, 2}, {0.2f, 0.3f, 0.5f}), false},
  };
  f.p.proxcys.clear();
  for (const case_& c : cases) f.p.proxcys.push_back(c.b);
  f.p.set_related_shape_position();
  const std::vector<vec3> after = f.fine.vertex_positions();
  ASSERT_EQ(after.size(), 25u);
  for (const case_& c : cases) {
    if (c.b.vertex < 0 || c.b.vertex >= 25) continue;
    const vec3 got = after[std::size_t(c.b.vertex)];
    const vec3 want = c.moves ? weighted(c.b, moved) : rest[std::size_t(c.b.vertex)];
    EXPECT_NEAR(got.x, want.x, 1e-3f) << c.what;
    EXPECT_NEAR(got.y, want.y, 1e-3f) << c.what;
    EXPECT_NEAR(got.z, want.z, 1e-3f) << c.what;
  }
  for (int v : {0, 9, 10, 24}) EXPECT_EQ(after[std::size_t(v)].y, rest[std::size_t(v)].y) << v;  // no binding
}

TEST(projection_mesh, a_vertex_on_a_cloth_vertex_follows_it_exactly) {
  properties_scene s;
  host::polygon_mesh_shape& cloth = add_grid(s, "Cloth", 3, 3, 100.0f);
  host::polygon_mesh_shape& copy = add_grid(s, "Copy", 3, 3, 100.0f);
  softbody_properties p = properties_of(cloth);
  s.script().push_ok();
  ASSERT_TRUE(p.modify_softbody_shape(&s.sdk(), 0));
  s.scene().begin_mesh_edit(copy, sxsdk::selection_mode::vertices);
  copy.select_vertices({4});
  ASSERT_TRUE(p.create_proxcy_mesh(&s.sdk(), copy.sdk()));
  ASSERT_EQ(p.proxcys.size(), 1u);
  EXPECT_EQ(p.proxcys[0].mesh_vertex[0], 4);
  EXPECT_EQ(p.proxcys[0].weight[0], 1.0f);
  EXPECT_EQ(p.proxcys[0].mesh_vertex[1], -1);
  std::vector<vec3> moved = cloth.vertex_positions();
  moved[4] = {123.25f, -45.5f, 67.75f};
  cloth.set_vertices(moved);
  p.set_related_shape_position();
  EXPECT_EQ(copy.vertex_positions()[4].x, 123.25f);
  EXPECT_EQ(copy.vertex_positions()[4].y, -45.5f);
}

TEST(projection_mesh, selecting_no_vertex_removes_the_projection_and_the_mesh_stays_where_it_is) {
  projection_fixture f;
  ASSERT_TRUE(f.bind({0, 1, 2}));
  std::vector<vec3> moved = f.fine.vertex_positions();
  moved[0].y = 77.0f;
  f.fine.set_vertices(moved);
  EXPECT_FALSE(f.bind({}));
  EXPECT_EQ(f.cloth.find_stream(physplug_figure_uuid), nullptr);
  EXPECT_EQ(f.cloth.sdk().get_links(physplug_figure_uuid), 0);
  EXPECT_EQ(f.fine.find_stream(physplug_browser_uuid), nullptr);
  f.p.reset_related_shape_position();
  EXPECT_EQ(f.fine.vertex_positions()[0].y, 77.0f);
}

TEST(projection_mesh, links_this_system_did_not_make_move_nothing_and_break_nothing) {
  struct foreign_case {
    const char* what;
    int extra_links;   // links added beside ours
    bool part_target;  // our one link points at a part instead of a mesh
  };
  const foreign_case cases[] = {{"two links", 1, false}, {"three links", 2, false}, {"a link to a part", 0, true}};
  for (const foreign_case& c : cases) {
    projection_fixture f;
    ASSERT_TRUE(f.bind({0, 12}));
    host::part_shape& part = f.s.part("Other");
    if (c.part_target) {
      f.cloth.sdk().remove_link(physplug_figure_uuid, f.fine.sdk());
      f.cloth.sdk().add_link(physplug_figure_uuid, part.sdk());
    }
    for (int k = 0; k < c.extra_links; ++k)
      f.cloth.sdk().add_link(physplug_figure_uuid, k ? part.sdk() : f.cloth.sdk());
    const std::vector<vec3> before = f.fine.vertex_positions();
    std::vector<vec3> moved = f.cloth.vertex_positions();
    for (vec3& v : moved) v.y += 500.0f;
    f.cloth.set_vertices(moved);
    f.p.set_related_shape_position();
    f.p.reset_related_shape_position();
    EXPECT_EQ(f.fine.vertex_positions()[12].y, before[12].y) << c.what;
    EXPECT_TRUE(f.s.errors().empty()) << c.what;
  }
}

TEST(projection_mesh, the_soft_body_mesh_cannot_be_its_own_projection) {
  projection_fixture f;
  f.s.scene().begin_mesh_edit(f.cloth, sxsdk::selection_mode::vertices);
  f.cloth.select_vertices({0});
  EXPECT_FALSE(f.p.create_proxcy_mesh(&f.s.sdk(), f.cloth.sdk()));
  EXPECT_EQ(f.cloth.sdk().get_links(physplug_figure_uuid), 0);
  ASSERT_EQ(f.s.errors().size(), 1u);
  EXPECT_NE(f.s.errors()[0].find("\"Cloth\""), std::string::npos);
}

TEST(projection_mesh, assign_optional_anchor_moves_the_selected_vertices_to_the_body) {
  struct anchor_case {
    const char* what;
    std::vector<softbody_datas::anchor_struct> before;  // rigid: 1 = Pole, 2 = Post, 0 = none
    std::vector<int> selected;
    std::vector<std::pair<int, std::vector<std::int32_t>>> after;
  };
  const anchor_case cases[] = {
      {"a new group", {}, {2, 0}, {{1, {2, 0}}}},
      {"the body's old group is replaced", {{reinterpret_cast<void*>(1), {5}}}, {3}, {{1, {3}}}},
      {"taken from another group, which empties", {{reinterpret_cast<void*>(2), {3}}}, {3}, {{1, {3}}}},
      {"taken from a group that keeps others", {{nullptr, {3, 4}}}, {3}, {{0, {4}}, {1, {3}}}},
      {"nothing selected drops the body's group", {{reinterpret_cast<void*>(1), {5}}, {nullptr, {6}}}, {}, {{0, {6}}}},
  };
  for (const anchor_case& c : cases) {
    properties_scene s;
    host::part_shape& pole = s.part("Pole");
    host::part_shape& post = s.part("Post");
    host::polygon_mesh_shape& cloth = add_grid(s, "Cloth", 3, 3, 100.0f);
    softbody_properties p = properties_of(cloth);
    s.script().push_ok();
    ASSERT_TRUE(p.modify_softbody_shape(&s.sdk(), 0));
    sxsdk::shape_class* bodies[] = {nullptr, &pole.sdk(), &post.sdk()};
    p.datas[0].anchors.clear();
    for (const auto& g : c.before)
      p.datas[0].anchors.push_back({bodies[reinterpret_cast<std::uintptr_t>(g.rigid)], g.nodes});
    s.scene().begin_mesh_edit(cloth, sxsdk::selection_mode::vertices);
    cloth.select_vertices(c.selected);
    p.assign_optional_anchor(s.sdk(), pole.sdk());
    ASSERT_EQ(p.datas[0].anchors.size(), c.after.size()) << c.what;
    for (std::size_t g = 0; g < c.after.size(); ++g) {
      EXPECT_EQ(p.datas[0].anchors[g].rigid, bodies[c.after[g].first]) << c.what;
      EXPECT_EQ(p.datas[0].anchors[g].nodes, c.after[g].second) << c.what;
    }
  }
}
