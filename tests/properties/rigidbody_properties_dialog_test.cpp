// rigidbody_properties::modify_bullet_rigidbody through scripted dialogs.
#include <gtest/gtest.h>

#include "properties/primitive_properties.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/shape_roles.hpp"
#include "properties_scene.hpp"

using namespace properties_test;

namespace {

// A stored rigid body part with a sphere primitive inside, at (100, 0, 0) mm.
host::part_shape& stored_body(properties_scene& s) {
  host::part_shape& part = s.part("Body");
  part.set_transformation(sxsdk::mat4::translate(100, 0, 0));
  part.make_current();
  primitive_properties ball;
  EXPECT_TRUE(ball.create_or_modify_sorvel_shape(s.sdk(), collisionshape_datas::sphere));
  rigidbody_properties b;
  b.shape = &part.sdk();
  b.primitive = ball.shape;
  EXPECT_TRUE(b.regist());
  return part;
}

rigidbody_properties read(host::part_shape& part) {
  rigidbody_properties b;
  b.shape = &part.sdk();
  EXPECT_TRUE(b.get_properties());
  return b;
}

}  // namespace

TEST(rigidbody_properties, the_dialog_stores_what_each_body_type_allows) {
  struct dialog_case {
    const char* what;
    host::dialog_answer answer;
    std::int32_t type;
    float mass;
    btVector3 velocity;
  };
  const dialog_case cases[] = {
      {"kinematic with mass 5",
       host::dialog_answer::ok().set("Type", "Kimanetic").set("Mass", 5.0).set("Velocity", vec3(1, 2, 3)), 1, 0.0f,
       btVector3(0, 0, 0)},
      {"static with a velocity", host::dialog_answer::ok().set("Type", 2).set("Velocity", vec3(0, 4, 0)), 2, 0.0f,
       btVector3(0, 0, 0)},
      {"move with mass 0",
       host::dialog_answer::ok().set("Type", "Move").set("Mass", 0.0).set("Velocity", vec3(0, 0, -2)), 0, 1.0f,
       btVector3(0, 0, -2)},
      {"move with mass 3", host::dialog_answer::ok().set("Mass", 3.0), 0, 3.0f, btVector3(0, 0, 0)},
  };
  for (const dialog_case& c : cases) {
    properties_scene s;
    host::part_shape& part = stored_body(s);
    s.script().push(c.answer);
    rigidbody_properties edit;
    ASSERT_TRUE(edit.modify_bullet_rigidbody(s.sdk(), &part.sdk())) << c.what;
    const rigidbody_properties back = read(part);
    EXPECT_EQ(back.type, c.type) << c.what;
    EXPECT_EQ(back.mass, c.mass) << c.what;
    EXPECT_EQ(back.velocity, c.velocity) << c.what;
  }
}

TEST(rigidbody_properties, mask_boxes_0_and_F_give_0x8001_and_the_group_index_its_label) {
  properties_scene s;
  host::part_shape& part = stored_body(s);
  s.script().push(host::dialog_answer::ok().set("Mask/0", true).set("Mask/F", true).set("Group Index", "A"));
  rigidbody_properties edit;
  ASSERT_TRUE(edit.modify_bullet_rigidbody(s.sdk(), &part.sdk()));
  const rigidbody_properties back = read(part);
  EXPECT_EQ(back.mask, 0x8001u);
  EXPECT_EQ(back.group_index, 10);
  EXPECT_EQ(back.group, 1 << 10);
  EXPECT_EQ(properties_scene::stream_label(part, physplug_modify_uuid), "10:RigidBody");
}

TEST(rigidbody_properties, a_cancelled_dialog_shows_terminated_and_writes_nothing) {
  properties_scene s;
  host::part_shape& part = stored_body(s);
  const bytes before = properties_scene::stream_bytes(part, physplug_modify_uuid);
  s.script().push_cancel();
  rigidbody_properties edit;
  EXPECT_FALSE(edit.modify_bullet_rigidbody(s.sdk(), &part.sdk()));
  EXPECT_EQ(s.messages(), std::vector<std::string>{"Terminated"});
  EXPECT_EQ(properties_scene::stream_bytes(part, physplug_modify_uuid), before);

  properties_scene fresh;
  fresh.script().push_cancel();
  rigidbody_properties none;
  EXPECT_FALSE(none.modify_bullet_rigidbody(fresh.sdk(), nullptr));
  EXPECT_EQ(fresh.scene().shape_count(), 1);
}

