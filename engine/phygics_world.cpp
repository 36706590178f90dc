#include "engine/phygics_world.hpp"

bool phygics_world::create_world(world_datas& datas, bool use_softbody) {
  world_.reset();
  if (!bullet_world::accepts(datas, use_softbody)) return false;
  world_ = std::make_unique<bullet_world>(datas, use_softbody);
  return true;
}

bool phygics_world::remove_world() {
  if (!world_) return false;
  world_.reset();
  return true;
}

void phygics_world::update(float seconds, float cycle) {
  if (world_) world_->update(seconds, cycle);
}

bool phygics_world::addCollisionShape(collisionshape_datas& datas) {
  return world_ && world_->addCollisionShape(datas);
}

bool phygics_world::addRigidBody(rigidbody_datas& datas) { return world_ && world_->addRigidBody(datas); }

bool phygics_world::reverse_direction(rigidbody_datas& datas) { return world_ && world_->reverse_direction(datas); }

bool phygics_world::set_kinematic_new_transform(rigidbody_datas& datas, btTransform& transform) {
  return world_ && world_->reposition(datas, transform);
}

bool phygics_world::addJoint(constraints_datas& datas) { return world_ && world_->addJoint(datas); }

bool phygics_world::addSoftBody(softbody_datas& datas, void* key) { return world_ && world_->addSoftBody(datas, key); }

bool phygics_world::get_rigidbody_transform(rigidbody_datas& datas, btTransform& transform) {
  return !world_ || world_->get_transform(datas, transform);
}

bool phygics_world::get_rigidbody_transform(void* key, btTransform& transform) {
  return !world_ || world_->get_transform(key, transform);
}

bool phygics_world::get_softbody_positions(void* key, int index, std::vector<btVector3>& positions) {
  return !world_ || world_->get_softbody_positions(key, index, positions);
}
