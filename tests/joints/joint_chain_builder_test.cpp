// joint_chain_builder: a chain of bone or ball joints becomes bodies, primitives and joints
// layer by layer, through its scripted dialog.
#include <gtest/gtest.h>

#include <cmath>

#include "joints/joint_chain_builder.hpp"
#include "joints_scene.hpp"
#include "properties/shape_roles.hpp"

using namespace joints_test;

namespace {

// root { Anchor (rigid body), Bone 0 { Bone 1 { Bone 2 ... } } }: bone joints `gap` mm apart
// down the Y axis, each placed at its dad's position (bone positions are given in the dad's
// frame, which for a bone starts at its own position).
struct bone_chain {
  properties_scene s;
  host::part_shape& anchor = add_body(s, s.root(), "Anchor", sxsdk::mat4::translate(0, 1000, 0));
  std::vector<host::part_shape*> bones;

  bone_chain(int count, float gap = 100, int part_type = sxsdk::part_type::bone_joint) {
    host::shape_node* dad = &s.root();
    for (int k = 0; k < count; ++k) {
      host::part_shape& joint = s.scene().add_part(*dad, "Bone " + std::to_string(k), part_type);
      const bool ball = part_type == sxsdk::part_type::ball_joint;
      joint.joint().position = ball ? vec3{0, 1000 - k * gap, 0} : (k == 0 ? vec3{0, 1000, 0} : vec3{0, -gap, 0});
      bones.push_back(&joint);
      dad = &joint;
    }
  }
  bool build() { return joint_chain_builder::create_bullet_constraints_or_rigidbody(&s.sdk(), bones[0]->sdk()); }
  /// The body the builder made for layer k: the elder brother of joint k + 1.
  host::shape_node* body(int k) {
    host::shape_node* found = nullptr;
    for (host::shape_node* son : bones[static_cast<std::size_t>(k)]->sons()) {
      if (son == bones[static_cast<std::size_t>(k) + 1]) break;
      if (is_bullet_rigidbody(son->sdk())) found = son;
    }
    return found;
  }
  static rigidbody_properties body_record(host::shape_node& part) {
    rigidbody_properties b;
    b.shape = &part.sdk();
    EXPECT_TRUE(b.get_properties());
    return b;
  }
};

}  // namespace

TEST(joint_chain_builder, a_chain_of_two_joints_gets_one_body_midway_and_one_joint_without_asking_layers) {
  bone_chain c(2);
  ASSERT_TRUE(c.build());
  const host::dialog_record& d = c.s.script().shown().back();
  EXPECT_EQ(d.title, "Setting Bullet Constraints Joint");
  EXPECT_EQ(d.items.front().label, "Target");  // no "Layer Number" for one layer
  host::shape_node* body = c.body(0);
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->name(), "Bone 0RigidBody");
  // Midway between the two joints (world 1000 and 900 mm), its X along the link (down).
  const sxsdk::mat4 m = body->sdk().get_local_to_world_matrix();
  EXPECT_NEAR(m[3][1], 950, 1e-3);
  EXPECT_NEAR(m[0][1], -1, 1e-6);
  const rigidbody_properties b = bone_chain::body_record(*body);
  EXPECT_EQ(b.type, rigidbody_datas::move);
  EXPECT_EQ(b.mass, 1.0f);
  primitive_properties p;
  p.shape = b.primitive;
  ASSERT_TRUE(p.get_properties());
  EXPECT_EQ(p.type, collisionshape_datas::capsule);  // the dialog offers the capsule first
  EXPECT_EQ(p.direction, 1);
  EXPECT_NEAR(p.size[0], 0.02f, 1e-5);  // a fifth of 100 mm
  EXPECT_NEAR(p.size[1], 0.1f, 1e-5);   // the length
  constraints_properties j = joint_on(*c.bones[0]);
  ASSERT_TRUE(j.get_properties());
  EXPECT_EQ(j.rigid1, &body->sdk());
  EXPECT_EQ(j.rigid0, &c.anchor.sdk());  // the rigid body standing before the first joint
  EXPECT_FALSE(is_bullet_constraints_joint(c.bones[1]->sdk()));
}

