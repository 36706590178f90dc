#pragma once
// The scene's animation settings as the plug-in sees them.
#include "sdk/unknown_interface.hpp"

namespace sxsdk {

class animation_settings_interface : public unknown_interface {
 public:
  /// Frames per second of the sequence.
  virtual int get_frame_rate() = 0;
  virtual void set_frame_rate(int frames_per_second) = 0;
  /// The host's playback option (play every frame in real time, skipping frames).
  virtual bool get_playback_option() = 0;
  virtual void set_playback_option(bool on) = 0;
};

}  // namespace sxsdk
