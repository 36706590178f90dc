// Collision shapes and rigid bodies.
#include "engine/bullet_world.hpp"

#include "engine/collision_filter.hpp"
#include "engine/contact_settings.hpp"
#include "engine/finite_values.hpp"
#include "engine/joint_settings.hpp"

#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <BulletCollision/CollisionShapes/btCapsuleShape.h>
#include <BulletCollision/CollisionShapes/btConeShape.h>
#include <BulletCollision/CollisionShapes/btCylinderShape.h>
#include <BulletCollision/CollisionShapes/btSphereShape.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <LinearMath/btDefaultMotionState.h>

#include <cstring>
#include <new>

using engine_checks::finite;

namespace {

// Capsules, cylinders and cones: direction 0 = Y, 1 = X, 2 = Z.
template <class Y, class X, class Z, class... Args>
std::unique_ptr<btCollisionShape> by_direction(int direction, Args... args) {
  switch (direction) {
    case 0:
      return std::make_unique<Y>(args...);
    case 1:
      return std::make_unique<X>(args...);
    case 2:
      return std::make_unique<Z>(args...);
    default:
      return nullptr;
  }
}

std::uint32_t bits(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, sizeof b);
  return b;
}

std::unique_ptr<btCollisionShape> make_shape(int type, int direction, const btVector3& size) {
  switch (type) {
    case collisionshape_datas::box:
      return std::make_unique<btBoxShape>(size);
    case collisionshape_datas::sphere:
      return std::make_unique<btSphereShape>(size.x());
    case collisionshape_datas::capsule:
      return by_direction<btCapsuleShape, btCapsuleShapeX, btCapsuleShapeZ>(direction, size.x(), size.y());
    case collisionshape_datas::cylinder:
      return by_direction<btCylinderShape, btCylinderShapeX, btCylinderShapeZ>(direction, size);
    case collisionshape_datas::cone:
      return by_direction<btConeShape, btConeShapeX, btConeShapeZ>(direction, size.x(), size.y());
    default:
      return nullptr;  // 5 to 8 and anything else name no kind
  }
}

// Bullet keeps the margin of a box or cylinder inside its half extents. A margin larger than the
// smallest half extent turns the shape's core inside out: a thin slab then holds a ball up to
// 14 mm above its surface (1 cm slab, the default 4 cm margin) and stops a swept body short of
// it. Such a margin is reduced to that half extent; other margins are kept as given.
float fitting_margin(int type, const btVector3& size, float margin) {
  if (type != collisionshape_datas::box && type != collisionshape_datas::cylinder) return margin;
  return btMin(margin, btMin(size.x(), btMin(size.y(), size.z())));
}

bool is_valid_body(const rigidbody_datas& d) {
  return finite(d.mass) && d.mass >= 0.0f && finite(d.velocity) && finite(d.transform) && finite(d.friction) &&
         finite(d.restitution) && finite(d.linear_damping) && finite(d.angular_damping);
}

btRigidBody::btRigidBodyConstructionInfo construction_info(const rigidbody_datas& d, btMotionState* motion,
                                                           btCollisionShape* shape, const btVector3& inertia) {
  btRigidBody::btRigidBodyConstructionInfo info(d.mass, motion, shape, inertia);
  info.m_linearDamping = d.linear_damping;
  info.m_angularDamping = d.angular_damping;
  info.m_friction = d.friction;
  info.m_restitution = d.restitution;
  info.m_rollingFriction = 0.0f;
  info.m_spinningFriction = 0.0f;
  info.m_linearSleepingThreshold = 0.8f;
  info.m_angularSleepingThreshold = 1.0f;
  info.m_additionalDamping = d.linear_damping != 0.0f || d.angular_damping != 0.0f;
  info.m_additionalDampingFactor = 0.005f;
  info.m_additionalLinearDampingThresholdSqr = 0.01f;
  info.m_additionalAngularDampingThresholdSqr = 0.01f;
  info.m_additionalAngularDampingFactor = 0.01f;
  return info;
}

