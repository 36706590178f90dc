#pragma once
// Turns the host's sequence events into the life of the simulation: builds the worlds when
// sequence mode starts (and again on every return to position 0), converts each change of
// position into elapsed time, steps every world between the kinematic hand-over and the
// write-back, and clears everything when the mode ends. During rendering the worlds are built
// at the first position 0 and cleared at position -1.
#include "bridge/external_joints.hpp"
#include "bridge/sorvel_worlds.hpp"

class playback_driver {
 public:
  /// Start (`on`) or end of sequence mode. Starting repairs an unsupported frame rate or the
  /// playback option (30 fps, "Bad animation mode. Repaired"), moves the sequence to 0 and
  /// builds the worlds; ending clears them, putting the scene back.
  void sequence_mode_changed(sxsdk::scene_interface& scene, bool on);
  /// The main loop: `position` is the host's sequence position in frames; `count`/`parts` are
  /// passed on to the other plug-ins untouched, as is `flag`.
  void sequence_changed(bool& flag, float position, sxsdk::scene_interface& scene, int count,
                        sxsdk::part_class* const* parts);
  /// Before an edit: sequence to 0, forget the direction, leave sequence mode and clear the
  /// worlds (the scene is put back). Nothing when not in sequence mode.
  void leave_sequence_mode(sxsdk::scene_interface& scene);
  /// Clears every world, putting moving bodies back where they were built.
  void clear_worlds() { worlds_.clear(); }

  /// The other plug-ins told before every step.
  external_joints& others() { return others_; }
  sorvel_worlds& worlds() { return worlds_; }
  bool reverse() const { return reverse_; }
  float last_position() const { return last_position_; }
  /// Frames per second used to turn positions into seconds: set on entering sequence mode
  /// (after the repair) and read from the host at the start of a rendering pass; 0 until then.
  float frame_rate() const { return frame_rate_; }

 private:
  void check_animation_settings(sxsdk::scene_interface& scene);
  void build(sxsdk::scene_interface& scene);
  bool interactive_position(float position, sxsdk::scene_interface& scene);
  void rendering_position(float position, sxsdk::scene_interface& scene);
  void detect_reversal(float position);
  void step(bool& flag, float position, sxsdk::scene_interface& scene, int count, sxsdk::part_class* const* parts);
  float frames_per_second(sxsdk::scene_interface& scene);
  /// The host's frame rate, or 30 when it has none that is positive.
  static float host_frame_rate(sxsdk::scene_interface& scene);

  external_joints others_;
  sorvel_worlds worlds_;
  bool reverse_ = false;
  float last_position_ = 0.0f;
  float frame_rate_ = 0.0f;
};
