#pragma once
// One simulation world of the scene: a world part (a part carrying the world stream), the
// rigid bodies, constraint joints and soft bodies registered below it, and the engine world
// built from them.
//
// Life: constructed from a world part (reads its settings, registers what lies below) ->
// create_bullet (fills the engine) -> stepped and written back during playback -> clear (puts
// the scene back, releases the engine). Movable, not copyable: the engine is uniquely owned.
// The scene's shapes are borrowed; they must outlive the world or be cleared before they die.
//
// The world keeps three sets with the same verbs (register, add to the engine, write back,
// restore, clear) and calls them in a fixed order: joints are tried first when registering,
// the engine is filled with rigid bodies, then joints, then soft bodies, and written back in the
// same order.
#include <vector>

#include "engine/phygics_world.hpp"
#include "joints/joint_set.hpp"
#include "properties/rigidbody_set.hpp"
#include "properties/world_properties.hpp"
#include "softbody/softbody_set.hpp"

namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk

class sorvel_world {
 public:
  /// Reads the world settings of `world_part` (defaults where the stream is missing) and
  /// registers every shape below it (the world part itself is not registered).
  explicit sorvel_world(sxsdk::shape_class& world_part);
  sorvel_world(sorvel_world&&) noexcept = default;
  sorvel_world& operator=(sorvel_world&&) noexcept = default;
  sorvel_world(const sorvel_world&) = delete;
  sorvel_world& operator=(const sorvel_world&) = delete;
  /// Frees the lists and the engine; does not touch the scene (call clear for that).
  ~sorvel_world() = default;

  /// Registers `shape` if it has a role in the simulation (the first of joint, rigid body, soft
  /// body that matches), then its sons, depth first.
  void regist_re(sxsdk::shape_class& shape);

  /// Builds the engine world: static, kinematic, then moving bodies (each after its primitive's
  /// collision shape), then joints and soft bodies. False on the first refusal; the engine is
  /// left as far as it got. `scene` (may be null) receives the error texts.
  [[nodiscard]] bool create_bullet(sxsdk::scene_interface* scene);

  /// Puts every moving body's part back to the exact transformation it had when the world was
  /// built, resets soft bodies and joints, empties the lists and releases the engine. True when
  /// an engine world was released.
  bool clear();

  // Write-back around a step (only on a built world; each does nothing otherwise).
  /// Hands every kinematic body the current world pose of its primitive.
  void set_kinematic_transform(sxsdk::scene_interface* scene);
  /// Moves every moving body's part to where the engine put it, then the joints.
  void set_rigidbody_positions(sxsdk::scene_interface* scene);
  /// Moves the vertices of soft body meshes (nothing without soft bodies).
  void set_softbody_positions(sxsdk::scene_interface* scene);

  /// The user moved `body_part` during playback and its stored start was refreshed: clear
  /// puts it back where the user left it instead of where it was built.
  void start_moved(sxsdk::shape_class& body_part) { rigid_bodies_.start_moved(body_part); }

  /// Negates the velocities of every moving body (playing direction changed).
  void reverse_direction() { rigid_bodies_.reverse_direction(engine_); }
  /// Steps the engine by `seconds` at the world's simulation cycle.
  void update(float seconds) { engine_.update(seconds, world_.simulation_cycle); }

  const world_properties& settings() const { return world_; }
  phygics_world& engine() { return engine_; }
  const rigidbody_set& rigid_bodies() const { return rigid_bodies_; }
  const std::vector<rigidbody_properties>& static_bodies() const { return rigid_bodies_.static_bodies(); }
  const std::vector<rigidbody_properties>& moving_bodies() const { return rigid_bodies_.moving_bodies(); }
  const std::vector<rigidbody_properties>& kinematic_bodies() const { return rigid_bodies_.kinematic_bodies(); }

 private:
  world_properties world_;
  phygics_world engine_;
  rigidbody_set rigid_bodies_;
  joint_set joints_;
  softbody_set softbodies_;
};