// Moving bodies start awake; kinematic ones follow their targets and never sleep.
void set_kind(btRigidBody& body, std::int32_t type) {
  if (type == rigidbody_datas::move) {
    body.activate(true);
  } else if (type == rigidbody_datas::kinematic) {
    body.setCollisionFlags(body.getCollisionFlags() | btCollisionObject::CF_KINEMATIC_OBJECT);
    body.setActivationState(DISABLE_DEACTIVATION);
  }
}

}  // namespace

bool bullet_world::addCollisionShape(collisionshape_datas& datas) {
  if (shapes_.count(datas.shape) != 0) return true;
  const btVector3 size = scaled(btVector3(datas.size[0], datas.size[1], datas.size[2]));
  if (!finite(size) || size.x() < 0.0f || size.y() < 0.0f || size.z() < 0.0f || !finite(datas.margin)) return false;
  const std::array<std::uint32_t, 6> key = {
      std::uint32_t(datas.type), std::uint32_t(datas.direction), bits(size.x()), bits(size.y()), bits(size.z()),
      bits(datas.margin)};
  std::unique_ptr<btCollisionShape>& pooled = shape_pool_[key];
  if (!pooled) {
    pooled = make_shape(datas.type, datas.direction, size);
    if (!pooled) {
      shape_pool_.erase(key);
      return false;
    }
    pooled->setMargin(fitting_margin(datas.type, size, datas.margin));
  }
  shapes_[datas.shape] = pooled.get();
  return true;
}

bool bullet_world::addRigidBody(rigidbody_datas& datas) {
  const auto found = shapes_.find(datas.primitive);
  if (found == shapes_.end() || !is_valid_body(datas) || !has_room()) return false;
  const btTransform start = scaled(datas.transform);
  const btVector3 velocity = scaled(datas.velocity);
  if (!finite(start) || !finite(velocity)) return false;
  btCollisionShape* shape = found->second;
  if (datas.type == rigidbody_datas::kinematic || datas.type == rigidbody_datas::static_body) datas.mass = 0.0f;
  btVector3 inertia(0.0f, 0.0f, 0.0f);
  if (datas.mass != 0.0f) shape->calculateLocalInertia(datas.mass, inertia);
  try {
    auto motion = std::make_unique<btDefaultMotionState>(start);
    auto body = std::make_unique<engine_rigid_body>(construction_info(datas, motion.get(), shape, inertia));
    set_kind(*body, datas.type);
    if (holds_joints_) body->drop_additional_damping();
    if (datas.type == rigidbody_datas::move) contact_settings::configure_body(*body, scale_);
    if (!datas.velocity.isZero()) body->setLinearVelocity(velocity);
    world_->addRigidBody(body.get(), collision_filter::group(datas.group), collision_filter::mask(datas.mask));
    motion.release();
    bodies_[datas.shape] = body.release();
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool bullet_world::reverse_direction(rigidbody_datas& datas) {
  btRigidBody* body = find_rigid_body(datas.shape);
  if (datas.type != rigidbody_datas::move || body == nullptr) return false;
  body->setLinearVelocity(-body->getLinearVelocity());
  body->setAngularVelocity(-body->getAngularVelocity());
  return true;
}

bool bullet_world::reposition(rigidbody_datas& datas, btTransform& transform) {
  const btTransform target = scaled(transform);
  btRigidBody* body = find_rigid_body(datas.shape);
  if (datas.type != rigidbody_datas::kinematic || body == nullptr || !finite(target)) return false;
  body->getMotionState()->setWorldTransform(target);
  return true;
}

bool bullet_world::get_transform(rigidbody_datas& datas, btTransform& transform) {
  return get_transform(datas.shape, transform);
}

bool bullet_world::get_transform(void* key, btTransform& transform) {
  const btRigidBody* body = find_rigid_body(key);
  if (body == nullptr) return false;
  body->getMotionState()->getWorldTransform(transform);
  transform.setOrigin(transform.getOrigin() / scale_);
  return true;
}

// Every body of bodies_ was made as an engine_rigid_body.
void bullet_world::drop_additional_damping(btRigidBody& body) {
  static_cast<engine_rigid_body&>(body).drop_additional_damping();
}

btRigidBody* bullet_world::find_rigid_body(void* key) const {
  const auto found = bodies_.find(key);
  return found == bodies_.end() ? nullptr : found->second;
}
