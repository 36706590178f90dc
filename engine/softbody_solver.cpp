#include "engine/softbody_solver.hpp"

#include "engine/softbody_cloth_contacts.hpp"

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <BulletSoftBody/btSoftBodyInternals.h>

#include <cmath>

namespace {

// Contacts with static and kinematic bodies: the node is put back on the contact plane (the
// body's surface pushed out by the cloth's margin) and, with Coulomb friction, its sideways
// slip over the sub-step is cancelled (static) or shortened by friction x depth (sliding). Its
// velocity is then what the sub-step moved it, so a node that lands stays down: Bullet's own
// rule puts the node back where it started plus the depth it reached, which throws it up again
// by as much as it fell and keeps a resting cloth bouncing for ever. A node on (or within a
// twentieth of its margin above) the plane is backed by the body: `backing` gets the plane's
// normal.
void settle_rigid_contacts(btSoftBody& body, const btSoftBody::tRContactArray& contacts, btScalar h, btScalar keep,
                           std::vector<btVector3>& backing) {
  const btScalar reach = body.getCollisionShape()->getMargin() * btScalar(0.05);
  for (int i = 0; i < contacts.size(); ++i) {
    const btSoftBody::RContact& c = contacts[i];
    btSoftBody::Node& n = *c.m_node;
    if (n.m_im <= 0) continue;
    const btVector3& normal = c.m_cti.m_normal;
    const btScalar depth = -(btDot(n.m_x, normal) + c.m_cti.m_offset);
    if (depth > -reach) backing[std::size_t(c.m_node - &body.m_nodes[0])] = normal;
    if (depth <= 0) continue;
    n.m_x += normal * depth;
    // Where the node started, lifted onto the plane if it started below it: the plane is taken
    // from Bullet's sampled distance field and shifts by a fraction of a millimetre between
    // steps; lifting a node by that is no motion of its own and gives it no velocity (over a
    // 1/480 s sub-step 0.15 mm would be 0.07 m/s).
    const btScalar start_depth = -(btDot(n.m_q, normal) + c.m_cti.m_offset);
    const btVector3 start = start_depth > 0 ? n.m_q + normal * start_depth : n.m_q;
    const btRigidBody* rigid = btRigidBody::upcast(c.m_cti.m_colObj);
    const btVector3 carried = rigid != nullptr ? rigid->getVelocityInLocalPoint(c.m_c1) * h : btVector3(0, 0, 0);
    btVector3 slip = (n.m_x - start) - carried;
    slip -= normal * btDot(slip, normal);
    const btScalar limit = body.m_cfg.kDF * c.m_cti.m_colObj->getFriction() * depth;
    const btScalar length = slip.length();
    n.m_x -= length <= limit ? slip : slip * (limit / length);
    n.m_v = (n.m_x - start) * (keep / h);
  }
}

}  // namespace

softbody_solver::softbody_solver() : cloth_contacts_(new cloth_contacts) {}

softbody_solver::~softbody_solver() = default;

int softbody_solver::sub_steps(btScalar dt) {
  const float pieces = std::ceil(dt / max_sub_step - 1e-4f);
  return pieces < 1.0f ? 1 : pieces > 64.0f ? 64 : int(pieces);
}

void softbody_solver::predictMotion(btScalar dt) {
  start_velocities_.resize(std::size_t(m_softBodySet.size()));
  for (int b = 0; b < m_softBodySet.size(); ++b) {
    const btSoftBody& body = *m_softBodySet[b];
    std::vector<btVector3>& v = start_velocities_[std::size_t(b)];
    v.resize(std::size_t(body.m_nodes.size()));
    for (int i = 0; i < body.m_nodes.size(); ++i) v[std::size_t(i)] = body.m_nodes[i].m_v;
  }
  btDefaultSoftBodySolver::predictMotion(dt);
}

void softbody_solver::solveConstraints(btScalar dt) {
  // Cloths with clusters take Bullet's own step; the others take their sub-steps side by side.
  sub_stepped_.clear();
  bodies_.clear();
  for (int b = 0; b < m_softBodySet.size(); ++b) {
    btSoftBody& body = *m_softBodySet[b];
    if (!body.isActive()) continue;
    if (body.m_clusters.size() > 0 || start_velocities_[std::size_t(b)].size() != std::size_t(body.m_nodes.size())) {
      body.solveConstraints();
    } else {
      sub_stepped_.push_back({&body, std::size_t(b)});
      bodies_.push_back(&body);
    }
  }
  if (sub_stepped_.empty()) return;
  const int pieces = sub_steps(dt);
  const btScalar h = dt / btScalar(pieces);
  held_.resize(sub_stepped_.size());
  dampings_.resize(sub_stepped_.size());
  backing_.resize(start_velocities_.size());
  backing_of_.resize(sub_stepped_.size());
  gain_.resize(start_velocities_.size());
  for (std::size_t k = 0; k < sub_stepped_.size(); ++k) begin(k, pieces, h);
  cloth_contacts_->take(bodies_);
  const bool touching = !cloth_contacts_->empty();
  for (int s = 0; s < pieces; ++s) {
    for (const entry& e : sub_stepped_) advance(*e.body, h, gain_[e.index]);
    if (touching) cloth_contacts_->begin_sub_step();
    for (std::size_t k = 0; k < sub_stepped_.size(); ++k) back_moving_contacts(k, h);
    for (const entry& e : sub_stepped_) e.body->solveConstraints();
    for (std::size_t k = 0; k < sub_stepped_.size(); ++k) {
      btSoftBody& body = *sub_stepped_[k].body;
      backing_of_[k] = &backing_[sub_stepped_[k].index];
      backing_of_[k]->assign(std::size_t(body.m_nodes.size()), btVector3(0, 0, 0));
      settle_rigid_contacts(body, held_[k], h, btScalar(1) - body.m_cfg.kDP, *backing_of_[k]);
    }
    if (touching) cloth_contacts_->settle(h, backing_of_);
  }
  for (std::size_t k = 0; k < sub_stepped_.size(); ++k) end(k, dt);
}

