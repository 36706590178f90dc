// softbody_properties: the version 4 stream byte for byte, versions 0 to 3 read and rewritten
// as version 4, the label, anchors by index number, and damaged streams left alone.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/texts.hpp"
#include "softbody_scene.hpp"

using namespace softbody_test;

namespace {

// The 18 coefficients kVCF .. kSS_SPLT_CL of the test record, all different.
constexpr float coefficients[18] = {0.9f,  0.01f, 0.02f, 0.03f, 0.04f, 0.05f, 0.25f, 0.06f, 0.8f,
                                    0.75f, 0.7f,  0.65f, 0.15f, 0.85f, 0.45f, 0.35f, 0.55f, 0.4f};

// One record as the format tables lay it out: name "Cloth", type 1, randomize and clusters,
// group index 3, mask 0x8001, mass 2, margin 0.05, three nodes, one triangle.
struct record_fields {
  std::string name = "Cloth";
  std::uint8_t flags = 0x01 | 0x08 | 0x20;
  std::uint8_t group_index = 3;
  std::int32_t mask = 0x8001;
  float mass = 2.0f, margin = 0.05f;
  std::int32_t cluster_count = 3, viterations = 2, piterations = 5, diterations = 1;
  float wind[3] = {1.0f, 0.0f, -2.0f};
  std::int32_t bending = 2;
  float kLST = 0.5f, kAST = 0.25f, kVST = 0.125f;
  std::vector<std::int32_t> node_vertices = {3, 5, 7};
  std::vector<float> vertices = {0, 0, 0, 0.1f, 0, 0, 0, 0, 0.1f};
  std::vector<std::int32_t> triangles = {0, 1, 2};
};

void name_and_flags(le_bytes& b, const record_fields& r, std::uint8_t flags) {
  for (char c : r.name) b.u8(static_cast<std::uint8_t>(c));
  b.u8(0).u8(flags);
}
void coefficient_block(le_bytes& b, const record_fields& r) {
  b.f32(r.mass).f32(r.margin);
  for (float c : coefficients) b.f32(c);
}
void ints(le_bytes& b, const std::vector<std::int32_t>& v) {
  b.i32(std::int32_t(v.size()));
  for (std::int32_t i : v) b.i32(i);
}
void floats(le_bytes& b, const std::vector<float>& v) {
  b.i32(std::int32_t(v.size()));
  for (float f : v) b.f32(f);
}

struct anchor_bytes {
  std::int32_t reference;
  std::vector<std::int32_t> nodes;
};

// Version 4, items 1 to 14 of its table.
le_bytes version4(const record_fields& r, const std::vector<anchor_bytes>& anchors) {
  le_bytes b;
  b.i32(4).i32(1);
  name_and_flags(b, r, r.flags);
  b.u8(r.group_index).i32(r.mask);
  coefficient_block(b, r);
  b.i32(r.cluster_count).i32(r.viterations).i32(r.piterations).i32(r.diterations);
  b.v3(r.wind[0], r.wind[1], r.wind[2]).i32(r.bending).f32(r.kLST).f32(r.kAST).f32(r.kVST);
  ints(b, r.node_vertices);
  floats(b, r.vertices);
  ints(b, r.triangles);
  b.i32(std::int32_t(anchors.size()));
  for (const anchor_bytes& a : anchors) {
    b.i32(a.reference);
    ints(b, a.nodes);
  }
  return b;
}

// Versions 0 to 3 (items 1 to 9 of the older layout), without an anchor body (bit 4 clear).
le_bytes older(int version, const record_fields& r, const std::vector<std::int32_t>& anchor_nodes) {
  le_bytes b;
  b.i32(version).i32(1);
  name_and_flags(b, r, r.flags);
  b.u8(r.group_index).i32(r.mask);
  coefficient_block(b, r);
  ints(b, r.node_vertices);
  ints(b, anchor_nodes);
  floats(b, r.vertices);
  ints(b, r.triangles);
  if (version >= 1) b.i32(r.cluster_count).i32(r.viterations).i32(r.piterations).i32(r.diterations);
  if (version >= 2) b.v3(r.wind[0], r.wind[1], r.wind[2]);
  if (version == 3) b.i32(r.bending).f32(r.kLST).f32(r.kAST).f32(r.kVST);
  return b;
}

softbody_datas record_of(const record_fields& r) {
  softbody_datas d;
  d.name = r.name;
  d.type = 1;
  d.randomize = true;
  d.use_clusters = true;
  d.group_index = r.group_index;
  d.mask = std::uint32_t(r.mask);
  d.mass = r.mass;
  d.margin = r.margin;
  float* fields[] = {&d.kVCF,     &d.kDP,      &d.kDG,      &d.kLF,         &d.kPR,         &d.kVC,
                     &d.kDF,      &d.kMT,      &d.kCHR,     &d.kKHR,        &d.kSHR,        &d.kAHR,
                     &d.kSRHR_CL, &d.kSKHR_CL, &d.kSSHR_CL, &d.kSR_SPLT_CL, &d.kSK_SPLT_CL, &d.kSS_SPLT_CL};
  for (int k = 0; k < 18; ++k) *fields[k] = coefficients[k];
  d.cluster_count = r.cluster_count;
  d.viterations = r.viterations;
  d.piterations = r.piterations;
  d.diterations = r.diterations;
  d.wind_velocity.setValue(r.wind[0], r.wind[1], r.wind[2]);
  d.bending_distance = r.bending;
  d.kLST = r.kLST;
  d.kAST = r.kAST;
  d.kVST = r.kVST;
  d.node_vertices = r.node_vertices;
  d.vertices = r.vertices;
  d.triangles = r.triangles;
  return d;
}

struct fixture {
  properties_scene s;
  host::part_shape& body = s.part("Pole");
  host::polygon_mesh_shape& mesh = add_grid(s, "Flag", 3, 3, 100.0f);
};

}  // namespace

