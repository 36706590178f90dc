#include "engine/softbody_mesh.hpp"

#include <BulletSoftBody/btSoftBody.h>

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace softbody_mesh {

btSoftBody* create(btSoftBodyWorldInfo& info, const float* vertices, const std::int32_t* triangles, int faces) {
  int largest = 0;
  for (long i = 0; i < 3L * faces; ++i) largest = std::max(largest, int(triangles[i]));
  const int nodes = largest + 1;
  btAlignedObjectArray<btVector3> positions;
  positions.resize(nodes);
  for (int n = 0; n < nodes; ++n) positions[n].setValue(vertices[3 * n], vertices[3 * n + 1], vertices[3 * n + 2]);
  btSoftBody* body = new btSoftBody(&info, nodes, &positions[0], nullptr);
  std::unordered_set<std::uint64_t> edges;
  edges.reserve(std::size_t(faces) * 2 + 16);
  for (long f = 0; f < faces; ++f) {
    const int idx[3] = {triangles[3 * f], triangles[3 * f + 1], triangles[3 * f + 2]};
    for (int j = 2, k = 0; k < 3; j = k++) {
      const auto lo = std::uint64_t(std::min(idx[j], idx[k])), hi = std::uint64_t(std::max(idx[j], idx[k]));
      if (edges.insert((hi << 32) | lo).second) body->appendLink(idx[j], idx[k]);
    }
    body->appendFace(idx[0], idx[1], idx[2]);
  }
  body->randomizeConstraints();
  return body;
}

}  // namespace softbody_mesh
