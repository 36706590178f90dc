#pragma once
// host::trace_writer: the CSV trace of a playback. Header "frame,shape,x,y,z,qw,qx,qy,qz", then
// one row per frame and moved shape: the shape's path of names from the root joined by "/",
// its world position in millimetres and its world rotation as a unit quaternion (w first).
// Numbers are printed with nine significant digits, enough for a float to read back exactly.
#include <fstream>
#include <string>
#include <vector>

#include "host/cli/motion_recorder.hpp"

namespace host {

class trace_writer {
 public:
  /// Opens (truncates) `path` and writes the header; throws cli_error naming the path when it
  /// cannot be written. `bodies` are those of the recorder; only the moving ones (type move)
  /// are traced, because only those are moved by the simulation.
  trace_writer(const std::string& path, const std::vector<simulated_body>& bodies);

  /// Appends the rows of one recorded frame.
  void write(const motion_recorder::sample& s);
  /// Flushes and closes; throws cli_error when anything failed to reach the file.
  void finish();

 private:
  std::string path_;
  std::ofstream out_;
  std::vector<std::size_t> traced_;  ///< indices into the bodies
  std::vector<std::string> names_;
};

}  // namespace host
