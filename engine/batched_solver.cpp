#include "engine/batched_solver.hpp"

#include "engine/step_pool.hpp"

#include <BulletCollision/NarrowPhaseCollision/btPersistentManifold.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>

#include <algorithm>

namespace {

using schedule = batched_solver::schedule;

// A kinematic body has a solver body of its own that the rows write (the fixed body, which
// stands for every static body, is never written).
bool kinematic(const btSolverBody& body) {
  return body.m_originalBody != nullptr && body.m_originalBody->getInvMass() == 0;
}

bool touches_kinematic(const btSolverConstraint& row, const btAlignedObjectArray<btSolverBody>& bodies) {
  return kinematic(bodies[row.m_solverBodyIdA]) || kinematic(bodies[row.m_solverBodyIdB]);
}

// Bullet's phases in the order it solves them, each batch's rows in its order, with the rows that
// touch a kinematic body moved out of the batches to the end of their phase.
schedule make_schedule(const btBatchedConstraints& batched, const btConstraintArray& rows,
                       const btAlignedObjectArray<btSolverBody>& bodies) {
  schedule s;
  s.rows.reserve(batched.m_constraintIndices.size());
  std::vector<int> held;
  for (int k = 0; k < batched.m_phases.size(); ++k) {
    const btBatchedConstraints::Range& phase = batched.m_phases[batched.m_phaseOrder[k]];
    schedule::phase p;
    held.clear();
    for (int b = phase.begin; b < phase.end; ++b) {
      const btBatchedConstraints::Range& batch = batched.m_batches[b];
      const int begin = s.rows.size();
      for (int i = batch.begin; i < batch.end; ++i) {
        const int row = batched.m_constraintIndices[i];
        if (touches_kinematic(rows[row], bodies))
          held.push_back(row);
        else
          s.rows.push_back(row);
      }
      if (s.rows.size() > begin) p.batches.push_back({begin, s.rows.size()});
    }
    p.kinematic.begin = s.rows.size();
    for (int row : held) s.rows.push_back(row);
    p.kinematic.end = s.rows.size();
    s.phases.push_back(std::move(p));
  }
  return s;
}

}  // namespace

batched_solver::batched_solver(step_pool& pool) : pool_(pool) {
  // Bullet's batching asks its task scheduler for the number of threads (to size work it hands
  // out, which this solver does itself); without one it would read through a null pointer.
  if (btGetTaskScheduler() == nullptr) btSetTaskScheduler(btGetSequentialTaskScheduler());
}

template <class Work>
void batched_solver::each_slice(int count, int slice, Work work) {
  pool_.run((count + slice - 1) / slice,
            [&](int task, int) { work(task * slice, std::min(count, (task + 1) * slice)); });
}

template <class Solve>
btScalar batched_solver::each_batch(const schedule& s, Solve solve) {
  btScalar sum = 0;
  for (const schedule::phase& p : s.phases) {
    residuals_.assign(p.batches.size(), 0);
    pool_.run(int(p.batches.size()), [&](int task, int) {
      const schedule::range& r = p.batches[std::size_t(task)];
      residuals_[std::size_t(task)] = solve(s.rows, r.begin, r.end);
    });
    for (btScalar r : residuals_) sum += r;
    if (p.kinematic.end > p.kinematic.begin) sum += solve(s.rows, p.kinematic.begin, p.kinematic.end);
  }
  return sum;
}

void batched_solver::convertBodies(btCollisionObject** bodies, int count, const btContactSolverInfo& info) {
  // As Bullet's: every body of the island has its solver body at its own index, the fixed body
  // (every static body) after them; each is set up alone.
  m_kinematicBodyUniqueIdToSolverBodyTable.resize(0);
  m_tmpSolverBodyPool.resizeNoInitialize(count + 1);
  m_fixedBodyId = count;
  initSolverBody(&m_tmpSolverBodyPool[m_fixedBodyId], nullptr, info.m_timeStep);
  each_slice(count, 64, [&](int begin, int end) { internalConvertBodies(bodies, begin, end, info); });
}

