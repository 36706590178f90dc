// Stepping, solver and sleeping settings of worlds that hold joints.
#include "engine/joint_settings.hpp"

#include <BulletDynamics/ConstraintSolver/btTypedConstraint.h>

#include <cmath>

namespace joint_settings {

int steps_per_cycle(float cycle) {
  if (!(cycle > 0.0f) || !(cycle < step_rate)) return 1;  // also a NaN cycle
  return static_cast<int>(std::ceil(step_rate / cycle));
}

void configure_joint(btTypedConstraint& joint) { joint.setOverrideNumSolverIterations(solver_iterations); }

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
