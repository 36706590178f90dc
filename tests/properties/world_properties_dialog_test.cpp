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

// Values the engine cannot simulate are refused with the item, the value and the range named,
// and the stored world stays as it was; values at the edges of a range are kept.
TEST(world_properties, the_dialog_refuses_values_the_engine_cannot_use) {
  struct answer_case {
    const char* item;
    double value;
    const char* error;  // null: accepted
  };
  const answer_case cases[] = {
      {"Simulation Cycle", 0.0, "\"Simulation Cycle\" 0 is outside its range (more than 0, at most 10000)"},
      {"Simulation Cycle", -10.0, "\"Simulation Cycle\" -10 is outside its range"},
      {"Simulation Cycle", 1e9, "\"Simulation Cycle\" 1e+09 is outside its range"},
      {"Simulation Cycle", 10000.0, nullptr},
      {"Scale Factor", 0.0, "\"Scale Factor\" 0 is outside its range (from 0.001 to 1000)"},
      {"Scale Factor", -1.0, "\"Scale Factor\" -1 is outside its range"},
      {"Scale Factor", 1e-39, "\"Scale Factor\" 1e-39 is outside its range (from 0.001 to 1000)"},
      {"Scale Factor", 1000.0, nullptr},
      {"Gravity", 1e12, "\"Gravity\" 1e+12 is outside its range (from -100000 m/tt to 100000 m/tt)"},
      {"Gravity", -30.0, nullptr},
      {"Hight", 3e38, "\"Hight\" 3e+38 is outside its range (from -1e+06 m to 1e+06 m)"},
      {"Hight", -2.5, nullptr},
      {"Air Density", -1.0, "\"Air Density\" -1 is outside its range"},
  };
  for (const answer_case& c : cases) {
    properties_scene s;
    host::part_shape& part = s.part("World");
    world_properties stored;
    stored.shape = &part.sdk();
    ASSERT_TRUE(stored.regist());
    const bytes before = properties_scene::stream_bytes(part, physplug_uuid);
    s.script().push(host::dialog_answer::ok().set(c.item, c.value));
    world_properties w;
    const bool done = w.modify_bullet_world_part(s.sdk(), &part.sdk());
    if (!c.error) {
      EXPECT_TRUE(done) << c.item << " " << c.value;
      EXPECT_TRUE(s.errors().empty()) << c.item << " " << c.value;
      continue;
    }
    EXPECT_FALSE(done) << c.item << " " << c.value;
    ASSERT_EQ(s.errors().size(), 1u) << c.item << " " << c.value;
    EXPECT_NE(s.errors()[0].find("physplug: Setting Bullet World: " + std::string(c.error)), std::string::npos)
        << s.errors()[0];
    EXPECT_EQ(properties_scene::stream_bytes(part, physplug_uuid), before) << c.item << " " << c.value;
  }
}
