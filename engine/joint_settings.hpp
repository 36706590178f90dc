#pragma once
// How the engine's worlds step joints. Bullet's solver works on velocities, one step at a time:
// at 60 steps a second a link swinging at 6 m/s moves a tenth of a metre along its arc in one
// step and ends the step off its circle, a chain of ten balls hangs 10-35% too long, and a small
// heavy body far out on an arm (tiny inertia against its lever arm) couples the joint's rows so
// badly that ten iterations barely hold it (a 5 cm ball on a 1 m arm swings 41% slow and its arm
// stretches 10 cm). These settings (stepping, solver and sleeping only; nothing of them is
// stored in a scene) make joints hold their bodies as the mechanics says. bullet_world applies
// them to every world that holds a joint; a world without joints steps as before. The
// benchmarks apply them to their raw Bullet side, so that both step the same physics.

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <LinearMath/btScalar.h>

class btTypedConstraint;

namespace joint_settings {

/// The fewest steps per second a world with joints takes: one step of its simulation cycle is
/// cut into ceil(rate / cycle) internal steps. A chain of ten damped balls on 0.2 m links,
/// falling from the horizontal, stretches its links by at most 34% at 60 steps a second, 2.9%
/// at 240 and 0.7% at 480; a 5 cm ball on a 1 m arm released at 30 degrees swings 41% slow at
/// 60 and within 0.3% at 480, still 29.3 degrees wide after a minute (26.8 at 240, even with 30
/// iterations). The cost is that many more steps: the 200-link chain of bench/joint_chain takes
/// about eight times as long.
constexpr float step_rate = 480.0f;

/// Internal steps per step of `cycle` (steps per second, > 0) in a world that holds joints.
int steps_per_cycle(float cycle);

/// Solver iterations of a joint's rows (contacts keep the world's 10), from how strongly its
/// body couples them: mass times squared lever arm (pivot to centre) over the body's least
/// inertia across the arm. A rod hung from its end or a link of a chain (coupling 3 to 40) needs
/// Bullet's 10; a 5 cm ball on a 1 m arm (coupling 1000: the solver gains about 0.5% a pass on
/// it) swings 0.6% slow with 10 and is 28.6 degrees wide a minute after its release at 30, with
/// 30 iterations 0.2% and 29.6 degrees. Iterations: 10 log10(coupling), at least 10, at most 40.
int solver_iterations(btScalar coupling);
constexpr int least_iterations = 10, most_iterations = 40;

/// The coupling above for `body` held at `pivot` (world position, engine lengths); 0 for a
/// static or kinematic body or one whose centre is the pivot.
btScalar coupling(const btRigidBody& body, const btVector3& pivot);

/// Gives `joint`, whose pivot is at `pivot` (world position, engine lengths), its own solver
/// iteration count from the coupling of its bodies.
void configure_joint(btTypedConstraint& joint, const btVector3& pivot);

/// Sleeping thresholds of a body held by a joint, in m/s (scaled by the world's scale factor) and
/// rad/s. Bullet puts a body to sleep once it has moved slower than its thresholds for 2 s; with
/// its 0.8 m/s and 1 rad/s a pendulum swinging 5 degrees falls asleep off the vertical, frozen.
/// Below these a pendulum of 1 m swings less than 0.2 degrees: it is at rest. A damped chain
/// still settles and sleeps.
constexpr btScalar held_linear_sleeping = btScalar(0.01);
constexpr btScalar held_angular_sleeping = btScalar(0.01);

/// Sleeping thresholds of a moving body held by a joint, in a world whose lengths are `scale`
/// times metres.
void configure_held_body(btRigidBody& body, btScalar scale);

}  // namespace joint_settings

/// The engine's rigid body: Bullet's, whose "additional damping" can be switched off once the
/// body is built. That damping multiplies the velocity of a slow body (under 0.1 m/s and
/// 0.1 rad/s) by 0.005 in every step; at 480 steps a second gravity gives a body at rest only
/// 0.02 m/s per step, so a damped body would hang in the air. A world that holds joints drops it
/// from every moving body; the body's own linear and angular damping stay.
class engine_rigid_body : public btRigidBody {
 public:
  explicit engine_rigid_body(const btRigidBodyConstructionInfo& info) : btRigidBody(info), info_(info) {}
  /// Bullet keeps the switch private and sets it only from a construction info: the body is set
  /// up again from its own info without it, keeping its pose, velocities, gravity, flags and
  /// sleeping thresholds (what the world and the engine changed since it was built).
  void drop_additional_damping();

 private:
  btRigidBodyConstructionInfo info_;
};