TEST(joint_chain_builder, layer_number_2_of_five_joints_ties_each_body_to_the_one_above) {
  bone_chain c(5);
  c.s.script().push(host::dialog_answer::ok().set("Layer Number", 2));
  ASSERT_TRUE(c.build());
  ASSERT_NE(c.body(0), nullptr);
  ASSERT_NE(c.body(1), nullptr);
  EXPECT_EQ(c.body(2), nullptr);
  constraints_properties second = joint_on(*c.bones[1]);
  ASSERT_TRUE(second.get_properties());
  EXPECT_EQ(second.rigid0, &c.body(0)->sdk());
  EXPECT_EQ(second.rigid1, &c.body(1)->sdk());
  EXPECT_FALSE(is_bullet_constraints_joint(c.bones[2]->sdk()));
}

TEST(joint_chain_builder, the_dialog_settings_go_to_every_body_and_joint) {
  struct settings_case {
    const char* what;
    host::dialog_answer answer;
    std::int32_t body_type;
    float mass;
    bool joints;
    std::uint32_t mask;
  };
  const settings_case cases[] = {
      {"target Rigid", host::dialog_answer::ok().set("Target", "Rigid").set("Mass", 3.0), rigidbody_datas::kinematic,
       0.0f, false, 1u << 1},
      {"Constraints with mass 0", host::dialog_answer::ok().set("Mass", 0.0), rigidbody_datas::move, 1.0f, true,
       1u << 1},
      {"group 3, boxes 0 and F", host::dialog_answer::ok().set("Group Index", 3).set("0", true).set("F", true),
       rigidbody_datas::move, 1.0f, true, (1u << 3) | 1u | (1u << 15)},
  };
  for (const settings_case& k : cases) {
    bone_chain c(3);
    c.s.script().push(k.answer);
    ASSERT_TRUE(c.build()) << k.what;
    for (int layer = 0; layer < 2; ++layer) {
      ASSERT_NE(c.body(layer), nullptr) << k.what;
      const rigidbody_properties b = bone_chain::body_record(*c.body(layer));
      EXPECT_EQ(b.type, k.body_type) << k.what;
      EXPECT_EQ(b.mass, k.mass) << k.what;
      EXPECT_EQ(b.mask, k.mask) << k.what;
      EXPECT_EQ(is_bullet_constraints_joint(c.bones[static_cast<std::size_t>(layer)]->sdk()), k.joints) << k.what;
    }
  }
}

TEST(joint_chain_builder, a_refused_or_cancelled_dialog_builds_nothing) {
  struct refusal_case {
    host::dialog_answer answer;
    const char* message;
  };
  const refusal_case cases[] = {{host::dialog_answer::ok().set("Layer Number", 4), "Bad Layer number"},
                                {host::dialog_answer::cancel(), "Terminated"},
                                {host::dialog_answer::ok().set("Layer Number", 0), nullptr}};
  for (const refusal_case& k : cases) {
    bone_chain c(3);
    const int shapes = c.s.scene().shape_count();
    c.s.script().push(k.answer);
    EXPECT_FALSE(c.build());
    EXPECT_EQ(c.s.scene().shape_count(), shapes);
    if (k.message) {
      EXPECT_EQ(c.s.messages(), (std::vector<std::string>{k.message}));
    }
  }
  properties_scene s;
  host::part_shape& lonely = add_bone_joint(s, s.root(), "Lonely");
  EXPECT_FALSE(joint_chain_builder::create_bullet_constraints_or_rigidbody(&s.sdk(), lonely.sdk()));
  EXPECT_TRUE(s.script().shown().empty());
}

TEST(joint_chain_builder, the_limits_of_the_first_bone_are_offered_in_degrees) {
  bone_chain c(2);
  c.bones[0]->joint().limits[0] = {-0.25f, 0.5f};
  ASSERT_TRUE(c.build());
  const host::dialog_record& d = c.s.script().shown().back();
  EXPECT_EQ(d.items[2].label, "Rotation Upper Factor");
  EXPECT_EQ(d.items[2].shown_value, host::dialog_value(vec3(90, 180, 180)));
  EXPECT_EQ(d.items[3].shown_value, host::dialog_value(vec3(-45, -180, -180)));
}

TEST(joint_chain_builder, a_chain_of_10000_ball_joints_is_walked_without_recursion) {
  bone_chain c(10000, 1, sxsdk::part_type::ball_joint);
  std::vector<sxsdk::shape_class*> chain;
  joint_chain_builder::get_shapes_layer(c.bones[0]->sdk(), chain);
  EXPECT_EQ(chain.size(), 10000u);
  EXPECT_EQ(chain.back(), &c.bones.back()->sdk());
}