TEST(rigidbody_properties, a_new_body_is_a_part_with_its_primitive_inside) {
  properties_scene s;
  host::part_shape& world = s.part("World");
  world.set_transformation(sxsdk::mat4::translate(0, 500, 0));
  world.make_current();
  s.script().push(host::dialog_answer::ok()
                      .set("Primitive/Type", "Capsule")
                      .set("Primitive/X/Rudius", 0.05)
                      .set("Primitive/Y/Hight", 0.2)
                      .set("Friction", 0.75));
  rigidbody_properties made;
  ASSERT_TRUE(made.modify_bullet_rigidbody(s.sdk(), nullptr));
  ASSERT_EQ(world.sons().size(), 1u);
  host::shape_node& part = *world.sons()[0];
  EXPECT_EQ(part.name(), "RigidBody");
  EXPECT_TRUE(is_bullet_rigidbody(part.sdk()));
  ASSERT_EQ(part.sons().size(), 1u);
  host::shape_node& capsule = *part.sons()[0];
  EXPECT_EQ(capsule.name(), "Capsule");
  EXPECT_EQ(made.primitive, &capsule.sdk());
  EXPECT_EQ(properties_scene::stream_bytes(part, physplug_modify_uuid).size(), 93u);
  const rigidbody_properties back = read(static_cast<host::part_shape&>(part));
  EXPECT_EQ(back.friction, 0.75f);
  EXPECT_EQ(back.primitive, &capsule.sdk());
  // The start pose is where the part stands: half a metre up.
  EXPECT_NEAR(back.transform.getOrigin().y(), 0.5f, 1e-6f);
  primitive_properties p;
  p.shape = &capsule.sdk();
  ASSERT_TRUE(p.get_properties());
  EXPECT_EQ(p.type, collisionshape_datas::capsule);
  EXPECT_NEAR(p.size[0], 0.05f, 1e-6f);
  EXPECT_NEAR(p.size[1], 0.2f, 1e-6f);
}

// Values the engine cannot simulate are refused with the item, value and range named and the
// stored body stays as it was; a restitution above 1 and a static body's mass are kept.
TEST(rigidbody_properties, the_dialog_refuses_values_the_engine_cannot_use) {
  struct answer_case {
    const char* what;
    host::dialog_answer answer;
    const char* error;  // null: accepted
  };
  const answer_case cases[] = {
      {"mass -1", host::dialog_answer::ok().set("Mass", -1.0),
       "\"Mass\" -1 is outside its range (from 1e-06 to 1e+06)"},
      {"mass 1e-40", host::dialog_answer::ok().set("Mass", 1e-40), "\"Mass\" 9.99995e-41 is outside its range"},
      {"mass 3.4e38", host::dialog_answer::ok().set("Mass", 3.4e38), "\"Mass\" 3.4e+38 is outside its range"},
      {"friction -1", host::dialog_answer::ok().set("Friction", -1.0), "\"Friction\" -1 is outside its range"},
      {"damping 1.5", host::dialog_answer::ok().set("LinerDamping", 1.5),
       "\"LinerDamping\" 1.5 is outside its range (from 0 to 1)"},
      {"damping -0.1", host::dialog_answer::ok().set("AngularDamping", -0.1), "\"AngularDamping\" -0.1 is outside"},
      {"velocity 1e8", host::dialog_answer::ok().set("Velocity", vec3(0, 1e8f, 0)),
       "\"Velocity\" 1e+08 is outside its range (from -100000 m/s to 100000 m/s)"},
      {"restitution 1.5", host::dialog_answer::ok().set("Restitution", 1.5), nullptr},
      {"static, mass -1 ignored", host::dialog_answer::ok().set("Type", 2).set("Mass", -1.0), nullptr},
      {"mass 1e6", host::dialog_answer::ok().set("Mass", 1e6), nullptr},
  };
  for (const answer_case& c : cases) {
    properties_scene s;
    host::part_shape& part = stored_body(s);
    const bytes before = properties_scene::stream_bytes(part, physplug_modify_uuid);
    s.script().push(c.answer);
    rigidbody_properties edit;
    const bool done = edit.modify_bullet_rigidbody(s.sdk(), &part.sdk());
    if (!c.error) {
      EXPECT_TRUE(done) << c.what;
      EXPECT_TRUE(s.errors().empty()) << c.what;
      continue;
    }
    EXPECT_FALSE(done) << c.what;
    ASSERT_EQ(s.errors().size(), 1u) << c.what;
    EXPECT_NE(s.errors()[0].find("physplug: Setting Bullet RigidBody: " + std::string(c.error)), std::string::npos)
        << s.errors()[0];
    EXPECT_EQ(properties_scene::stream_bytes(part, physplug_modify_uuid), before) << c.what;
  }
}
