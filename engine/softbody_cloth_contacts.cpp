#include "engine/softbody_cloth_contacts.hpp"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// How far outside a face (in barycentric weight) a node may lie and still count as over it: a
// node right over an edge is then over both faces rather than over neither.
constexpr btScalar edge_tolerance = btScalar(0.02);
// A node this far beyond its margin (as a fraction of it) still counts as touching for its
// velocity: a node resting on the margin is held there, not let sink by one sub-step of gravity.
constexpr btScalar touch_tolerance = btScalar(0.02);
// How fast a node found within the margins is let out to them, m/s.
constexpr btScalar release_speed = btScalar(0.1);

// The plane of the face through a, b, c and where p lies over it. False when the face has no
// area or p lies beside it.
bool over_face(const btVector3& p, const btVector3& a, const btVector3& b, const btVector3& c, btVector3& normal,
               btVector3& weights) {
  const btVector3 ab = b - a, ac = c - a;
  normal = btCross(ab, ac);
  const btScalar area2 = normal.length2();
  if (!(area2 > SIMD_EPSILON * SIMD_EPSILON)) return false;
  // Barycentric weights of p's foot on the plane: p - a = wb ab + wc ac + height n.
  const btVector3 ap = p - a;
  const btScalar wc = btDot(btCross(ab, ap), normal) / area2;
  const btScalar wb = btDot(btCross(ap, ac), normal) / area2;
  const btScalar wa = btScalar(1) - wb - wc;
  if (wa < -edge_tolerance || wb < -edge_tolerance || wc < -edge_tolerance) return false;
  normal /= btSqrt(area2);
  weights = btVector3(wa, wb, wc);
  weights.setMax(btVector3(0, 0, 0));
  weights /= weights.x() + weights.y() + weights.z();
  return true;
}

btSoftBody::Node* node_array(btSoftBody& body) { return body.m_nodes.size() > 0 ? &body.m_nodes[0] : nullptr; }

}  // namespace

std::size_t cloth_contacts::pair_hash::operator()(const pair& p) const {
  return std::hash<const void*>()(p.first) * 31u + std::hash<const void*>()(p.second);
}

void cloth_contacts::take(const std::vector<btSoftBody*>& bodies) {
  // What the last step learnt of each pair (the node's side, how far it is held off) carries
  // over to the pairs Bullet finds again.
  last_.clear();
  for (const contact& c : contacts_)
    if (c.side != 0) last_[pair(c.node, c.face_key)] = {c.side, c.reach};
  contacts_.clear();
  const auto body_of_face = [&bodies](const btSoftBody::Face* f) {
    for (std::size_t k = 0; k < bodies.size(); ++k) {
      const btSoftBody& b = *bodies[k];
      if (b.m_faces.size() > 0 && f >= &b.m_faces[0] && f < &b.m_faces[0] + b.m_faces.size()) return int(k);
    }
    return -1;
  };
  for (std::size_t k = 0; k < bodies.size(); ++k) {
    btSoftBody& body = *bodies[k];
    for (int i = 0; i < body.m_scontacts.size(); ++i) {
      const btSoftBody::SContact& s = body.m_scontacts[i];
      contact c{};
      c.node = s.m_node;
      c.node_body = int(k);
      c.node_index = int(s.m_node - node_array(body));
      c.face_body = body_of_face(s.m_face);
      for (int j = 0; j < 3; ++j) {
        c.face[j] = s.m_face->m_n[j];
        c.face_index[j] = c.face_body < 0 ? -1 : int(c.face[j] - node_array(*bodies[std::size_t(c.face_body)]));
      }
      // The margins as Bullet measures them (without its allowance for the step's motion).
      c.margin = body.getCollisionShape()->getMargin();
      c.friction = body.m_cfg.kDF;
      if (c.face_body >= 0) {
        const btSoftBody& other = *bodies[std::size_t(c.face_body)];
        c.margin += other.getCollisionShape()->getMargin();
        c.friction = std::max(c.friction, other.m_cfg.kDF);
      } else {
        c.margin = s.m_margin;
        c.friction = s.m_friction;
      }
      c.hardness = std::min(std::max(body.m_cfg.kSHR, btScalar(0)), btScalar(1));
      c.face_key = s.m_face;
      const auto known = last_.find(pair(c.node, c.face_key));
      c.side = known != last_.end() ? known->second.side : btScalar(0);
      c.reach = known != last_.end() ? known->second.reach : btScalar(0);
      contacts_.push_back(c);
    }
    body.m_scontacts.resize(0);
  }
}

void cloth_contacts::begin_sub_step() {
  // The side a node is on: taken where it started the sub-step, the first time it lies over the
  // face (before it comes close, a node lies clear of the face's margin on its own side).
  for (contact& c : contacts_) {
    if (c.side != 0) continue;
    const bool moves = c.face_body >= 0;
    btVector3 normal, weights;
    const btVector3& a = moves ? c.face[0]->m_q : c.face[0]->m_x;
    if (!over_face(c.node->m_q, a, moves ? c.face[1]->m_q : c.face[1]->m_x, moves ? c.face[2]->m_q : c.face[2]->m_x,
                   normal, weights))
      continue;
    const btScalar distance = btDot(c.node->m_q - a, normal);
    c.side = distance >= 0 ? btScalar(1) : btScalar(-1);
    // A node that comes over the face already within the margins (it slid in from beside the
    // face) is held where it is and let out to the margins at a walking pace, not thrown out.
    c.reach = std::min(std::fabs(distance), c.margin);
  }
}