TEST(softbody_properties, regist_writes_version_4_as_the_format_table_lays_it_out) {
  fixture f;
  softbody_properties p = properties_of(f.mesh);
  softbody_datas d = record_of({});
  d.anchors.push_back({&f.body.sdk(), {0, 2}});
  d.anchors.push_back({nullptr, {}});  // no nodes: neither counted nor written
  d.anchors.push_back({nullptr, {1}});
  p.datas.push_back(d);
  ASSERT_TRUE(p.regist());
  const std::int32_t pole = f.body.sdk().get_index();
  EXPECT_EQ(properties_scene::stream_bytes(f.mesh, physplug_modify_uuid),
            version4({}, {{pole, {0, 2}}, {-1, {1}}}).get());
  EXPECT_EQ(properties_scene::stream_label(f.mesh, physplug_modify_uuid), "3:SoftBody");
}

TEST(softbody_properties, version_4_reads_back_every_field_and_resolves_anchor_bodies) {
  fixture f;
  const std::int32_t pole = f.body.sdk().get_index();
  properties_scene::put(f.mesh, physplug_modify_uuid, version4({}, {{pole, {0, 2}}, {-1, {1}}, {9999, {2}}}).get());
  softbody_properties p = properties_of(f.mesh);
  ASSERT_TRUE(p.get_properties());
  ASSERT_EQ(p.datas.size(), 1u);
  const softbody_datas& d = p.datas[0];
  const softbody_datas want = record_of({});
  EXPECT_EQ(d.name, want.name);
  EXPECT_EQ(d.type, 1);
  EXPECT_TRUE(d.randomize && d.use_clusters);
  EXPECT_EQ(d.group_index, 3);
  EXPECT_EQ(d.group, 8);  // recomputed, never stored
  EXPECT_EQ(d.mask, 0x8001u);
  EXPECT_EQ(d.kSS_SPLT_CL, want.kSS_SPLT_CL);
  EXPECT_EQ(d.kAHR, want.kAHR);
  EXPECT_EQ(d.wind_velocity, want.wind_velocity);
  EXPECT_EQ(d.bending_distance, 2);
  EXPECT_EQ(d.kVST, 0.125f);
  EXPECT_EQ(d.node_vertices, want.node_vertices);
  EXPECT_EQ(d.vertices, want.vertices);
  EXPECT_EQ(d.triangles, want.triangles);
  ASSERT_EQ(d.anchors.size(), 3u);
  EXPECT_EQ(d.anchors[0].rigid, &f.body.sdk());
  EXPECT_EQ(d.anchors[1].rigid, nullptr);  // -1
  EXPECT_EQ(d.anchors[2].rigid, nullptr);  // an index number the scene does not have
  EXPECT_EQ(d.anchors[2].nodes, std::vector<std::int32_t>{2});
}

