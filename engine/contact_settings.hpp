#pragma once
// How the engine's worlds treat contacts. Bullet's defaults let a falling body sink into what it
// lands on and then push it out with the velocity solver, which adds energy: a ball bounces
// higher than its restitution allows and a fast body passes through a thin wall. These settings
// (solver and continuous collision only; nothing of them is stored in a scene) make contacts
// obey restitution and keep bodies from tunnelling. bullet_world applies them to every world and
// moving body; the benchmarks apply them to their raw Bullet side, so that both step the same
// physics.

#include <LinearMath/btScalar.h>
#include <LinearMath/btTransform.h>
#include <LinearMath/btVector3.h>

class btCollisionShape;
class btDiscreteDynamicsWorld;
class btRigidBody;

namespace contact_settings {

/// The deepest a body may sink into what it lands on before it is stopped, in metres (scaled
/// by the world's scale factor inside the engine); smaller bodies allow a quarter of their
/// inscribed radius instead.
constexpr btScalar skin = btScalar(0.001);

/// Solver and dispatcher settings of `world`, whose lengths are `scale` times metres: the
/// restitution threshold and the continuous collision allowance scale with the lengths.
void configure_world(btDiscreteDynamicsWorld& world, btScalar scale);

/// Continuous collision of a moving body, sized from its collision shape: a body that moves
/// more than 1 cm (or a quarter of its inscribed radius) in one step is swept with the largest
/// sphere about its origin that fits inside its shape, less the skin, and stopped where that
/// sphere first touches something. Shapes without room for such a sphere are left to the
/// discrete contacts.
void configure_body(btRigidBody& body, btScalar scale);

/// Radius of the largest sphere about the shape's origin that fits inside it (engine lengths);
/// 0 for shapes other than the five primitives.
btScalar inscribed_radius(const btCollisionShape& shape);

/// After Bullet has stopped `body` at its time of impact in this step of `step` seconds
/// (it marks such a body with hit fraction 0), takes back the velocity that the external forces
/// (gravity) gave it for the rest of the step, which it did not travel. A body stopped where it
/// started (its sphere already overlapped something) loses its linear velocity. `before` is its
/// pose before the step's integration.
void keep_impact_velocity(btRigidBody& body, const btTransform& before, btScalar step);

}  // namespace contact_settings
