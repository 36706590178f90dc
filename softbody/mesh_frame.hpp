#pragma once
// World <-> local of a polygon mesh's unbound vertices, taken once per mesh instead of once per
// vertex: the same matrices shape_position_class uses for such a vertex (the mesh's own skin
// or frame), so reads and writes come out bit for bit as through it. A vertex bound to a skin
// has matrices of its own and goes through shape_position_class.
#include "geometry/shape_position_class.hpp"
#include "sdk/sxsdk.hpp"

struct mesh_frame {
  sxsdk::mat4 ltow;
  sxsdk::mat4 wtol;

  explicit mesh_frame(sxsdk::shape_class& mesh) {
    shape_position_class position;
    (void)position.set_shape(mesh);  // no vertex selected: the mesh's own matrices
    ltow = position.ltow();
    wtol = position.wtol();
  }
  static bool bound(sxsdk::polygon_mesh_class& mesh, int vertex) {
    return mesh.vertex(vertex).get_skin().get_number_of_binds() > 0;
  }
};
