// primitive_properties: every kind and direction is built with the points, handles, sweep and
// revolution axis of the geometry tables and measures back to the same size; the 12-byte stream.
#include <gtest/gtest.h>

#include "properties/primitive_properties.hpp"
#include "properties/shape_roles.hpp"
#include "properties_scene.hpp"
#include "throwing_stream_shape.hpp"

using namespace properties_test;

namespace {

using kind = collisionshape_datas::primitive_type;
constexpr float k = 55.2285f;  // quarter-circle handle for a radius of 100 mm

struct point3 {
  vec3 position, in, out;
};

struct line_case {
  const char* name;
  kind type;
  int direction;
  float size[3];  // metres, as given to the builder
  bool closed;
  std::vector<point3> points;  // millimetres
  bool revolved;               // axis through the first and last point
  vec3 sweep;
  float measured[3];  // what reading the shape back gives
};

point3 plain(vec3 p) { return {p, p, p}; }

const std::vector<line_case>& line_cases() {
  static const std::vector<line_case> cases = {
      {"box",
       kind::box,
       0,
       {0.1f, 0.2f, 0.3f},
       true,
       {plain({-100, -200, -300}), plain({-100, -200, 300}), plain({100, -200, 300}), plain({100, -200, -300})},
       false,
       {0, 400, 0},
       {0.1f, 0.2f, 0.3f}},
      {"capsule Y",
       kind::capsule,
       0,
       {0.1f, 0.2f, 0.7f},
       false,
       {{{0, -200, 0}, {0, -200, 0}, {k, -200, 0}},
        {{100, -100, 0}, {100, -100 - k, 0}, {100, -100, 0}},
        {{100, 100, 0}, {100, 100, 0}, {100, 100 + k, 0}},
        {{0, 200, 0}, {k, 200, 0}, {0, 200, 0}}},
       true,
       {0, 0, 0},
       {0.1f, 0.2f, 0.7f}},
      {"capsule X",
       kind::capsule,
       1,
       {0.1f, 0.2f, 0.7f},
       false,
       {{{200, 0, 0}, {200, 0, 0}, {200, 0, k}},
        {{100, 0, 100}, {100 + k, 0, 100}, {100, 0, 100}},
        {{-100, 0, 100}, {-100, 0, 100}, {-100 - k, 0, 100}},
        {{-200, 0, 0}, {-200, 0, k}, {-200, 0, 0}}},
       true,
       {0, 0, 0},
       {0.1f, 0.2f, 0.7f}},
      {"capsule Z",
       kind::capsule,
       2,
       {0.1f, 0.2f, 0.7f},
       false,
       {{{0, 0, 200}, {0, 0, 200}, {k, 0, 200}},
        {{100, 0, 100}, {100, 0, 100 + k}, {100, 0, 100}},
        {{100, 0, -100}, {100, 0, -100}, {100, 0, -100 - k}},
        {{0, 0, -200}, {k, 0, -200}, {0, 0, -200}}},
       true,
       {0, 0, 0},
       {0.1f, 0.2f, 0.7f}},
      {"cone Y",
       kind::cone,
       0,
       {0.1f, 0.2f, 0.7f},
       false,
       {plain({0, -100, 0}), plain({100, -100, 0}), plain({0, 100, 0})},
       true,
       {0, 0, 0},
       {0.1f, 0.2f, 0.7f}},
      {"cone X",
       kind::cone,
       1,
       {0.1f, 0.2f, 0.7f},
       false,
       {plain({-100, 0, 0}), plain({-100, 0, 100}), plain({100, 0, 0})},
       true,
       {0, 0, 0},
       {0.1f, 0.2f, 0.7f}},
      {"cone Z",
       kind::cone,
       2,
       {0.1f, 0.2f, 0.7f},
       false,
       {plain({0, 0, -100}), plain({100, 0, -100}), plain({0, 0, 100})},
       true,
       {0, 0, 0},
       {0.1f, 0.2f, 0.7f}},
  };
  return cases;
}

void expect_near(const vec3& got, const vec3& want, const std::string& what) {
  EXPECT_NEAR(got.x, want.x, 1e-3f) << what;
  EXPECT_NEAR(got.y, want.y, 1e-3f) << what;
  EXPECT_NEAR(got.z, want.z, 1e-3f) << what;
}

void expect_size(const primitive_properties& p, const float (&want)[3], const std::string& what) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(p.size[i], want[i], 1e-6f) << what << " size " << i;
}

// A record for a new primitive of `type`, built inside `body`.
primitive_properties build(properties_scene& s, host::part_shape& body, kind type, int direction,
                           const float (&size)[3]) {
  body.make_current();
  primitive_properties p;
  p.type = type;
  p.direction = direction;
  for (int i = 0; i < 3; ++i) p.size[i] = size[i];
  EXPECT_TRUE(p.create_or_modify_sorvel_shape(s.sdk(), type));
  return p;
}

