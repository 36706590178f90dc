// Keyframes of parts and joints: where a part is between its keys, and which parts take keys.
#include <gtest/gtest.h>

#include <cmath>

#include "host/player/animation_keys.hpp"
#include "host/scene/scene_fixture.hpp"
#include "sdk/math_near.hpp"

namespace {

using host_test::vec3;
using physplug_test::near;
using physplug_test::pi;
using physplug_test::same_rotation;

struct animation_keys : ::testing::Test, host_test::scene_fixture {
  host::animation_keys& keys() { return scene->keys(); }

  static host::part_key at(float frame, vec3 t, sxsdk::quaternion_class q = {}, vec3 s = {1, 1, 1}) {
    host::part_key k;
    k.frame = frame, k.translation = t, k.rotation = q, k.scale = s;
    return k;
  }
  static host::joint_key joint_at(float frame, sxsdk::quaternion_class q, vec3 offset, float value) {
    host::joint_key k;
    k.frame = frame, k.rotation = q, k.offset = offset, k.value = value;
    return k;
  }
  static sxsdk::quaternion_class about_y(float degrees) {
    return sxsdk::quaternion_class(sxsdk::mat4::rotate_y(degrees * pi / 180));
  }
};

TEST_F(animation_keys, translation_and_scale_are_linear_between_keys_and_hold_outside_them) {
  auto& box = part("root/Box");
  keys().set_part_key(box, at(10, {100, -50, 20}, {}, {3, 1, 1}));
  keys().set_part_key(box, at(0, {0, 0, 0}));  // added out of order on purpose
  struct {
    float frame;
    vec3 expected;
    float scale_x;
  } cases[] = {{2.5f, {25, -12.5f, 5}, 1.5f}, {5, {50, -25, 10}, 2},  {-3, {0, 0, 0}, 1}, {0, {0, 0, 0}, 1},
               {10, {100, -50, 20}, 3},       {40, {100, -50, 20}, 3}};
  for (const auto& c : cases) {
    keys().apply(c.frame);
    const sxsdk::mat4 m = box.own_transformation();
    EXPECT_TRUE(near(vec3(m[3][0], m[3][1], m[3][2]), c.expected, 1e-4f)) << "frame " << c.frame;
    EXPECT_NEAR(m[0][0], c.scale_x, 1e-5f) << "frame " << c.frame;
  }
}

TEST_F(animation_keys, the_midpoint_of_a_quarter_turn_is_an_eighth_turn) {
  auto& box = part("root/Box");
  keys().set_part_key(box, at(0, {}, about_y(0)));
  keys().set_part_key(box, at(10, {}, about_y(90)));
  keys().apply(5);
  EXPECT_TRUE(near(box.own_transformation(), sxsdk::mat4::rotate_y(pi / 4), 1e-5f));
  keys().apply(2.5f);  // slerp, not a normalised blend: a quarter of the way is 22.5 degrees
  EXPECT_TRUE(near(box.own_transformation(), sxsdk::mat4::rotate_y(pi / 8), 1e-5f));
}

TEST_F(animation_keys, rotation_takes_the_shorter_way_round) {
  // From +170 to -170 degrees the short way passes 180, not 0.
  auto& box = part("root/Box");
  keys().set_part_key(box, at(0, {}, about_y(170)));
  keys().set_part_key(box, at(10, {}, about_y(-170)));
  keys().apply(5);
  EXPECT_TRUE(near(box.own_transformation(), sxsdk::mat4::rotate_y(pi), 1e-5f));
}

TEST_F(animation_keys, slerp_keeps_unit_length_and_meets_its_ends) {
  const sxsdk::quaternion_class a = about_y(-30), b(sxsdk::mat4::rotate_x(1.2f) * sxsdk::mat4::rotate_z(0.4f));
  EXPECT_TRUE(same_rotation(host::slerp(a, b, 0), a, 1e-6f));
  EXPECT_TRUE(same_rotation(host::slerp(a, b, 1), b, 1e-6f));
  for (float t : {0.1f, 0.37f, 0.5f, 0.93f}) EXPECT_NEAR(host::slerp(a, b, t).norm(), 1.0f, 1e-5f) << t;
  // Nearly equal rotations must not divide by a vanishing sine.
  const sxsdk::quaternion_class c = about_y(0.001f);
  EXPECT_TRUE(same_rotation(host::slerp(c, about_y(0.002f), 0.5f), about_y(0.0015f), 1e-6f));
}

TEST_F(animation_keys, ball_and_bone_joints_take_rotation_and_offset_one_value_joints_their_value) {
  auto& ball = part("root/Ball", sxsdk::part_type::ball_joint);
  auto& bone = part("root/Bone", sxsdk::part_type::bone_joint);
  auto& rotator = part("root/Rotator", sxsdk::part_type::rotator_joint);
  for (host::part_shape* p : {&ball, &bone, &rotator}) {
    keys().set_joint_key(*p, joint_at(0, about_y(0), {0, 0, 0}, 0));
    keys().set_joint_key(*p, joint_at(4, about_y(90), {40, 0, -8}, 90));
  }
  rotator.joint().offset = {7, 7, 7};
  keys().apply(2);
  for (host::part_shape* p : {&ball, &bone}) {
    EXPECT_TRUE(same_rotation(p->joint().rotation, about_y(45), 1e-5f)) << p->name();
    EXPECT_TRUE(near(p->joint().offset, vec3(20, 0, -4), 1e-5f)) << p->name();
    EXPECT_EQ(p->joint().value, 0) << p->name();
  }
  EXPECT_FLOAT_EQ(rotator.joint().value, 45);
  EXPECT_TRUE(near(rotator.joint().offset, vec3(7, 7, 7), 0)) << "a rotator's offset is not its keys' to set";
}

TEST_F(animation_keys, a_part_takes_only_the_keys_of_its_kind) {
  auto& simple = part("root/Simple");
  auto& ball = part("root/Ball", sxsdk::part_type::ball_joint);
  auto& camera = part("root/Camera", sxsdk::part_type::camera_joint);
  EXPECT_THROW(keys().set_joint_key(simple, {}), std::logic_error);
  EXPECT_THROW(keys().set_part_key(ball, {}), std::logic_error);
  EXPECT_THROW(keys().set_joint_key(camera, {}), std::logic_error);
  EXPECT_THROW(keys().set_part_key(camera, {}), std::logic_error);
  EXPECT_TRUE(keys().empty());
}

TEST_F(animation_keys, a_key_at_a_keyed_frame_replaces_it_and_remove_key_drops_it) {
  auto& box = part("root/Box");
  keys().set_part_key(box, at(0, {1, 0, 0}));
  keys().set_part_key(box, at(0, {2, 0, 0}));
  keys().set_part_key(box, at(8, {10, 0, 0}));
  ASSERT_EQ(keys().find(box)->part_keys.size(), 2u);
  EXPECT_EQ(keys().find(box)->part_keys[0].translation.x, 2);
  EXPECT_FALSE(keys().remove_key(box, 3));
  EXPECT_TRUE(keys().remove_key(box, 8));
  EXPECT_TRUE(keys().remove_key(box, 0));
  EXPECT_EQ(keys().find(box), nullptr) << "a part without keys has no track";
}

TEST_F(animation_keys, keyed_parts_come_in_index_order_and_removed_parts_are_left_alone) {
  auto& a = part("root/A");
  auto& b = part("root/B");
  auto& c = part("root/A/C");  // index between A and B
  for (host::part_shape* p : {&b, &a, &c}) keys().set_part_key(*p, at(0, {5, 0, 0}));
  EXPECT_EQ(keys().keyed_parts(), (std::vector<host::part_shape*>{&a, &c, &b}));
  scene->remove_shape(c);
  EXPECT_EQ(keys().keyed_parts(), (std::vector<host::part_shape*>{&a, &b}));
  keys().apply(0);
  EXPECT_EQ(c.own_transformation(), sxsdk::mat4()) << "a removed part is not posed";
  EXPECT_THROW(keys().set_part_key(c, {}), std::logic_error);
}

TEST_F(animation_keys, a_key_made_from_a_matrix_gives_that_matrix_back) {
  const sxsdk::mat4 m = sxsdk::mat4::scale(2, 0.5f, 3) * sxsdk::mat4::rotate_x(0.3f) * sxsdk::mat4::rotate_z(-1.1f) *
                        sxsdk::mat4::translate(12, -40, 7);
  const host::part_key k = host::part_key::from_matrix(6, m);
  EXPECT_EQ(k.frame, 6);
  EXPECT_TRUE(near(k.matrix(), m, 1e-4f));
}

}  // namespace
