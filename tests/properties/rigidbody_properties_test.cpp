// rigidbody_properties: the 93-byte version 1 stream, version 0 read back and rewritten,
// labels, short and hostile streams, the primitive link.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "properties/rigidbody_properties.hpp"
#include "properties_scene.hpp"

using namespace properties_test;

namespace {

struct body_fields {
  std::int32_t type = 1;
  std::uint8_t group_index = 3;
  std::int32_t mask = 0x8001;
  float mass = 2.5f, friction = 0.25f, restitution = 0.5f, linear = 0.125f, angular = 0.375f;
  vec3 velocity{1, 2, 3};
};

// Fields 1 to 10 of the format table (shared by versions 0 and 1).
le_bytes head(std::int32_t version, const body_fields& f) {
  le_bytes b;
  b.i32(version).i32(f.type).u8(f.group_index).i32(f.mask);
  b.f32(f.mass).f32(f.friction).f32(f.restitution).f32(f.linear).f32(f.angular);
  b.v3(f.velocity.x, f.velocity.y, f.velocity.z);
  return b;
}

// Version 1: the basis rows of a quarter turn about z (column convention), origin (4, 5, 6).
le_bytes version1(const body_fields& f = {}) { return head(1, f).v3(0, -1, 0).v3(1, 0, 0).v3(0, 0, 1).v3(4, 5, 6); }

// Version 0: the same quarter turn as a quaternion stored w, x, y, z.
le_bytes version0(const body_fields& f = {}) {
  const float h = std::sqrt(0.5f);
  return head(0, f).f32(h).f32(0).f32(0).f32(h).v3(4, 5, 6);
}

rigidbody_properties body_on(host::shape_node& part) {
  rigidbody_properties b;
  b.shape = &part.sdk();
  return b;
}

void expect_quarter_turn(const btTransform& t) {
  const btMatrix3x3& m = t.getBasis();
  const float want[3][3] = {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(m[r][c], want[r][c], 1e-6f) << r << "," << c;
  EXPECT_EQ(t.getOrigin(), btVector3(4, 5, 6));
}

}  // namespace

TEST(rigidbody_properties, regist_writes_the_93_bytes_of_the_format_table) {
  properties_scene s;
  host::part_shape& part = s.part("Body");
  rigidbody_properties b = body_on(part);
  b.type = 1;
  b.group_index = 3;
  b.mask = 0x8001;
  b.mass = 2.5f;
  b.friction = 0.25f;
  b.restitution = 0.5f;
  b.linear_damping = 0.125f;
  b.angular_damping = 0.375f;
  b.velocity.setValue(1, 2, 3);
  b.transform.setBasis(btMatrix3x3(0, -1, 0, 1, 0, 0, 0, 0, 1));
  b.transform.setOrigin(btVector3(4, 5, 6));
  ASSERT_TRUE(b.regist());
  EXPECT_EQ(properties_scene::stream_bytes(part, physplug_modify_uuid), version1().get());
  EXPECT_EQ(version1().get().size(), 93u);
  EXPECT_EQ(properties_scene::stream_label(part, physplug_modify_uuid), "3:RigidBody");
}

TEST(rigidbody_properties, version_1_reads_back_every_field) {
  properties_scene s;
  host::part_shape& part = s.part("Body");
  properties_scene::put(part, physplug_modify_uuid, version1().get());
  rigidbody_properties b = body_on(part);
  ASSERT_TRUE(b.get_properties());
  EXPECT_EQ(b.type, 1);
  EXPECT_EQ(b.group_index, 3);
  EXPECT_EQ(b.group, 8);
  EXPECT_EQ(b.mask, 0x8001u);
  EXPECT_EQ(b.mass, 2.5f);
  EXPECT_EQ(b.friction, 0.25f);
  EXPECT_EQ(b.restitution, 0.5f);
  EXPECT_EQ(b.linear_damping, 0.125f);
  EXPECT_EQ(b.angular_damping, 0.375f);
  EXPECT_EQ(b.velocity, btVector3(1, 2, 3));
  expect_quarter_turn(b.transform);
}

TEST(rigidbody_properties, version_0_reads_the_quaternion_w_first_and_is_rewritten_as_version_1) {
  properties_scene s;
  host::part_shape& part = s.part("Body");
  properties_scene::put(part, physplug_modify_uuid, version0().get());
  rigidbody_properties b = body_on(part);
  ASSERT_TRUE(b.get_properties());
  expect_quarter_turn(b.transform);
  ASSERT_TRUE(b.regist());
  const bytes rewritten = properties_scene::stream_bytes(part, physplug_modify_uuid);
  ASSERT_EQ(rewritten.size(), 93u);
  // Head and origin are byte-exact; the basis is the quarter turn up to rounding.
  EXPECT_EQ(bytes(rewritten.begin(), rewritten.begin() + 45), version1().first(45));
  const bytes expected = version1().get();
  EXPECT_EQ(bytes(rewritten.end() - 12, rewritten.end()), bytes(expected.end() - 12, expected.end()));
  rigidbody_properties again = body_on(part);
  ASSERT_TRUE(again.get_properties());
  expect_quarter_turn(again.transform);
}

TEST(rigidbody_properties, the_identity_quaternion_gives_the_identity_basis) {
  properties_scene s;
  host::part_shape& part = s.part("Body");
  properties_scene::put(part, physplug_modify_uuid, head(0, {}).f32(1).f32(0).f32(0).f32(0).v3(0, 0, 0).get());
  rigidbody_properties b = body_on(part);
  b.transform.setBasis(btMatrix3x3(2, 0, 0, 0, 2, 0, 0, 0, 2));
  ASSERT_TRUE(b.get_properties());
  EXPECT_EQ(b.transform.getBasis(), btMatrix3x3::getIdentity());
  ASSERT_TRUE(b.regist());
  EXPECT_EQ(properties_scene::stream_bytes(part, physplug_modify_uuid),
            head(1, {}).v3(1, 0, 0).v3(0, 1, 0).v3(0, 0, 1).v3(0, 0, 0).get());
}

TEST(rigidbody_properties, group_index_gives_the_label_and_the_16_bit_group) {
  struct group_case {
    std::uint8_t index;
    std::int16_t group;
    const char* label_en;
    const char* label_ja;
  };
  const group_case cases[] = {
      {0, 1, "0:RigidBody", "0:剛体"}, {1, 2, "1:RigidBody", "1:剛体"}, {15, -32768, "15:RigidBody", "15:剛体"}};
  for (const char* language : {"en", "ja"}) {
    for (const group_case& c : cases) {
      properties_scene s(language);
      host::part_shape& part = s.part("Body");
      body_fields f;
      f.group_index = c.index;
      properties_scene::put(part, physplug_modify_uuid, version1(f).get());
      rigidbody_properties b = body_on(part);
      ASSERT_TRUE(b.get_properties());
      EXPECT_EQ(b.group, c.group) << int(c.index);
      ASSERT_TRUE(b.regist());
      EXPECT_EQ(properties_scene::stream_label(part, physplug_modify_uuid),
                std::string(language) == "ja" ? c.label_ja : c.label_en);
    }
  }
}

TEST(rigidbody_properties, a_short_stream_keeps_the_fields_it_has_and_reports_false) {
  const le_bytes full = version1();
  // Where each field of the format ends: version 4, type 8, group 9, mask 13, mass 17,
  // friction 21, restitution 25, dampings 29 and 33, velocity 45, rows 57 69 81, origin 93.
  for (std::size_t cut : {0u, 2u, 4u, 8u, 9u, 13u, 17u, 21u, 25u, 29u, 33u, 40u, 45u, 57u, 81u, 92u}) {
    properties_scene s;
    host::part_shape& part = s.part("Body");
    properties_scene::put(part, physplug_modify_uuid, full.first(cut));
    rigidbody_properties b = body_on(part);
    const rigidbody_properties d;
    EXPECT_FALSE(b.get_properties()) << cut;
    EXPECT_EQ(b.type, cut >= 8 ? 1 : d.type) << cut;
    EXPECT_EQ(b.group_index, cut >= 9 ? 3 : d.group_index) << cut;
    EXPECT_EQ(b.group, cut >= 9 ? 8 : 2) << cut;
    EXPECT_EQ(b.mask, cut >= 13 ? 0x8001u : d.mask) << cut;
    EXPECT_EQ(b.mass, cut >= 17 ? 2.5f : d.mass) << cut;
    EXPECT_EQ(b.friction, cut >= 21 ? 0.25f : d.friction) << cut;
    EXPECT_EQ(b.restitution, cut >= 25 ? 0.5f : d.restitution) << cut;
    EXPECT_EQ(b.linear_damping, cut >= 29 ? 0.125f : d.linear_damping) << cut;
    EXPECT_EQ(b.angular_damping, cut >= 33 ? 0.375f : d.angular_damping) << cut;
    EXPECT_EQ(b.velocity, cut >= 45 ? btVector3(1, 2, 3) : d.velocity) << cut;
    // The basis is taken only whole; the origin is never reached.
    if (cut >= 81)
      expect_quarter_turn(btTransform(b.transform.getBasis(), btVector3(4, 5, 6)));
    else
      EXPECT_EQ(b.transform.getBasis(), d.transform.getBasis()) << cut;
    EXPECT_EQ(b.transform.getOrigin(), d.transform.getOrigin()) << cut;
    std::int32_t version = 7;
    int length = 0;
    ASSERT_TRUE(b.stream_cut_short(version, length)) << cut;
    EXPECT_EQ(version, cut >= 4 ? 1 : -1) << cut;
    EXPECT_EQ(length, int(cut)) << cut;
  }
  properties_scene s;
  host::part_shape& part = s.part("Body");
  properties_scene::put(part, physplug_modify_uuid, full.first(93));
  std::int32_t version = 0;
  int length = 0;
  EXPECT_FALSE(body_on(part).stream_cut_short(version, length));
}

TEST(rigidbody_properties, hostile_values_keep_their_defaults) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct hostile_case {
    const char* what;
    bytes stream;
  };
  body_fields big_group;
  big_group.group_index = 200;
  body_fields nan_mass;
  nan_mass.mass = nan;
  body_fields inf_velocity;
  inf_velocity.velocity = vec3(0, std::numeric_limits<float>::infinity(), 0);
  const hostile_case cases[] = {
      {"group index 200", version1(big_group).get()},
      {"NaN mass", version1(nan_mass).get()},
      {"infinite velocity", version1(inf_velocity).get()},
      {"zero quaternion", head(0, {}).f32(0).f32(0).f32(0).f32(0).v3(4, 5, 6).get()},
      {"NaN quaternion", head(0, {}).f32(nan).f32(0).f32(0).f32(1).v3(4, 5, 6).get()},
      {"NaN basis row", head(1, {}).v3(1, 0, 0).v3(0, nan, 0).v3(0, 0, 1).v3(4, 5, 6).get()},
  };
  for (const hostile_case& c : cases) {
    properties_scene s;
    host::part_shape& part = s.part("Body");
    properties_scene::put(part, physplug_modify_uuid, c.stream);
    rigidbody_properties b = body_on(part);
    const rigidbody_properties d;
    EXPECT_FALSE(b.get_properties()) << c.what;
    EXPECT_TRUE(b.group_index <= 15) << c.what;
    EXPECT_TRUE(std::isfinite(b.mass)) << c.what;
    EXPECT_TRUE(std::isfinite(b.velocity.length2())) << c.what;
    for (int r = 0; r < 3; ++r) EXPECT_TRUE(std::isfinite(b.transform.getBasis()[r].length2())) << c.what;
    // Everything after the refused value is still read.
    EXPECT_EQ(b.transform.getOrigin(), btVector3(4, 5, 6)) << c.what;
  }
}

