// constraints_properties::modify_bullet_constraints through scripted dialogs.
#include <gtest/gtest.h>

#include "joints_scene.hpp"

using namespace joints_test;

namespace {

// root { Anchor (rigid body), Plain part, Joint (ball joint) { Bob/1 (rigid body), Bob 2 }, After }
struct joint_scene {
  properties_scene s;
  host::part_shape& anchor = add_body(s, s.root(), "Anchor");
  host::part_shape& plain = s.part("Plain part");
  host::part_shape& joint = add_ball_joint(s, s.root(), "Joint", {0, 100, 0});
  host::part_shape& bob = add_body(s, joint, "Bob/1");
  host::part_shape& bob2 = add_body(s, joint, "Bob 2");
  host::part_shape& after = add_body(s, s.root(), "After");
};

const host::dialog_record& last_dialog(properties_scene& s) { return s.script().shown().back(); }

constraints_properties stored(host::part_shape& joint) {
  constraints_properties c = joint_on(joint);
  EXPECT_TRUE(c.get_properties());
  return c;
}

}  // namespace

TEST(constraints_properties, the_dialog_shows_its_13_items_in_order_with_the_body_candidates) {
  joint_scene t;
  constraints_properties c = joint_on(t.joint);
  ASSERT_TRUE(c.modify_bullet_constraints(&t.s.sdk()));
  const host::dialog_record& d = last_dialog(t.s);
  EXPECT_EQ(d.title, "Modify Bullet Joint");
  const char* labels[] = {"Delete Constraints",
                          "Rigid0",
                          "Rigid1",
                          "Type",
                          "Rotation Upper Factor",
                          "Rotation Lower Factor",
                          "Spring Rotation Factor",
                          "Spring Translation Factor",
                          "Damping Rotation Factor",
                          "Damping Translation Factor",
                          "Cone Softness",
                          "Cone BiasFactor",
                          "Cone Relaxation"};
  const char* units[] = {"", "", "", "", "Degree", "Degree", "0~", "0~", "0~1", "0~1", "0~1", "0~1", "0~1"};
  ASSERT_EQ(d.items.size(), 13u);
  for (std::size_t k = 0; k < 13; ++k) {
    EXPECT_EQ(d.items[k].label, labels[k]) << k;
    EXPECT_EQ(d.items[k].unit, units[k]) << k;
  }
  // Only the rigid bodies before the joint, and only its own rigid-body sons ("/" shown as "_").
  EXPECT_EQ(d.items[1].choices, (std::vector<std::string>{"Anchor"}));
  EXPECT_EQ(d.items[2].choices, (std::vector<std::string>{"Bob_1", "Bob 2"}));
  EXPECT_EQ(d.items[3].choices, (std::vector<std::string>{"6Dof", "6DofSpring", "ConeTwist"}));
  EXPECT_EQ(d.items[10].shown_value, host::dialog_value(1.0f));
  EXPECT_EQ(d.items[11].shown_value, host::dialog_value(0.3f));
  EXPECT_TRUE(t.s.messages().empty());

  const constraints_properties back = stored(t.joint);
  EXPECT_EQ(back.rigid0, &t.anchor.sdk());
  EXPECT_EQ(back.rigid1, &t.bob.sdk());
}

TEST(constraints_properties, the_chosen_body_and_settings_are_stored_with_the_joint_frame) {
  joint_scene t;
  t.s.script().push(host::dialog_answer::ok()
                        .set("Rigid1", 1)
                        .set("Type", "6DofSpring")
                        .set("Rotation Upper Factor", vec3(30, 20, 10))
                        .set("Rotation Lower Factor", vec3(-30, -20, -10))
                        .set("Spring Rotation Factor", vec3(4, 5, 6))
                        .set("Damping Translation Factor", vec3(0.5f, 0.5f, 0.5f)));
  constraints_properties c = joint_on(t.joint);
  ASSERT_TRUE(c.modify_bullet_constraints(&t.s.sdk()));
  const constraints_properties back = stored(t.joint);
  EXPECT_EQ(back.rigid1, &t.bob2.sdk());
  EXPECT_EQ(back.type, constraints_datas::six_dof_spring);
  EXPECT_EQ(back.angular_upper_limit, btVector3(30, 20, 10));
  EXPECT_EQ(back.angular_lower_limit, btVector3(-30, -20, -10));
  EXPECT_EQ(back.angular_stiffness, btVector3(4, 5, 6));
  EXPECT_EQ(back.linear_damping, btVector3(0.5f, 0.5f, 0.5f));
  EXPECT_EQ(back.linear_upper_limit, btVector3(0, 0, 0));  // not edited here
  // The frame was taken: the ball joint's centre, in metres.
  EXPECT_TRUE(c.framed);
  EXPECT_EQ(c.transform.getOrigin(), btVector3(0, 0.1f, 0));
}

