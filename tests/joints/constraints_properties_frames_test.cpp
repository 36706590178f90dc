// constraints_properties: the joint frame taken from ball and bone joints, the joint turned so
// that its body takes a given pose (checked against the pose itself), the limits handed to the
// scene's joint, and the restore.
#include <gtest/gtest.h>

#include <cmath>

#include "joints/alternative_bone_joint.hpp"
#include "joints_scene.hpp"

using namespace joints_test;

namespace {

constexpr float pi = 3.14159265358979f;
float rad(float degrees) { return degrees * pi / 180; }

void expect_near(const sxsdk::mat4& got, const sxsdk::mat4& want, float tolerance, const std::string& what) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(got[r][c], want[r][c], tolerance) << what << " [" << r << "][" << c << "]";
}

// A dad part turned and moved, so that no frame is the world's by accident.
host::part_shape& turned_dad(properties_scene& s) {
  host::part_shape& dad = s.part("Dad");
  dad.set_transformation(sxsdk::mat4::rotate_y(rad(25)) * sxsdk::mat4::rotate_x(rad(-10)) *
                         sxsdk::mat4::translate(30, 400, -20));
  return dad;
}

}  // namespace

TEST(constraints_properties, a_ball_joint_at_100_mm_is_framed_at_0_1_m_with_the_identity_basis) {
  properties_scene s;
  host::part_shape& ball = add_ball_joint(s, s.root(), "Ball", {100, 0, 0});
  constraints_properties c = joint_on(ball);
  ASSERT_TRUE(c.set_transrate_data_and_motion());
  EXPECT_EQ(c.transform.getBasis(), btMatrix3x3::getIdentity());
  EXPECT_NEAR(c.transform.getOrigin().x(), 0.1f, 1e-7);
  EXPECT_EQ(c.transform.getOrigin().y(), 0.0f);
  EXPECT_EQ(c.joint_rotation, sxsdk::quaternion_class());
  EXPECT_TRUE(c.framed);
}

TEST(constraints_properties, a_bone_joint_is_framed_by_its_transformation_and_placement) {
  properties_scene s;
  host::part_shape& dad = turned_dad(s);
  host::part_shape& bone = add_bone_joint(s, dad, "Bone", {0, 50, 0});
  bone.joint().offset = {5, 0, 0};
  bone.joint().rotation = sxsdk::quaternion_class(sxsdk::mat4::rotate_z(rad(40)));
  constraints_properties c = joint_on(bone);
  ASSERT_TRUE(c.set_transrate_data_and_motion());
  EXPECT_EQ(c.joint_offset, vec3(5, 0, 0));
  EXPECT_EQ(c.joint_rotation, bone.joint().rotation);
  // Where the bone's own frame stands in the world: its axes and its origin (mm -> m).
  const sxsdk::mat4 world = bone.get_transformation() * bone.get_local_to_world_matrix();
  for (int axis = 0; axis < 3; ++axis) {
    const btVector3 image = c.transform.getBasis() * btVector3(axis == 0, axis == 1, axis == 2);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(image[k], world[axis][k], 1e-6) << axis << "," << k;
  }
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(c.transform.getOrigin()[k], world[3][k] / 1000, 1e-6);
}

TEST(constraints_properties, a_ball_joint_with_the_bone_limit_attribute_is_framed_by_its_axes) {
  properties_scene s;
  host::part_shape& ball = add_ball_joint(s, s.root(), "Ball", {0, 200, 0});
  alternative_bone_joint a;
  a.shape = &ball.sdk();
  a.set_datas();
  a.axis_x = {0, 1, 0};  // the joint's X is the world's Y, its Y the world's -X
  a.axis_y = {-1, 0, 0};
  sxsdk::host_ref<sxsdk::stream_interface> stream(ball.sdk().get_attribute_stream(alternative_bone_joint_uuid));
  ASSERT_FALSE(a.up_load(*stream, ball.sdk()));
  constraints_properties c = joint_on(ball);
  ASSERT_TRUE(c.set_transrate_data_and_motion());
  const btVector3 x = c.transform.getBasis() * btVector3(1, 0, 0);
  const btVector3 y = c.transform.getBasis() * btVector3(0, 1, 0);
  EXPECT_EQ(x, btVector3(0, 1, 0));
  EXPECT_EQ(y, btVector3(-1, 0, 0));
  EXPECT_NEAR(c.transform.getOrigin().y(), 0.2f, 1e-7);
}

