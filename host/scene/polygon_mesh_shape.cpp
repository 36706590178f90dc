#include "host/scene/polygon_mesh_shape.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "host/scene/scene.hpp"

namespace host {

void polygon_mesh_shape::throw_missing(const char* what, int index, std::size_t count) {
  throw std::out_of_range(std::string(what) + " " + std::to_string(index) + " of " + std::to_string(count));
}

void polygon_mesh_shape::check_index(int index, std::size_t count, const char* what) {
  if (index < 0 || static_cast<std::size_t>(index) >= count) throw_missing(what, index, count);
}

sxsdk::skin_class& polygon_mesh_shape::mesh_vertex::get_skin() { return shape_calls::no_skin(); }

void polygon_mesh_shape::set_vertices(const std::vector<vec3>& positions) {
  vertices_.clear();
  vertices_.reserve(positions.size());
  for (const vec3& p : positions) vertices_.emplace_back(p);
  selected_vertices_.clear();
}

std::vector<polygon_mesh_shape::vec3> polygon_mesh_shape::vertex_positions() const {
  std::vector<vec3> out;
  out.reserve(vertices_.size());
  for (const mesh_vertex& v : vertices_) out.push_back(v.get_position());
  return out;
}

void polygon_mesh_shape::set_faces(const std::vector<std::vector<int>>& faces) {
  for (const auto& f : faces)
    for (int v : f) check_index(v, vertices_.size(), "face vertex");
  faces_.clear();
  for (const auto& f : faces) faces_.emplace_back(f);
  selected_faces_.clear();
}

std::vector<std::vector<int>> polygon_mesh_shape::face_indices() const {
  std::vector<std::vector<int>> out;
  for (const mesh_face& f : faces_) out.push_back(f.get_vertex_indices());
  return out;
}

void polygon_mesh_shape::select_vertices(const std::vector<int>& indices) {
  for (int i : indices) check_index(i, vertices_.size(), "vertex");
  selected_vertices_ = indices;
}

void polygon_mesh_shape::select_faces(std::vector<int> indices) {
  for (int i : indices) check_index(i, faces_.size(), "face");
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  selected_faces_ = std::move(indices);
}

sxsdk::face_class& polygon_mesh_shape::face(int index) {
  check_index(index, faces_.size(), "face");
  return faces_[static_cast<std::size_t>(index)];
}

bool polygon_mesh_shape::is_edited() const { return owner().edited_mesh() == this; }

int polygon_mesh_shape::get_number_of_active_vertices() const {
  return is_edited() ? static_cast<int>(selected_vertices_.size()) : 0;
}

std::vector<int> polygon_mesh_shape::get_active_faces() const {
  return is_edited() ? selected_faces_ : std::vector<int>();
}

void polygon_mesh_shape::transform_points(const sxsdk::mat4& m) {
  for (mesh_vertex& v : vertices_) v.set_position(v.get_position() * m);
}

}  // namespace host
