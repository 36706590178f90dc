#pragma once
// The islands of a step (btSimulationIslandManager::buildAndProcessIslands) with the pass over
// the contact manifolds shared out over a step_pool, and the same result bit for bit: the same
// sleeping states, the same islands handed to the callback, with their manifolds in the same
// order (Bullet's quicksort by island, which is not stable, run on the islands' numbers
// gathered beforehand instead of through every manifold's bodies).
//
// The pass over the manifolds decides which take part and wakes the bodies a kinematic body
// touches. Where no body is asleep, waking changes no later decision, so every manifold is
// decided on its own and the waking is done afterwards; otherwise the pass runs serially, as
// Bullet's. Include only in engine/ sources.
#include <BulletCollision/CollisionDispatch/btSimulationIslandManager.h>
#include <LinearMath/btAlignedObjectArray.h>

#include <vector>

class btCollisionObject;
class btCollisionWorld;
class btDispatcher;
class btPersistentManifold;
class step_pool;

class island_builder {
 public:
  /// `pool` must outlive this.
  explicit island_builder(step_pool& pool) : pool_(pool) {}

  /// As islands.buildAndProcessIslands(dispatcher, world, callback).
  void build_and_process(btSimulationIslandManager& islands, btDispatcher& dispatcher, btCollisionWorld& world,
                         btSimulationIslandManager::IslandCallback& callback);

  /// A manifold with the number of its island, for the sort.
  struct entry {
    int island;
    int manifold;  // index in the dispatcher's list
  };

 private:
  // Sorts the union's elements by island and sets the sleeping states of whole islands.
  static void update_sleeping(btSimulationIslandManager& islands, btCollisionWorld& world);
  // Wakes what kinematic bodies touch and gathers the manifolds that take part into entries_
  // (in the dispatcher's order, with their islands).
  void gather(btDispatcher& dispatcher);

  step_pool& pool_;
  std::vector<signed char> taken_;  // per manifold: 0 not taken, 1 taken, 2 taken and a kinematic body wakes
  btAlignedObjectArray<entry> entries_;
  std::vector<btPersistentManifold*> manifolds_;  // the taken ones, sorted by island
  btAlignedObjectArray<btCollisionObject*> bodies_;
};
