// Soft bodies: cloth built from a triangle mesh, anchored to rigid bodies or pinned.
#include "engine/bullet_world.hpp"

#include "engine/collision_filter.hpp"
#include "engine/finite_values.hpp"
#include "engine/softbody_mesh.hpp"
#include "engine/softbody_solver.hpp"

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <BulletSoftBody/btSoftBody.h>
#include <BulletSoftBody/btSoftRigidDynamicsWorld.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <numeric>
#include <utility>

using engine_checks::finite;

namespace {

// The node count Bullet's mesh helper creates: one past the largest triangle index (at least 1).
int node_count(const softbody_datas& d) {
  int largest = 0;
  for (std::int32_t index : d.triangles) largest = std::max(largest, int(index));
  return largest + 1;
}

bool in_range(const std::vector<std::int32_t>& nodes, int count) {
  return std::all_of(nodes.begin(), nodes.end(), [count](std::int32_t n) { return n >= 0 && n < count; });
}

bool has_finite_coefficients(const softbody_datas& d) {
  const float values[] = {d.mass,        d.margin,      d.kVCF,     d.kDP,      d.kDG,      d.kLF,
                          d.kPR,         d.kVC,         d.kDF,      d.kMT,      d.kCHR,     d.kKHR,
                          d.kSHR,        d.kAHR,        d.kSRHR_CL, d.kSKHR_CL, d.kSSHR_CL, d.kSR_SPLT_CL,
                          d.kSK_SPLT_CL, d.kSS_SPLT_CL, d.kLST,     d.kAST,     d.kVST};
  return std::all_of(std::begin(values), std::end(values), [](float v) { return finite(v); }) &&
         finite(d.wind_velocity) && d.mass >= 0.0f;
}

// Bullet reads triangle indices and anchor nodes without bounds checks: anything outside the
// node array would read or write past it, so such a record is refused whole.
bool is_valid_softbody(const softbody_datas& d) {
  if (d.vertices.size() % 3 != 0 || !has_finite_coefficients(d)) return false;
  const std::size_t size = d.vertices.size() / 3;
  if (size == 0 || !in_range(d.triangles, int(std::min<std::size_t>(size, INT32_MAX)))) return false;
  const int count = node_count(d);  // below INT32_MAX now
  return std::all_of(d.anchors.begin(), d.anchors.end(),
                     [count](const softbody_datas::anchor_struct& a) { return in_range(a.nodes, count); });
}

int find_root(std::vector<int>& parent, int i) {
  while (parent[i] != i) i = parent[i] = parent[parent[i]];
  return i;
}

// True when the triangles form one edge-connected piece that uses every node. Bullet 3.24's
// face/node tree build for vertex-face soft-soft collision never ends on anything else.
bool is_one_piece(const softbody_datas& d, int nodes) {
  const int faces = int(d.triangles.size() / 3);
  if (faces == 0) return false;
  std::vector<int> parent(faces);
  std::iota(parent.begin(), parent.end(), 0);
  std::vector<bool> used(nodes, false);
  std::map<std::pair<int, int>, int> edge_face;
  for (int f = 0; f < faces; ++f) {
    for (int k = 0; k < 3; ++k) {
      const int a = d.triangles[3 * f + k], b = d.triangles[3 * f + (k + 1) % 3];
      used[a] = true;
      const auto inserted = edge_face.emplace(std::minmax(a, b), f);
      if (!inserted.second) parent[find_root(parent, f)] = find_root(parent, inserted.first->second);
    }
  }
  const int root = find_root(parent, 0);
  for (int f = 1; f < faces; ++f)
    if (find_root(parent, f) != root) return false;
  return std::all_of(used.begin(), used.end(), [](bool u) { return u; });
}

void copy_coefficients(btSoftBody::Config& cfg, const softbody_datas& d) {
  cfg.kVCF = d.kVCF;
  cfg.kDP = d.kDP;
  cfg.kDG = d.kDG;
  cfg.kLF = d.kLF;
  cfg.kPR = d.kPR;
  cfg.kVC = d.kVC;
  cfg.kDF = d.kDF;
  cfg.kMT = d.kMT;
  cfg.kCHR = d.kCHR;
  cfg.kKHR = d.kKHR;
  cfg.kSHR = d.kSHR;
  cfg.kAHR = d.kAHR;
}

void copy_cluster_coefficients(btSoftBody::Config& cfg, const softbody_datas& d) {
  cfg.kSRHR_CL = d.kSRHR_CL;
  cfg.kSKHR_CL = d.kSKHR_CL;
  cfg.kSSHR_CL = d.kSSHR_CL;
  cfg.kSR_SPLT_CL = d.kSR_SPLT_CL;
  cfg.kSK_SPLT_CL = d.kSK_SPLT_CL;
  cfg.kSS_SPLT_CL = d.kSS_SPLT_CL;
}

void set_collisions(btSoftBody& body, const softbody_datas& d, bool one_piece) {
  // CL_SELF is never added: in 3.24 it switches off every soft-soft collision.
  if (one_piece) body.m_cfg.collisions |= btSoftBody::fCollision::VF_SS;
  if (d.cluster_count >= 1 && d.use_clusters) {
    body.generateClusters(d.cluster_count, 8192);
    body.m_cfg.collisions = btSoftBody::fCollision::CL_RS | btSoftBody::fCollision::CL_SS;
    copy_cluster_coefficients(body.m_cfg, d);
  }
}

void set_bending(btSoftBody& body, const softbody_datas& d) {
  if (d.bending_distance < 2) return;
  btSoftBody::Material* material = body.appendMaterial();
  material->m_kLST = d.kLST;
  material->m_kAST = d.kAST;
  material->m_kVST = d.kVST;
  body.generateBendingConstraints(d.bending_distance, material);
}

void configure(btSoftBody& body, const softbody_datas& d, bool one_piece) {
  // The body's constructor has already applied Bullet's defaults; calling initDefaults again
  // would replace (and leak) the collision shape it made.
  body.getCollisionShape()->setMargin(d.margin);
  if (!d.wind_velocity.isZero()) body.setWindVelocity(d.wind_velocity);
  if (d.randomize) body.randomizeConstraints();
  copy_coefficients(body.m_cfg, d);
  set_collisions(body, d, one_piece);
  body.setTotalMass(d.mass, true);
  set_bending(body, d);
  body.m_cfg.viterations = d.viterations;
  body.m_cfg.piterations = std::max(d.piterations, softbody_solver::min_position_iterations);
  body.m_cfg.diterations = d.diterations;
  if (d.kMT > 0.0f || d.kPR > 0.0f || d.kVC > 0.0f) body.setPose(d.kPR > 0.0f || d.kVC > 0.0f, d.kMT > 0.0f);
}

}  // namespace