TEST(constraints_properties, cone_values_are_kept_in_the_rotation_spring_and_shown_back_as_such) {
  joint_scene t;
  t.s.script().push(host::dialog_answer::ok()
                        .set("Type", "ConeTwist")
                        .set("Rotation Upper Factor", vec3(-30, 20, -10))
                        .set("Cone Softness", 0.75f)
                        .set("Cone BiasFactor", 0.5f)
                        .set("Cone Relaxation", 0.25f));
  constraints_properties c = joint_on(t.joint);
  ASSERT_TRUE(c.modify_bullet_constraints(&t.s.sdk()));
  constraints_properties back = stored(t.joint);
  EXPECT_EQ(back.angular_stiffness, btVector3(0.75f, 0.5f, 0.25f));
  EXPECT_EQ(back.angular_upper_limit, btVector3(30, 20, 10));  // cone spans made non-negative

  // Opened again: the cone values are shown as the cone's; switched to 6DofSpring the same
  // three numbers come back as "Spring Rotation Factor".
  t.s.script().push(host::dialog_answer::ok().set("Type", "6DofSpring"));
  ASSERT_TRUE(back.modify_bullet_constraints(&t.s.sdk()));
  EXPECT_EQ(last_dialog(t.s).items[10].shown_value, host::dialog_value(0.75f));
  EXPECT_EQ(last_dialog(t.s).items[6].shown_value, host::dialog_value(vec3(0.75f, 0.5f, 0.25f)));
  EXPECT_EQ(stored(t.joint).angular_stiffness, btVector3(0.75f, 0.5f, 0.25f));
  EXPECT_EQ(stored(t.joint).type, constraints_datas::six_dof_spring);
}

TEST(constraints_properties, cancel_says_terminated_and_delete_removes_only_the_stream) {
  joint_scene t;
  constraints_properties c = joint_on(t.joint);
  ASSERT_TRUE(c.modify_bullet_constraints(&t.s.sdk()));
  const bytes before = properties_scene::stream_bytes(t.joint, physplug_modify_uuid);

  t.s.script().push(host::dialog_answer::cancel());
  constraints_properties cancelled = stored(t.joint);
  EXPECT_FALSE(cancelled.modify_bullet_constraints(&t.s.sdk()));
  EXPECT_EQ(t.s.messages(), (std::vector<std::string>{"Terminated"}));
  EXPECT_EQ(properties_scene::stream_bytes(t.joint, physplug_modify_uuid), before);

  t.s.script().push(host::dialog_answer::ok().set("Delete Constraints", true).set("Type", 2));
  constraints_properties removed = stored(t.joint);
  EXPECT_TRUE(removed.modify_bullet_constraints(&t.s.sdk()));
  EXPECT_EQ(t.joint.find_stream(physplug_modify_uuid), nullptr);
  EXPECT_EQ(removed.type, constraints_datas::six_dof);
  EXPECT_EQ(links_of(t.joint).size(), 2u);
}

TEST(constraints_properties, a_joint_without_bodies_around_it_offers_none_and_says_no_rigidbody) {
  properties_scene s;
  host::part_shape& joint = add_ball_joint(s, s.root(), "Lonely");
  constraints_properties c = joint_on(joint);
  ASSERT_TRUE(c.modify_bullet_constraints(&s.sdk()));
  EXPECT_EQ(s.messages(), (std::vector<std::string>{"No RigidBody"}));
  const host::dialog_record& d = last_dialog(s);
  ASSERT_EQ(d.items.size(), 11u);
  EXPECT_EQ(d.items[1].label, "Type");
  const constraints_properties back = stored(joint);
  EXPECT_EQ(back.rigid0, nullptr);
  EXPECT_EQ(back.rigid1, nullptr);
  constraints_properties no_shape;
  EXPECT_FALSE(no_shape.modify_bullet_constraints(&s.sdk()));
}
