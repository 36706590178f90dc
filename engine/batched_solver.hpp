#pragma once
// The constraint solver threaded_world gives an island with many contacts: its contacts and
// joints are solved on every thread of a step_pool.
//
// Bullet's btSequentialImpulseConstraintSolverMt sorts an island's contact and joint rows into
// phases of batches (a spatial grid: no two batches of a phase share a moving body) but, as
// this system links Bullet (built without its own threading), runs every batch on the caller.
// Here the batches of each phase are shared out over the pool; the phases follow each other.
// A row that touches a kinematic body is taken out of its batch and solved after the phase's
// batches, on one thread: the solver writes such a body (adding nothing to it) from every batch
// that reaches it. Residuals are summed per batch and then in batch order.
//
// So the result depends neither on which thread solves which batch nor on the number of
// threads: 2 threads give what 8 give, on every run. It is not the serial solver's result
// (the rows are visited in another order), and an island below the batching size
// (few_contacts) is left to the serial solver by threaded_world.
// Include only in engine/ sources.
#include <BulletDynamics/ConstraintSolver/btSequentialImpulseConstraintSolverMt.h>

#include <vector>

class step_pool;

class batched_solver final : public btSequentialImpulseConstraintSolverMt {
 public:
  /// `pool` must outlive the solver.
  explicit batched_solver(step_pool& pool);

  /// True when an island with this many contact manifolds is too small to be batched.
  static bool few_contacts(int manifolds) { return manifolds < s_minimumContactManifoldsForBatching; }

  /// The order in which one kind of rows is solved: per phase, batches that may run at once,
  /// then the rows that touch a kinematic body, one after another. Ranges index `rows`.
  struct schedule {
    struct range {
      int begin, end;
    };
    struct phase {
      std::vector<range> batches;
      range kinematic;
    };
    btAlignedObjectArray<int> rows;  // as Bullet's batched loops take them
    std::vector<phase> phases;
  };

 protected:
  void convertBodies(btCollisionObject** bodies, int count, const btContactSolverInfo& info) override;
  void convertContacts(btPersistentManifold** manifolds, int count, const btContactSolverInfo& info) override;
  void setupBatchedContactConstraints() override;
  void setupBatchedJointConstraints() override;
  btScalar resolveAllJointConstraints(int iteration) override;
  btScalar resolveAllContactConstraints() override;
  btScalar resolveAllContactFrictionConstraints() override;
  btScalar resolveAllContactConstraintsInterleaved() override;
  void solveGroupCacheFriendlySplitImpulseIterations(btCollisionObject** bodies, int body_count,
                                                     btPersistentManifold** manifolds, int manifold_count,
                                                     btTypedConstraint** constraints, int constraint_count,
                                                     const btContactSolverInfo& info, btIDebugDraw* draw) override;
  btScalar solveGroupCacheFriendlyFinish(btCollisionObject** bodies, int count,
                                         const btContactSolverInfo& info) override;

 private:
  /// The contact rows of `manifolds`, as Bullet's allocAllContactConstraints makes them.
  void alloc_contacts(btPersistentManifold** manifolds, int count, const btContactSolverInfo& info);
  /// Runs solve(rows, begin, end) over every batch of every phase of `s` and returns the sum of
  /// what it answers, added in the schedule's order.
  template <class Solve>
  btScalar each_batch(const schedule& s, Solve solve);
  /// Runs work(begin, end) over [0, count) in slices shared out over the pool.
  template <class Work>
  void each_slice(int count, int slice, Work work);

  step_pool& pool_;
  schedule contacts_, joints_;
  std::vector<btScalar> residuals_;                           // per batch of the running phase
  btAlignedObjectArray<btContactManifoldCachedInfo> cached_;  // per manifold: its touching contacts
  std::vector<char> waiting_;                                 // per manifold: touches a kinematic body
};
