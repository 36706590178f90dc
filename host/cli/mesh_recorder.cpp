#include "host/cli/mesh_recorder.hpp"

#include <algorithm>
#include <cmath>

#include "host/cli/scene_roles.hpp"
#include "host/scene/scene.hpp"

namespace host {
namespace {

void collect(shape_node& shape, std::vector<mesh_recorder::cloth_mesh>& meshes) {
  auto* mesh = dynamic_cast<polygon_mesh_shape*>(&shape);
  if (mesh && scene_roles::has_role(shape, physics_role::soft_body)) {
    meshes.push_back({mesh, false});
    const std::vector<shape_node*> linked = shape.links_of(physics_stream_ids::figure);
    if (linked.size() == 1)
      if (auto* projection = dynamic_cast<polygon_mesh_shape*>(linked.front())) meshes.push_back({projection, true});
  }
  for (shape_node* son : shape.sons()) collect(*son, meshes);
}

std::vector<std::uint32_t> fans(const polygon_mesh_shape& shape) {
  std::vector<std::uint32_t> out;
  for (const std::vector<int>& face : shape.face_indices())
    for (std::size_t i = 2; i < face.size(); ++i)
      for (int v : {face[0], face[i - 1], face[i]}) out.push_back(static_cast<std::uint32_t>(v));
  return out;
}

}  // namespace

std::vector<mesh_recorder::cloth_mesh> mesh_recorder::cloth_meshes(scene& s) {
  std::vector<cloth_mesh> found, out;
  for (const simulated_world& w : scene_roles::worlds(s)) collect(*w.part, found);
  for (const cloth_mesh& m : found)
    if (std::none_of(out.begin(), out.end(), [&](const cloth_mesh& o) { return o.shape == m.shape; })) out.push_back(m);
  return out;
}

mesh_recorder::mesh_recorder(scene& s) {
  for (const cloth_mesh& c : cloth_meshes(s)) {
    mesh m;
    m.shape = c.shape;
    m.projection = c.projection;
    m.path = c.shape->path();
    m.vertices = static_cast<std::size_t>(c.shape->get_number_of_vertices());
    m.triangles = fans(*c.shape);
    meshes_.push_back(std::move(m));
  }
}

void mesh_recorder::record(int frame) {
  for (std::size_t k = 0; k < meshes_.size(); ++k) {
    mesh& m = meshes_[k];
    const bool was_lost = std::any_of(lost_.begin(), lost_.end(), [&](const lost_mesh& l) { return l.mesh == k; });
    std::vector<float> positions;
    if (!was_lost) {
      // The same arithmetic as the vertex trace, then millimetres to metres.
      const sxsdk::mat4 to_world = m.shape->local_to_world();
      const std::vector<sx::vec<float, 3>> points = m.shape->vertex_positions();
      bool good = points.size() == m.vertices;
      positions.reserve(3 * points.size());
      for (std::size_t i = 0; good && i < points.size(); ++i) {
        const sx::vec<float, 3> p = points[i] * to_world;
        for (float v : {p.x, p.y, p.z}) {
          good = good && std::isfinite(v);
          positions.push_back(static_cast<float>(static_cast<double>(v) * 0.001));
        }
      }
      if (!good) {
        lost_.push_back({k, frame});
        positions.clear();
      }
    }
    if (positions.empty() && m.vertices > 0) {
      // Before any good frame a lost mesh stays at the origin: nothing not finite is kept.
      positions = m.frames.empty() ? std::vector<float>(3 * m.vertices, 0.0f) : m.frames.back();
    }
    m.frames.push_back(std::move(positions));
  }
}

}  // namespace host