TEST(constraints_properties, a_shape_that_is_no_ball_or_bone_joint_is_neither_framed_nor_limited) {
  properties_scene s;
  host::part_shape& rotator = s.scene().add_part(s.root(), "Rotator", sxsdk::part_type::rotator_joint);
  constraints_properties c = joint_on(rotator);
  c.transform.setOrigin(btVector3(1, 2, 3));
  EXPECT_FALSE(c.set_transrate_data_and_motion());
  EXPECT_FALSE(c.adjust_limits());
  EXPECT_FALSE(c.restore_joint());
  EXPECT_EQ(c.transform.getOrigin(), btVector3(1, 2, 3));
  EXPECT_FALSE(c.framed);
  c.rigid1 = &s.part("Body").sdk();
  EXPECT_TRUE(c.calculate_base_mat());
  EXPECT_TRUE(c.rotate_constraints_joint(sxsdk::mat4::translate(5, 5, 5)));
  constraints_properties no_body = joint_on(rotator);
  EXPECT_FALSE(no_body.calculate_base_mat());
  EXPECT_FALSE(no_body.rotate_constraints_joint(sxsdk::mat4()));
}

// Turning the body by R about the joint's centre and handing that pose over must bring the
// scene's body to exactly that pose: the joint's new rotation is whatever makes it so.
TEST(constraints_properties, the_joint_turns_so_that_its_body_takes_the_pose_handed_over) {
  struct pose_case {
    const char* what;
    int part_type;
    float start_degrees;  // the joint's own rotation when the frame is taken (about Z)
    sxsdk::mat4 turn;     // R, about the joint centre in the world
  };
  const pose_case cases[] = {
      {"ball, at rest, 30 degrees about Z", sxsdk::part_type::ball_joint, 0, sxsdk::mat4::rotate_z(rad(30))},
      {"ball, turned, about X then Y", sxsdk::part_type::ball_joint, 20,
       sxsdk::mat4::rotate_x(rad(-35)) * sxsdk::mat4::rotate_y(rad(50))},
      {"bone, turned, about Y then Z", sxsdk::part_type::bone_joint, -15,
       sxsdk::mat4::rotate_y(rad(70)) * sxsdk::mat4::rotate_z(rad(-20))},
  };
  for (const pose_case& k : cases) {
    properties_scene s;
    host::part_shape& dad = turned_dad(s);
    host::part_shape& joint = s.scene().add_part(dad, "Joint", k.part_type);
    joint.joint().position = {10, -20, 30};
    joint.joint().rotation = sxsdk::quaternion_class(sxsdk::mat4::rotate_z(rad(k.start_degrees)));
    host::part_shape& body = add_body(s, joint, "Body", sxsdk::mat4::translate(10, -320, 30));
    constraints_properties c = joint_on(joint);
    c.rigid1 = &body.sdk();
    ASSERT_TRUE(c.set_transrate_data_and_motion()) << k.what;
    ASSERT_TRUE(c.calculate_base_mat()) << k.what;

    const sxsdk::mat4 start = body.get_local_to_world_matrix();
    ASSERT_TRUE(c.rotate_constraints_joint(start)) << k.what;
    expect_near(body.get_local_to_world_matrix(), start, 1e-3f, std::string(k.what) + ", same pose");

    const vec3 centre =
        vec3(c.transform.getOrigin().x(), c.transform.getOrigin().y(), c.transform.getOrigin().z()) * 1000.0f;
    const sxsdk::mat4 want = start * sxsdk::mat4::translate(-centre) * k.turn * sxsdk::mat4::translate(centre);
    ASSERT_TRUE(c.rotate_constraints_joint(want)) << k.what;
    expect_near(body.get_local_to_world_matrix(), want, 2e-3f, k.what);
  }
}

