#pragma once
// The soft bodies (cloths) of one polygon mesh: their records, kept in the mesh's stream under
// physplug_modify_uuid, and the bindings of the mesh's projection mesh, kept in its stream and
// link under physplug_figure_uuid.
//
// Soft body stream, version 4 (ints and floats 32-bit little-endian, chars 8-bit, a vector is
// three floats):
//   int version (4) | int N | N records:
//     name chars, 0 | char flags (bits 0-2 type, bit 3 randomize, bit 5 use_clusters)
//     | char group_index | int mask | float mass, margin | 18 floats kVCF .. kSS_SPLT_CL
//     | int cluster_count, viterations, piterations, diterations | vector wind_velocity
//     | int bending_distance | float kLST, kAST, kVST | int n, n ints node_vertices
//     | int n, n floats vertices (metres) | int n, n ints triangles
//     | int A, A anchor groups: int rigid body index number (-1: none), int n, n ints nodes
// Versions 0 to 3 are read (softbody_stream.cpp) and rewritten at once as version 4.
//
// A value: copied into the modify component's and each world's lists. The mesh and the anchor
// bodies belong to the scene.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/softbody_datas.hpp"
#include "softbody/float4.hpp"
#include "sx/core/vectors.hpp"

namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk

class phygics_world;

class softbody_properties {
 public:
  /// One vertex of the projection mesh bound to up to three vertices of this mesh.
  struct proxcy_struct {
    std::int32_t vertex = -1;                    ///< vertex of the projection mesh
    std::int32_t mesh_vertex[3] = {-1, -1, -1};  ///< vertices of this mesh; -1 = unused entry
    float weight[3] = {0.0f, 0.0f, 0.0f};        ///< weight of each entry, 0 where unused
    sx::vec<float, 3> offset{0.0f, 0.0f, 0.0f};  ///< point minus weighted sum, mm (not applied)
  };

  std::vector<softbody_datas> datas;    ///< the soft bodies, in engine order
  std::vector<proxcy_struct> proxcys;   ///< projection bindings, in creation order
  sxsdk::shape_class* shape = nullptr;  ///< the polygon mesh (not owned); also the engine key

  /// Loads `datas` (when the mesh has a soft body stream) and `proxcys` (when it has one
  /// projection link and a binding stream). An older version is rewritten as version 4 at once.
  /// False without a shape, or when a stream is damaged (short, hostile counts, indices out of
  /// range, an unknown version): the damaged list is left as it was, nothing is rewritten, and
  /// the error is shown naming the mesh.
  bool get_properties();

  /// Rewrites the soft body stream as version 4 with its label; an empty `datas` deletes it.
  /// True without a shape. False when the host gives no stream or fails while writing.
  [[nodiscard]] bool regist();

  /// The stream label: the first record's group index in decimal, ":", the text "SoftBody".
  std::string label(sxsdk::scene_interface& scene) const;

  /// The mesh's name, or "" without a shape.
  std::string mesh_name() const;

  // --- editing (softbody_editing.cpp) ---
  /// Shows the settings of record `index` (a new record when `index` equals the record count)
  /// and applies them: a new record, or "Renew Vertices", converts the mesh's faces (the
  /// selected ones in face editing) into nodes and triangles, anchors from the selected
  /// vertices; then the stream is written. False on cancel ("Terminated"), when the mesh cannot
  /// be converted (a message names it) or the stream cannot be written; the records are then
  /// as before.
  bool modify_softbody_shape(sxsdk::scene_interface* scene, int index);

  /// Converts the mesh into `record`: nodes in increasing vertex order, rest positions in world
  /// metres, triangles cut from each face alternately from both ends, faces without area left
  /// out; then the first anchor group from `selected` (mesh vertex indices) and `body`. False
  /// with a message (naming the mesh) when nothing can be made; `record` is then unchanged.
  bool convert_mesh(sxsdk::scene_interface& scene, softbody_datas& record, const std::vector<int>& selected,
                    sxsdk::shape_class* body);

  // --- write-back (softbody_writeback.cpp) ---
  /// Writes every record's simulated nodes (engine key: the mesh) into the mesh's vertices, in
  /// world millimetres; a record the engine does not know writes nothing. Then the projection
  /// mesh follows.
  void write_back(phygics_world& engine);
  /// Writes every record's rest positions (× 1000, world) into the mesh's vertices.
  void reset_positions();

  // --- projection meshes (projection_mesh.cpp) ---
  /// Binds the selected vertices of `projection` to this mesh (appended to `proxcys`), stores
  /// the binding stream and the link, and the projection's rest positions. With no vertex
  /// selected the projection is removed. True when a binding was stored.
  bool create_proxcy_mesh(sxsdk::scene_interface* scene, sxsdk::shape_class& projection);
  /// Removes the binding stream, the links and the rest positions of linked projection meshes
  /// that no other mesh links; `proxcys` is kept.
  void delete_projection();
  /// Moves the bound vertices of the projection mesh to the weighted sums of this mesh's
  /// vertices (only while exactly one projection link exists).
  void set_related_shape_position();
  /// The same with this mesh's vertices as they read now (world millimetres, one per vertex,
  /// all finite; the fourth lane unused), already at hand.
  void set_related_shape_position(const std::vector<float4_ops::float4>& cloth);
  /// Puts every vertex of the projection mesh back to its stored rest position.
  void reset_related_shape_position();
  /// Hangs the selected vertices of this mesh on `rigid` in the first record's anchor groups
  /// (in memory; regist stores it).
  void assign_optional_anchor(sxsdk::scene_interface& scene, sxsdk::shape_class& rigid);
  /// The linked projection mesh when exactly one link exists, else null.
  sxsdk::shape_class* projection_mesh() const;
};