bool cloth_contacts::measure(const contact& c, const backings& backing, frame& f) const {
  if (c.side == 0) return false;
  if (!over_face(c.node->m_x, c.face[0]->m_x, c.face[1]->m_x, c.face[2]->m_x, f.normal, f.weights)) return false;
  f.normal *= c.side;
  f.gap = btDot(c.node->m_x - c.face[0]->m_x, f.normal);
  f.node_im = backed(backing, c.node_body, c.node_index) ? btScalar(0) : c.node->m_im;
  f.inverse_mass = f.node_im;
  for (int j = 0; j < 3; ++j) {
    f.face_im[j] = backed(backing, c.face_body, c.face_index[j]) ? btScalar(0) : c.face[j]->m_im;
    f.inverse_mass += f.weights[j] * f.weights[j] * f.face_im[j];
  }
  return f.inverse_mass > 0;
}

void cloth_contacts::push(const contact& c, const frame& f) {
  // Only within the margins, and not from beyond the face by more than a margin (a node that
  // far through was never held by this face: it is not pulled back through it).
  const btScalar depth = c.reach - f.gap;
  if (depth <= 0 || f.gap < -c.margin) return;
  const btScalar lambda = c.hardness * depth / f.inverse_mass;
  c.node->m_x += f.normal * (lambda * f.node_im);
  for (int j = 0; j < 3; ++j) c.face[j]->m_x -= f.normal * (lambda * f.face_im[j] * f.weights[j]);
  // Friction: the slip of the node over the face during the sub-step is cancelled, or shortened
  // by friction x the depth pushed (sliding).
  const bool moves = c.face_body >= 0;
  btVector3 slip = c.node->m_x - c.node->m_q;
  for (int j = 0; j < 3; ++j) slip -= (c.face[j]->m_x - (moves ? c.face[j]->m_q : c.face[j]->m_x)) * f.weights[j];
  slip -= f.normal * btDot(slip, f.normal);
  const btScalar limit = c.friction * c.hardness * depth;
  const btScalar length = slip.length();
  if (!(length > 0)) return;
  const btVector3 cut = (length <= limit ? slip : slip * (limit / length)) / f.inverse_mass;
  c.node->m_x -= cut * f.node_im;
  for (int j = 0; j < 3; ++j) c.face[j]->m_x += cut * (f.face_im[j] * f.weights[j]);
}

void cloth_contacts::stop_approach(const contact& c, const frame& f) {
  if (f.gap > c.reach + c.margin * touch_tolerance || f.gap < -c.margin) return;
  btVector3 relative = c.node->m_v;
  for (int j = 0; j < 3; ++j) relative -= c.face[j]->m_v * f.weights[j];
  const btScalar approach = btDot(relative, f.normal);
  if (approach >= 0) return;
  btVector3 change = f.normal * -approach;
  // Coulomb friction on the sliding velocity, up to friction x the approach taken out.
  const btVector3 sliding = relative - f.normal * approach;
  const btScalar limit = c.friction * -approach;
  const btScalar length = sliding.length();
  if (length > 0) change -= length <= limit ? sliding : sliding * (limit / length);
  change /= f.inverse_mass;
  c.node->m_v += change * f.node_im;
  for (int j = 0; j < 3; ++j) c.face[j]->m_v -= change * (f.face_im[j] * f.weights[j]);
}

void cloth_contacts::settle(btScalar h, const backings& backing) {
  for (contact& c : contacts_)
    if (c.side != 0) c.reach = std::min(c.reach + release_speed * h, c.margin);
  frame f;
  for (int pass = 0; pass < iterations; ++pass)
    for (const contact& c : contacts_)
      if (measure(c, backing, f)) push(c, f);
  for (const contact& c : contacts_)
    if (measure(c, backing, f)) stop_approach(c, f);
  // A node lying on a face whose nodes are backed is backed by that face (two passes: a third
  // cloth on two).
  for (int pass = 0; pass < 2; ++pass)
    for (const contact& c : contacts_) {
      btVector3& mine = (*backing[std::size_t(c.node_body)])[std::size_t(c.node_index)];
      if (!mine.isZero() || !measure(c, backing, f) || f.gap > c.reach + c.margin * touch_tolerance) continue;
      bool held = true;
      for (int j = 0; j < 3; ++j)
        held = held && (f.weights[j] < btScalar(0.05) || backed(backing, c.face_body, c.face_index[j]));
      if (held) mine = f.normal;
    }
}

bool cloth_contacts::backed(const backings& backing, int body, int node) {
  return body < 0 || !(*backing[std::size_t(body)])[std::size_t(node)].isZero();
}
