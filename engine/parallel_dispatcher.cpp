#include "engine/parallel_dispatcher.hpp"

#include "engine/step_pool.hpp"

#include <BulletCollision/BroadphaseCollision/btOverlappingPairCache.h>

#include <algorithm>

namespace {

// The pair and thread the calling thread works on inside the shared-out loop.
thread_local int current_pair = -1;
thread_local int current_thread = 0;

// Pairs per task: enough to outweigh taking a task, few enough to even out the threads.
constexpr int pairs_per_task = 64;

}  // namespace

parallel_dispatcher::parallel_dispatcher(btCollisionConfiguration* configuration, step_pool& pool)
    : btCollisionDispatcher(configuration), pool_(pool), events_(std::size_t(pool.threads())) {}

void parallel_dispatcher::dispatchAllCollisionPairs(btOverlappingPairCache* pairs, const btDispatcherInfo& info,
                                                    btDispatcher* dispatcher) {
  auto* hashed = dynamic_cast<btHashedOverlappingPairCache*>(pairs);
  if (pool_.threads() == 1 || hashed == nullptr || info.m_dispatchFunc != btDispatcherInfo::DISPATCH_DISCRETE ||
      info.m_deterministicOverlappingPairs) {
    btCollisionDispatcher::dispatchAllCollisionPairs(pairs, info, dispatcher);
    return;
  }
  // The serial dispatcher's callback never removes a pair, so the array stays as it is.
  btBroadphasePairArray& array = hashed->getOverlappingPairArray();
  const int count = array.size();
  btNearCallback near = getNearCallback();
  sharing_ = true;
  pool_.run((count + pairs_per_task - 1) / pairs_per_task, [&](int task, int thread) {
    current_thread = thread;
    const int end = std::min(count, (task + 1) * pairs_per_task);
    for (int i = task * pairs_per_task; i < end; ++i) {
      current_pair = i;
      near(array[i], *this, info);
    }
    current_pair = -1;
  });
  sharing_ = false;
  replay_events();
}

btPersistentManifold* parallel_dispatcher::getNewManifold(const btCollisionObject* b0, const btCollisionObject* b1) {
  if (!sharing_) return btCollisionDispatcher::getNewManifold(b0, b1);
  std::lock_guard<std::mutex> lock(mutex_);
  btPersistentManifold* manifold = btCollisionDispatcher::getNewManifold(b0, b1);
  m_manifoldsPtr.pop_back();  // entered again in replay_events, in the pairs' order
  events_[std::size_t(current_thread)].push_back({current_pair, manifold, true});
  return manifold;
}

void parallel_dispatcher::releaseManifold(btPersistentManifold* manifold) {
  if (!sharing_) return btCollisionDispatcher::releaseManifold(manifold);
  std::lock_guard<std::mutex> lock(mutex_);
  events_[std::size_t(current_thread)].push_back({current_pair, manifold, false});
}

void* parallel_dispatcher::allocateCollisionAlgorithm(int size) {
  if (!sharing_) return btCollisionDispatcher::allocateCollisionAlgorithm(size);
  std::lock_guard<std::mutex> lock(mutex_);
  return btCollisionDispatcher::allocateCollisionAlgorithm(size);
}

void parallel_dispatcher::freeCollisionAlgorithm(void* ptr) {
  if (!sharing_) return btCollisionDispatcher::freeCollisionAlgorithm(ptr);
  std::lock_guard<std::mutex> lock(mutex_);
  btCollisionDispatcher::freeCollisionAlgorithm(ptr);
}

void parallel_dispatcher::replay_events() {
  std::vector<manifold_event> all;
  for (auto& list : events_) {
    all.insert(all.end(), list.begin(), list.end());
    list.clear();
  }
  if (all.empty()) return;
  // One pair's events all come from one thread, in the order they happened.
  std::stable_sort(all.begin(), all.end(),
                   [](const manifold_event& a, const manifold_event& b) { return a.pair < b.pair; });
  for (const manifold_event& e : all) {
    if (e.made) {
      e.manifold->m_index1a = m_manifoldsPtr.size();
      m_manifoldsPtr.push_back(e.manifold);
    } else {
      btCollisionDispatcher::releaseManifold(e.manifold);
    }
  }
}
