#pragma once
#include <BulletCollision/BroadphaseCollision/btDbvtBroadphase.h>
#include <BulletCollision/CollisionDispatch/btCollisionDispatcher.h>
#include <BulletCollision/CollisionDispatch/btDefaultCollisionConfiguration.h>
#include <BulletCollision/CollisionShapes/btStaticPlaneShape.h>
#include <BulletDynamics/ConstraintSolver/btSequentialImpulseConstraintSolver.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <LinearMath/btDefaultMotionState.h>

#include <vector>

#include "engine/contact_settings.hpp"
#include "engine/impact_world.hpp"
#include "engine/joint_settings.hpp"

// The raw side of the benchmarks that time our path against Bullet alone: a rigid-body world
// built by hand, as the engine builds it (collision configuration, broadphase, solver, contact
// settings, world class, gravity and the ground plane; bodies made with the engine's
// construction info; joints with the engine's joint settings and the shorter steps of a world
// that holds joints). Deletes every constraint and body added to it.
class raw_world {
 public:
  raw_world()
      : dispatcher_(&configuration_),
        broadphase_(nullptr),
        world_(&dispatcher_, &broadphase_, &solver_, &configuration_),
        ground_(btVector3(0, 1, 0), 0) {
    configuration_.setPlaneConvexMultipointIterations();
    world_.setLatencyMotionStateInterpolation(false);
    contact_settings::configure_world(world_, 1.0f);
    world_.setGravity(btVector3(0, -9.8f, 0));
    add(0, &ground_, btTransform::getIdentity(), 1);
  }
  ~raw_world() {
    for (int i = world_.getNumConstraints() - 1; i >= 0; --i) {
      btTypedConstraint* c = world_.getConstraint(i);
      world_.removeConstraint(c);
      delete c;
    }
    for (int i = world_.getNumCollisionObjects() - 1; i >= 0; --i) {
      btRigidBody* body = btRigidBody::upcast(world_.getCollisionObjectArray()[i]);
      delete body->getMotionState();
      world_.removeRigidBody(body);
      delete body;
    }
  }
  raw_world(const raw_world&) = delete;
  raw_world& operator=(const raw_world&) = delete;

  /// A body in `group` colliding with every group; `shape` must outlive the world.
  btRigidBody* add(float mass, btCollisionShape* shape, const btTransform& pose, int group, bool kinematic = false) {
    btVector3 inertia(0, 0, 0);
    if (mass != 0) shape->calculateLocalInertia(mass, inertia);
    btRigidBody::btRigidBodyConstructionInfo info(mass, new btDefaultMotionState(pose), shape, inertia);
    info.m_friction = 0.5f;
    info.m_linearSleepingThreshold = 0.8f;
    info.m_angularSleepingThreshold = 1.0f;
    auto* body = new btRigidBody(info);
    if (kinematic) {
      body->setCollisionFlags(body->getCollisionFlags() | btCollisionObject::CF_KINEMATIC_OBJECT);
      body->setActivationState(DISABLE_DEACTIVATION);
    } else if (mass != 0) {
      body->activate(true);
      contact_settings::configure_body(*body, 1.0f);
    }
    world_.addRigidBody(body, group, -1);
    return body;
  }
  /// Adds `joint`, whose pivot is at `pivot`, as the engine adds one (no body of the benchmarks is damped, so none has
  /// the additional damping a world with joints drops).
  void add(btTypedConstraint* joint, const btVector3& pivot) {
    joint_settings::configure_joint(*joint, pivot);
    world_.addConstraint(joint, false);
    holds_joints_ = true;
    for (btRigidBody* body : {&joint->getRigidBodyA(), &joint->getRigidBodyB()})
      if (!body->isStaticOrKinematicObject()) joint_settings::configure_held_body(*body, 1.0f);
  }
  /// One frame of `seconds` at `cycle` steps per second, sub-stepped as the engine steps it.
  void step(float seconds, float cycle) {
    const float steps_per_second = cycle * float(holds_joints_ ? joint_settings::steps_per_cycle(cycle) : 1);
    world_.stepSimulation(seconds, int(10.0f * seconds * steps_per_second), 1.0f / steps_per_second);
  }
  /// Reads the pose of every body of `bodies`, as the plug-in reads every body it writes back.
  void read(const std::vector<btRigidBody*>& bodies) {
    btTransform t;
    for (btRigidBody* body : bodies) {
      body->getMotionState()->getWorldTransform(t);
      last_.push_back(t);
    }
    last_.clear();
  }

 private:
  btDefaultCollisionConfiguration configuration_;
  btCollisionDispatcher dispatcher_;
  btDbvtBroadphase broadphase_;
  btSequentialImpulseConstraintSolver solver_;
  impact_world<btDiscreteDynamicsWorld> world_;
  btStaticPlaneShape ground_;
  std::vector<btTransform> last_;
  bool holds_joints_ = false;
};
