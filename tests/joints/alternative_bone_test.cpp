// The bone-limit attribute: its 84-byte stream from the format table, the "@" label, the axis
// matrix, default ranges from the joint's rotation, clamped ranges handed to the joint.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "joints/alternative_bone_joint.hpp"
#include "joints_scene.hpp"

using namespace joints_test;

namespace {

constexpr float pi = 3.14159265358979f;

// flags | axis_x | axis_y | guide 1 | guide 2 | limit_x | limit_y | limit_z | display size
le_bytes attribute_stream(std::int32_t flags, vec3 ax, vec3 ay, vec3 lx, vec3 ly, vec3 lz) {
  le_bytes b;
  b.i32(flags).v3(ax.x, ax.y, ax.z).v3(ay.x, ay.y, ay.z).f32(12.5f).f32(0);
  for (const vec3& l : {lx, ly, lz}) b.v3(l.x, l.y, l.z);
  return b.v3(100, 100, 100);
}

alternative_bone_joint bone_on(host::shape_node& joint) {
  alternative_bone_joint b;
  b.shape = &joint.sdk();
  return b;
}

}  // namespace

TEST(alternative_bone_attribute, up_load_writes_the_84_bytes_of_the_table_labelled_at_on_a_ball_joint) {
  properties_scene s;
  host::part_shape& ball = add_ball_joint(s, s.root(), "Ball");
  host::part_shape& bone = add_bone_joint(s, s.root(), "Bone");
  alternative_bone_attribute a;
  a.flags = 0x1003f;
  a.axis_x = {0, 1, 0};
  a.axis_y = {-1, 0, 0};
  a.guide_length_1 = 12.5f;
  a.limit_x = {-30, 0, 45};
  a.limit_y = {-10, 5, 10};
  a.limit_z = {-180, 0, 180};
  for (host::part_shape* joint : {&ball, &bone}) {
    sxsdk::host_ref<sxsdk::stream_interface> stream(joint->sdk().create_attribute_stream(
        alternative_bone_joint_uuid, property_stream_id, property_stream_id, property_stream_id));
    ASSERT_FALSE(a.up_load(*stream, joint->sdk()));
  }
  const bytes want = attribute_stream(0x1003f, {0, 1, 0}, {-1, 0, 0}, {-30, 0, 45}, {-10, 5, 10}, {-180, 0, 180}).get();
  EXPECT_EQ(want.size(), 84u);
  EXPECT_EQ(properties_scene::stream_bytes(ball, alternative_bone_joint_uuid), want);
  EXPECT_EQ(properties_scene::stream_label(ball, alternative_bone_joint_uuid), "@");
  EXPECT_EQ(properties_scene::stream_bytes(bone, alternative_bone_joint_uuid), want);
  EXPECT_EQ(properties_scene::stream_label(bone, alternative_bone_joint_uuid), "");
}

TEST(alternative_bone_attribute, down_load_computes_axis_z_and_refuses_short_or_hostile_bytes) {
  properties_scene s;
  host::part_shape& ball = add_ball_joint(s, s.root(), "Ball");
  const le_bytes whole = attribute_stream(63, {1, 0, 0}, {0, 1, 0}, {-30, 0, 45}, {-1, 0, 1}, {-2, 0, 2});
  properties_scene::put(ball, alternative_bone_joint_uuid, whole.get());
  sxsdk::host_ref<sxsdk::stream_interface> stream(ball.sdk().get_attribute_stream(alternative_bone_joint_uuid));
  alternative_bone_attribute a;
  ASSERT_FALSE(a.down_load(*stream, ball.sdk()));
  EXPECT_EQ(a.axis_z, vec3(0, 0, 1));
  EXPECT_EQ(a.axis_matrix(), sxsdk::mat4());
  EXPECT_EQ(a.limit_x, vec3(-30, 0, 45));
  EXPECT_FALSE(a.guide_lines.empty());

  const float nan = std::numeric_limits<float>::quiet_NaN();
  const bytes hostile[] = {{},
                           whole.first(40),
                           whole.first(83),
                           attribute_stream(63, {nan, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}).get()};
  for (const bytes& b : hostile) {
    properties_scene::put(ball, alternative_bone_joint_uuid, b);
    sxsdk::host_ref<sxsdk::stream_interface> in(ball.sdk().get_attribute_stream(alternative_bone_joint_uuid));
    alternative_bone_attribute h;
    EXPECT_TRUE(h.down_load(*in, ball.sdk())) << b.size() << " bytes";
    EXPECT_FALSE(std::isnan(h.axis_x.x));
    EXPECT_TRUE(std::isfinite(h.axis_z.x + h.axis_z.y + h.axis_z.z));
  }
  // Axes far from unit length (found by the fuzz target) still give a finite unit axis_z.
  properties_scene::put(ball, alternative_bone_joint_uuid,
                        attribute_stream(63, {1, 0, 1.27e19f}, {2.0e34f, 1.2e33f, 0}, {}, {}, {}).get());
  sxsdk::host_ref<sxsdk::stream_interface> far(ball.sdk().get_attribute_stream(alternative_bone_joint_uuid));
  alternative_bone_attribute f;
  EXPECT_FALSE(f.down_load(*far, ball.sdk()));
  EXPECT_NEAR(f.axis_z.x * f.axis_z.x + f.axis_z.y * f.axis_z.y + f.axis_z.z * f.axis_z.z, 1.0f, 1e-5f);
}