void softbody_solver::begin(std::size_t k, int pieces, btScalar h) {
  btSoftBody& body = *sub_stepped_[k].body;
  // Contacts with static and kinematic bodies are settled here, after each sub-step; those with
  // moving rigid bodies by Bullet (it hands the body its impulses).
  btSoftBody::tRContactArray& held = held_[k];
  held.resize(0);
  btSoftBody::tRContactArray& contacts = body.m_rcontacts;
  int kept = 0;
  for (int i = 0; i < contacts.size(); ++i) {
    if (contacts[i].m_cti.m_colObj->isStaticOrKinematicObject())
      held.push_back(contacts[i]);
    else
      contacts[kept++] = contacts[i];
  }
  contacts.resize(kept);
  // The record's damping is a fraction of velocity lost per world step: each sub-step loses
  // its share.
  dampings_[k] = body.m_cfg.kDP;
  body.m_cfg.kDP = btScalar(1) - std::pow(btScalar(1) - body.m_cfg.kDP, btScalar(1) / btScalar(pieces));
  body.m_sst.sdt = h;
  body.m_sst.isdt = btScalar(1) / h;
  // Contacts with moving bodies push a node out by what it lies inside them at once; in every
  // sub-step that would turn the same depth into a velocity `pieces` times larger. Each sub-step
  // pushes its share instead. Impulses on the body are per sub-step (the impulse matrix goes
  // with 1 / time).
  const btScalar share = btScalar(1) / btScalar(pieces);
  own_matrices_.resize(sub_stepped_.size());
  own_matrices_[k].resize(std::size_t(contacts.size()));
  for (int i = 0; i < contacts.size(); ++i) {
    contacts[i].m_c0 = contacts[i].m_c0 * btScalar(pieces);
    contacts[i].m_c2 *= share;
    contacts[i].m_c4 *= share;
    own_matrices_[k][std::size_t(i)] = {contacts[i].m_c0, contacts[i].m_c2, contacts[i].m_c4};
  }
  // Bullet has moved every node by a whole step (gravity and forces into its velocity): start
  // again from the step's start and take that velocity change in equal parts.
  const std::vector<btVector3>& start_velocity = start_velocities_[sub_stepped_[k].index];
  std::vector<btVector3>& gain = gain_[sub_stepped_[k].index];
  gain.resize(start_velocity.size());
  for (int i = 0; i < body.m_nodes.size(); ++i) {
    btSoftBody::Node& n = body.m_nodes[i];
    gain[std::size_t(i)] = (n.m_v - start_velocity[std::size_t(i)]) * share;
    n.m_v = start_velocity[std::size_t(i)];
    n.m_x = n.m_q;
  }
}

void softbody_solver::back_moving_contacts(std::size_t k, btScalar h) {
  // A node that a moving body presses into what backs it (a static or kinematic body, or a cloth
  // lying on one) does not give way: the body's push is met as if the node were fixed, so a
  // ball dropped on cloth lying on a crate rests on the cloth rather than pressing through it.
  // Otherwise the node and the body share the push as their masses say (Bullet's contact).
  btSoftBody& body = *sub_stepped_[k].body;
  const std::vector<btVector3>& backing = backing_[sub_stepped_[k].index];
  btSoftBody::tRContactArray& contacts = body.m_rcontacts;
  for (int i = 0; i < contacts.size(); ++i) {
    btSoftBody::RContact& c = contacts[i];
    const own_matrix& own = own_matrices_[k][std::size_t(i)];
    const std::size_t node = std::size_t(c.m_node - &body.m_nodes[0]);
    const btRigidBody* rigid = btRigidBody::upcast(c.m_cti.m_colObj);
    const bool backed =
        node < backing.size() && rigid != nullptr && btDot(backing[node], c.m_cti.m_normal) < -backed_cosine;
    if (backed) {
      c.m_c0 = ImpulseMatrix(h, btScalar(0), rigid->getInvMass(), rigid->getInvInertiaTensorWorld(), c.m_c1);
      c.m_c2 = 0;
      c.m_c4 = own.c4 * backed_depth_share;
    } else {
      c.m_c0 = own.c0;
      c.m_c2 = own.c2;
      c.m_c4 = own.c4;
    }
  }
}

void softbody_solver::advance(btSoftBody& body, btScalar h, const std::vector<btVector3>& gain) {
  for (int i = 0; i < body.m_nodes.size(); ++i) {
    btSoftBody::Node& n = body.m_nodes[i];
    n.m_q = n.m_x;
    n.m_v += gain[std::size_t(i)];
    n.m_x += n.m_v * h;
  }
}

void softbody_solver::end(std::size_t k, btScalar dt) {
  btSoftBody& body = *sub_stepped_[k].body;
  body.m_sst.sdt = dt * body.m_cfg.timescale;  // as Bullet's prediction set it
  body.m_sst.isdt = btScalar(1) / body.m_sst.sdt;
  body.m_cfg.kDP = dampings_[k];
}
