#pragma once
// The narrow phase of a step shared over a step_pool, with the same result as Bullet's serial
// btCollisionDispatcher, bit for bit, whatever the number of threads.
//
// Each overlapping pair is handed to the near callback on some thread. What a pair's work
// shares with others is made safe or replayed: algorithm memory comes from the pool allocator
// under a lock; a contact manifold made or released on the way is made (or kept) at once but
// entered into (or taken out of) the dispatcher's list of manifolds only after all pairs are
// done, in the order of the pairs, as the serial dispatcher would have done it. That order is
// what the island manager and the solver see, so it decides the result.
//
// Only discrete dispatch over a hashed pair cache is shared out; anything else runs serially.
#include <BulletCollision/CollisionDispatch/btCollisionDispatcher.h>

#include <mutex>
#include <vector>

class step_pool;

class parallel_dispatcher final : public btCollisionDispatcher {
 public:
  /// `pool` must outlive the dispatcher.
  parallel_dispatcher(btCollisionConfiguration* configuration, step_pool& pool);

  void dispatchAllCollisionPairs(btOverlappingPairCache* pairs, const btDispatcherInfo& info,
                                 btDispatcher* dispatcher) override;
  btPersistentManifold* getNewManifold(const btCollisionObject* b0, const btCollisionObject* b1) override;
  void releaseManifold(btPersistentManifold* manifold) override;
  void* allocateCollisionAlgorithm(int size) override;
  void freeCollisionAlgorithm(void* ptr) override;

 private:
  struct manifold_event {
    int pair;  // index of the pair whose work made the event
    btPersistentManifold* manifold;
    bool made;  // true: made, false: released
  };
  void replay_events();

  step_pool& pool_;
  std::mutex mutex_;                                 // the allocators and the event lists
  std::vector<std::vector<manifold_event>> events_;  // per thread, in the order they happened
  bool sharing_ = false;                             // inside the shared-out pair loop
};
