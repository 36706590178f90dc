// The other plug-ins whose joints pose the scene: found by the idle survey, told before every
// step in a fixed order, and never able to stop the simulation.
#include <gtest/gtest.h>

#include "base/uuid_table.hpp"
#include "plugin/playback_scene.hpp"
#include "plugin/recording_plugin.hpp"

namespace {

using plugin_test::playback_scene;
using plugin_test::recording_plugin;
using plugin_test::sphere_shape;
using plugin_test::vec3;

struct other_plugins_scene {
  playback_scene s;
  std::vector<std::string> log;
  recording_plugin* plugins[5] = {};
  host::part_shape* ball = nullptr;

  /// Registers the five plug-ins and, with `use_all`, puts a joint of each kind in the scene.
  explicit other_plugins_scene(bool use_all = true) {
    const sx::uuid_class* uuids[] = {&aimconstraints_uuid, &follow_joint_uuid, &ik_uuid, &multilead_joint_uuid,
                                     &surrogate_dad_joint_uuid};
    const char* names[] = {"aim", "follow", "ik", "multilead", "surrogate"};
    for (int i = 0; i < 5; ++i) {
      plugins[i] = new recording_plugin(names[i], log);
      s.scene->register_plugin_interface(*uuids[i], plugins[i]);
    }
    ball = &s.add_body(s.add_world("World"), "Ball", sphere_shape(0.1f), vec3(0, 5000, 0));
    if (use_all) add_joints();
  }

  void add_joints() {
    host::part_shape& rig = s.scene->add_part(s.scene->root(), "Rig");
    host::part_shape& target = s.scene->add_part(rig, "Target");
    // Listed last-first in the scene: the order of telling is fixed, not the order met.
    host::part_shape& surrogate = s.scene->add_part(rig, "Surrogate");
    surrogate.put_stream(surrogate_dad_joint_uuid, "", {1, 2, 3});
    host::part_shape& multilead = s.scene->add_part(rig, "Multilead");
    multilead.link_to(multilead_joint_uuid, target);
    multilead.put_stream(multilead_joint_creator_uuid, "", {1});
    host::part_shape& follow = s.scene->add_part(rig, "Follow");
    follow.link_to(follow_joint_uuid, target);
    follow.put_stream(follow_joint_uuid, "", {1});
    host::part_shape& aim = s.scene->add_part(rig, "Aim", sxsdk::part_type::ball_joint);
    aim.link_to(aimconstraints_uuid, target);
    aim.put_stream(aimconstraints_uuid, "", {1});
  }

  void survey(int idle_calls = 3) {
    bool flag = false;
    s.modify->active_scene_changed(flag, s.scene.get());
    for (int i = 0; i < idle_calls; ++i) s.modify->idle_task(flag, s.scene.get());
  }
};

TEST(external_joints, every_plugin_in_use_is_told_before_each_step_in_a_fixed_order) {
  other_plugins_scene o;
  o.survey();
  float height_when_told = 0;
  o.plugins[0]->on_call = [&] { height_when_told = playback_scene::position_of(*o.ball).y; };
  o.s.enter();
  o.s.go_to(1);
  EXPECT_EQ(o.log, (std::vector<std::string>{"aim", "follow", "ik", "multilead", "surrogate"}));
  EXPECT_EQ(height_when_told, 5000.0f);  // told before the physics moved anything
  EXPECT_LT(playback_scene::position_of(*o.ball).y, 5000.0f);
  o.s.go_to(1);  // an unchanged position tells nobody
  EXPECT_EQ(o.log.size(), 5u);
}

TEST(external_joints, only_plugins_whose_joints_are_in_the_scene_are_told_and_ik_always) {
  other_plugins_scene o(false);
  o.survey();
  o.s.enter();
  o.s.go_to(1);
  EXPECT_EQ(o.log, std::vector<std::string>{"ik"});
}

TEST(external_joints, the_survey_waits_for_the_third_idle_call) {
  other_plugins_scene o;
  o.survey(2);
  o.s.enter();
  o.s.go_to(1);
  EXPECT_TRUE(o.log.empty());
  bool flag = false;
  o.s.modify->idle_task(flag, o.s.scene.get());
  o.s.go_to(2);
  EXPECT_EQ(o.log.size(), 5u);
}

TEST(external_joints, a_failing_plugin_is_reported_and_the_rest_goes_on) {
  other_plugins_scene o;
  o.survey();
  o.plugins[1]->fail = true;
  o.s.enter();
  o.s.go_to(1);
  EXPECT_EQ(o.log.size(), 5u);
  ASSERT_EQ(o.s.errors().size(), 1u);
  EXPECT_NE(o.s.errors()[0].find("follow failed"), std::string::npos) << o.s.errors()[0];
  EXPECT_LT(playback_scene::position_of(*o.ball).y, 5000.0f);
}

}  // namespace
