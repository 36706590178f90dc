#pragma once
// A small engine scene for the tests: one phygics_world plus the records it was filled from.
// Keys are made-up addresses: the engine must never dereference them.

#include <gtest/gtest.h>

#include "engine/phygics_world.hpp"

#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>

#include <cstdint>
#include <deque>

namespace engine_test {

inline void* key(int i) { return reinterpret_cast<void*>(std::uintptr_t(0x10000 + 64 * i)); }

inline std::int16_t group_bit(int index) { return static_cast<std::int16_t>(1u << index); }

inline collisionshape_datas shape_record(collisionshape_datas::primitive_type type, float x, float y, float z,
                                         int direction = 0) {
  collisionshape_datas d;
  d.type = type;
  d.direction = direction;
  d.size[0] = x;
  d.size[1] = y;
  d.size[2] = z;
  return d;
}

inline collisionshape_datas sphere(float radius) {
  return shape_record(collisionshape_datas::sphere, radius, radius, radius);
}

inline collisionshape_datas box(float half) { return shape_record(collisionshape_datas::box, half, half, half); }

class engine_scene {
 public:
  world_datas world;
  phygics_world engine;
  std::deque<rigidbody_datas> bodies;  // stable addresses for the records handed out

  explicit engine_scene(world_datas w = world_datas(), bool soft = false) : world(w) {
    built = engine.create_world(world, soft);
  }

  /// Adds a shape (its own primitive key) and a body at `position`; the record stays here.
  rigidbody_datas& add_body(collisionshape_datas shape, const btVector3& position,
                            std::int32_t type = rigidbody_datas::move, float mass = 1.0f) {
    const int index = int(bodies.size());
    shape.shape = key(1000 + index);
    shape_added = engine.addCollisionShape(shape);
    rigidbody_datas body;
    body.shape = key(index);
    body.primitive = shape.shape;
    body.type = type;
    body.mass = mass;
    body.transform.setOrigin(position);
    bodies.push_back(body);
    return bodies.back();
  }

  /// Adds the last record of add_body to the engine (lets a test edit it first).
  bool commit(rigidbody_datas& body) { return engine.addRigidBody(body); }

  rigidbody_datas& body(collisionshape_datas shape, const btVector3& position,
                        std::int32_t type = rigidbody_datas::move, float mass = 1.0f) {
    rigidbody_datas& b = add_body(shape, position, type, mass);
    body_added = commit(b);
    return b;
  }

  btVector3 position(rigidbody_datas& body) {
    btTransform t = btTransform::getIdentity();
    EXPECT_TRUE(engine.get_rigidbody_transform(body, t)) << "the engine has no such body";
    return t.getOrigin();
  }

  btRigidBody* bullet_body(const rigidbody_datas& body) const { return engine.engine()->find_rigid_body(body.shape); }

  int object_count() const { return engine.engine()->dynamics_world()->getNumCollisionObjects(); }

  /// Plays `seconds` in frames of `frame` seconds at the world's cycle.
  void play(float seconds, float frame = 1.0f / 60.0f) {
    for (int i = 0, n = int(seconds / frame + 0.5f); i < n; ++i) engine.update(frame, world.simulation_cycle);
  }

  bool built = false;
  bool shape_added = false;
  bool body_added = false;
};

}  // namespace engine_test