// What reading the built shape back gives, from a record that knows only the shape.
primitive_properties measured(sxsdk::shape_class* shape) {
  primitive_properties back;
  back.shape = shape;
  back.size[2] = 0.7f;  // what the geometry does not give stays
  EXPECT_TRUE(back.get_properties());
  return back;
}

}  // namespace

TEST(primitive_properties, each_line_kind_is_built_from_the_table_and_measures_back) {
  for (const line_case& c : line_cases()) {
    properties_scene s;
    host::part_shape& body = s.part("Body");
    const primitive_properties p = build(s, body, c.type, c.direction, c.size);
    ASSERT_EQ(body.sons().size(), 1u) << c.name;
    auto* line = dynamic_cast<host::line_shape*>(body.sons()[0]);
    ASSERT_NE(line, nullptr) << c.name;
    EXPECT_EQ(p.primitive_shape(), &line->sdk()) << c.name;
    EXPECT_EQ(line->is_closed(), c.closed) << c.name;
    const std::vector<host::line_shape::point> got = line->points();
    ASSERT_EQ(got.size(), c.points.size()) << c.name;
    for (std::size_t i = 0; i < got.size(); ++i) {
      const std::string at = std::string(c.name) + " point " + std::to_string(i);
      expect_near(got[i].position, c.points[i].position, at);
      expect_near(got[i].in_handle, c.points[i].in, at + " in");
      expect_near(got[i].out_handle, c.points[i].out, at + " out");
    }
    vec3 a0, a1;
    ASSERT_EQ(line->get_revolution_axis(a0, a1), c.revolved) << c.name;
    if (c.revolved) {
      expect_near(a0, c.points.front().position, std::string(c.name) + " axis start");
      expect_near(a1, c.points.back().position, std::string(c.name) + " axis end");
    }
    expect_near(line->get_sweep(), c.sweep, std::string(c.name) + " sweep");
    EXPECT_FALSE(line->render_flag) << c.name;
    EXPECT_TRUE(is_bullet_primitive(line->sdk())) << c.name;
    const primitive_properties back = measured(&line->sdk());
    EXPECT_EQ(back.type, c.type) << c.name;
    EXPECT_EQ(back.direction, c.direction) << c.name;
    expect_size(back, c.measured, c.name);
  }
}

TEST(primitive_properties, each_cylinder_direction_is_built_from_the_table_and_measures_back) {
  struct cylinder_case {
    int direction;
    float row0[3], row1[3];
    vec3 centre, sweep;
  };
  const cylinder_case cases[] = {
      {0, {100, 0, 0}, {0, 0, -100}, {0, -150, 0}, {0, 300, 0}},
      {1, {0, 0, 100}, {0, 100, 0}, {-150, 0, 0}, {300, 0, 0}},
      {2, {100, 0, 0}, {0, 100, 0}, {0, 0, -150}, {0, 0, 300}},
  };
  for (const cylinder_case& c : cases) {
    const std::string name = "cylinder " + std::to_string(c.direction);
    properties_scene s;
    host::part_shape& body = s.part("Body");
    build(s, body, kind::cylinder, c.direction, {0.1f, 0.3f, 0.9f});
    auto* disk = dynamic_cast<host::disk_shape*>(body.sons().at(0));
    ASSERT_NE(disk, nullptr) << name;
    EXPECT_EQ(disk->name(), "Cylinder");
    EXPECT_NEAR(disk->get_radius(), 100.0f, 1e-3f) << name;
    const sxsdk::mat4 m = disk->get_matrix();
    for (int col = 0; col < 3; ++col) {
      EXPECT_EQ(m[0][col], c.row0[col]) << name;
      EXPECT_EQ(m[1][col], c.row1[col]) << name;
      EXPECT_EQ(m[2][col], col == 2 ? 1.0f : 0.0f) << name;
    }
    expect_near(disk->get_center(), c.centre, name + " centre");
    expect_near(disk->get_sweep(), c.sweep, name + " sweep");
    const primitive_properties back = measured(&disk->sdk());
    EXPECT_EQ(back.type, kind::cylinder) << name;
    expect_size(back, {0.1f, 0.3f, 0.1f}, name);
  }
}

TEST(primitive_properties, a_sphere_is_built_and_measures_back) {
  properties_scene s;
  host::part_shape& body = s.part("Body");
  build(s, body, kind::sphere, 0, {0.25f, 0.5f, 0.5f});
  auto* ball = dynamic_cast<host::sphere_shape*>(body.sons().at(0));
  ASSERT_NE(ball, nullptr);
  EXPECT_EQ(ball->name(), "Sphere");
  EXPECT_EQ(ball->get_radius_vector(), vec3(250, 250, 250));
  EXPECT_EQ(ball->get_center(), vec3(0, 0, 0));
  const primitive_properties back = measured(&ball->sdk());
  EXPECT_EQ(back.type, kind::sphere);
  expect_size(back, {0.25f, 0.25f, 0.25f}, "sphere");
}