TEST(alternative_bone_joint, a_ball_joint_without_the_attribute_gains_one_with_ranges_around_its_rotation) {
  properties_scene s;
  host::part_shape& ball = add_ball_joint(s, s.root(), "Ball");
  // Turned 20 degrees about X: the attribute counts that as -20 (its angles have the sign changed).
  ball.joint().rotation = sxsdk::quaternion_class(sxsdk::mat4::rotate_x(20 * pi / 180));
  alternative_bone_joint b = bone_on(ball);
  b.set_datas();
  EXPECT_TRUE(b.valid);
  EXPECT_EQ(properties_scene::stream_label(ball, alternative_bone_joint_uuid), "@");
  EXPECT_NEAR(b.limit_x.y, -20, 1e-3);
  EXPECT_EQ(b.limit_x.x, -180);
  EXPECT_EQ(b.limit_x.z, 180);
  EXPECT_EQ(b.limit_y, vec3(-180, 0, 180));
  EXPECT_EQ(b.limit_z, vec3(-180, 0, 180));
  EXPECT_EQ(b.axis_matrix(), sxsdk::mat4());  // identity axes leave the joint frame as it is
  alternative_bone_joint again = bone_on(ball);
  again.set_datas();
  EXPECT_EQ(again.limit_x, b.limit_x);

  // A bone joint gets no stream.
  host::part_shape& bone = add_bone_joint(s, s.root(), "Bone");
  alternative_bone_joint on_bone = bone_on(bone);
  on_bone.set_datas();
  EXPECT_FALSE(on_bone.valid);
  EXPECT_EQ(bone.find_stream(alternative_bone_joint_uuid), nullptr);
}

TEST(alternative_bone_joint, slider_limit_changed_clamps_around_the_current_value_and_hands_it_on) {
  struct clamp_case {
    vec3 given, stored;
  };
  const clamp_case cases[] = {{{-30, 0, 45}, {-30, 0, 45}}, {{10, 0, 45}, {0, 0, 45}}, {{-30, 0, -10}, {-30, 0, 0}}};
  for (const clamp_case& k : cases) {
    properties_scene s;
    host::part_shape& bone = add_bone_joint(s, s.root(), "Bone");
    alternative_bone_joint b = bone_on(bone);
    b.slider_limit_changed(1, k.given, true);
    EXPECT_EQ(b.limit_y, k.stored);
    EXPECT_TRUE(bone.joint().limit_enabled);
    EXPECT_EQ(bone.joint().limits[1], (sx::vec<float, 2>{k.stored.x / 180, k.stored.z / 180}));
    EXPECT_EQ(bone.joint().rotation, sxsdk::quaternion_class());  // the current value did not change
  }
  properties_scene s;
  host::part_shape& ball = add_ball_joint(s, s.root(), "Ball");
  alternative_bone_joint b = bone_on(ball);
  b.set_datas();
  b.slider_limit_changed(3, {-1, 0, 1}, true);  // no fourth axis
  b.slider_limit_changed(2, {-90, 90, 90}, true);
  // The joint turned to the new current value: 90 degrees about axis_z.
  const sxsdk::mat4 turned = ball.joint().rotation.get_matrix();
  const sxsdk::mat4 want = b.value_to_quaternion({0, 0, 90}).get_matrix();
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(turned[r][c], want[r][c], 1e-6);
  EXPECT_NEAR(turned[0][1], 1, 1e-6);  // +X turned toward +Y, as rotate_z(90 degrees)
  alternative_bone_joint back = bone_on(ball);
  back.set_datas();
  EXPECT_EQ(back.limit_z, vec3(-90, 90, 90));
}
