#include "engine/threaded_world.hpp"

#include "engine/batched_solver.hpp"
#include "engine/island_builder.hpp"
#include "engine/step_pool.hpp"
#include "engine/swept_integration.hpp"

#include <BulletCollision/BroadphaseCollision/btDbvtBroadphase.h>
#include <BulletCollision/CollisionDispatch/btSimulationIslandManager.h>
#include <BulletDynamics/ConstraintSolver/btTypedConstraint.h>

#include <algorithm>

namespace {

// The island of a constraint, as the serial world sorts and assigns it.
int island_of(const btTypedConstraint* c) {
  const btCollisionObject& a = c->getRigidBodyA();
  const btCollisionObject& b = c->getRigidBodyB();
  return a.getIslandTag() >= 0 ? a.getIslandTag() : b.getIslandTag();
}

struct by_island {
  bool operator()(const btTypedConstraint* l, const btTypedConstraint* r) const { return island_of(l) < island_of(r); }
};

bool kinematic(const btCollisionObject* o) { return o != nullptr && o->isKinematicObject(); }

// Gathers islands into batches by the serial world's rule: islands are added to the open batch
// until its constraints and manifolds together exceed the minimum batch size; islands are
// never split. Without split islands (island id -1) everything is one batch.
class batch_collector final : public btSimulationIslandManager::IslandCallback {
 public:
  batch_collector(std::vector<threaded_world::batch>& batches, btTypedConstraint** sorted, int count, int min_size)
      : batches_(batches), sorted_(sorted), count_(count), min_size_(min_size) {
    batches_.emplace_back();
  }

  void processIsland(btCollisionObject** bodies, int body_count, btPersistentManifold** manifolds, int manifold_count,
                     int island) override {
    btTypedConstraint** first = sorted_;
    int constraints = count_;
    if (island >= 0) {
      // The island's constraints: from the first with its id, every later one with its id.
      int i = 0;
      while (i < count_ && island_of(sorted_[i]) != island) ++i;
      first = i < count_ ? sorted_ + i : nullptr;
      constraints = 0;
      for (; i < count_; ++i)
        if (island_of(sorted_[i]) == island) ++constraints;
    }
    // An island with many contacts is a batch of its own, solved in batches of rows; it leaves
    // the gathering of the others as it is (islands share no body, so which of them are solved
    // together changes nothing in their motion).
    const bool large = island >= 0 && !batched_solver::few_contacts(manifold_count);
    if (large && !empty(batches_.back())) batches_.emplace_back();
    threaded_world::batch& b = batches_.back();
    b.bodies.insert(b.bodies.end(), bodies, bodies + body_count);
    b.manifolds.insert(b.manifolds.end(), manifolds, manifolds + manifold_count);
    if (first != nullptr) b.constraints.insert(b.constraints.end(), first, first + constraints);
    b.large = large;
    if (large || island < 0 || min_size_ <= 1 || int(b.constraints.size() + b.manifolds.size()) > min_size_)
      batches_.emplace_back();
  }

  static bool empty(const threaded_world::batch& b) {
    return b.bodies.empty() && b.manifolds.empty() && b.constraints.empty();
  }

 private:
  std::vector<threaded_world::batch>& batches_;
  btTypedConstraint** sorted_;
  int count_;
  int min_size_;
};

bool touches_kinematic(const threaded_world::batch& b) {
  for (const btPersistentManifold* m : b.manifolds)
    if (kinematic(m->getBody0()) || kinematic(m->getBody1())) return true;
  for (const btTypedConstraint* c : b.constraints)
    if (kinematic(&c->getRigidBodyA()) || kinematic(&c->getRigidBodyB())) return true;
  return false;
}

constexpr int bodies_per_task = 256;

}  // namespace

