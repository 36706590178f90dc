// primitive_properties::modify_bullet_primitive_shape through scripted dialogs.
#include <gtest/gtest.h>

#include "properties/primitive_properties.hpp"
#include "properties/shape_roles.hpp"
#include "properties_scene.hpp"

using namespace properties_test;

namespace {

using kind = collisionshape_datas::primitive_type;

// A body part holding a sphere primitive of radius 0.1 m, made through the builder.
host::shape_node& sphere_in(properties_scene& s, host::part_shape& body) {
  body.make_current();
  primitive_properties p;
  EXPECT_TRUE(p.create_or_modify_sorvel_shape(s.sdk(), kind::sphere));
  return *body.sons().at(0);
}

}  // namespace

TEST(primitive_properties, changing_a_sphere_into_a_box_replaces_the_shape) {
  properties_scene s;
  host::part_shape& body = s.part("Body");
  host::shape_node& old_sphere = sphere_in(s, body);
  s.part("Other");  // the current shape may be anywhere when the dialog opens
  s.scene().set_current_shape(s.root());
  s.script().push(host::dialog_answer::ok().set("Type", "Box").set("X/Rudius", 0.05).set("Y/Hight", 0.1).set("Z", 0.2));
  primitive_properties edit;
  ASSERT_TRUE(edit.modify_bullet_primitive_shape(s.sdk(), &old_sphere.sdk()));
  EXPECT_TRUE(old_sphere.removed());
  EXPECT_EQ(edit.type, kind::sphere);  // the old record keeps its kind until read again
  ASSERT_EQ(body.sons().size(), 1u);
  host::shape_node& box = *body.sons()[0];
  EXPECT_EQ(box.name(), "Box");
  EXPECT_EQ(edit.primitive_shape(), &box.sdk());
  EXPECT_TRUE(is_bullet_primitive(box.sdk()));
  primitive_properties back;
  back.shape = &box.sdk();
  ASSERT_TRUE(back.get_properties());
  EXPECT_EQ(back.type, kind::box);
  EXPECT_NEAR(back.size[0], 0.05f, 1e-6f);
  EXPECT_NEAR(back.size[1], 0.1f, 1e-6f);
  EXPECT_NEAR(back.size[2], 0.2f, 1e-6f);
}

TEST(primitive_properties, editing_in_place_keeps_the_shape_and_takes_the_new_size) {
  properties_scene s;
  host::part_shape& body = s.part("Body");
  host::shape_node& ball = sphere_in(s, body);
  s.script().push(host::dialog_answer::ok().set("X/Rudius", 0.3).set("Margin", 0.01).set("Visible", false));
  primitive_properties edit;
  ASSERT_TRUE(edit.modify_bullet_primitive_shape(s.sdk(), &ball.sdk()));
  EXPECT_FALSE(ball.removed());
  EXPECT_EQ(ball.visible, 0);
  primitive_properties back;
  back.shape = &ball.sdk();
  ASSERT_TRUE(back.get_properties());
  EXPECT_NEAR(back.size[0], 0.3f, 1e-6f);
  EXPECT_EQ(back.margin, 0.01f);
  EXPECT_FALSE(back.visible);
}

TEST(primitive_properties, a_cancelled_dialog_shows_terminated_and_leaves_the_scene) {
  properties_scene s;
  host::part_shape& body = s.part("Body");
  host::shape_node& ball = sphere_in(s, body);
  const bytes before = properties_scene::stream_bytes(ball, physplug_rigid_uuid);
  const int shapes = s.scene().shape_count();
  s.script().push_cancel();
  primitive_properties edit;
  EXPECT_FALSE(edit.modify_bullet_primitive_shape(s.sdk(), &ball.sdk()));
  EXPECT_EQ(s.messages(), std::vector<std::string>{"Terminated"});
  EXPECT_EQ(s.scene().shape_count(), shapes);
  EXPECT_FALSE(ball.removed());
  EXPECT_EQ(properties_scene::stream_bytes(ball, physplug_rigid_uuid), before);
}

TEST(primitive_properties, a_new_cylinder_takes_its_depth_from_the_radius) {
  properties_scene s;
  host::part_shape& body = s.part("Body");
  body.make_current();
  s.script().push(host::dialog_answer::ok()
                      .set("Type", "Cylinder")
                      .set("Direction", "X")
                      .set("X/Rudius", 0.05)
                      .set("Y/Hight", 0.3));
  primitive_properties p;
  ASSERT_TRUE(p.modify_bullet_primitive_shape(s.sdk(), nullptr));
  EXPECT_EQ(p.type, kind::cylinder);
  EXPECT_EQ(p.size[2], p.size[0]);
  primitive_properties back;
  back.shape = p.shape;
  ASSERT_TRUE(back.get_properties());
  EXPECT_EQ(back.direction, 1);
  EXPECT_NEAR(back.size[0], 0.05f, 1e-6f);
  EXPECT_NEAR(back.size[1], 0.3f, 1e-6f);
  EXPECT_NEAR(back.size[2], 0.05f, 1e-6f);
}

TEST(primitive_properties, a_new_primitive_takes_over_the_selection_of_a_selected_active_shape) {
  for (bool selected : {true, false}) {
    properties_scene s;
    host::part_shape& body = s.part("Body");
    s.scene().set_active_shapes({&body});
    body.selected = selected;
    body.make_current();
    primitive_properties p;
    ASSERT_TRUE(p.create_or_modify_sorvel_shape(s.sdk(), kind::box));
    host::shape_node& box = *body.sons().at(0);
    EXPECT_EQ(box.selected, selected);
    EXPECT_EQ(s.scene().active_shapes().front() == &box, selected);
  }
}
