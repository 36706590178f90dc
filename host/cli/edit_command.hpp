#pragma once
// host::edit_command: `physplug-host edit SCENE --script OPS.json --save OUT`: loads the scene
// and the plug-in, runs the operations of the script (host/cli/edit_script.hpp), prints the
// message window and saves the scene to OUT.
//
// Exit code: 0 done; 1 a call into the plug-in failed (the scene is still saved, so the result
// can be inspected); 2 bad input (arguments, scene, script, a bad operation: nothing saved).
#include "host/cli/cli_arguments.hpp"

namespace host {

class edit_command {
 public:
  static int run(const cli_arguments& args);
};

}  // namespace host
