#pragma once
// The world positions (millimetres) of one polygon mesh's vertices, read and written bit for
// bit as shape_position_class reads and writes them. The mesh's own matrices are taken once;
// a vertex without skin binds uses them directly (they are the matrices shape_position_class
// would take for it), a vertex bound to a skin goes through shape_position_class.
// The mesh is borrowed and must keep its vertices while the object is used.
//
// Playback writes every cloth and projection vertex through here after every step, so the
// unbound path is kept small: one vertex look-up, one skin question and one position write per
// vertex, and the matrix product inline.
#include "geometry/shape_position_class.hpp"
#include "sdk/sxsdk.hpp"
#include "softbody/float4.hpp"

class mesh_points {
 public:
  using vec3 = sx::vec<float, 3>;

  /// `mesh` must be a polygon mesh.
  explicit mesh_points(sxsdk::shape_class& mesh);

  /// The number of vertices when the object was made.
  int count() const { return count_; }
  /// Vertex `v` (0 <= v < count()) in world coordinates; false when it cannot be read.
  [[nodiscard]] bool read(int v, vec3& world);
  /// Moves vertex `v` to `world`; nothing when `v` is out of range.
  void write(int v, const vec3& world);
  /// Vertex `v` when it is in range and has no skin binds, else null. Writing such a vertex is
  /// setting its position to times(world, world_to_local()), which loops over many vertices do
  /// inline; write_bound(v, world) writes the others.
  sxsdk::vertex_class* unbound(int v) {
    if (v < 0 || v >= count_) return nullptr;
    sxsdk::vertex_class& vertex = mesh_.vertex(v);
    return bound(vertex) ? nullptr : &vertex;
  }
  /// A matrix's rows (columns 0-2) in SIMD registers, for times(float4, rows).
  struct rows {
    float4_ops::float4 row[4];
    float w;  ///< element [3][3]
  };
  static rows rows_of(const sxsdk::mat4& M);
  rows world_to_local() const { return rows_of(wtol_); }
  rows local_to_world() const { return rows_of(ltow_); }
  /// write(v, world) of a vertex bound to a skin: through shape_position_class. Nothing when `v`
  /// is out of range.
  void write_bound(int v, const vec3& world);
  /// write(v, world), then what read(v, now) gives; false when `v` is out of range or cannot be
  /// read. A vertex without skin binds is not asked again: its position is the one just set.
  [[nodiscard]] bool write_and_read(int v, const vec3& world, vec3& now);

  /// p * M with the operations of sxsdk's operator*(vec3, mat4) in the same order (so the same
  /// bits): each coordinate ((x * M[0][j] + y * M[1][j]) + z * M[2][j]) + M[3][j], all three
  /// divided by M[3][3] unless it is 1 or 0.
  static vec3 times(const vec3& p, const sxsdk::mat4& M) {
    vec3 r{((p.x * M.m[0][0] + p.y * M.m[1][0]) + p.z * M.m[2][0]) + M.m[3][0],
           ((p.x * M.m[0][1] + p.y * M.m[1][1]) + p.z * M.m[2][1]) + M.m[3][1],
           ((p.x * M.m[0][2] + p.y * M.m[1][2]) + p.z * M.m[2][2]) + M.m[3][2]};
    if (M.m[3][3] != 1.0f) r = divided(r, M.m[3][3]);
    return r;
  }
  /// The same product, the point's three coordinates and the matrix's rows in SIMD registers:
  /// lane j is ((x * M[0][j] + y * M[1][j]) + z * M[2][j]) + M[3][j].
  static vec3 times(const float4_ops::float4& p, const rows& M) {
    using float4_ops::splat;
    const float4_ops::float4 r =
        ((splat(p[0]) * M.row[0] + splat(p[1]) * M.row[1]) + splat(p[2]) * M.row[2]) + M.row[3];
    return M.w == 1.0f ? float4_ops::store(r) : divided(float4_ops::store(r), M.w);
  }

 private:
  /// r / w, each coordinate, unless w is 0.
  static vec3 divided(const vec3& r, float w);
  static bool bound(sxsdk::vertex_class& vertex) { return vertex.get_skin().get_number_of_binds() > 0; }

  sxsdk::polygon_mesh_class& mesh_;
  int count_;
  shape_position_class position_;
  sxsdk::mat4 ltow_, wtol_;
};
