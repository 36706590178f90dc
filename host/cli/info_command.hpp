#pragma once
// host::info_command: `physplug-host info SCENE`: the shape tree, one shape per line indented
// by depth, with each shape's physics role (world, rigid body, primitive, joint, soft body) and
// its decoded settings, in the language of --lang. Reads the streams itself; the plug-in is not
// loaded.
#include <ostream>

#include "host/cli/cli_arguments.hpp"

namespace host {

class host_texts;
class scene;

class info_command {
 public:
  /// Prints the listing of the scene file to stdout; returns the exit code (0). Bad input
  /// throws cli_error.
  static int run(const cli_arguments& args);
  /// The listing of a scene, in the language of `texts`.
  static void describe(scene& s, const host_texts& texts, std::ostream& out);
};

}  // namespace host
