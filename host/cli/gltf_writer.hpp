#pragma once
// host::gltf_writer: a playback as a glTF 2.0 binary file (.glb). Metres, Y up. One node per
// simulated rigid body (named by its path) with a mesh of its primitive's collision shape and a
// material by body type (moving orange, kinematic blue, static grey), a square of the ground
// plane of each active world (shared by worlds at one height); one animation
// "playback" with a translation and a rotation channel per body, sampled at every recorded
// frame (LINEAR, time = frame / frames per second).
#include <cstdint>
#include <string>
#include <vector>

#include "host/cli/motion_recorder.hpp"

namespace host {

class gltf_writer {
 public:
  /// The file's bytes. `fps` > 0 turns frames into seconds.
  static std::vector<std::uint8_t> build(const motion_recorder& recorder, double fps);
  /// Writes bytes to `path` whole or not at all (atomic_file); throws cli_error naming the path
  /// when it cannot (an existing file is then left as it was).
  static void save(const std::string& path, const std::vector<std::uint8_t>& bytes);
};

}  // namespace host
