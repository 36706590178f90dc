#pragma once
// The world positions (millimetres) of one polygon mesh's vertices, read and written bit for
// bit as shape_position_class reads and writes them. The mesh's own matrices are taken once;
// a vertex without skin binds uses them directly (they are the matrices shape_position_class
// would take for it), a vertex bound to a skin goes through shape_position_class.
// The mesh is borrowed and must keep its vertices while the object is used.
#include "geometry/shape_position_class.hpp"
#include "sdk/sxsdk.hpp"

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
  /// write(v, world), then what read(v, now) gives; false when `v` is out of range or cannot be
  /// read. A vertex without skin binds is not asked again: its position is the one just set.
  [[nodiscard]] bool write_and_read(int v, const vec3& world, vec3& now);

 private:
  sxsdk::polygon_mesh_class& mesh_;
  int count_;
  shape_position_class position_;
  sxsdk::mat4 ltow_, wtol_;
};