TEST(rigidbody_properties, the_first_primitive_son_is_linked_and_a_missing_one_is_reported) {
  properties_scene s;
  host::part_shape& part = s.part("Body");
  properties_scene::put(part, physplug_modify_uuid, version1().get());
  s.scene().add_sphere(part, "Plain", {0, 0, 0}, {1, 1, 1});
  rigidbody_properties none = body_on(part);
  EXPECT_TRUE(none.get_properties());
  EXPECT_EQ(none.primitive, nullptr);
  EXPECT_EQ(s.messages(), std::vector<std::string>{"Can't get primitive shape. please repair."});
  EXPECT_FALSE(none.set_rigid(s.sdk(), part.sdk()));
  EXPECT_EQ(s.messages().back(), "Can't repaired primitve");
  host::sphere_shape& first = s.scene().add_sphere(part, "First", {0, 0, 0}, {1, 1, 1});
  host::sphere_shape& second = s.scene().add_sphere(part, "Second", {0, 0, 0}, {1, 1, 1});
  for (host::shape_node* p : {static_cast<host::shape_node*>(&first), static_cast<host::shape_node*>(&second)})
    properties_scene::put(*p, physplug_rigid_uuid, le_bytes().i32(0).f32(0.04f).i32(0).get());
  rigidbody_properties linked = body_on(part);
  EXPECT_TRUE(linked.set_rigid(s.sdk(), part.sdk()));
  EXPECT_EQ(linked.primitive, &first.sdk());
}
