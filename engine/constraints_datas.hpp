#pragma once
// One constraint joint between one or two rigid bodies, as the scene side hands it to the engine.

#include <LinearMath/btTransform.h>
#include <LinearMath/btVector3.h>

#include <cstdint>

struct constraints_datas {
  /// Values of `type`; any other value is refused by the engine.
  enum joint_type : std::int32_t { six_dof = 0, six_dof_spring = 1, cone_twist = 2 };

  std::int32_t type = six_dof;  ///< joint kind, see joint_type
  void* shape = nullptr;        ///< the joint shape; not read by the engine
  void* rigid0 = nullptr;       ///< first body's key, may be null or unknown: the joint then holds rigid1 to the world
  void* rigid1 = nullptr;       ///< second body's key; required
  /// Joint frame in world space (basis: joint directions to world), origin in metres, unscaled.
  btTransform transform = btTransform::getIdentity();
  btVector3 linear_lower_limit{0.0f, 0.0f, 0.0f};         ///< metres per axis X, Y, Z
  btVector3 linear_upper_limit{0.0f, 0.0f, 0.0f};         ///< metres; lower above upper leaves the axis free
  btVector3 angular_lower_limit{-90.0f, -90.0f, -90.0f};  ///< degrees per axis
  /// Degrees per axis. cone_twist: x = twist span, y = second swing span, z = first swing span.
  btVector3 angular_upper_limit{90.0f, 90.0f, 90.0f};
  btVector3 linear_stiffness{0.0f, 0.0f, 0.0f};  ///< N/m per axis (six_dof_spring); 0: no spring
  /// N·m/rad per axis (six_dof_spring). cone_twist: x = softness, y = bias factor, z = relaxation factor.
  btVector3 angular_stiffness{0.0f, 0.0f, 0.0f};
  btVector3 linear_damping{0.0f, 0.0f, 0.0f};   ///< spring damping per axis (six_dof_spring)
  btVector3 angular_damping{0.0f, 0.0f, 0.0f};  ///< spring damping per axis (six_dof_spring)
};
