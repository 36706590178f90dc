#pragma once
// A cloth soft body from a triangle mesh: the nodes, links and faces Bullet's
// btSoftBodyHelpers::CreateFromTriMesh makes, in the same order, without its table of
// node count squared flags (10 GB for a 100 000-node cloth). Seen edges are kept in a hash set:
// memory grows with the number of edges.
#include <cstdint>

class btSoftBody;
struct btSoftBodyWorldInfo;

namespace softbody_mesh {

/// Nodes 0 .. (largest triangle index), at vertices[3i .. 3i+2] (the caller checks that every
/// index is in range); a link per distinct edge in first-seen order (edges of a triangle taken
/// (c, a), (a, b), (b, c)); a face per triangle; the constraints randomized once, as the helper
/// does. With no triangles: one node. The caller owns the body.
btSoftBody* create(btSoftBodyWorldInfo& info, const float* vertices, const std::int32_t* triangles, int faces);

/// Builds the face tree of a body with vertex-face collision before its first step (see the
/// definition for why).
void build_face_tree(btSoftBody& body);

}  // namespace softbody_mesh
