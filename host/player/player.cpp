#include "host/player/player.hpp"

#include <algorithm>

namespace host {

// --- passes ---

player::outcome player::play() {
  const animation_data& a = plugins_.target().animation();
  return play(a.start_frame, a.end_frame);
}

player::outcome player::play(int first, int last) {
  outcome result;
  done_ = 0;
  total_ = std::max(0, last - first);
  enter(static_cast<float>(first));
  for (int frame = first + 1; frame <= last; ++frame) {
    if (!go_to(static_cast<float>(frame))) {
      result.interrupted = true;
      break;
    }
    ++result.reported;
  }
  leave();
  total_ = 0;
  return result;
}

player::outcome player::render() {
  const animation_data& a = plugins_.target().animation();
  return render(a.start_frame, a.end_frame);
}

player::outcome player::render(int first, int last) {
  scene& s = plugins_.target();
  if (s.is_sequence_mode()) plugins_.set_sequence_mode(false);
  outcome result;
  done_ = 0;
  total_ = std::max(0, last - first + 1) + 1;
  record();
  s.set_rendering(true);
  for (int frame = first; frame <= last; ++frame, ++result.reported) report(static_cast<float>(frame), true);
  report(-1, false);
  ++result.reported;
  s.set_rendering(false);
  put_back();
  total_ = 0;
  return result;
}

// --- one step at a time ---

void player::enter(float position) {
  scene& s = plugins_.target();
  record();
  s.keys().apply(position);
  s.set_sequence_value(position);
  plugins_.set_sequence_mode(true);
}

bool player::go_to(float position) {
  if (!plugins_.target().is_sequence_mode()) return false;
  report(position, true);
  return true;
}

void player::leave() {
  plugins_.set_sequence_mode(false);
  put_back();
}

// --- helpers ---

// Only the first record of a pass counts: enter after enter keeps the pose from before both.
void player::record() {
  if (recorded_) return;
  scene& s = plugins_.target();
  before_ = pose_snapshot(s.keys().keyed_parts());
  position_before_ = s.get_sequence_value();
  recorded_ = true;
}

void player::put_back() {
  if (!recorded_) return;
  before_.restore();
  plugins_.target().set_sequence_value(position_before_);
  before_ = pose_snapshot();
  recorded_ = false;
}

void player::report(float position, bool apply_keys) {
  scene& s = plugins_.target();
  if (apply_keys) s.keys().apply(position);
  s.set_sequence_value(position);
  plugins_.sequence_changed(position, s.keys().keyed_parts());
  ++done_;
  if (progress_ && total_ > 0) progress_(position, done_, total_);
}

}  // namespace host
