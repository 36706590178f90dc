// world_properties::modify_bullet_world_part through scripted dialogs.
#include <gtest/gtest.h>

#include "properties/world_properties.hpp"
#include "properties_scene.hpp"

using namespace properties_test;

namespace {

bool has_item(const host::dialog_record& d, const std::string& label) {
  for (const host::dialog_item_record& item : d.items)
    if (item.label == label) return true;
  return false;
}

}  // namespace

TEST(world_properties, a_new_world_edits_only_the_record) {
  properties_scene s;
  s.script().push(host::dialog_answer::ok()
                      .set("Active", false)
                      .set("Gravity", 3.0)
                      .set("Scale Factor", 0.5)
                      .set("Boundary/Minimum", vec3(-2, -3, -4)));
  world_properties w;
  ASSERT_TRUE(w.modify_bullet_world_part(s.sdk(), nullptr));
  EXPECT_FALSE(w.active);
  EXPECT_EQ(w.gravity, 3.0f);
  EXPECT_EQ(w.scale_factor, 0.5f);
  EXPECT_EQ(w.boundary_min, btVector3(-2, -3, -4));
  EXPECT_EQ(w.boundary_max, btVector3(1000, 1000, 1000));
  ASSERT_EQ(s.script().shown().size(), 1u);
  const host::dialog_record& d = s.script().shown()[0];
  EXPECT_EQ(d.title, "Setting Bullet World");
  EXPECT_FALSE(has_item(d, "Repair Element's Transformation"));
  EXPECT_FALSE(has_item(d, "Renew inner parts"));
  EXPECT_EQ(s.scene().shape_count(), 1);
  EXPECT_TRUE(s.root().streams().empty());
}

TEST(world_properties, a_cancelled_dialog_shows_terminated_and_writes_nothing) {
  properties_scene s;
  host::part_shape& part = s.part("World");
  world_properties stored;
  stored.shape = &part.sdk();
  stored.gravity = -2.0f;
  ASSERT_TRUE(stored.regist());
  const bytes before = properties_scene::stream_bytes(part, physplug_uuid);
  s.script().push_cancel();
  world_properties w;
  EXPECT_FALSE(w.modify_bullet_world_part(s.sdk(), &part.sdk()));
  EXPECT_EQ(s.messages(), std::vector<std::string>{"Terminated"});
  EXPECT_EQ(properties_scene::stream_bytes(part, physplug_uuid), before);
}

TEST(world_properties, editing_a_stored_world_shows_its_values_and_writes_the_answer) {
  properties_scene s;
  host::part_shape& part = s.part("World");
  world_properties stored;
  stored.shape = &part.sdk();
  stored.simulation_cycle = 240.0f;
  stored.view_debug = true;  // a build without the debug view drops it on the next edit
  ASSERT_TRUE(stored.regist());
  s.script().push(host::dialog_answer::ok().set("Hight", 1.5));
  world_properties w;
  ASSERT_TRUE(w.modify_bullet_world_part(s.sdk(), &part.sdk()));
  const host::dialog_record& d = s.script().shown().at(0);
  EXPECT_TRUE(has_item(d, "Repair Element's Transformation"));
  EXPECT_TRUE(has_item(d, "Renew inner parts"));
  EXPECT_EQ(d.items.at(5).label, "Simulation Cycle");
  EXPECT_EQ(d.items.at(5).shown_value, host::dialog_value(240.0f));
  world_properties back;
  back.shape = &part.sdk();
  ASSERT_TRUE(back.get_properties());
  EXPECT_EQ(back.height, 1.5f);
  EXPECT_EQ(back.simulation_cycle, 240.0f);
  EXPECT_FALSE(back.view_debug);
  EXPECT_EQ(properties_scene::stream_label(part, physplug_uuid), "Active:Bullet World");
}
