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

// With vertex-face collision on, Bullet builds a cloth's face tree on its first step by testing
// every pair of faces for a shared edge: 7 s for 20 000 faces (a 100 x 100 cloth), about five
// minutes for the 124 000 faces of 250 x 250. The tree only narrows collision queries, so any
// tree of the faces serves: each face is inserted as Bullet inserts any leaf (faces x log
// faces), and the constants Bullet would compute with it are computed now.
void build_face_tree(btSoftBody& body) {
  body.updateConstants();
  body.m_fdbvt.clear();
  const btScalar margin = body.getCollisionShape()->getMargin();
  const btVector3 pad(margin, margin, margin);
  for (int i = 0; i < body.m_faces.size(); ++i) {
    btSoftBody::Face& f = body.m_faces[i];
    btVector3 lo = f.m_n[0]->m_x, hi = lo;
    for (int k = 1; k < 3; ++k) {
      lo.setMin(f.m_n[k]->m_x);
      hi.setMax(f.m_n[k]->m_x);
    }
    f.m_leaf = body.m_fdbvt.insert(btDbvtVolume::FromMM(lo - pad, hi + pad), &f);
  }
  body.m_bUpdateRtCst = false;
}

}  // namespace softbody_mesh
