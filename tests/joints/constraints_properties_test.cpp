// constraints_properties: the 104-byte version 2 stream from its format table, versions 0 and 1
// read and rewritten as version 2, the links to the two bodies, short and hostile streams.
#include <gtest/gtest.h>

#include <limits>

#include "joints_scene.hpp"

using namespace joints_test;

namespace {

// root { Before (rigid body), Joint (ball joint) { Below (rigid body) } }
struct two_bodies {
  properties_scene s;
  host::part_shape& before = add_body(s, s.root(), "Before");
  host::part_shape& joint = add_ball_joint(s, s.root(), "Joint");
  host::part_shape& below = add_body(s, joint, "Below");
};

btVector3 bt(const vec3& v) { return {v.x, v.y, v.z}; }

void expect_vectors(const constraints_properties& c, const joint_vectors& v, const std::string& what) {
  EXPECT_EQ(c.linear_lower_limit, bt(v.linear_lower)) << what;
  EXPECT_EQ(c.linear_upper_limit, bt(v.linear_upper)) << what;
  EXPECT_EQ(c.angular_lower_limit, bt(v.angular_lower)) << what;
  EXPECT_EQ(c.angular_upper_limit, bt(v.angular_upper)) << what;
  EXPECT_EQ(c.linear_stiffness, bt(v.linear_stiffness)) << what;
  EXPECT_EQ(c.angular_stiffness, bt(v.angular_stiffness)) << what;
  EXPECT_EQ(c.angular_damping, bt(v.angular_damping)) << what;
  EXPECT_EQ(c.linear_damping, bt(v.linear_damping)) << what;
}

}  // namespace

TEST(constraints_properties, regist_writes_the_104_bytes_of_the_format_table_and_links_rigid1_first) {
  two_bodies t;
  const joint_vectors v;
  constraints_properties c = joint_on(t.joint);
  c.type = constraints_datas::six_dof_spring;
  c.rigid0 = &t.before.sdk();
  c.rigid1 = &t.below.sdk();
  c.linear_lower_limit = bt(v.linear_lower);
  c.linear_upper_limit = bt(v.linear_upper);
  c.angular_lower_limit = bt(v.angular_lower);
  c.angular_upper_limit = bt(v.angular_upper);
  c.linear_stiffness = bt(v.linear_stiffness);
  c.angular_stiffness = bt(v.angular_stiffness);
  c.angular_damping = bt(v.angular_damping);
  c.linear_damping = bt(v.linear_damping);
  ASSERT_TRUE(c.regist());
  const bytes want = joint_stream(2, 2 + 4 * 1, v).get();
  EXPECT_EQ(want.size(), 104u);
  EXPECT_EQ(properties_scene::stream_bytes(t.joint, physplug_modify_uuid), want);
  EXPECT_EQ(properties_scene::stream_label(t.joint, physplug_modify_uuid), "Constraints");
  EXPECT_EQ(links_of(t.joint), (std::vector<sxsdk::shape_class*>{&t.below.sdk(), &t.before.sdk()}));

  // Stored again with one body: the old links go, nothing is appended to the stream.
  c.rigid0 = nullptr;
  ASSERT_TRUE(c.regist());
  EXPECT_EQ(properties_scene::stream_bytes(t.joint, physplug_modify_uuid), want);
  EXPECT_EQ(links_of(t.joint), (std::vector<sxsdk::shape_class*>{&t.below.sdk()}));
}

TEST(constraints_properties, old_versions_are_read_with_their_bodies_and_rewritten_as_version_2) {
  struct version_case {
    const char* what;
    std::int32_t version, flags;
    int bodies;  // body references following the vectors: 0, 1 (rigid1) or 2 (rigid1, rigid0)
    std::int32_t type;
    bool damping_zero;
  };
  const version_case cases[] = {
      {"version 0, 6DofSpring, two bodies", 0, 6, 2, 1, true},
      {"version 0, ConeTwist, no body", 0, 8, 0, 2, true},
      {"version 1, 6Dof, rigid1 only", 1, 1, 1, 0, false},
      {"version 1, ConeTwist, count 3 reads two", 1, 11, 2, 2, false},
  };
  for (const version_case& k : cases) {
    two_bodies t;
    const joint_vectors v;
    le_bytes old = joint_stream(k.version, k.flags, v);
    if (k.bodies >= 1) old.i32(t.below.index());
    if (k.bodies >= 2) old.i32(t.before.index());
    properties_scene::put(t.joint, physplug_modify_uuid, old.get());
    constraints_properties c = joint_on(t.joint);
    ASSERT_TRUE(c.get_properties()) << k.what;
    joint_vectors want = v;
    if (k.damping_zero) want.angular_damping = want.linear_damping = vec3{0, 0, 0};
    EXPECT_EQ(c.type, k.type) << k.what;
    expect_vectors(c, want, k.what);
    EXPECT_EQ(c.rigid1, k.bodies >= 1 ? &t.below.sdk() : nullptr) << k.what;
    EXPECT_EQ(c.rigid0, k.bodies >= 2 ? &t.before.sdk() : nullptr) << k.what;
    // Rewritten: version 2, flags 2 | type << 2, the bodies as links (rigid1 first).
    EXPECT_EQ(properties_scene::stream_bytes(t.joint, physplug_modify_uuid),
              joint_stream(2, 2 | (k.type << 2), want).get())
        << k.what;
    std::vector<sxsdk::shape_class*> links;
    if (k.bodies >= 1) links.push_back(&t.below.sdk());
    if (k.bodies >= 2) links.push_back(&t.before.sdk());
    EXPECT_EQ(links_of(t.joint), links) << k.what;
  }
}