TEST(softbody_properties, older_versions_load_with_their_defaults_and_are_rewritten_as_version_4) {
  struct version_case {
    int version;
    record_fields loaded;  // what the record holds after loading
  };
  auto without_bending = [](record_fields r) {
    r.bending = 1;
    r.kLST = r.kAST = r.kVST = 1.0f;
    return r;
  };
  record_fields v1 = without_bending({});
  v1.wind[0] = v1.wind[1] = v1.wind[2] = 0.0f;
  record_fields v0 = v1;
  v0.cluster_count = 0, v0.viterations = 1, v0.piterations = 4, v0.diterations = 0;
  const version_case cases[] = {{0, v0}, {1, v1}, {2, without_bending({})}, {3, record_fields{}}};
  for (const version_case& c : cases) {
    fixture f;
    properties_scene::put(f.mesh, physplug_modify_uuid, older(c.version, record_fields{}, {0, 2}).get());
    softbody_properties p = properties_of(f.mesh);
    ASSERT_TRUE(p.get_properties()) << "version " << c.version;
    // The stream now holds version 4 of exactly what was loaded (the first group: no body).
    EXPECT_EQ(properties_scene::stream_bytes(f.mesh, physplug_modify_uuid), version4(c.loaded, {{-1, {0, 2}}}).get())
        << "version " << c.version;
    ASSERT_EQ(p.datas.size(), 1u);
    EXPECT_EQ(p.datas[0].viterations, c.loaded.viterations) << "version " << c.version;
  }
}

TEST(softbody_properties, an_older_anchor_body_comes_from_the_shape_reference_after_the_flags) {
  fixture f;
  record_fields r;
  le_bytes b;
  b.i32(1).i32(1);
  name_and_flags(b, r, std::uint8_t(r.flags | 0x10));
  b.i32(f.body.sdk().get_index());  // the stream's shape reference
  b.u8(r.group_index).i32(r.mask);
  coefficient_block(b, r);
  ints(b, r.node_vertices);
  ints(b, {});  // no anchor nodes: the group keeps its body and no nodes
  floats(b, r.vertices);
  ints(b, r.triangles);
  b.i32(r.cluster_count).i32(r.viterations).i32(r.piterations).i32(r.diterations);
  properties_scene::put(f.mesh, physplug_modify_uuid, b.get());
  softbody_properties p = properties_of(f.mesh);
  ASSERT_TRUE(p.get_properties());
  ASSERT_EQ(p.datas[0].anchors.size(), 1u);
  EXPECT_EQ(p.datas[0].anchors[0].rigid, &f.body.sdk());
  EXPECT_TRUE(p.datas[0].anchors[0].nodes.empty());
}

TEST(softbody_properties, the_type_bits_give_1_or_2_and_anything_else_0) {
  const std::pair<std::uint8_t, std::int32_t> cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {5, 0}, {7, 0}};
  for (const auto& c : cases) {
    fixture f;
    record_fields r;
    r.flags = c.first;
    properties_scene::put(f.mesh, physplug_modify_uuid, version4(r, {}).get());
    softbody_properties p = properties_of(f.mesh);
    ASSERT_TRUE(p.get_properties());
    EXPECT_EQ(p.datas[0].type, c.second) << int(c.first);
  }
}

TEST(softbody_properties, the_label_takes_the_first_records_group_index_and_an_empty_list_deletes_the_stream) {
  properties_scene s("ja");
  host::polygon_mesh_shape& mesh = add_grid(s, "Flag", 2, 2, 10.0f);
  softbody_properties p = properties_of(mesh);
  p.datas.resize(2);
  p.datas[1].group_index = 9;
  ASSERT_TRUE(p.regist());
  EXPECT_EQ(properties_scene::stream_label(mesh, physplug_modify_uuid).substr(0, 2), "2:");
  EXPECT_EQ(properties_scene::stream_label(mesh, physplug_modify_uuid), "2:" + texts::get_text(s.sdk(), "SoftBody"));
  p.datas.clear();
  ASSERT_TRUE(p.regist());
  EXPECT_TRUE(properties_scene::stream_bytes(mesh, physplug_modify_uuid).empty());
  EXPECT_EQ(mesh.find_stream(physplug_modify_uuid), nullptr);
}

