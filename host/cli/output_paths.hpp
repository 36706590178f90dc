#pragma once
// host::output_paths: every file a command will write, checked before anything is loaded or
// written, so that a bad output path fails at once and never after a long playback, and no
// output overwrites an input. A trace or glTF file written over the scene it was played from
// would destroy the scene; so would two outputs on one path.
#include "host/cli/cli_arguments.hpp"

namespace host {

class output_paths {
 public:
  /// Throws cli_error (exit 2) naming the argument and the path when an output of `args`
  /// (--trace, --gltf, --save) cannot be written (see atomic_file::check_target), is the same
  /// file as an input (the scene, the edit script, the plug-in library) or as another output.
  /// The one exception is --save onto the scene's own file: saving the scene that was loaded
  /// is what a save is, and it is written whole or not at all.
  static void check(const cli_arguments& args);

  /// True when `a` and `b` name the same file: the same inode when both exist, else the same
  /// absolute path once "." and ".." and symbolic links of the existing part are resolved.
  static bool same_file(const std::string& a, const std::string& b);
};

}  // namespace host
