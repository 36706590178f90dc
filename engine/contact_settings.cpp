// Contact settings of the engine's worlds and moving bodies.
#include "engine/contact_settings.hpp"

#include <BulletCollision/BroadphaseCollision/btBroadphaseProxy.h>
#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <BulletCollision/CollisionShapes/btCapsuleShape.h>
#include <BulletCollision/CollisionShapes/btConeShape.h>
#include <BulletCollision/CollisionShapes/btCylinderShape.h>
#include <BulletCollision/CollisionShapes/btSphereShape.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>

namespace contact_settings {

namespace {

// A body is swept when it moves more than this in one step (metres; 0.6 m/s at 60 steps per
// second), or a quarter of its inscribed radius if that is less.
constexpr btScalar sweep_motion = btScalar(0.01);

// Bullet's default: below this closing speed (m/s) a contact does not bounce.
constexpr btScalar restitution_threshold = btScalar(0.2);

btScalar min_component(const btVector3& v) { return btMin(v.x(), btMin(v.y(), v.z())); }

// Bullet's cone stands on its base with its origin half way up; its margin lies outside the
// surface. The largest sphere about the origin touches the slanted side first.
btScalar cone_inscribed_radius(const btConeShape& cone) {
  const btScalar r = cone.getRadius(), h = cone.getHeight();
  const btScalar slant = btSqrt(r * r + h * h);
  return (slant > 0 ? r * h / (2 * slant) : 0) + cone.getMargin();
}

}  // namespace

void configure_world(btDiscreteDynamicsWorld& world, btScalar scale) {
  btContactSolverInfo& solver = world.getSolverInfo();
  // Bullet's split impulse settings are kept: with bodies stopped at their time of impact a
  // landing body overlaps at most its skin, and the velocity Bullet's solver adds to push that
  // out is negligible (0.2 * 1 mm * 60 / s = 0.012 m/s). Undoing every penetration by split
  // impulse instead (threshold 0) leaves a 1000-box pile restless unless the split correction
  // is raised, and a raised one throws bodies off a kinematic platform that moves in jumps.
  // Velocities scale with lengths: a world keeps its bounces whatever its scale factor.
  solver.m_restitutionVelocityThreshold = restitution_threshold * scale;
  // A swept body ignores what it approaches by less than this in one step (Bullet's default is
  // 4 cm, which would let bodies sink that deep); the discrete contacts handle such approaches.
  world.getDispatchInfo().m_allowedCcdPenetration = skin * scale;
}

void configure_body(btRigidBody& body, btScalar scale) {
  const btScalar radius = inscribed_radius(*body.getCollisionShape());
  const btScalar body_skin = btMin(skin * scale, radius / 4);
  if (!(body_skin > 0)) return;
  // Slower bodies are left to the discrete contacts, which catch most of them before they
  // touch; sweeping every body that moves at all would stop the bodies of a pile, which touch
  // each other all the time, and the pile would not settle.
  body.setCcdMotionThreshold(btMin(sweep_motion * scale, radius / 4));
  // The sphere stays a skin inside the shape, so that a body resting or sliding on a surface
  // does not start its sweep touching it (which would stop it dead).
  body.setCcdSweptSphereRadius(radius - body_skin);
}

btScalar inscribed_radius(const btCollisionShape& shape) {
  switch (shape.getShapeType()) {
    case SPHERE_SHAPE_PROXYTYPE:
      return static_cast<const btSphereShape&>(shape).getRadius();
    case BOX_SHAPE_PROXYTYPE:
      return min_component(static_cast<const btBoxShape&>(shape).getHalfExtentsWithMargin());
    case CAPSULE_SHAPE_PROXYTYPE:
      return static_cast<const btCapsuleShape&>(shape).getRadius();
    case CYLINDER_SHAPE_PROXYTYPE: {
      const auto& cylinder = static_cast<const btCylinderShape&>(shape);
      return btMin(cylinder.getRadius(), cylinder.getHalfExtentsWithMargin()[cylinder.getUpAxis()]);
    }
    case CONE_SHAPE_PROXYTYPE:
      return cone_inscribed_radius(static_cast<const btConeShape&>(shape));
    default:
      return 0;
  }
}

void keep_impact_velocity(btRigidBody& body, const btTransform& before, btScalar step) {
  // Bullet moves a stopped body along its velocity for the fraction of the step until impact;
  // the fraction is read back from how far it went.
  if (body.getHitFraction() != 0 || body.isStaticOrKinematicObject()) return;
  const btVector3 velocity = body.getLinearVelocity();
  const btScalar full = velocity.length2() * step;
  if (!(full > 0)) return;
  const btScalar travelled = (body.getWorldTransform().getOrigin() - before.getOrigin()).dot(velocity) / full;
  if (!(travelled > 0)) {
    // The sweep began inside another shape (bodies of a pile overlap a little): the body stays
    // where it is and loses its velocity, or it would be held there with it step after step;
    // the discrete contacts push it out.
    body.setLinearVelocity(btVector3(0, 0, 0));
    return;
  }
  const btScalar fraction = btMin(btScalar(1), travelled);
  body.setLinearVelocity(velocity - body.getTotalForce() * (body.getInvMass() * (1 - fraction) * step));
}

}  // namespace contact_settings
