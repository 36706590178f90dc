#pragma once
// host::edit_script: runs a list of operations the way a user does them in the host's
// interface, against a scene with the plug-in loaded. The file is JSON: an array of operations
// (or an object whose "operations" member is that array), each an object with "op":
//
//   select         "shapes": [PATH...]       make these shapes active and selected (the plug-in
//                                             hears active_shapes_changed)
//   current        "shape": PATH             new shapes go into / before it (make current)
//   create         "creator": "World" | "Primitive/Rigid", "answers": [ANSWER...]
//   modify         ["shape": PATH], "answers": [...]   the "Bullet Modify" attribute on the
//                                             active shape (selects PATH first when given)
//   edit_mesh      "shape": PATH, "mode": "faces"|"edges"|"vertices", "select": [INDEX...]
//   end_edit_mesh                             leave mesh editing
//   rename         "shape": PATH, "name": TEXT
//   place          "shape": PATH, "position": [x, y, z] (mm), "rotation": [x, y, z] (degrees,
//                                             turned about X, then Y, then Z); the plug-in
//                                             hears shapes_moved
//   key            "shape": PATH, "frame": F, "position", "rotation" as place: an animation key
//   animation      "frame_rate", "start_frame", "end_frame" (each optional)
//
// Numbers must fit a float (a position of 1e39 would be an infinity in the scene), whole numbers
// an int (4294967296 would wrap to 0) and element numbers may not be negative.
//
// PATH is the names from the root joined by "/" ("root/Bullet World/Ball"); a name may end in
// "#N" for the N-th son of that name (from 1). ANSWER is a dialog answer as the host's dialog
// scripts take it: "ok", "cancel", or an object of item label (or "#number") to value. Every
// answer given must be used by the operation and accepted by its dialog.
#include <cstddef>
#include <string>
#include <vector>

#include "host/cli/edit_operation.hpp"

namespace host {

class cli_session;
class shape_node;

class edit_script {
 public:
  /// The largest operations file read: scripts are typed or generated lists of operations, a
  /// few kB each hundred operations.
  static constexpr std::size_t max_file_bytes = std::size_t(16) << 20;

  /// Reads the operations file (a regular file of at most max_file_bytes) and checks every
  /// operation (edit_script_reader); throws cli_error naming the file, and the operation's
  /// number, when it cannot be read or an operation is malformed.
  edit_script(const std::string& path);

  /// Runs every operation in order, printing one line per operation to stdout. Throws
  /// cli_error (exit 2) naming the file, the operation's number and the problem for a bad
  /// operation; returns false when a call into the plug-in failed.
  bool run(cli_session& session) const;

 private:
  void run_one(cli_session& session, const edit_operation& op) const;

  std::string path_;
  std::vector<edit_operation> operations_;
};

/// The shape at PATH (see edit_script), or null.
shape_node* find_shape_path(cli_session& session, const std::string& path);

}  // namespace host
