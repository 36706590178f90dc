#include "softbody/mesh_points.hpp"

namespace {

bool bound(sxsdk::vertex_class& vertex) { return vertex.get_skin().get_number_of_binds() > 0; }

}  // namespace

mesh_points::mesh_points(sxsdk::shape_class& mesh)
    : mesh_(mesh.get_polygon_mesh()), count_(mesh_.get_number_of_vertices()) {
  (void)position_.set_shape(mesh);  // no vertex selected: the mesh's own matrices
  ltow_ = position_.ltow();
  wtol_ = position_.wtol();
  position_.world = true;
}

bool mesh_points::read(int v, vec3& world) {
  sxsdk::vertex_class& vertex = mesh_.vertex(v);
  if (!bound(vertex)) {
    world = vertex.get_position() * ltow_;
    return true;
  }
  if (position_.set_index(v) || position_.get() || position_.positions.empty()) return false;
  world = position_.positions.front();
  return true;
}

void mesh_points::write(int v, const vec3& world) {
  if (v < 0 || v >= count_) return;
  sxsdk::vertex_class& vertex = mesh_.vertex(v);
  if (!bound(vertex)) {
    vertex.set_position(world * wtol_);
    return;
  }
  if (position_.set_index(v)) return;
  position_.positions.assign(1, world);
  (void)position_.set(false);
}

bool mesh_points::write_and_read(int v, const vec3& world, vec3& now) {
  if (v < 0 || v >= count_) return false;
  sxsdk::vertex_class& vertex = mesh_.vertex(v);
  if (!bound(vertex)) {
    const vec3 local = world * wtol_;
    vertex.set_position(local);
    now = local * ltow_;
    return true;
  }
  write(v, world);
  return read(v, now);
}
