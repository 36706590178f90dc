#pragma once
// A headless scene for the soft body tests: polygon meshes made from grids, rigid body parts,
// scripted dialogs, and the byte builder of the properties tests for expected stream bytes.
#include <string>

#include "../properties/properties_scene.hpp"
#include "grid_mesh.hpp"
#include "softbody/softbody_properties.hpp"

namespace softbody_test {

using properties_test::bytes;
using properties_test::le_bytes;
using properties_test::properties_scene;
using properties_test::vec3;

/// A flat grid of `nx` by `nz` vertices, `step` mm apart, in the plane y = `height` from the
/// origin; vertex (i, k) has index k * nx + i.
inline host::polygon_mesh_shape& add_grid(properties_scene& s, const std::string& name, int nx, int nz, float step,
                                          float height = 0.0f, host::shape_node* dad = nullptr) {
  return add_grid_mesh(s.scene(), dad ? *dad : s.root(), name, nx, nz, step, {0.0f, height, 0.0f});
}

inline softbody_properties properties_of(host::shape_node& mesh) {
  softbody_properties p;
  p.shape = &mesh.sdk();
  return p;
}

}  // namespace softbody_test
