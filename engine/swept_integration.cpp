#include "engine/swept_integration.hpp"

#include "engine/contact_settings.hpp"
#include "engine/step_pool.hpp"

#include <BulletCollision/BroadphaseCollision/btDbvtBroadphase.h>
#include <BulletCollision/CollisionDispatch/btCollisionWorld.h>
#include <BulletCollision/CollisionShapes/btSphereShape.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <LinearMath/btTransformUtil.h>

#include <algorithm>

namespace {

// What a body's sweep may stop at: as Bullet's integration chooses (not the body itself, only
// what the filters and the dispatcher let it collide with and respond to, and only surfaces it
// closes on by more than the allowed penetration).
class not_me_callback final : public btCollisionWorld::ClosestConvexResultCallback {
 public:
  not_me_callback(btCollisionObject* me, const btVector3& from, const btVector3& to, btOverlappingPairCache* pairs,
                  btDispatcher* dispatcher, btScalar allowed)
      : ClosestConvexResultCallback(from, to), me_(me), pairs_(pairs), dispatcher_(dispatcher), allowed_(allowed) {}

  btScalar addSingleResult(btCollisionWorld::LocalConvexResult& result, bool normal_in_world) override {
    if (result.m_hitCollisionObject == me_ || !result.m_hitCollisionObject->hasContactResponse()) return 1;
    // No time of impact for a motion away from the surface (or into it by less than allowed).
    if (result.m_hitNormalLocal.dot(m_convexToWorld - m_convexFromWorld) >= -allowed_) return 1;
    return ClosestConvexResultCallback::addSingleResult(result, normal_in_world);
  }

  bool needsCollision(btBroadphaseProxy* proxy) const override {
    if (proxy->m_clientObject == me_ || !ClosestConvexResultCallback::needsCollision(proxy)) return false;
    if (pairs_->getOverlapFilterCallback() && !pairs_->needsBroadphaseCollision(proxy, me_->getBroadphaseHandle()))
      return false;
    auto* other = static_cast<btCollisionObject*>(proxy->m_clientObject);
    return dispatcher_->needsCollision(me_, other) && dispatcher_->needsResponse(me_, other);
  }

 private:
  btCollisionObject* me_;
  btOverlappingPairCache* pairs_;
  btDispatcher* dispatcher_;
  btScalar allowed_;
};

// The broadphase ray of one sweep: every body whose box the swept shape's box may cross is
// tested exactly, until something is hit at the start.
// visit(object) is told of every body whose box the ray reaches, pose(object) answers where to
// meet it.
template <class Visit, class Pose>
class sweep_ray final : public btBroadphaseRayCallback, public btDbvt::ICollide {
 public:
  sweep_ray(const btConvexShape& shape, const btTransform& from, const btTransform& to,
            btCollisionWorld::ConvexResultCallback& result, Visit visit, Pose pose)
      : shape_(shape), from_(from), to_(to), result_(result), visit_(visit), pose_(pose) {
    const btVector3 way = to.getOrigin() - from.getOrigin();
    const btVector3 direction = way.fuzzyZero() ? btVector3(0, 0, 0) : way.normalized();
    for (int k = 0; k < 3; ++k) {
      m_rayDirectionInverse[k] = direction[k] == btScalar(0) ? btScalar(BT_LARGE_FLOAT) : btScalar(1) / direction[k];
      m_signs[k] = m_rayDirectionInverse[k] < 0;
    }
    m_lambda_max = direction.dot(way);
  }

  bool process(const btBroadphaseProxy* proxy) override {
    auto* object = static_cast<btCollisionObject*>(proxy->m_clientObject);
    visit_(*object);
    if (result_.m_closestHitFraction == btScalar(0)) return false;
    if (result_.needsCollision(object->getBroadphaseHandle()))
      btCollisionWorld::objectQuerySingle(&shape_, from_, to_, object, object->getCollisionShape(), pose_(*object),
                                          result_, 0);
    return true;
  }
  void Process(const btDbvtNode* leaf) override { process(static_cast<const btBroadphaseProxy*>(leaf->data)); }

