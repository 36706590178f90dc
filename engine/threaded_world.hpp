#pragma once
// A rigid-body world (impact_world over btDiscreteDynamicsWorld) whose step shares its work
// over a step_pool, with the same result as the serial world, bit for bit, whatever the
// number of threads:
// - the bodies' motion without constraints is predicted in parallel (each body alone);
// - islands are gathered into solver batches exactly as the serial world gathers them, and the
//   batches are solved in parallel, each by the solver of the thread that takes it (a batch
//   solved alone gives what it gives within the serial sequence: batches share no moving
//   body). Batches that touch a kinematic body, which the solver marks while it works on it,
//   are solved one after another on one thread, in their order.
// - an island with many contacts (a pile that has become one island) is a batch of its own,
//   solved afterwards by batched_solver on all threads at once. Its motion then differs from
//   the serial world's (the contacts are visited in another order), but is the same on every
//   run and for every number of threads from 2 up. Smaller islands move as in the serial world.
// - the bodies are moved (integrated, fast ones swept) by swept_integration, bit for bit as the
//   serial world moves them.
// The narrow phase is shared out by parallel_dispatcher, the islands are built by
// island_builder (as Bullet builds them). Include only in engine/ sources.
#include "engine/impact_world.hpp"

#include <BulletDynamics/ConstraintSolver/btSequentialImpulseConstraintSolver.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>

#include <memory>
#include <vector>

class batched_solver;
class island_builder;
class step_pool;
class swept_integration;

class threaded_world final : public impact_world<btDiscreteDynamicsWorld> {
 public:
  /// `solver` serves thread 0; the world makes one more of the same kind for every other
  /// thread of `pool`. Neither `solver` nor `pool` is owned; both must outlive the world.
  threaded_world(btDispatcher* dispatcher, btBroadphaseInterface* broadphase,
                 btSequentialImpulseConstraintSolver* solver, btCollisionConfiguration* configuration, step_pool& pool);
  ~threaded_world() override;

  /// One island batch: what one solveGroup call of the serial world receives.
  struct batch {
    std::vector<btCollisionObject*> bodies;
    std::vector<btPersistentManifold*> manifolds;
    std::vector<btTypedConstraint*> constraints;
    bool touches_kinematic = false;
    bool large = false;  // one island with many contacts, for batched_solver
  };

 protected:
  void predictUnconstraintMotion(btScalar step) override;
  void solveConstraints(btContactSolverInfo& info) override;
  void integrateTransforms(btScalar step) override;

 private:
  void solve(batch& b, int thread, btContactSolverInfo& info);
  void solve(batch& b, btConstraintSolver& solver, btContactSolverInfo& info);

  step_pool& pool_;
  std::vector<btConstraintSolver*> solvers_;  // per thread; [0] is the world's own
  std::vector<std::unique_ptr<btSequentialImpulseConstraintSolver>> own_solvers_;
  std::unique_ptr<batched_solver> large_;  // for batches with many contacts
  std::unique_ptr<swept_integration> sweeps_;
  std::unique_ptr<island_builder> islands_;
  btAlignedObjectArray<btTypedConstraint*> sorted_;
  std::vector<batch> batches_;
};
