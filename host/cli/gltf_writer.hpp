#pragma once
// host::gltf_writer: a playback as a glTF 2.0 binary file (.glb). Metres, Y up. One node per
// simulated rigid body (named by its path) with a mesh of its primitive's collision shape and a
// material by body type (moving orange, kinematic blue, static grey), a square of the ground
// plane of each active world (shared by worlds at one height); one animation
// "playback" with a translation and a rotation channel per body, sampled at every recorded
// frame (LINEAR, time = frame / frames per second). Cloth meshes, when recorded, are drawn and
// animated by morph targets (gltf_cloth).
#include <cstdint>
#include <string>
#include <vector>

#include "host/cli/glb_buffer.hpp"
#include "host/cli/mesh_recorder.hpp"
#include "host/cli/motion_recorder.hpp"

namespace host {

class gltf_writer {
 public:
  /// The file's bytes. `fps` > 0 turns frames into seconds. `cloth` (may be null) holds the
  /// cloth meshes recorded at the same frames as `recorder`.
  static std::vector<std::uint8_t> build(const motion_recorder& recorder, double fps,
                                         const mesh_recorder* cloth = nullptr);
  /// Writes the file to `path` whole or not at all (atomic_file), without holding a second copy
  /// of its bytes; throws cli_error naming the path when it cannot (an existing file is then
  /// left as it was), std::length_error when the file would pass 4 GiB.
  static void write(const std::string& path, const motion_recorder& recorder, double fps,
                    const mesh_recorder* cloth = nullptr);

 private:
  static void fill(const motion_recorder& recorder, const mesh_recorder* cloth, double fps, glb_buffer& buffer,
                   nlohmann::json& doc);
};

}  // namespace host