TEST(constraints_properties, restore_puts_the_joint_back_bit_for_bit) {
  properties_scene s;
  host::part_shape& joint = add_ball_joint(s, turned_dad(s), "Joint", {1, 2, 3});
  joint.joint().offset = {0.1f, 0.2f, 0.3f};
  joint.joint().rotation = sxsdk::quaternion_class(0.9f, 0.1f, 0.3f, -0.2f).normalized();
  const host::joint_state before = joint.joint();
  constraints_properties c = joint_on(joint);
  ASSERT_TRUE(c.set_transrate_data_and_motion());
  joint.joint().rotation = sxsdk::quaternion_class(sxsdk::mat4::rotate_x(1.0f));
  joint.joint().offset = {7, 7, 7};
  ASSERT_TRUE(c.restore_joint());
  EXPECT_EQ(joint.joint().rotation, before.rotation);
  EXPECT_EQ(joint.joint().offset, before.offset);
  // A record that never took a frame leaves the joint alone.
  joint.joint().offset = {7, 7, 7};
  constraints_properties unframed = joint_on(joint);
  EXPECT_FALSE(unframed.restore_joint());
  EXPECT_EQ(joint.joint().offset, vec3(7, 7, 7));
}

TEST(constraints_properties, adjust_limits_hands_6dof_ranges_in_half_turns_and_cone_spans_to_a_bone_joint) {
  using range = sx::vec<float, 2>;
  struct limits_case {
    const char* what;
    std::int32_t type;
    btVector3 lower, upper;
    bool enabled;
    range want[3];
    btVector3 stored_upper;
  };
  const limits_case cases[] = {
      {"6Dof, third axis inverted",
       constraints_datas::six_dof,
       {-90, -45, 10},
       {90, 45, 0},
       true,
       {{-0.5f, 0.5f}, {-0.25f, 0.25f}, {-1, 1}},
       {90, 45, 0}},
      {"6Dof, every axis inverted",
       constraints_datas::six_dof,
       {10, 10, 10},
       {0, 0, 0},
       false,
       {{-1, 1}, {-1, 1}, {-1, 1}},
       {0, 0, 0}},
      {"ConeTwist, spans in degrees",
       constraints_datas::cone_twist,
       {0, 0, 0},
       {-30, 20, -10},
       true,
       {{-30, 30}, {-20, 20}, {-10, 10}},
       {30, 20, 10}},
  };
  for (const limits_case& k : cases) {
    properties_scene s;
    host::part_shape& bone = add_bone_joint(s, s.root(), "Bone");
    constraints_properties c = joint_on(bone);
    c.type = k.type;
    c.angular_lower_limit = k.lower;
    c.angular_upper_limit = k.upper;
    ASSERT_TRUE(c.adjust_limits()) << k.what;
    EXPECT_EQ(bone.joint().limit_enabled, k.enabled) << k.what;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bone.joint().limits[i], k.want[i]) << k.what << " axis " << i;
    EXPECT_EQ(c.angular_upper_limit, k.stored_upper) << k.what;
  }
}

TEST(constraints_properties, adjust_limits_writes_a_ball_joints_ranges_into_its_bone_limit_attribute) {
  properties_scene s;
  host::part_shape& ball = add_ball_joint(s, s.root(), "Ball");
  constraints_properties c = joint_on(ball);
  c.angular_lower_limit.setValue(-30, 20, -45);
  c.angular_upper_limit.setValue(30, 10, 45);
  ASSERT_TRUE(c.adjust_limits());
  EXPECT_EQ(ball.find_stream(alternative_bone_joint_uuid), nullptr);  // nothing without the attribute
  alternative_bone_joint a;
  a.shape = &ball.sdk();
  a.set_datas();
  ASSERT_TRUE(c.adjust_limits());
  alternative_bone_joint back;
  back.shape = &ball.sdk();
  back.set_datas();
  EXPECT_EQ(back.limit_x, vec3(-30, 0, 30));
  EXPECT_EQ(back.limit_y, vec3(-180, 0, 180));  // inverted: the axis opened fully
  EXPECT_EQ(back.limit_z, vec3(-45, 0, 45));
}