void batched_solver::convertContacts(btPersistentManifold** manifolds, int count, const btContactSolverInfo& info) {
  if (!m_useBatching) {
    btSequentialImpulseConstraintSolver::convertContacts(manifolds, count, info);
    return;
  }
  if (count <= 0) return;
  if (m_fixedBodyId < 0) {
    m_fixedBodyId = m_tmpSolverBodyPool.size();
    m_tmpSolverBodyPool.resizeNoInitialize(m_fixedBodyId + 1);  // initSolverBody sets every member
    initSolverBody(&m_tmpSolverBodyPool[m_fixedBodyId], nullptr, info.m_timeStep);
  }
  // Rows are made as Bullet's batched solver makes them (the solver bodies of kinematic bodies
  // in the manifolds' order); each row is then set up (and warm-started) in its batch.
  alloc_contacts(manifolds, count, info);
  setupBatchedContactConstraints();
  (void)each_batch(contacts_, [&](const btAlignedObjectArray<int>& rows, int begin, int end) {
    for (int i = begin; i < end; ++i) internalSetupContactConstraints(rows[i], info);
    return btScalar(0);
  });
}

void batched_solver::alloc_contacts(btPersistentManifold** manifolds, int count, const btContactSolverInfo& info) {
  // Each manifold's touching contacts and solver bodies, in slices. Every moving body's solver
  // body is made already (convertBodies) and the fixed body's too; a kinematic body gets its own
  // when a manifold first reaches it, so manifolds that touch one are taken afterwards, in order.
  cached_.resizeNoInitialize(count);
  waiting_.assign(std::size_t(count), 0);
  const auto kinematic_body = [](const btCollisionObject* o) {
    return btRigidBody::upcast(o) != nullptr && o->isKinematicObject();
  };
  each_slice(count, 256, [&](int begin, int end) {
    for (int i = begin; i < end; ++i) {
      if (kinematic_body(manifolds[i]->getBody0()) || kinematic_body(manifolds[i]->getBody1()))
        waiting_[std::size_t(i)] = 1;
      else
        internalCollectContactManifoldCachedInfo(&cached_[i], manifolds + i, 1, info);
    }
  });
  for (int i = 0; i < count; ++i)
    if (waiting_[std::size_t(i)]) internalCollectContactManifoldCachedInfo(&cached_[i], manifolds + i, 1, info);
  // Where each manifold's rows go (as btSequentialImpulseConstraintSolverMt::allocAllContactConstraints).
  int contacts = 0, rolling = 0;
  for (int i = 0; i < count; ++i) {
    btContactManifoldCachedInfo& c = cached_[i];
    c.contactIndex = contacts;
    c.rollingFrictionIndex = rolling;
    contacts += c.numTouchingContacts;
    for (int k = 0; k < c.numTouchingContacts; ++k)
      if (c.contactHasRollingFriction[k]) rolling += 3;
  }
  if (m_tmpSolverContactConstraintPool.capacity() < contacts) {
    const int extra = contacts / 16;
    m_tmpSolverContactConstraintPool.reserve(contacts + extra);
    m_rollingFrictionIndexTable.reserve(contacts + extra);
    m_tmpSolverContactFrictionConstraintPool.reserve((contacts + extra) * m_numFrictionDirections);
    m_tmpSolverContactRollingFrictionConstraintPool.reserve(rolling + extra);
  }
  m_tmpSolverContactConstraintPool.resizeNoInitialize(contacts);
  m_rollingFrictionIndexTable.resizeNoInitialize(contacts);
  m_tmpSolverContactFrictionConstraintPool.resizeNoInitialize(contacts * m_numFrictionDirections);
  m_tmpSolverContactRollingFrictionConstraintPool.resizeNoInitialize(rolling);
  each_slice(count, 256, [&](int begin, int end) { internalAllocContactConstraints(&cached_[begin], end - begin); });
}

