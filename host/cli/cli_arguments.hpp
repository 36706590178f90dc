#pragma once
// host::cli_arguments: the command line of physplug-host, parsed and checked before anything is
// loaded. Every mistake throws cli_error (exit code 2) naming the argument and the problem.
//
//   physplug-host play SCENE [--frames N] [--fps F] [--render] [--trace FILE.csv] [--trace-vertices FILE.csv]
//                            [--gltf FILE.glb] [--save FILE] [--threads N] [--no-check] [--debug-frames DIR]
//                            [--lang en|ja] [--plugin PATH]
//   physplug-host edit SCENE --script OPS.json --save OUT [--lang en|ja] [--plugin PATH]
//   physplug-host info SCENE [--lang en|ja]
//   physplug-host check SCENE [--json] [--lang en|ja]
//   physplug-host help [COMMAND] [--lang en|ja]      also: physplug-host COMMAND --help
#include <string>

namespace host {

struct cli_arguments {
  std::string command;         ///< "play", "edit", "info", "check" or "help"
  std::string topic;           ///< help: the command to describe ("" every one)
  std::string scene;           ///< the scene file
  int frames = -1;             ///< last frame to play; -1: the scene's end frame
  int fps = 0;                 ///< frames per second to set before playing; 0: keep the scene's
  bool render = false;         ///< play as a rendering pass
  std::string trace;           ///< CSV trace to write ("" none)
  std::string trace_vertices;  ///< play: CSV trace of the cloth vertices ("" none)
  std::string gltf;            ///< glTF binary to write ("" none)
  std::string save;            ///< scene file to write afterwards ("" none; required by edit)
  std::string script;          ///< edit: the operations file
  std::string lang = "en";     ///< language of the plug-in's texts
  std::string plugin;          ///< plug-in library; "" = the one built with this program
  int threads = 1;             ///< play: threads the physics steps on, 1..max_threads (not stored)
  bool no_check = false;       ///< play: skip the set-up check before playing
  bool json = false;           ///< check: print the findings as JSON
  std::string debug_frames;    ///< play: folder for the debug view's frames as PNG files ("" none)

  static constexpr int max_threads = 64;

  static cli_arguments parse(int argc, const char* const* argv);
  /// The synopsis printed when no command is given (English: --lang is not known yet).
  static const char* usage();
};

}  // namespace host
