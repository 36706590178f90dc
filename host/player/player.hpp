#pragma once
// host::player: plays a scene's sequence to its plug-ins, interactively or as a rendering pass.
//
// Interactive play: the parts are posed by their keys for the first frame, the sequence
// position is set to it and the scene enters sequence mode (every attribute component hears
// sequence_mode_changed(on)); then, for each following frame, the keys are applied, the
// position is set (scene.set_sequence_value) and sequence_changed is reported to every
// attribute component; finally the scene leaves sequence mode (sequence_mode_changed(off)) and
// the keyed parts and the position go back to where they were before playing.
//
// Rendering pass: the rendering flag is on; for positions first..last the keys are applied,
// the position set and reported; then position -1 is set and reported (keys are not applied
// for it), the flag goes off, and the keyed parts and the position go back. A rendering pass
// runs outside sequence mode: a scene in sequence mode leaves it first.
//
// The plug-ins may change the mode or the position themselves. When a plug-in leaves sequence
// mode during interactive play, play stops there (the components heard "off" already). A
// position a plug-in sets stands until the player reports its next one.
#include <functional>

#include "host/player/pose_snapshot.hpp"
#include "host/plugins/plugin_host.hpp"

namespace host {

class player {
 public:
  /// Called after each reported position with that position (frames), the number of positions
  /// reported so far in this pass and the number the pass will report.
  using progress_fn = std::function<void(float position, int done, int total)>;
  /// What a pass did.
  struct outcome {
    int reported = 0;          ///< positions reported to the components
    bool interrupted = false;  ///< a plug-in left sequence mode before the last frame
  };

  /// Plays the scene of `plugins` (borrowed: it must outlive the player).
  explicit player(plugin_host& plugins) : plugins_(plugins) {}

  void set_progress(progress_fn progress) { progress_ = std::move(progress); }

  /// Plays frames first..last (the scene's start_frame..end_frame by default): enters at
  /// `first`, reports first+1..last, leaves. Nothing is reported when last <= first.
  outcome play();
  outcome play(int first, int last);
  /// Reports positions first..last (start_frame..end_frame by default), then -1.
  outcome render();
  outcome render(int first, int last);

  // --- interactive play one step at a time (the command line scrubs with these) ---
  /// Records the keyed parts' poses and the position, poses the parts for `position` (frames),
  /// sets it and enters sequence mode.
  void enter(float position);
  /// In sequence mode: applies the keys for `position` (fractional allowed), sets it and reports
  /// it. False, doing nothing, outside sequence mode.
  bool go_to(float position);
  /// Leaves sequence mode (if still in it) and puts back what enter recorded.
  void leave();

 private:
  void record();
  void put_back();
  void report(float position, bool apply_keys);

  plugin_host& plugins_;
  progress_fn progress_;
  pose_snapshot before_;
  float position_before_ = 0;
  bool recorded_ = false;
  int done_ = 0, total_ = 0;
};

}  // namespace host
