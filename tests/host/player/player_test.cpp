// The player's order of events: what the attribute components hear, and in what state the
// scene is when they hear it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "host/io/scene_file.hpp"
#include "host/player/player.hpp"
#include "host/plugins/plugin_host.hpp"
#include "host/plugins/recording_attribute.hpp"
#include "host/scene/scene_fixture.hpp"

namespace {

using host_test::recording_attribute;
using log_lines = std::vector<std::string>;

struct player : ::testing::Test, host_test::scene_fixture {
  host::plugin_host plugins{*scene};
  host::player play{plugins};
  log_lines log;
  host::part_shape& box = part("root/Box");

  // Box moves 100 mm along x per frame from frame 0 to frame 4, and starts away from its keys.
  player() {
    host::part_key k;
    scene->keys().set_part_key(box, k);
    k.frame = 4, k.translation = {400, 0, 0};
    scene->keys().set_part_key(box, k);
    box.set_transformation(sxsdk::mat4::translate(-7, 0, 0));
    scene->animation().start_frame = 0;
    scene->animation().end_frame = 4;
  }
  // A recording component that also shows where Box is when it hears an event.
  recording_attribute& recorder(const std::string& name) {
    auto* r = new recording_attribute(name, log);
    r->probe = [this] { return "x=" + std::to_string(int(box.own_transformation()[3][0])); };
    r->AddRef();
    plugins.add(sxsdk::attribute_iid, r, {}, name);
    return *r;
  }
};

TEST_F(player, play_enters_reports_each_frame_after_posing_it_then_leaves_and_puts_the_scene_back) {
  recorder("rec");
  const host::player::outcome done = play.play();
  EXPECT_EQ(log, (log_lines{"rec mode on value=0 x=0", "rec changed 1 rendering=0 value=1 parts=1 x=100",
                            "rec changed 2 rendering=0 value=2 parts=1 x=200",
                            "rec changed 3 rendering=0 value=3 parts=1 x=300",
                            "rec changed 4 rendering=0 value=4 parts=1 x=400", "rec mode off value=4 x=400"}));
  EXPECT_EQ(done.reported, 4);
  EXPECT_FALSE(done.interrupted);
  EXPECT_FALSE(scene->is_sequence_mode());
  EXPECT_EQ(box.own_transformation(), sxsdk::mat4::translate(-7, 0, 0));
  EXPECT_EQ(scene->get_sequence_value(), 0);
}

TEST_F(player, a_rendering_pass_reports_every_frame_from_the_first_then_minus_one) {
  recorder("rec");
  const host::player::outcome done = play.render();
  EXPECT_EQ(
      log,
      (log_lines{"rec changed 0 rendering=1 value=0 parts=1 x=0", "rec changed 1 rendering=1 value=1 parts=1 x=100",
                 "rec changed 2 rendering=1 value=2 parts=1 x=200", "rec changed 3 rendering=1 value=3 parts=1 x=300",
                 "rec changed 4 rendering=1 value=4 parts=1 x=400",
                 "rec changed -1 rendering=1 value=-1 parts=1 x=400"}));
  EXPECT_EQ(done.reported, 6);
  EXPECT_FALSE(scene->is_rendering());
  EXPECT_EQ(box.own_transformation(), sxsdk::mat4::translate(-7, 0, 0));
}

TEST_F(player, rendering_from_sequence_mode_leaves_it_first) {
  recorder("rec");
  play.enter(0);
  play.render(0, 0);
  EXPECT_EQ(log, (log_lines{"rec mode on value=0 x=0", "rec mode off value=0 x=0",
                            "rec changed 0 rendering=1 value=0 parts=1 x=0",
                            "rec changed -1 rendering=1 value=-1 parts=1 x=0"}));
  EXPECT_EQ(box.own_transformation(), sxsdk::mat4::translate(-7, 0, 0));
}

TEST_F(player, a_plugin_that_leaves_sequence_mode_stops_play_and_later_components_miss_that_frame) {
  recorder("A").action = [](const std::string& event, sxsdk::scene_interface* s) {
    if (event == "sequence_changed" && s->get_sequence_value() == 2) s->set_sequence_mode(false);
  };
  recorder("B");
  const host::player::outcome done = play.play();
  EXPECT_EQ(
      log, (log_lines{"A mode on value=0 x=0", "B mode on value=0 x=0", "A changed 1 rendering=0 value=1 parts=1 x=100",
                      "B changed 1 rendering=0 value=1 parts=1 x=100", "A changed 2 rendering=0 value=2 parts=1 x=200",
                      "A mode off value=2 x=200", "B mode off value=2 x=200"}));
  EXPECT_TRUE(done.interrupted);
  EXPECT_EQ(box.own_transformation(), sxsdk::mat4::translate(-7, 0, 0));
}

TEST_F(player, a_mode_change_made_while_a_mode_change_is_reported_is_reported_after_it) {
  // Heard immediately, B would hear "off" before "on" and stay believing the mode is on.
  recorder("A").action = [](const std::string& event, sxsdk::scene_interface* s) {
    if (event == "sequence_mode_changed" && s->is_sequence_mode()) s->set_sequence_mode(false);
  };
  recorder("B");
  const host::player::outcome done = play.play();
  EXPECT_EQ(log, (log_lines{"A mode on value=0 x=0", "B mode on value=0 x=0", "A mode off value=0 x=0",
                            "B mode off value=0 x=0"}));
  EXPECT_TRUE(done.interrupted);
  EXPECT_EQ(done.reported, 0);
}

TEST_F(player, progress_is_called_once_per_reported_position) {
  std::vector<std::string> calls;
  play.set_progress([&](float position, int done, int total) {
    std::ostringstream line;
    line << position << " " << done << "/" << total;
    calls.push_back(line.str());
  });
  play.play(0, 3);
  EXPECT_EQ(calls, (log_lines{"1 1/3", "2 2/3", "3 3/3"}));
  calls.clear();
  play.render(0, 2);
  EXPECT_EQ(calls, (log_lines{"0 1/4", "1 2/4", "2 3/4", "-1 4/4"}));
}

TEST_F(player, scrubbing_poses_fractional_positions_and_does_nothing_outside_sequence_mode) {
  recorder("rec");
  EXPECT_FALSE(play.go_to(2));
  EXPECT_TRUE(log.empty());
  play.enter(0);
  EXPECT_TRUE(play.go_to(2.5f));
  EXPECT_EQ(log.back(), "rec changed 2.5 rendering=0 value=2.5 parts=1 x=250");
  play.leave();
  EXPECT_EQ(box.own_transformation(), sxsdk::mat4::translate(-7, 0, 0));
}

TEST_F(player, playing_twice_gives_the_same_events_and_leaves_the_saved_scene_unchanged) {
  auto& ball = part("root/Ball", sxsdk::part_type::ball_joint);
  host::joint_key j;
  j.frame = 4, j.offset = {0, 30, 0}, j.rotation = sxsdk::quaternion_class(sxsdk::mat4::rotate_x(1));
  scene->keys().set_joint_key(ball, j);
  ball.joint().offset = {1, 2, 3};
  recorder("rec");
  const std::string before = host::scene_file::format(*scene);
  play.play();
  const log_lines first = log;
  log.clear();
  play.play();
  EXPECT_EQ(log, first);
  EXPECT_EQ(host::scene_file::format(*scene), before);
}

}  // namespace
