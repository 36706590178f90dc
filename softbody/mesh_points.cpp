#include "softbody/mesh_points.hpp"

mesh_points::mesh_points(sxsdk::shape_class& mesh)
    : mesh_(mesh.get_polygon_mesh()), count_(mesh_.get_number_of_vertices()) {
  (void)position_.set_shape(mesh);  // no vertex selected: the mesh's own matrices
  ltow_ = position_.ltow();
  wtol_ = position_.wtol();
  position_.world = true;
}

mesh_points::rows mesh_points::rows_of(const sxsdk::mat4& M) {
  rows r;
  for (int i = 0; i < 4; ++i) r.row[i] = float4_ops::float4{M.m[i][0], M.m[i][1], M.m[i][2], 0.0f};
  r.w = M.m[3][3];
  return r;
}

mesh_points::vec3 mesh_points::divided(const vec3& r, float w) {
  if (w == 0.0f) return r;
  return {r.x / w, r.y / w, r.z / w};
}

bool mesh_points::read(int v, vec3& world) {
  sxsdk::vertex_class& vertex = mesh_.vertex(v);
  if (!bound(vertex)) {
    world = times(vertex.get_position(), ltow_);
    return true;
  }
  if (position_.set_index(v) || position_.get() || position_.positions.empty()) return false;
  world = position_.positions.front();
  return true;
}

void mesh_points::write(int v, const vec3& world) {
  if (sxsdk::vertex_class* vertex = unbound(v)) {
    vertex->set_position(times(world, wtol_));
  } else {
    write_bound(v, world);
  }
}

void mesh_points::write_bound(int v, const vec3& world) {
  if (v < 0 || v >= count_ || position_.set_index(v)) return;
  position_.positions.assign(1, world);
  (void)position_.set(false);
}

bool mesh_points::write_and_read(int v, const vec3& world, vec3& now) {
  if (sxsdk::vertex_class* vertex = unbound(v)) {
    const vec3 local = times(world, wtol_);
    vertex->set_position(local);
    now = times(local, ltow_);
    return true;
  }
  if (v < 0 || v >= count_) return false;
  write_bound(v, world);
  return read(v, now);
}
