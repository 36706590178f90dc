#pragma once
// host::play_command: `physplug-host play`. Loads the scene and the plug-in, enters sequence
// mode (the plug-in builds its worlds), steps the sequence position 1, 2, ... N (posing keyed
// parts for each frame first, as the host's player does), records every simulated body after
// each step, leaves sequence mode (the plug-in puts the bodies back), and prints the message
// window.
//
// Exit code: 0 played; 1 the simulation could not run: an active world exists but the plug-in
// reported that a world could not be built ("Bullet world[NAME] create ERROR", in whatever
// language the texts are), or a call into the plug-in failed; 2 bad input (arguments, the scene
// file, the plug-in library, an output file that cannot be written).
#include "host/cli/cli_arguments.hpp"

namespace host {

class cli_session;

class play_command {
 public:
  /// Runs the command; returns the exit code. Bad input throws cli_error.
  static int run(const cli_arguments& args);

  /// True when a message line from `first` on is the plug-in's "a world could not be built"
  /// (matched against the localised text, so it works in every language).
  static bool world_build_failed(cli_session& session, std::size_t first);
};

}  // namespace host
