// Stepping, solver and sleeping settings of worlds that hold joints.
#include "engine/joint_settings.hpp"

#include <BulletDynamics/ConstraintSolver/btTypedConstraint.h>

#include <cmath>

namespace joint_settings {

int steps_per_cycle(float cycle) {
  if (!(cycle > 0.0f) || !(cycle < step_rate)) return 1;  // also a NaN cycle
  return static_cast<int>(std::ceil(step_rate / cycle));
}

int solver_iterations(btScalar coupling) {
  if (!(coupling > 10)) return least_iterations;  // also a NaN coupling
  const double wanted = std::ceil(10 * std::log10(double(coupling)));
  return wanted >= most_iterations ? most_iterations : static_cast<int>(wanted);
}

btScalar coupling(const btRigidBody& body, const btVector3& pivot) {
  if (body.isStaticOrKinematicObject() || !(body.getInvMass() > 0)) return 0;
  const btVector3 arm = body.getCenterOfMassPosition() - pivot;
  const btScalar reach2 = arm.length2();
  if (!(reach2 > 0)) return 0;
  // The largest inverse inertia about an axis across the arm: the larger eigenvalue of the
  // world inverse inertia on the plane normal to the arm.
  btVector3 u, v;
  btPlaneSpace1(arm / btSqrt(reach2), u, v);
  const btMatrix3x3& inverse = body.getInvInertiaTensorWorld();
  const btScalar a = u.dot(inverse * u), b = u.dot(inverse * v), c = v.dot(inverse * v);
  const btScalar largest = (a + c) / 2 + btSqrt((a - c) * (a - c) / 4 + b * b);
  return reach2 * largest / body.getInvMass();
}

void configure_joint(btTypedConstraint& joint, const btVector3& pivot) {
  const btScalar most = btMax(coupling(joint.getRigidBodyA(), pivot), coupling(joint.getRigidBodyB(), pivot));
  joint.setOverrideNumSolverIterations(solver_iterations(most));
}

void configure_held_body(btRigidBody& body, btScalar scale) {
  body.setSleepingThresholds(held_linear_sleeping * scale, held_angular_sleeping);
}

}  // namespace joint_settings

void engine_rigid_body::drop_additional_damping() {
  if (!info_.m_additionalDamping) return;
  info_.m_additionalDamping = false;
  const btTransform pose = getWorldTransform();
  const btVector3 linear = getLinearVelocity(), angular = getAngularVelocity(), gravity = getGravity();
  const int flags = getFlags();
  const btScalar linear_sleeping = getLinearSleepingThreshold(), angular_sleeping = getAngularSleepingThreshold();
  setupRigidBody(info_);
  setWorldTransform(pose);
  setInterpolationWorldTransform(pose);
  updateInertiaTensor();
  setLinearVelocity(linear);
  setAngularVelocity(angular);
  setInterpolationLinearVelocity(linear);
  setInterpolationAngularVelocity(angular);
  setGravity(gravity);
  setFlags(flags);
  setSleepingThresholds(linear_sleeping, angular_sleeping);
}
