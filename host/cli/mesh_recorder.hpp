#pragma once
// host::mesh_recorder: the world position of every cloth vertex at every recorded frame, for
// the glTF animation. The recorded meshes are those the vertex trace follows: the soft body
// meshes below the active worlds and the projection mesh each of them links, found once when
// the recorder is made. Positions are kept as the glTF file stores them (metres, float), so a
// long playback holds 12 bytes per vertex and frame.
#include <cstdint>
#include <string>
#include <vector>

namespace host {

class scene;
class polygon_mesh_shape;

class mesh_recorder {
 public:
  /// A soft body mesh or a projection mesh of one.
  struct cloth_mesh {
    polygon_mesh_shape* shape = nullptr;
    bool projection = false;
  };
  /// The cloth meshes of the active worlds, each once: a soft body mesh, then the projection
  /// mesh it links (when it links exactly one polygon mesh).
  static std::vector<cloth_mesh> cloth_meshes(scene& s);

  struct mesh {
    polygon_mesh_shape* shape = nullptr;
    bool projection = false;
    std::string path;                        ///< names from the root joined by "/"
    std::size_t vertices = 0;                ///< vertex count when the recorder was made
    std::vector<std::uint32_t> triangles;    ///< every face of 3 or more vertices as a fan
    std::vector<std::vector<float>> frames;  ///< x, y, z in metres per vertex, one per record()
  };

  /// A mesh whose vertices stopped being finite numbers (or whose vertex count changed), and
  /// the first frame it did; it keeps its last good positions from then on.
  struct lost_mesh {
    std::size_t mesh = 0;  ///< index into meshes()
    int frame = 0;
  };

  explicit mesh_recorder(scene& s);
  /// Takes every mesh's vertices now (the frame numbers are those of the motion recorder).
  void record(int frame);

  const std::vector<mesh>& meshes() const { return meshes_; }
  const std::vector<lost_mesh>& lost() const { return lost_; }

 private:
  std::vector<mesh> meshes_;
  std::vector<lost_mesh> lost_;
};

}  // namespace host