threaded_world::threaded_world(btDispatcher* dispatcher, btBroadphaseInterface* broadphase,
                               btSequentialImpulseConstraintSolver* solver, btCollisionConfiguration* configuration,
                               step_pool& pool)
    : impact_world(dispatcher, broadphase, solver, configuration),
      pool_(pool),
      large_(std::make_unique<batched_solver>(pool)),
      sweeps_(std::make_unique<swept_integration>(pool)),
      islands_(std::make_unique<island_builder>(pool)) {
  solvers_.push_back(solver);
  for (int t = 1; t < pool.threads(); ++t) {
    own_solvers_.push_back(std::make_unique<btSequentialImpulseConstraintSolver>());
    solvers_.push_back(own_solvers_.back().get());
  }
}

threaded_world::~threaded_world() = default;

void threaded_world::predictUnconstraintMotion(btScalar step) {
  btAlignedObjectArray<btRigidBody*>& bodies = m_nonStaticRigidBodies;
  const int count = bodies.size();
  pool_.run((count + bodies_per_task - 1) / bodies_per_task, [&](int task, int) {
    const int end = std::min(count, (task + 1) * bodies_per_task);
    for (int i = task * bodies_per_task; i < end; ++i) {
      btRigidBody* body = bodies[i];
      if (body->isStaticOrKinematicObject()) continue;
      body->applyDamping(step);
      body->predictIntegratedTransform(step, body->getInterpolationWorldTransform());
    }
  });
}

void threaded_world::solveConstraints(btContactSolverInfo& info) {
  sorted_.resize(m_constraints.size());
  for (int i = 0; i < m_constraints.size(); ++i) sorted_[i] = m_constraints[i];
  sorted_.quickSort(by_island());
  btTypedConstraint** sorted = sorted_.size() ? &sorted_[0] : nullptr;
  m_constraintSolver->prepareSolve(getNumCollisionObjects(), getDispatcher()->getNumManifolds());
  batches_.clear();
  batch_collector collector(batches_, sorted, sorted_.size(), info.m_minimumSolverBatchSize);
  islands_->build_and_process(*m_islandManager, *getDispatcher(), *this, collector);
  // Large islands are solved afterwards, one after another, each on all threads; of the other
  // batches, those that touch a kinematic body go to one task, in order, every other batch alone.
  std::vector<batch*> chained, alone, large;
  for (batch& b : batches_) {
    if (b.bodies.empty() && b.manifolds.empty() && b.constraints.empty()) continue;
    b.touches_kinematic = touches_kinematic(b);
    if (b.large)
      large.push_back(&b);
    else
      (b.touches_kinematic ? chained : alone).push_back(&b);
  }
  const int first = chained.empty() ? 0 : 1;
  pool_.run(first + int(alone.size()), [&](int task, int thread) {
    if (task < first) {
      for (batch* b : chained) solve(*b, thread, info);
    } else {
      solve(*alone[std::size_t(task - first)], thread, info);
    }
  });
  for (batch* b : large) solve(*b, *large_, info);
  m_constraintSolver->allSolved(info, m_debugDrawer);
}

void threaded_world::integrateTransforms(btScalar step) {
  // Shared out where the broadphase is the tree swept_integration walks.
  auto* tree = dynamic_cast<btDbvtBroadphase*>(getBroadphase());
  if (tree == nullptr || m_applySpeculativeContactRestitution) {
    impact_world::integrateTransforms(step);
    return;
  }
  sweeps_->integrate(*this, *tree, m_nonStaticRigidBodies, step);
}

void threaded_world::solve(batch& b, int thread, btContactSolverInfo& info) {
  solve(b, *solvers_[std::size_t(thread)], info);
}

void threaded_world::solve(batch& b, btConstraintSolver& solver, btContactSolverInfo& info) {
  solver.solveGroup(b.bodies.empty() ? nullptr : b.bodies.data(), int(b.bodies.size()),
                    b.manifolds.empty() ? nullptr : b.manifolds.data(), int(b.manifolds.size()),
                    b.constraints.empty() ? nullptr : b.constraints.data(), int(b.constraints.size()), info,
                    m_debugDrawer, getDispatcher());
}
