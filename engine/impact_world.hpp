#pragma once
// A Bullet dynamics world (World: btDiscreteDynamicsWorld or btSoftRigidDynamicsWorld) whose
// continuous collision keeps restitution. Bullet sweeps a fast body (contact_settings) twice per
// step: first to add a predictive contact, which the solver meets by slowing the body so that it
// just reaches the surface, without restitution: a ball caught that way lands dead; then to
// stop the body where the sweep hits. Here the predictive contacts are left out: the body is
// stopped at its time of impact with the velocity it has there, and the ordinary contact of the
// next step bounces it by its restitution. Include only in engine/ sources and benchmarks.

#include "engine/contact_settings.hpp"

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <LinearMath/btAlignedObjectArray.h>

template <class World>
class impact_world : public World {
 public:
  using World::World;

 protected:
  void createPredictiveContacts(btScalar) override { this->releasePredictiveContacts(); }

  void integrateTransforms(btScalar step) override {
    btAlignedObjectArray<btRigidBody*>& bodies = this->m_nonStaticRigidBodies;
    before_.resizeNoInitialize(bodies.size());
    for (int i = 0; i < bodies.size(); ++i) before_[i] = bodies[i]->getWorldTransform();
    World::integrateTransforms(step);
    for (int i = 0; i < bodies.size(); ++i) contact_settings::keep_impact_velocity(*bodies[i], before_[i], step);
  }

 private:
  btAlignedObjectArray<btTransform> before_;  // each moving body's pose before integration
};
