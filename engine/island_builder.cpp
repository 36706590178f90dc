#include "engine/island_builder.hpp"

#include "engine/step_pool.hpp"

#include <BulletCollision/BroadphaseCollision/btDispatcher.h>
#include <BulletCollision/CollisionDispatch/btCollisionWorld.h>
#include <BulletCollision/NarrowPhaseCollision/btPersistentManifold.h>

#include <algorithm>

namespace {

// The island a manifold belongs to, as Bullet's island manager reads it.
int island_of(const btPersistentManifold& m) {
  const int tag = m.getBody0()->getIslandTag();
  return tag >= 0 ? tag : m.getBody1()->getIslandTag();
}

bool asleep(const btCollisionObject* o) { return o->getActivationState() == ISLAND_SLEEPING; }

// Whether a manifold takes part at all: not both of its bodies asleep.
bool awake(const btPersistentManifold& m) { return !asleep(m.getBody0()) || !asleep(m.getBody1()); }

// A moving body asleep, which a kinematic body's contact could wake.
bool could_wake(const btCollisionObject* o) { return asleep(o) && !o->isStaticOrKinematicObject(); }

// A kinematic body that is awake wakes what it touches (if it has contact response).
void wake_touched(const btPersistentManifold& m) {
  auto* a = const_cast<btCollisionObject*>(m.getBody0());
  auto* b = const_cast<btCollisionObject*>(m.getBody1());
  if (a->isKinematicObject() && !asleep(a) && a->hasContactResponse()) b->activate();
  if (b->isKinematicObject() && !asleep(b) && b->hasContactResponse()) a->activate();
}

struct by_island {
  bool operator()(const island_builder::entry& l, const island_builder::entry& r) const { return l.island < r.island; }
};

constexpr int manifolds_per_task = 512;
constexpr signed char taken = 1, wakes = 2, sleeper = 4;

}  // namespace

void island_builder::update_sleeping(btSimulationIslandManager& islands, btCollisionWorld& world) {
  btCollisionObjectArray& objects = world.getCollisionObjectArray();
  btUnionFind& find = islands.getUnionFind();
  find.sortIslands();
  const int count = find.getNumElements();
  for (int first = 0, end = 1; first < count; first = end) {
    const int island = find.getElement(first).m_id;
    for (end = first + 1; end < count && find.getElement(end).m_id == island; ++end) {
    }
    bool all_asleep = true;
    for (int k = first; k < count && k < end && all_asleep; ++k) {
      const btCollisionObject* o = objects[find.getElement(k).m_sz];
      if (o->getIslandTag() == island &&
          (o->getActivationState() == ACTIVE_TAG || o->getActivationState() == DISABLE_DEACTIVATION))
        all_asleep = false;
    }
    for (int k = first; k < end; ++k) {
      btCollisionObject* o = objects[find.getElement(k).m_sz];
      if (o->getIslandTag() != island) continue;
      if (all_asleep) {
        o->setActivationState(ISLAND_SLEEPING);
      } else if (o->getActivationState() == ISLAND_SLEEPING) {
        o->setActivationState(WANTS_DEACTIVATION);
        o->setDeactivationTime(0.f);
      }
    }
  }
}

void island_builder::gather(btDispatcher& dispatcher) {
  const int count = dispatcher.getNumManifolds();
  btPersistentManifold** all = dispatcher.getInternalManifoldPointer();
  taken_.assign(std::size_t(count), 0);
  // Each manifold on its own: whether it takes part, whether it wakes a body, whether one of its
  // bodies is a sleeper that waking would change.
  pool_.run((count + manifolds_per_task - 1) / manifolds_per_task, [&](int task, int) {
    for (int i = task * manifolds_per_task; i < std::min(count, (task + 1) * manifolds_per_task); ++i) {
      const btPersistentManifold& m = *all[i];
      const btCollisionObject* a = m.getBody0();
      const btCollisionObject* b = m.getBody1();
      signed char& t = taken_[std::size_t(i)];
      if (could_wake(a) || could_wake(b)) t |= sleeper;
      if (!awake(m)) continue;
      if ((a->isKinematicObject() && !asleep(a) && a->hasContactResponse()) ||
          (b->isKinematicObject() && !asleep(b) && b->hasContactResponse()))
        t |= wakes;
      if (dispatcher.needsResponse(a, b)) t |= taken;
    }
  });
  const bool sleepers = std::any_of(taken_.begin(), taken_.end(), [](signed char t) { return (t & sleeper) != 0; });
  entries_.resize(0);
  for (int i = 0; i < count; ++i) {
    if (sleepers) {
      // A body woken here changes what later manifolds decide: Bullet's pass, in order.
      const btPersistentManifold& m = *all[i];
      if (!awake(m)) continue;
      wake_touched(m);
      if (dispatcher.needsResponse(m.getBody0(), m.getBody1())) entries_.push_back({0, i});
    } else {
      if (taken_[std::size_t(i)] & wakes) wake_touched(*all[i]);
      if (taken_[std::size_t(i)] & taken) entries_.push_back({0, i});
    }
  }
  const int kept = entries_.size();
  pool_.run((kept + manifolds_per_task - 1) / manifolds_per_task, [&](int task, int) {
    for (int e = task * manifolds_per_task; e < std::min(kept, (task + 1) * manifolds_per_task); ++e)
      entries_[e].island = island_of(*all[entries_[e].manifold]);
  });
}

void island_builder::build_and_process(btSimulationIslandManager& islands, btDispatcher& dispatcher,
                                       btCollisionWorld& world, btSimulationIslandManager::IslandCallback& callback) {
  if (!islands.getSplitIslands() || world.getDispatchInfo().m_deterministicOverlappingPairs) {
    islands.buildAndProcessIslands(&dispatcher, &world, &callback);
    return;
  }
  update_sleeping(islands, world);
  gather(dispatcher);
  // Bullet's sort (a quicksort, not stable) on the same keys: the same order.
  entries_.quickSort(by_island());
  btPersistentManifold** all = dispatcher.getInternalManifoldPointer();
  const int count = entries_.size();
  manifolds_.resize(std::size_t(count));
  for (int e = 0; e < count; ++e) manifolds_[std::size_t(e)] = all[entries_[e].manifold];
  // Every island in the union's order with its bodies and its run of manifolds.
  btCollisionObjectArray& objects = world.getCollisionObjectArray();
  btUnionFind& find = islands.getUnionFind();
  const int elements = find.getNumElements();
  int first_manifold = 0;
  for (int first = 0, end = 0; first < elements; first = end) {
    const int island = find.getElement(first).m_id;
    bool island_asleep = true;
    for (end = first; end < elements && find.getElement(end).m_id == island; ++end) {
      btCollisionObject* o = objects[find.getElement(end).m_sz];
      bodies_.push_back(o);
      if (o->isActive()) island_asleep = false;
    }
    int manifold_count = 0;
    btPersistentManifold** first_of_island = nullptr;
    if (first_manifold < count && entries_[first_manifold].island == island) {
      int last = first_manifold + 1;
      while (last < count && entries_[last].island == island) ++last;
      first_of_island = &manifolds_[std::size_t(first_manifold)];
      manifold_count = last - first_manifold;
    }
    if (!island_asleep) callback.processIsland(&bodies_[0], bodies_.size(), first_of_island, manifold_count, island);
    first_manifold += manifold_count;
    bodies_.resize(0);
  }
}
