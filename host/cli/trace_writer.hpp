#pragma once
// host::trace_writer: the CSV trace of a playback. Header "frame,shape,x,y,z,qw,qx,qy,qz", then
// one row per frame and moved shape: the shape's path of names from the root joined by "/",
// its world position in millimetres and its world rotation as a unit quaternion (w first).
// Numbers are printed with nine significant digits, enough for a float to read back exactly.
#include <memory>
#include <string>
#include <vector>

#include "host/cli/motion_recorder.hpp"
#include "host/io/atomic_file.hpp"

namespace host {

class trace_writer {
 public:
  /// Starts a temporary file next to `path` (atomic_file) and writes the header; throws
  /// cli_error naming the path when it cannot be written. `path` itself changes only at
  /// finish(): a playback that stops on an error, or a disk that fills up, leaves an existing
  /// trace as it was. `bodies` are those of the recorder; only the moving ones (type move)
  /// are traced, because only those are moved by the simulation.
  trace_writer(const std::string& path, const std::vector<simulated_body>& bodies);

  /// Appends the rows of one recorded frame.
  void write(const motion_recorder::sample& s);
  /// Writes the rest and puts the file in place; throws cli_error when anything failed to
  /// reach the disk (`path` is then untouched).
  void finish();

 private:
  void write(const std::string& text);

  std::string path_;
  std::unique_ptr<atomic_file> out_;
  std::vector<std::size_t> traced_;  ///< indices into the bodies
  std::vector<std::string> names_;
};

}  // namespace host