TEST(primitive_properties, a_box_whose_first_point_is_positive_still_reads_positive_sizes) {
  properties_scene s;
  host::part_shape& body = s.part("Body");
  host::line_shape& line =
      s.scene().add_line(body, "Box", {{10, 20, 30}, {10, 20, -30}, {-10, 20, -30}, {-10, 20, 30}}, true);
  properties_scene::put(line, physplug_rigid_uuid, le_bytes().i32(0).f32(0.04f).i32(0).get());
  const primitive_properties back = measured(&line.sdk());
  EXPECT_EQ(back.type, kind::box);
  expect_size(back, {0.01f, 0.02f, 0.03f}, "box");
}

TEST(primitive_properties, regist_writes_the_12_bytes_and_flags_6_read_direction_2) {
  properties_scene s;
  host::part_shape& body = s.part("Body");
  build(s, body, kind::cone, 2, {0.1f, 0.2f, 0.1f});
  host::shape_node& cone = *body.sons().at(0);
  EXPECT_EQ(properties_scene::stream_bytes(cone, physplug_rigid_uuid), le_bytes().i32(0).f32(0.04f).i32(2).get());
  EXPECT_EQ(properties_scene::stream_label(cone, physplug_rigid_uuid), "Primitive");
  properties_scene::put(cone, physplug_rigid_uuid, le_bytes().i32(0).f32(0.5f).i32(6).get());
  primitive_properties back;
  back.shape = &cone.sdk();
  ASSERT_TRUE(back.get_properties());
  EXPECT_EQ(back.direction, 2);
  EXPECT_EQ(back.margin, 0.5f);
  EXPECT_EQ(back.reserved, 1);
  ASSERT_TRUE(back.regist());
  EXPECT_EQ(properties_scene::stream_bytes(cone, physplug_rigid_uuid), le_bytes().i32(0).f32(0.5f).i32(2).get());
}

TEST(primitive_properties, the_label_is_localised) {
  properties_scene s("ja");
  host::part_shape& body = s.part("Body");
  build(s, body, kind::sphere, 0, {0.1f, 0.1f, 0.1f});
  EXPECT_EQ(properties_scene::stream_label(*body.sons().at(0), physplug_rigid_uuid), "プリミティブ");
}

TEST(primitive_properties, a_direction_of_3_builds_no_capsule_cone_or_cylinder) {
  for (kind type : {kind::capsule, kind::cone, kind::cylinder}) {
    properties_scene s;
    host::part_shape& body = s.part("Body");
    body.make_current();
    primitive_properties p;
    p.direction = 3;
    EXPECT_FALSE(p.create_or_modify_sorvel_shape(s.sdk(), type)) << type;
    EXPECT_TRUE(body.sons().empty()) << type;
  }
  properties_scene s;
  primitive_properties p;
  EXPECT_FALSE(p.create_or_modify_sorvel_shape(s.sdk(), static_cast<kind>(5)));
  EXPECT_EQ(s.scene().shape_count(), 1);
}

TEST(primitive_properties, a_host_failing_on_its_stream_reads_and_writes_false) {
  properties_scene s;
  throwing_stream_shape broken(sxsdk::shape_type::sphere, s.sdk());
  primitive_properties p;
  p.shape = &broken;
  p.margin = 0.5f;
  EXPECT_FALSE(p.get_properties());
  EXPECT_EQ(p.margin, 0.5f);
  EXPECT_FALSE(p.regist());
}

TEST(primitive_properties, a_short_or_damaged_stream_keeps_its_defaults_but_the_geometry_is_measured) {
  struct stream_case {
    const char* what;
    bytes stream;
    float margin;
    int direction;
  };
  const le_bytes full = le_bytes().i32(0).f32(0.25f).i32(1);
  const stream_case cases[] = {
      {"empty", {}, 0.04f, 0},
      {"version only", full.first(4), 0.04f, 0},
      {"margin cut", full.first(7), 0.04f, 0},
      {"no flags", full.first(8), 0.25f, 0},
      {"flags cut", full.first(11), 0.25f, 0},
      {"NaN margin", le_bytes().i32(0).f32(NAN).i32(1).get(), 0.04f, 1},
  };
  for (const stream_case& c : cases) {
    properties_scene s;
    host::part_shape& body = s.part("Body");
    host::disk_shape& disk = s.scene().add_disk(body, "Cylinder", {0, 0, 0}, 40);
    disk.set_sweep({0, 0, 300});
    properties_scene::put(disk, physplug_rigid_uuid, c.stream);
    primitive_properties p;
    p.shape = &disk.sdk();
    EXPECT_FALSE(p.get_properties()) << c.what;
    EXPECT_EQ(p.margin, c.margin) << c.what;
    EXPECT_EQ(p.direction, c.direction) << c.what;
    EXPECT_EQ(p.type, kind::cylinder) << c.what;
    EXPECT_NEAR(p.size[0], 0.04f, 1e-6f) << c.what;
  }
}
