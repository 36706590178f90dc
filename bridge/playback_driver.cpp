#include "bridge/playback_driver.hpp"

#include <cmath>

#include "base/texts.hpp"
#include "sdk/animation_settings_interface.hpp"
#include "sdk/host_ref.hpp"
#include "sdk/scene_interface.hpp"

namespace {
constexpr int repaired_frame_rate = 30;

bool supported_frame_rate(int fps) { return fps == 30 || fps == 60 || fps == 120; }
}  // namespace

void playback_driver::sequence_mode_changed(sxsdk::scene_interface& scene, bool on) {
  // Worlds left from an earlier start are cleared first: building on top of them would
  // simulate every body twice and, on leaving, restore the later build's poses last.
  worlds_.clear();
  reverse_ = false;
  last_position_ = 0.0f;
  if (!on) return;
  check_animation_settings(scene);
  scene.set_sequence_value(0.0f);
  build(scene);
}

void playback_driver::check_animation_settings(sxsdk::scene_interface& scene) {
  sxsdk::host_ref<sxsdk::animation_settings_interface> settings(scene.get_animation_settings());
  if (!settings) return;
  if (!settings->get_playback_option()) {
    const int fps = settings->get_frame_rate();
    frame_rate_ = float(fps);
    if (supported_frame_rate(fps)) return;
  } else {
    settings->set_playback_option(false);
  }
  settings->set_frame_rate(repaired_frame_rate);
  frame_rate_ = float(repaired_frame_rate);
  texts::show_message(scene, "Bad animation mode. Repaired");
}

void playback_driver::build(sxsdk::scene_interface& scene) {
  if (!worlds_.create_bullets(&scene, scene.get_root())) worlds_.clear();
}

void playback_driver::leave_sequence_mode(sxsdk::scene_interface& scene) {
  if (!scene.is_sequence_mode()) return;
  scene.set_sequence_value(0.0f);
  last_position_ = 0.0f;
  reverse_ = false;
  scene.set_sequence_mode(false);
  // The host answers with sequence_mode_changed(false), which clears the worlds; clearing
  // here as well makes sure no edit ever meets a running simulation.
  worlds_.clear();
}

void playback_driver::sequence_changed(bool& flag, float position, sxsdk::scene_interface& scene, int count,
                                       sxsdk::part_class* const* parts) {
  if (!scene.is_rendering()) {
    if (!interactive_position(position, scene)) return;
  } else {
    rendering_position(position, scene);
  }
  if (position != last_position_) step(flag, position, scene, count, parts);
}

bool playback_driver::interactive_position(float position, sxsdk::scene_interface& scene) {
  if (worlds_.empty()) return true;
  if (position == 0.0f) {
    // Back at the start pose: rebuild from the scene as it is now, so that edits made at
    // frame 0 take effect; nothing is stepped.
    reverse_ = false;
    last_position_ = 0.0f;
    worlds_.clear();
    build(scene);
    return false;
  }
  detect_reversal(position);
  return true;
}

void playback_driver::detect_reversal(float position) {
  if ((!reverse_ && position < last_position_) || (reverse_ && position > last_position_)) {
    reverse_ = position <= last_position_;
    for (sorvel_world& world : worlds_) world.reverse_direction();
  }
}

void playback_driver::rendering_position(float position, sxsdk::scene_interface& scene) {
  if (position == 0.0f && worlds_.empty()) {
    // A rendering pass need not follow sequence mode: its frame rate is the host's now.
    frame_rate_ = host_frame_rate(scene);
    build(scene);
    last_position_ = 0.0f;
  } else if (position == -1.0f && !worlds_.empty()) {
    worlds_.clear();
    last_position_ = 0.0f;
  }
}

void playback_driver::step(bool& flag, float position, sxsdk::scene_interface& scene, int count,
                           sxsdk::part_class* const* parts) {
  others_.notify(flag, scene, count, parts);
  for (sorvel_world& world : worlds_) world.set_kinematic_transform(&scene);
  const float seconds = std::fabs(position - last_position_) / frames_per_second(scene);
  for (sorvel_world& world : worlds_) world.update(seconds);
  for (sorvel_world& world : worlds_) world.set_rigidbody_positions(&scene);
  for (sorvel_world& world : worlds_) world.set_softbody_positions(&scene);
  last_position_ = position;
}

float playback_driver::host_frame_rate(sxsdk::scene_interface& scene) {
  sxsdk::host_ref<sxsdk::animation_settings_interface> settings(scene.get_animation_settings());
  const float fps = settings ? float(settings->get_frame_rate()) : 0.0f;
  return fps > 0.0f ? fps : float(repaired_frame_rate);
}

float playback_driver::frames_per_second(sxsdk::scene_interface& scene) {
  // Never divide by a rate that is not positive (a component that has not seen the host's).
  if (!(frame_rate_ > 0.0f)) frame_rate_ = host_frame_rate(scene);
  return frame_rate_;
}
