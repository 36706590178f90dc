#pragma once
// The integration at the end of a step (btDiscreteDynamicsWorld::integrateTransforms, with the
// continuous collision of contact_settings) shared out over a step_pool, with the serial
// integration's result, bit for bit, whatever the number of threads.
//
// Bullet moves the moving bodies one after another; a fast body is first swept (its swept
// sphere, from where it stands to where its velocities take it) and stopped at its time of
// impact. Its sweep meets the bodies before it where they have just gone and those after it
// where they still stand. Here all bodies are predicted at once, then every fast body is swept
// at once against those same places (a fast body before it at its predicted place), and
// nothing moves until all sweeps are done. A sweep that met a fast body before it which was then
// stopped short is swept again once the fast bodies before it that it met are settled (in
// rounds: a column of falling boxes takes one round per box that lands). Then every body moves
// on its own.
//
// Each thread walks the broadphase tree with a stack of its own (Bullet's ray test shares one
// stack in a build without its own threading). Include only in engine/ sources.
#include <BulletCollision/BroadphaseCollision/btDbvt.h>
#include <LinearMath/btAlignedObjectArray.h>
#include <LinearMath/btTransform.h>

#include <utility>
#include <vector>

class btCollisionWorld;
class btDbvtBroadphase;
class btRigidBody;
class step_pool;

class swept_integration {
 public:
  /// `pool` must outlive this.
  explicit swept_integration(step_pool& pool);

  /// Moves every active moving body of `bodies` (the world's moving bodies, in its order) by
  /// `step` seconds, as the serial integration does, and then keeps the velocity at impact of
  /// those stopped on the way (contact_settings::keep_impact_velocity).
  void integrate(btCollisionWorld& world, btDbvtBroadphase& broadphase, btAlignedObjectArray<btRigidBody*>& bodies,
                 btScalar step);

 private:
  // The fraction of its way at which body `body`'s swept sphere first hits something (1:
  // nothing). `settled`: the bodies before it have their final places (else the predicted ones,
  // and the fast ones met are noted in waits_).
  btScalar sweep(btCollisionWorld& world, btDbvtBroadphase& broadphase, int body, bool settled, int thread);
  // stopped_[body]: where the body stands at its time of impact.
  void stop_at_impact(int body, btScalar step);

  step_pool& pool_;
  std::vector<btAlignedObjectArray<const btDbvtNode*>> stacks_;  // per thread
  std::vector<std::vector<std::pair<int, int>>> waits_;          // per thread: (body, fast body met before it)
  std::vector<std::pair<int, int>> waited_;                      // all of them, in order
  struct wait {
    int body, begin, end;  // a body's range of waited_
  };
  std::vector<wait> pending_;  // bodies whose sweep may have to be made again
  std::vector<int> ready_;     // those to sweep again in this round
  std::vector<char> settled_;  // per body: its place after the integration is known
  btRigidBody** bodies_ = nullptr;
  // Per body of the step, in the world's order:
  btAlignedObjectArray<btTransform> before_, moved_, stopped_;  // pose before, predicted, at impact
  std::vector<btScalar> hit_;                                   // fraction of the way to impact; 1 none
  std::vector<signed char> kind_;                               // still, moving or fast
  std::vector<int> order_;  // per collision object of the world: its body's index, or -1
};