 private:
  const btConvexShape& shape_;
  btTransform from_, to_;
  btCollisionWorld::ConvexResultCallback& result_;
  Visit visit_;
  Pose pose_;
};

constexpr int bodies_per_task = 64;

// What the first pass finds for a body.
enum : signed char { still, moving, fast };

}  // namespace

swept_integration::swept_integration(step_pool& pool)
    : pool_(pool), stacks_(std::size_t(pool.threads())), waits_(std::size_t(pool.threads())) {}

btScalar swept_integration::sweep(btCollisionWorld& world, btDbvtBroadphase& broadphase, int body, bool settled,
                                  int thread) {
  btRigidBody& me = *bodies_[body];
  const btTransform& from = before_[body];
  btTransform end = moved_[body];
  end.setBasis(from.getBasis());
  not_me_callback result(&me, from.getOrigin(), end.getOrigin(), broadphase.getOverlappingPairCache(),
                         world.getDispatcher(), world.getDispatchInfo().m_allowedCcdPenetration);
  result.m_collisionFilterGroup = me.getBroadphaseProxy()->m_collisionFilterGroup;
  result.m_collisionFilterMask = me.getBroadphaseProxy()->m_collisionFilterMask;
  const btSphereShape sphere(me.getCcdSweptSphereRadius());
  // The box the sphere sweeps, turning as the body turns (as btCollisionWorld::convexSweepTest).
  btVector3 linear, angular, low, high;
  btTransformUtil::calculateVelocity(from, end, 1, linear, angular);
  btTransform turn;
  turn.setIdentity();
  turn.setRotation(from.getRotation());
  sphere.calculateTemporalAabb(turn, btVector3(0, 0, 0), angular, 1, low, high);
  // Where the serial integration would meet each body: the bodies before this one have moved,
  // the others not yet. A fast body before it that is not settled yet is taken where its
  // velocities take it, and noted (every one the ray reaches, whether it is tested or not).
  const auto before_me = [&](const btCollisionObject& other) {
    const std::size_t at = std::size_t(other.getWorldArrayIndex());
    const int k = at < order_.size() ? order_[at] : -1;
    return k >= 0 && k < body && kind_[std::size_t(k)] != still ? k : -1;
  };
  const auto visit = [&](const btCollisionObject& other) {
    const int k = settled ? -1 : before_me(other);
    if (k >= 0 && kind_[std::size_t(k)] == fast) waits_[std::size_t(thread)].push_back({body, k});
  };
  const auto pose = [&](const btCollisionObject& other) -> const btTransform& {
    const int k = before_me(other);
    if (k < 0) return other.getWorldTransform();
    return settled && hit_[std::size_t(k)] < 1 ? stopped_[k] : moved_[k];
  };
  sweep_ray<decltype(visit), decltype(pose)> ray(sphere, from, end, result, visit, pose);
  btAlignedObjectArray<const btDbvtNode*>& stack = stacks_[std::size_t(thread)];
  for (btDbvt& set : broadphase.m_sets)
    set.rayTestInternal(set.m_root, from.getOrigin(), end.getOrigin(), ray.m_rayDirectionInverse, ray.m_signs,
                        ray.m_lambda_max, low, high, stack, ray);
  return result.hasHit() && result.m_closestHitFraction < 1 ? result.m_closestHitFraction : btScalar(1);
}

void swept_integration::stop_at_impact(int body, btScalar step) {
  const btRigidBody& b = *bodies_[body];
  btTransformUtil::integrateTransform(before_[body], b.getLinearVelocity(), b.getAngularVelocity(),
                                      step * hit_[std::size_t(body)], stopped_[body]);
}