TEST(softbody_properties, damaged_streams_leave_the_records_and_the_stream_as_they_were) {
  const bytes whole = version4({}, {{-1, {0}}}).get();
  struct damaged_case {
    std::string what;
    bytes stream;
  };
  std::vector<damaged_case> cases;
  for (std::size_t n = 0; n < whole.size(); n += (n < 40 ? 1 : 7))
    cases.push_back({"cut at " + std::to_string(n), bytes(whole.begin(), whole.begin() + long(n))});
  const std::size_t count_at = 4;
  auto patched = [&](std::size_t at, std::int32_t value) {
    bytes b = whole;
    for (int k = 0; k < 4; ++k) b[at + std::size_t(k)] = std::uint8_t(std::uint32_t(value) >> (8 * k));
    return b;
  };
  cases.push_back({"record count 2^31-1", patched(count_at, std::numeric_limits<std::int32_t>::max())});
  cases.push_back({"record count -1", patched(count_at, -1)});
  cases.push_back({"version 5", patched(0, 5)});
  cases.push_back({"version -1", patched(0, -1)});
  record_fields r;
  const std::size_t group_at = 8 + r.name.size() + 2;
  bytes group16 = whole;
  group16[group_at] = 16;
  cases.push_back({"group index 16", group16});
  const std::size_t mass_at = group_at + 1 + 4;
  cases.push_back({"NaN mass", patched(mass_at, 0x7fc00000)});
  const std::size_t nodes_at = mass_at + 80 + 16 + 12 + 16;
  cases.push_back({"node count 1000000", patched(nodes_at, 1000000)});
  cases.push_back({"node count 2 (rest positions for 3)", patched(nodes_at, 2)});
  const std::size_t triangles_at = nodes_at + 4 + 12 + 4 + 36;
  cases.push_back({"triangle node 3 of 3", patched(triangles_at + 4, 3)});
  cases.push_back({"triangle node -1", patched(triangles_at + 8, -1)});
  const std::size_t anchor_node_at = triangles_at + 16 + 4 + 4 + 4;
  cases.push_back({"anchor node 7", patched(anchor_node_at, 7)});
  cases.push_back({"anchor group count -3", patched(triangles_at + 16, -3)});
  ASSERT_EQ(anchor_node_at + 4, whole.size());
  for (const damaged_case& c : cases) {
    fixture f;
    properties_scene::put(f.mesh, physplug_modify_uuid, c.stream);
    softbody_properties p = properties_of(f.mesh);
    p.datas.resize(1);
    p.datas[0].name = "kept";
    EXPECT_FALSE(p.get_properties()) << c.what;
    ASSERT_EQ(p.datas.size(), 1u) << c.what;
    EXPECT_EQ(p.datas[0].name, "kept") << c.what;
    EXPECT_EQ(properties_scene::stream_bytes(f.mesh, physplug_modify_uuid), c.stream) << c.what;
    ASSERT_EQ(f.s.errors().size(), 1u) << c.what;
    EXPECT_NE(f.s.errors()[0].find("\"Flag\""), std::string::npos) << c.what << ": " << f.s.errors()[0];
  }
}

TEST(softbody_properties, the_binding_stream_reads_under_a_projection_link) {
  fixture f;
  host::polygon_mesh_shape& fine = add_grid(f.s, "Fine", 2, 2, 50.0f);
  le_bytes b;
  b.i32(0).i32(2);
  b.i32(3).i32(4).f32(0.5f).i32(5).f32(0.25f).i32(6).f32(0.25f).v3(0, 1.5f, 0);
  b.i32(1).i32(2).f32(1.0f).i32(-1).f32(0).i32(-1).f32(0).v3(0, 0, 0);
  properties_scene::put(f.mesh, physplug_figure_uuid, b.get());
  softbody_properties unlinked = properties_of(f.mesh);
  ASSERT_TRUE(unlinked.get_properties());
  EXPECT_TRUE(unlinked.proxcys.empty());  // no link: the stream is not in force
  f.mesh.sdk().add_link(physplug_figure_uuid, fine.sdk());
  softbody_properties p = properties_of(f.mesh);
  ASSERT_TRUE(p.get_properties());
  ASSERT_EQ(p.proxcys.size(), 2u);
  EXPECT_EQ(p.proxcys[0].vertex, 3);
  EXPECT_EQ(p.proxcys[0].mesh_vertex[2], 6);
  EXPECT_EQ(p.proxcys[0].weight[1], 0.25f);
  EXPECT_EQ(p.proxcys[0].offset.y, 1.5f);
  EXPECT_EQ(p.proxcys[1].mesh_vertex[1], -1);
  for (std::size_t n = 0; n < b.get().size(); n += 5) {
    properties_scene::put(f.mesh, physplug_figure_uuid, b.first(n));
    softbody_properties cut = properties_of(f.mesh);
    cut.proxcys.resize(1);
    EXPECT_FALSE(cut.get_properties()) << n;
    EXPECT_EQ(cut.proxcys.size(), 1u) << n;
  }
}