TEST(constraints_properties, version_2_takes_the_type_from_bits_2_and_3_and_the_bodies_from_the_links) {
  two_bodies t;
  host::part_shape& second_below = add_body(t.s, t.joint, "Second below");
  properties_scene::put(t.joint, physplug_modify_uuid, joint_stream(2, 2 + 4 * 2).get());
  // Host link order: below, before, second below. Both sons have an index above the joint's:
  // the later one is rigid1; the brother before the joint is rigid0.
  t.joint.sdk().add_link(physplug_modify_uuid, t.below.sdk());
  t.joint.sdk().add_link(physplug_modify_uuid, t.before.sdk());
  t.joint.sdk().add_link(physplug_modify_uuid, second_below.sdk());
  const bytes stored = properties_scene::stream_bytes(t.joint, physplug_modify_uuid);
  constraints_properties c = joint_on(t.joint);
  ASSERT_TRUE(c.get_properties());
  EXPECT_EQ(c.type, constraints_datas::cone_twist);
  EXPECT_EQ(c.rigid1, &second_below.sdk());
  EXPECT_EQ(c.rigid0, &t.before.sdk());
  EXPECT_EQ(properties_scene::stream_bytes(t.joint, physplug_modify_uuid), stored);  // nothing written back
  EXPECT_EQ(links_of(t.joint).size(), 3u);

  // An unknown version number is read as version 2.
  properties_scene::put(t.joint, physplug_modify_uuid, joint_stream(7, 2 + 4).get());
  constraints_properties seven = joint_on(t.joint);
  ASSERT_TRUE(seven.get_properties());
  EXPECT_EQ(seven.type, constraints_datas::six_dof_spring);
  expect_vectors(seven, joint_vectors{}, "version 7");
}

TEST(constraints_properties, short_and_hostile_streams_are_refused_and_never_rewritten) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  joint_vectors with_nan;
  with_nan.angular_upper.y = nan;
  struct hostile_case {
    const char* what;
    bytes stream;
  };
  std::vector<hostile_case> cases = {
      {"empty", {}},
      {"version only", joint_stream(2, 2).first(4)},
      {"version 2 cut in its last vector", joint_stream(2, 2).first(103)},
      {"version 2 with a NaN limit", joint_stream(2, 2, with_nan).get()},
      {"version 1 without its body reference", joint_stream(1, 1).get()},
      {"version 1 with half a second reference", joint_stream(1, 2).i32(2).get()},
      {"version 0 cut in its vectors", joint_stream(0, 0).first(50)},
      {"version 0 with a NaN limit", joint_stream(0, 0, with_nan).get()},
  };
  for (std::size_t cut = 0; cut < 104; cut += 13) cases.push_back({"version 2 cut", joint_stream(2, 6).first(cut)});
  for (const hostile_case& k : cases) {
    two_bodies t;
    properties_scene::put(t.joint, physplug_modify_uuid, k.stream);
    constraints_properties c = joint_on(t.joint);
    EXPECT_FALSE(c.get_properties()) << k.what << " (" << k.stream.size() << " bytes)";
    EXPECT_EQ(properties_scene::stream_bytes(t.joint, physplug_modify_uuid), k.stream) << k.what;
    EXPECT_TRUE(links_of(t.joint).empty()) << k.what;
    // A refused NaN leaves the record's value in place.
    EXPECT_FALSE(std::isnan(c.angular_upper_limit.y())) << k.what;
  }
}

TEST(constraints_properties, a_body_reference_out_of_the_scene_reads_as_none) {
  two_bodies t;
  properties_scene::put(t.joint, physplug_modify_uuid, joint_stream(1, 2).i32(t.below.index()).i32(99999).get());
  constraints_properties c = joint_on(t.joint);
  ASSERT_TRUE(c.get_properties());
  EXPECT_EQ(c.rigid1, &t.below.sdk());
  EXPECT_EQ(c.rigid0, nullptr);
  EXPECT_EQ(links_of(t.joint), (std::vector<sxsdk::shape_class*>{&t.below.sdk()}));
}

TEST(constraints_properties, an_old_stream_naming_one_body_twice_is_read_but_not_rewritten) {
  two_bodies t;
  const bytes old = joint_stream(1, 2).i32(t.below.index()).i32(t.below.index()).get();
  properties_scene::put(t.joint, physplug_modify_uuid, old);
  constraints_properties c = joint_on(t.joint);
  ASSERT_TRUE(c.get_properties());
  EXPECT_EQ(c.rigid0, &t.below.sdk());
  EXPECT_EQ(c.rigid1, &t.below.sdk());
  EXPECT_EQ(properties_scene::stream_bytes(t.joint, physplug_modify_uuid), old);
  EXPECT_TRUE(links_of(t.joint).empty());
}

TEST(constraints_properties, no_shape_or_no_stream_reads_nothing_and_keeps_the_defaults) {
  constraints_properties none;
  EXPECT_FALSE(none.get_properties());
  EXPECT_FALSE(none.regist());
  two_bodies t;
  constraints_properties c = joint_on(t.joint);
  EXPECT_FALSE(c.get_properties());
  EXPECT_EQ(c.type, constraints_datas::six_dof);
  EXPECT_EQ(c.angular_lower_limit, btVector3(-90, -90, -90));
  EXPECT_EQ(c.angular_upper_limit, btVector3(90, 90, 90));
  EXPECT_EQ(c.joint_rotation, sxsdk::quaternion_class(0, 0, 0, 0));
}
