#include "softbody/mesh_snapshot.hpp"

#include <algorithm>

#include "sdk/sxsdk.hpp"

void mesh_snapshot::take(sxsdk::shape_class& mesh) {
  mesh_ = nullptr;
  local_.clear();
  if (mesh.get_type() != sxsdk::shape_type::polygon_mesh) return;
  sxsdk::polygon_mesh_class& m = mesh.get_polygon_mesh();
  local_.reserve(std::size_t(m.get_number_of_vertices()));
  for (int i = 0; i < m.get_number_of_vertices(); ++i) local_.push_back(m.vertex(i).get_position());
  mesh_ = &mesh;
}

void mesh_snapshot::restore() const {
  if (mesh_ == nullptr) return;
  sxsdk::polygon_mesh_class& m = mesh_->get_polygon_mesh();
  const int count = std::min(m.get_number_of_vertices(), int(local_.size()));
  for (int i = 0; i < count; ++i) m.vertex(i).set_position(local_[std::size_t(i)]);
}
