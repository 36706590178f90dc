#pragma once
// One rigid body as the scene side hands it to the engine.

#include <LinearMath/btTransform.h>
#include <LinearMath/btVector3.h>

#include <cstdint>

struct rigidbody_datas {
  /// Values of `type` (the field stays a plain int32 as stored).
  enum body_type : std::int32_t { move = 0, kinematic = 1, static_body = 2 };

  void* shape = nullptr;                 ///< the rigid body part: key of the body in the engine, never dereferenced
  std::int32_t type = move;              ///< 0 move (dynamic), 1 kinematic (animated), 2 static
  std::uint8_t group_index = 1;          ///< collision group number 0..15
  std::int16_t group = 2;                ///< 1 << group_index; index 15 gives -32768, widened with sign
  std::uint32_t mask = 0;                ///< bit n set: no collision with group n (the engine uses ~mask)
  float mass = 1.0f;                     ///< kilograms, >= 0; set to 0 by the engine for kinematic and static bodies
  btVector3 velocity{0.0f, 0.0f, 0.0f};  ///< initial linear velocity, m/s; applied only when not all zero
  float friction = 0.5f;                 ///< Bullet friction
  float restitution = 0.0f;              ///< Bullet restitution
  float linear_damping = 0.0f;           ///< Bullet linear damping, 0..1
  float angular_damping = 0.0f;          ///< Bullet angular damping, 0..1
  btTransform transform = btTransform::getIdentity();  ///< start pose, origin in metres
  void* primitive = nullptr;  ///< key of the collision shape; added to the engine before the body
};