void batched_solver::setupBatchedContactConstraints() {
  btSequentialImpulseConstraintSolverMt::setupBatchedContactConstraints();
  contacts_ = make_schedule(m_batchedContactConstraints, m_tmpSolverContactConstraintPool, m_tmpSolverBodyPool);
}

void batched_solver::setupBatchedJointConstraints() {
  btSequentialImpulseConstraintSolverMt::setupBatchedJointConstraints();
  joints_ = make_schedule(m_batchedJointConstraints, m_tmpSolverNonContactConstraintPool, m_tmpSolverBodyPool);
}

btScalar batched_solver::resolveAllJointConstraints(int iteration) {
  return each_batch(joints_, [&](const btAlignedObjectArray<int>& rows, int begin, int end) {
    return resolveMultipleJointConstraints(rows, begin, end, iteration);
  });
}

btScalar batched_solver::resolveAllContactConstraints() {
  return each_batch(contacts_, [&](const btAlignedObjectArray<int>& rows, int begin, int end) {
    return resolveMultipleContactConstraints(rows, begin, end);
  });
}

btScalar batched_solver::resolveAllContactFrictionConstraints() {
  return each_batch(contacts_, [&](const btAlignedObjectArray<int>& rows, int begin, int end) {
    return resolveMultipleContactFrictionConstraints(rows, begin, end);
  });
}

btScalar batched_solver::resolveAllContactConstraintsInterleaved() {
  return each_batch(contacts_, [&](const btAlignedObjectArray<int>& rows, int begin, int end) {
    return resolveMultipleContactConstraintsInterleaved(rows, begin, end);
  });
}

void batched_solver::solveGroupCacheFriendlySplitImpulseIterations(
    btCollisionObject** bodies, int body_count, btPersistentManifold** manifolds, int manifold_count,
    btTypedConstraint** constraints, int constraint_count, const btContactSolverInfo& info, btIDebugDraw* draw) {
  if (!m_useBatching) {
    btSequentialImpulseConstraintSolverMt::solveGroupCacheFriendlySplitImpulseIterations(
        bodies, body_count, manifolds, manifold_count, constraints, constraint_count, info, draw);
    return;
  }
  if (!info.m_splitImpulse) return;
  // Every iteration until the residual vanishes, as the serial solver does. (Bullet's batched
  // loop loses its residual to a shadowed variable and always stops after the first.)
  for (int iteration = 0; iteration < info.m_numIterations; ++iteration) {
    const btScalar residual = each_batch(contacts_, [&](const btAlignedObjectArray<int>& rows, int begin, int end) {
      return resolveMultipleContactSplitPenetrationImpulseConstraints(rows, begin, end);
    });
    if (residual <= info.m_leastSquaresResidualThreshold) break;
  }
}

btScalar batched_solver::solveGroupCacheFriendlyFinish(btCollisionObject**, int, const btContactSolverInfo& info) {
  // Each contact row writes its own contact point, each solver body its own body; the rows of
  // one joint write the same joint, so the joints are written back serially.
  if (info.m_solverMode & SOLVER_USE_WARMSTARTING)
    each_slice(m_tmpSolverContactConstraintPool.size(), 512,
               [&](int begin, int end) { internalWriteBackContacts(begin, end, info); });
  internalWriteBackJoints(0, m_tmpSolverNonContactConstraintPool.size(), info);
  each_slice(m_tmpSolverBodyPool.size(), 128, [&](int begin, int end) { internalWriteBackBodies(begin, end, info); });
  m_tmpSolverContactConstraintPool.resizeNoInitialize(0);
  m_tmpSolverNonContactConstraintPool.resizeNoInitialize(0);
  m_tmpSolverContactFrictionConstraintPool.resizeNoInitialize(0);
  m_tmpSolverContactRollingFrictionConstraintPool.resizeNoInitialize(0);
  m_tmpSolverBodyPool.resizeNoInitialize(0);
  return 0;
}
