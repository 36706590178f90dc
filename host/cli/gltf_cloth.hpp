#pragma once
// host::gltf_cloth: the cloth meshes of a playback in a glTF file. Each recorded mesh is a node
// (named by its path, world coordinates) with one mesh whose base shape is the first recorded
// frame and which has one morph target per recorded frame: target i moves every vertex to its
// place at frame i (target 0 moves nothing) and carries the normals of that frame, so the
// cloth shades as it folds. The playback animation's weights channel for the node steps through
// the targets: at the time of frame i, weight 1 on target i and 0 on every other, LINEAR, so a
// viewer blends neighbouring frames as it does the rigid bodies' poses.
#include <cstdint>

#include <nlohmann/json.hpp>

#include "host/cli/glb_buffer.hpp"
#include "host/cli/mesh_recorder.hpp"

namespace host {

class gltf_cloth {
 public:
  /// Bytes the meshes' binary data takes for `frames` recorded frames (positions and normals of
  /// every target, triangles, weights), known before playing; the largest number when the weights
  /// could not be numbered.
  static std::uint64_t bytes(const mesh_recorder& cloth, std::size_t frames);

  /// Adds a node and a mesh per recorded mesh with at least one triangle and one frame, with
  /// the materials `soft_material` (soft body meshes) and `projection_material`. Returns the
  /// node index of each mesh (-1 for one not drawn).
  static std::vector<int> add(const mesh_recorder& cloth, glb_buffer& buffer, nlohmann::json& meshes,
                              nlohmann::json& nodes, int soft_material, int projection_material);

  /// The weights samplers and channels of the drawn meshes, on the animation input `input`
  /// (one time per recorded frame).
  static void animate(const mesh_recorder& cloth, const std::vector<int>& nodes, int input, glb_buffer& buffer,
                      nlohmann::json& samplers, nlohmann::json& channels);
};

}  // namespace host
