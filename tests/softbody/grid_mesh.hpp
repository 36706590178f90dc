#pragma once
// A flat grid mesh for the soft body tests: `nx` by `nz` vertices `step` mm apart from
// `origin` (its first corner) along x and z, made of quads; vertex (i, k) has index k * nx + i.
#include <string>
#include <vector>

#include "host/scene/scene.hpp"

namespace softbody_test {

inline host::polygon_mesh_shape& add_grid_mesh(host::scene& scene, host::shape_node& dad, const std::string& name,
                                               int nx, int nz, float step, const sx::vec<float, 3>& origin) {
  host::polygon_mesh_shape& mesh = scene.add_polygon_mesh(dad, name);
  std::vector<sx::vec<float, 3>> points;
  for (int k = 0; k < nz; ++k)
    for (int i = 0; i < nx; ++i) points.push_back({origin.x + i * step, origin.y, origin.z + k * step});
  std::vector<std::vector<int>> faces;
  for (int k = 0; k + 1 < nz; ++k)
    for (int i = 0; i + 1 < nx; ++i)
      faces.push_back({k * nx + i, k * nx + i + 1, (k + 1) * nx + i + 1, (k + 1) * nx + i});
  mesh.set_vertices(points);
  mesh.set_faces(faces);
  return mesh;
}

}  // namespace softbody_test
