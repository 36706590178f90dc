#pragma once
// Cloths in a scene played through the real plug-in: a grid mesh under a world part, made a
// soft body as the editor makes it (the conversion of its faces, anchors from chosen vertices),
// plus read-outs of its vertices.
#include <algorithm>
#include <string>
#include <vector>

#include "../plugin/playback_scene.hpp"
#include "grid_mesh.hpp"
#include "softbody/softbody_properties.hpp"

namespace softbody_test {

using plugin_test::playback_scene;
using cloth_vec3 = sx::vec<float, 3>;

/// Makes `mesh` one soft body of every face with `settings`, the `pinned` vertices anchored to
/// `body` (null: pinned in place), and stores it. Returns the stored record.
inline softbody_datas make_cloth(host::scene& scene, host::polygon_mesh_shape& mesh,
                                 softbody_datas settings = softbody_datas(), const std::vector<int>& pinned = {},
                                 sxsdk::shape_class* body = nullptr) {
  softbody_properties p;
  p.shape = &mesh.sdk();
  if (!p.convert_mesh(scene, settings, pinned, body)) throw std::runtime_error("test scene: cloth not converted");
  p.datas.push_back(settings);
  if (!p.regist()) throw std::runtime_error("test scene: cloth stream not written");
  return settings;
}

inline float lowest_y(const host::polygon_mesh_shape& mesh) {
  float low = 1e30f;
  for (const cloth_vec3& p : mesh.vertex_positions()) low = std::min(low, p.y);
  return low;
}

}  // namespace softbody_test
