// The creators, browser and figure of the loaded library, used as a user would: dialogs are
// answered by the headless host's script.
#include <gtest/gtest.h>

#include <cstring>

#include "host/ui/ui_services.hpp"
#include "plugin/playback_scene.hpp"

namespace {

using plugin_test::playback_scene;

struct user_scene {
  host::ui_services ui;
  playback_scene s;
  user_scene() { s.scene->set_services(&ui); }
  ~user_scene() { s.scene->set_services(nullptr); }

  /// The host-held component registered under `uuid`.
  host::plugin_host::component& component(const sx::uuid_class& uuid) {
    host::plugin_host::component* c = s.plugins.find(uuid);
    if (!c) throw std::runtime_error("no component " + uuid.to_string());
    return *c;
  }
  /// Invokes creator 0 (world) or 1 (rigid) directly: nothing may escape it.
  bool create(int index) {
    return component(index == 0 ? physplug_uuid : physplug_rigid_uuid).creator()->create(s.scene.get());
  }
};

std::vector<std::uint8_t> le32(std::uint32_t v) {
  return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}
std::vector<std::uint8_t> f32(float f) {
  std::uint32_t v;
  std::memcpy(&v, &f, 4);
  return le32(v);
}

TEST(bullet_world_component, makes_a_world_part_with_the_default_settings_stored) {
  user_scene u;
  u.ui.script().push_ok();
  EXPECT_TRUE(u.create(0));
  host::shape_node* world = u.s.scene->find("root/Bullet World");
  ASSERT_NE(world, nullptr);
  const auto stream = world->find_stream(physplug_uuid);
  ASSERT_NE(stream, nullptr);
  // version 0, flags active, gravity, height, air density, cycle, boundary, reserved, scale
  std::vector<std::uint8_t> expected;
  for (const auto& part : {le32(0), le32(1), f32(9.8f), f32(0), f32(1.2f), f32(60), f32(-1000), f32(-1000), f32(-1000),
                           f32(1000), f32(1000), f32(1000), le32(0x20000), f32(1)})
    expected.insert(expected.end(), part.begin(), part.end());
  EXPECT_EQ(stream->bytes, expected);
  EXPECT_EQ(stream->label, "Active:Bullet World");
}

TEST(bullet_world_component, cancel_makes_nothing) {
  user_scene u;
  u.ui.script().push_cancel();
  EXPECT_FALSE(u.create(0));
  EXPECT_EQ(u.s.scene->shape_count(), 1);
  EXPECT_EQ(u.s.messages(), std::vector<std::string>{"Terminated"});
}

TEST(bullet_world_component, leaves_sequence_mode_before_making_the_part) {
  user_scene u;
  u.s.enter();
  u.ui.script().push_ok();
  EXPECT_TRUE(u.create(0));
  EXPECT_FALSE(u.s.scene->is_sequence_mode());
}

TEST(bullet_rigid_component, a_world_and_a_body_made_by_the_creators_fall_when_played) {
  user_scene u;
  u.ui.script().push_ok();
  ASSERT_TRUE(u.create(0));
  host::shape_node* world = u.s.scene->find("root/Bullet World");
  u.s.scene->set_current_shape(*world);
  u.ui.script().push_ok();  // a moving body with a sphere primitive, all defaults
  ASSERT_TRUE(u.create(1));
  ASSERT_EQ(world->sons().size(), 1u);
  auto& body = dynamic_cast<host::part_shape&>(*world->sons().front());
  // Lift it and tell the attribute, as the host does after a move.
  body.set_transformation(sxsdk::mat4::translate(0, 2000, 0));
  bool flag = false;
  sxsdk::shape_class* moved[] = {&body.sdk()};
  u.s.modify->shapes_moved(flag, u.s.scene.get(), 1, moved, sxsdk::mat4());
  u.s.enter();
  u.s.play_to(15);
  const float t = 0.5f;
  EXPECT_NEAR(playback_scene::position_of(body).y, 2000.0f - 0.5f * 9.8f * t * t * 1000.0f, 90.0f);
}

TEST(bullet_browser_component, browser_and_figure_reach_the_attribute_the_host_holds) {
  user_scene u;
  u.s.scene->set_active_shapes({&u.s.scene->root()});
  sxsdk::browser_interface* browser = u.component(physplug_browser_uuid).browser();
  sxsdk::figure_interface* figure = u.component(physplug_figure_uuid).figure();
  EXPECT_TRUE(browser->do_browser(u.s.scene.get()));
  EXPECT_TRUE(figure->do_figure(u.s.scene.get()));
  EXPECT_EQ(u.s.messages(), (std::vector<std::string>{"No targets", "No targets"}));

  u.s.scene->unregister_plugin_interface(physplug_modify_uuid);
  u.s.scene->messages().clear();
  EXPECT_FALSE(browser->do_browser(u.s.scene.get()));
  EXPECT_TRUE(figure->do_figure(u.s.scene.get()));
  EXPECT_TRUE(u.s.messages().empty());
}

}  // namespace