void bullet_world::attach_anchors(btSoftBody& body, const softbody_datas& datas) {
  // setTotalMass recomputes every node's mass, so pins must come after it (configure()).
  for (const softbody_datas::anchor_struct& anchor : datas.anchors) {
    btRigidBody* rigid = anchor.rigid != nullptr ? find_rigid_body(anchor.rigid) : nullptr;
    for (std::int32_t node : anchor.nodes) {
      if (rigid != nullptr)
        body.appendAnchor(node, rigid, false, 1.0f);
      else
        body.setMass(node, 0.0f);  // pinned where it is
    }
  }
}

bool bullet_world::addSoftBody(softbody_datas& datas, void* key) {
  if (soft_world_ == nullptr || datas.type != 0 || !is_valid_softbody(datas) || !has_room()) return false;
  std::vector<btScalar> vertices(datas.vertices.begin(), datas.vertices.end());
  for (btScalar& v : vertices) v *= scale_;
  if (!std::all_of(vertices.begin(), vertices.end(), [](btScalar v) { return finite(v); })) return false;
  const int faces = int(datas.triangles.size() / 3);
  btSoftBody* body = softbody_mesh::create(*soft_info_, vertices.data(), datas.triangles.data(), faces);
  softbodies_[key].push_back(body);
  configure(*body, datas, is_one_piece(datas, node_count(datas)));
  attach_anchors(*body, datas);
  if ((body->m_cfg.collisions & btSoftBody::fCollision::VF_SS) != 0) softbody_mesh::build_face_tree(*body);
  soft_world_->addSoftBody(body, collision_filter::group(datas.group), collision_filter::mask(datas.mask));
  return true;
}

bool bullet_world::get_softbody_positions(void* key, int index, std::vector<btVector3>& positions) {
  const btSoftBody* body = find_soft_body(key, index);
  if (body == nullptr) return false;
  positions.resize(static_cast<std::size_t>(body->m_nodes.size()));
  const btScalar inverse = 1.0f / scale_;
  for (int i = 0; i < body->m_nodes.size(); ++i) positions[std::size_t(i)] = body->m_nodes[i].m_x * inverse;
  return true;
}

btSoftBody* bullet_world::find_soft_body(void* key, int index) const {
  const auto found = softbodies_.find(key);
  if (found == softbodies_.end() || index < 0 || std::size_t(index) >= found->second.size()) return nullptr;
  return found->second[std::size_t(index)];
}
