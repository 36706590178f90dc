// Constraint joints between one or two rigid bodies.
#include "engine/bullet_world.hpp"

#include "engine/finite_values.hpp"
#include "engine/joint_settings.hpp"

#include <BulletDynamics/ConstraintSolver/btConeTwistConstraint.h>
#include <BulletDynamics/ConstraintSolver/btGeneric6DofSpring2Constraint.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>

#include <memory>
#include <new>

using engine_checks::finite;

namespace {

// Degrees to radians: the product is formed in double and rounded once to float.
btScalar radians(btScalar degrees) { return btScalar(double(degrees) * SIMD_PI / 180.0); }

btVector3 radians(const btVector3& degrees) {
  return btVector3(radians(degrees.x()), radians(degrees.y()), radians(degrees.z()));
}

bool is_valid_joint(const constraints_datas& d) {
  return finite(d.transform) && finite(d.linear_lower_limit) && finite(d.linear_upper_limit) &&
         finite(d.angular_lower_limit) && finite(d.angular_upper_limit) && finite(d.linear_stiffness) &&
         finite(d.angular_stiffness) && finite(d.linear_damping) && finite(d.angular_damping);
}

// The bodies and their frames: body A is absent for a joint that holds one body to the world.
struct joint_frames {
  btRigidBody* body_a = nullptr;
  btRigidBody* body_b = nullptr;
  btTransform frame_a;
  btTransform frame_b;
};

// Linear limits in engine lengths; angular limits go in as radians, and Bullet folds each into
// [-pi, pi]. A lower limit above the upper one leaves the axis free. No motor is enabled, so
// the motor limits that Bullet 2.89 turned into forces (default 6) play no part.
void set_limits(btGeneric6DofSpring2Constraint& c, const constraints_datas& d, float scale) {
  c.setLinearLowerLimit(d.linear_lower_limit * scale);
  c.setLinearUpperLimit(d.linear_upper_limit * scale);
  c.setAngularLowerLimit(radians(d.angular_lower_limit));
  c.setAngularUpperLimit(radians(d.angular_upper_limit));
}

// A 6Dof joint is Bullet's spring 6Dof without springs. Bullet's older btGeneric6DofConstraint
// leaves a locked axis (lower = upper) without a row while the axis sits exactly at its value,
// so a body hanging at rest fell one whole step of free fall (2.72 mm at 60 steps a second)
// before its joint caught it, and a limit was only met a step after it was passed (a rod pushed
// at 5 m/s into a +-30 degree limit reached 34.8 degrees). The spring 6Dof keeps a row on every
// locked or limited axis: the body hangs still and the rod stops at 30 degrees. The axes, limits
// and the XYZ order of the angles are the same.
std::unique_ptr<btGeneric6DofSpring2Constraint> make_six_dof(const joint_frames& j, const constraints_datas& d,
                                                             float scale) {
  auto c = j.body_a != nullptr
               ? std::make_unique<btGeneric6DofSpring2Constraint>(*j.body_a, *j.body_b, j.frame_a, j.frame_b, RO_XYZ)
               : std::make_unique<btGeneric6DofSpring2Constraint>(*j.body_b, j.frame_b, RO_XYZ);
  set_limits(*c, d, scale);
  return c;
}

void set_springs(btGeneric6DofSpring2Constraint& c, const constraints_datas& d) {
  const btVector3* stiffness[2] = {&d.linear_stiffness, &d.angular_stiffness};
  const btVector3* damping[2] = {&d.linear_damping, &d.angular_damping};
  for (int i = 0; i < 6; ++i) {
    const btScalar k = (*stiffness[i / 3])[i % 3];
    if (k == 0.0f) continue;
    c.enableSpring(i, true);
    // Since Bullet 2.88 these springs follow the analytic period 2*pi*sqrt(m/k) (2.87 acted as
    // if the mass were at least 1), and the limitIfNeeded clamp works from the real mass.
    c.setStiffness(i, k, true);
    c.setDamping(i, (*damping[i / 3])[i % 3], true);
  }
  c.setEquilibriumPoint();  // the start pose is every spring's rest pose
}

std::unique_ptr<btTypedConstraint> make_six_dof_spring(const joint_frames& j, const constraints_datas& d, float scale) {
  auto c = make_six_dof(j, d, scale);
  set_springs(*c, d);
  return c;
}

std::unique_ptr<btTypedConstraint> make_cone_twist(const joint_frames& j, const constraints_datas& d) {
  std::unique_ptr<btConeTwistConstraint> c;
  if (j.body_a != nullptr) {
    c = std::make_unique<btConeTwistConstraint>(*j.body_a, *j.body_b, j.frame_a, j.frame_b);
  } else {
    c = std::make_unique<btConeTwistConstraint>(*j.body_b, j.frame_b);
    // The one-body constructor copies the body's frame to the world side with its origin
    // zeroed, pinning the body to the world origin; hold it where the joint is instead, as
    // the one-body 6Dof joints do.
    c->setFrames(j.frame_b, j.body_b->getWorldTransform() * j.frame_b);
  }
  const btVector3& span = d.angular_upper_limit;
  const btVector3& soft = d.angular_stiffness;  // softness, bias factor, relaxation factor
  c->setLimit(radians(span.z()), radians(span.y()), radians(span.x()), soft.x(), soft.y(), soft.z());
  return c;
}

}  // namespace

bool bullet_world::addJoint(constraints_datas& datas) {
  btRigidBody* body1 = find_rigid_body(datas.rigid1);
  if (body1 == nullptr || !is_valid_joint(datas)) return false;
  const btTransform joint = scaled(datas.transform);
  if (!finite(joint)) return false;
  joint_frames frames;
  frames.body_b = body1;
  frames.frame_b = body1->getWorldTransform().inverse() * joint;
  frames.body_a = datas.rigid0 != nullptr ? find_rigid_body(datas.rigid0) : nullptr;
  if (frames.body_a != nullptr) frames.frame_a = frames.body_a->getWorldTransform().inverse() * joint;
  std::unique_ptr<btTypedConstraint> constraint;
  try {
    switch (datas.type) {
      case constraints_datas::six_dof:
        constraint = make_six_dof(frames, datas, scale_);
        break;
      case constraints_datas::six_dof_spring:
        constraint = make_six_dof_spring(frames, datas, scale_);
        break;
      case constraints_datas::cone_twist:
        constraint = make_cone_twist(frames, datas);
        break;
      default:
        return false;
    }
    joint_settings::configure_joint(*constraint, joint.getOrigin());
    world_->addConstraint(constraint.get(), false);  // linked bodies keep colliding
  } catch (const std::bad_alloc&) {
    return false;
  }
  constraint.release();
  if (!holds_joints_) {
    holds_joints_ = true;
    for (auto& body : bodies_) drop_additional_damping(*body.second);
  }
  for (btRigidBody* body : {frames.body_a, frames.body_b})
    if (body != nullptr && !body->isStaticOrKinematicObject()) joint_settings::configure_held_body(*body, scale_);
  return true;
}