namespace {

TEST(bullet_world_component, a_failing_host_call_is_reported_not_thrown) {
  user_scene u;
  u.ui.script().push(host::dialog_answer::ok().set("No such item", 1));
  bool made = true;
  EXPECT_NO_THROW(made = u.create(0));
  EXPECT_FALSE(made);
  EXPECT_EQ(u.s.scene->shape_count(), 1);
  ASSERT_EQ(u.s.errors().size(), 1u);
  EXPECT_NE(u.s.errors()[0].find("World"), std::string::npos);
}

}  // namespace

namespace {

TEST(bullet_modify_component, ask_shape_opens_the_editor_of_the_active_shape_role) {
  user_scene u;
  host::part_shape& world = u.s.add_world("World");
  host::part_shape& ball = u.s.add_body(world, "Ball", plugin_test::sphere_shape(0.1f), plugin_test::vec3(0, 500, 0));
  host::part_shape& both = u.s.add_body(world, "Both", plugin_test::sphere_shape(0.1f), plugin_test::vec3(0, 900, 0));
  world_properties settings;
  settings.shape = &both.sdk();
  ASSERT_TRUE(settings.regist());  // a part that is a world and a rigid body at once
  struct role_case {
    host::shape_node* active;
    const char* title;
  };
  const role_case cases[] = {
      {&world, "Setting Bullet World"},
      {&ball, "Setting Bullet RigidBody"},
      {ball.sons().front(), "Primitive Properties"},
      {&both, "Setting Bullet World"},
  };
  for (const role_case& c : cases) {
    u.s.scene->set_active_shapes({c.active});
    u.ui.script().push_cancel();
    EXPECT_TRUE(u.s.modify->ask_shape(u.s.scene->root().sdk()));
    ASSERT_FALSE(u.ui.script().shown().empty());
    EXPECT_EQ(u.ui.script().shown().back().title, c.title) << c.active->path();
  }
}

}  // namespace

namespace {

// The rigid creator with a primitive selected edits the rigid body that primitive belongs to;
// a primitive that belongs to no rigid body is refused with an error that names it.
TEST(bullet_rigid_component, a_selected_primitive_opens_its_rigid_body_or_says_why_not) {
  user_scene u;
  host::part_shape& world = u.s.add_world("World");
  rigidbody_datas heavy = plugin_test::body_settings(rigidbody_datas::move, 3.0f);
  host::part_shape& ball =
      u.s.add_body(world, "Ball", plugin_test::sphere_shape(0.1f), plugin_test::vec3(0, 500, 0), heavy);
  u.s.scene->set_current_shape(world);
  primitive_properties loose;
  ASSERT_TRUE(loose.create_or_modify_sorvel_shape(*u.s.scene, collisionshape_datas::box));
  u.s.scene->set_current_shape(u.s.scene->root());
  host::shape_node& loose_node = host::shape_node::of(*loose.primitive_shape());
  const std::string loose_name = loose_node.name();

  struct selection_case {
    const char* name;
    host::shape_node* active;
    bool made;
    float shown_mass;   // 0: no dialog
    float stored_mass;  // the Ball's mass afterwards
    const char* error;  // a text the error holds, or null for none
  };
  const selection_case cases[] = {
      {"primitive inside a rigid body", ball.sons().front(), true, 3.0f, 4.0f, nullptr},
      {"the rigid body itself", &ball, true, 0.0f, 4.0f, nullptr},  // no primitive first: a new body
      {"primitive in no rigid body", &loose_node, false, 0.0f, 4.0f, loose_name.c_str()},
  };
  for (const selection_case& c : cases) {
    SCOPED_TRACE(c.name);
    u.s.scene->messages().clear();
    const std::size_t dialogs_before = u.ui.script().shown().size();
    const int shapes_before = u.s.scene->shape_count();
    u.s.scene->set_active_shapes({c.active});
    u.ui.script().clear_pending();
    u.ui.script().push(host::dialog_answer::ok().set("Mass", 4.0f));
    EXPECT_EQ(u.create(1), c.made);
    const auto& shown = u.ui.script().shown();
    if (c.shown_mass > 0) {
      ASSERT_EQ(shown.size(), dialogs_before + 1);
      const host::dialog_record& d = shown.back();
      EXPECT_EQ(d.title, "Setting Bullet RigidBody");
      for (const host::dialog_item_record& item : d.items) {
        EXPECT_TRUE(item.groups.empty() || item.groups.front() != "Primitive") << item.path();  // no new one
        if (item.label == "Mass") {
          EXPECT_EQ(item.shown_value, host::dialog_value(c.shown_mass));
        }
      }
      EXPECT_EQ(u.s.scene->shape_count(), shapes_before);
    } else if (!c.made) {
      EXPECT_EQ(shown.size(), dialogs_before);
      EXPECT_EQ(u.s.scene->shape_count(), shapes_before);
    }
    rigidbody_properties stored;
    stored.shape = &ball.sdk();
    ASSERT_TRUE(stored.get_properties());
    EXPECT_EQ(stored.mass, c.stored_mass);
    if (c.error) {
      ASSERT_EQ(u.s.errors().size(), 1u);
      EXPECT_NE(u.s.errors()[0].find(std::string("\"") + c.error + "\""), std::string::npos) << u.s.errors()[0];
    } else {
      EXPECT_TRUE(u.s.errors().empty());
    }
  }
}

}  // namespace
