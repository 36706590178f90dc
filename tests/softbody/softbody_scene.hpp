#pragma once
// A headless scene for the soft body tests: polygon meshes made from grids, rigid body parts,
// scripted dialogs, and the byte builder of the properties tests for expected stream bytes.
#include <string>
#include <vector>

#include "../properties/properties_scene.hpp"
#include "softbody/softbody_properties.hpp"

namespace softbody_test {

using properties_test::bytes;
using properties_test::le_bytes;
using properties_test::properties_scene;
using properties_test::vec3;

/// A flat grid of `nx` by `nz` vertices, `step` mm apart, in the plane y = `height`, made of
/// quads; vertex (i, k) has index k * nx + i.
inline host::polygon_mesh_shape& add_grid(properties_scene& s, const std::string& name, int nx, int nz, float step,
                                          float height = 0.0f, host::shape_node* dad = nullptr) {
  host::polygon_mesh_shape& mesh = s.scene().add_polygon_mesh(dad ? *dad : s.root(), name);
  std::vector<vec3> points;
  for (int k = 0; k < nz; ++k)
    for (int i = 0; i < nx; ++i) points.push_back({i * step, height, k * step});
  std::vector<std::vector<int>> faces;
  for (int k = 0; k + 1 < nz; ++k)
    for (int i = 0; i + 1 < nx; ++i)
      faces.push_back({k * nx + i, k * nx + i + 1, (k + 1) * nx + i + 1, (k + 1) * nx + i});
  mesh.set_vertices(points);
  mesh.set_faces(faces);
  return mesh;
}

inline softbody_properties properties_of(host::shape_node& mesh) {
  softbody_properties p;
  p.shape = &mesh.sdk();
  return p;
}

}  // namespace softbody_test