void swept_integration::integrate(btCollisionWorld& world, btDbvtBroadphase& broadphase,
                                  btAlignedObjectArray<btRigidBody*>& bodies, btScalar step) {
  const int count = bodies.size();
  bodies_ = bodies.size() ? &bodies[0] : nullptr;
  before_.resizeNoInitialize(count);
  moved_.resizeNoInitialize(count);
  stopped_.resizeNoInitialize(count);
  hit_.assign(std::size_t(count), 1);
  kind_.assign(std::size_t(count), still);
  order_.assign(std::size_t(world.getNumCollisionObjects()), -1);
  const bool continuous = world.getDispatchInfo().m_useContinuous;
  const int tasks = (count + bodies_per_task - 1) / bodies_per_task;
  const auto each_body = [&](auto work) {
    pool_.run(tasks, [&](int task, int thread) {
      for (int i = task * bodies_per_task; i < std::min(count, (task + 1) * bodies_per_task); ++i) work(i, thread);
    });
  };
  // Where each body's velocities take it; which bodies are fast enough to be swept.
  each_body([&](int i, int) {
    btRigidBody& body = *bodies_[i];
    before_[i] = body.getWorldTransform();
    order_[std::size_t(body.getWorldArrayIndex())] = i;
    if (!body.isActive() || body.isStaticOrKinematicObject()) return;
    body.predictIntegratedTransform(step, moved_[i]);
    const btScalar motion = (moved_[i].getOrigin() - before_[i].getOrigin()).length2();
    const btScalar threshold = body.getCcdSquareMotionThreshold();
    const bool swept = continuous && threshold != 0 && threshold < motion && body.getCollisionShape()->isConvex();
    kind_[std::size_t(i)] = swept ? fast : moving;
  });
  // Every sweep at once; nothing moves meanwhile.
  for (auto& w : waits_) w.clear();
  each_body([&](int i, int thread) {
    if (kind_[std::size_t(i)] != fast) return;
    hit_[std::size_t(i)] = sweep(world, broadphase, i, false, thread);
    if (hit_[std::size_t(i)] < 1) stop_at_impact(i, step);
  });
  // A fast body whose sweep met a fast body before it that was then stopped short of where it
  // was taken is swept again once all those before it that it met are settled: in rounds,
  // each sweeping at once the bodies whose turn has come.
  waited_.clear();
  for (auto& w : waits_) waited_.insert(waited_.end(), w.begin(), w.end());
  std::sort(waited_.begin(), waited_.end());
  settled_.assign(std::size_t(count), 1);
  pending_.clear();
  for (std::size_t w = 0; w < waited_.size(); ++w) {
    if (w == 0 || waited_[w].first != waited_[w - 1].first) {
      pending_.push_back({waited_[w].first, int(w), int(w)});
      settled_[std::size_t(waited_[w].first)] = 0;
    }
    ++pending_.back().end;
  }
  while (!pending_.empty()) {
    ready_.clear();
    std::size_t kept = 0;
    for (const wait& p : pending_) {
      bool waiting = false, again = false;
      for (int w = p.begin; w < p.end && !waiting; ++w) {
        const std::size_t k = std::size_t(waited_[std::size_t(w)].second);
        waiting = !settled_[k];
        again = again || hit_[k] < 1;
      }
      if (waiting)
        pending_[kept++] = p;
      else if (again)
        ready_.push_back(p.body);
      else
        settled_[std::size_t(p.body)] = 1;
    }
    pending_.resize(kept);
    pool_.run(int(ready_.size()), [&](int task, int thread) {
      const int body = ready_[std::size_t(task)];
      hit_[std::size_t(body)] = sweep(world, broadphase, body, true, thread);
      if (hit_[std::size_t(body)] < 1) stop_at_impact(body, step);
    });
    for (int body : ready_) settled_[std::size_t(body)] = 1;
  }
  // Every body moves on its own.
  each_body([&](int i, int) {
    btRigidBody& body = *bodies_[i];
    const bool stopped = hit_[std::size_t(i)] < 1;
    body.setHitFraction(stopped ? 0 : 1);  // 0 marks a body stopped at its time of impact
    if (kind_[std::size_t(i)] != still) body.proceedToTransform(stopped ? stopped_[i] : moved_[i]);
    contact_settings::keep_impact_velocity(body, before_[i], step);
  });
}
