#pragma once
// One simulation world of the scene: a world part (a part carrying the world stream), the
// rigid bodies registered below it, and the engine world built from them.
//
// Life: constructed from a world part (reads its settings, registers what lies below) ->
// create_bullet (fills the engine) -> stepped and written back during playback -> clear (puts
// the scene back, releases the engine). Movable, not copyable: the engine is uniquely owned.
// The scene's shapes are borrowed; they must outlive the world or be cleared before they die.
#include <vector>

#include "engine/phygics_world.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/world_properties.hpp"
#include "sdk/mat4.hpp"

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

  /// Registers `shape` if it has a role in the simulation, then its sons, depth first.
  void regist_re(sxsdk::shape_class& shape);

  /// Builds the engine world: static, kinematic, then moving bodies (each after its primitive's
  /// collision shape), then joints and soft bodies. False on the first refusal; the engine is
  /// left as far as it got. `scene` (may be null) receives the error texts.
  bool create_bullet(sxsdk::scene_interface* scene);

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
  void start_moved(sxsdk::shape_class& body_part);

  /// Negates the velocities of every moving body (playing direction changed).
  void reverse_direction();
  /// Steps the engine by `seconds` at the world's simulation cycle.
  void update(float seconds);

  const world_properties& settings() const { return world_; }
  phygics_world& engine() { return engine_; }
  const std::vector<rigidbody_properties>& static_bodies() const { return static_bodies_; }
  const std::vector<rigidbody_properties>& moving_bodies() const { return moving_bodies_; }
  const std::vector<rigidbody_properties>& kinematic_bodies() const { return kinematic_bodies_; }

 private:
  void register_rigidbody(sxsdk::shape_class& shape);
  bool add_bodies(sxsdk::scene_interface* scene, std::vector<rigidbody_properties>& bodies,
                  const char* no_primitive_text, const char* refused_text);
  bool add_body(sxsdk::scene_interface* scene, rigidbody_properties& body, const char* no_primitive_text,
                const char* refused_text);
  void restore_moving_bodies();

  // Places kept for the joint and soft body work, which fills them; they do nothing yet.
  /// Registers `shape` as a constraint joint; true when it was one (then nothing else is tried).
  bool register_joint(sxsdk::shape_class& shape);
  /// Registers `shape` as a soft body polygon mesh; true when it was one.
  bool register_softbody(sxsdk::shape_class& shape);
  bool has_softbodies() const;
  /// Adds the registered joints to the engine; false on the first refusal.
  bool add_joints_to_engine(sxsdk::scene_interface* scene);
  /// Adds the registered soft bodies to the engine; false on the first refusal.
  bool add_softbodies_to_engine(sxsdk::scene_interface* scene);
  /// Writes the joints of bodies hanging under them after a step.
  void set_joint_positions(sxsdk::scene_interface* scene);
  /// Puts soft body meshes and their projection meshes back to their build-time vertices.
  void reset_softbodies();
  /// Puts the joints back to their build-time poses.
  void restore_joints();
  /// Forgets the registered joints and soft bodies.
  void clear_joints_and_softbodies();

  world_properties world_;
  phygics_world engine_;
  std::vector<rigidbody_properties> static_bodies_;
  std::vector<rigidbody_properties> moving_bodies_;
  std::vector<rigidbody_properties> kinematic_bodies_;
  /// What the write-back and clear need of each moving body, index for index with moving_bodies_.
  struct moving_place {
    /// The part's own transformation at registration: restoring it (rather than recomputing
    /// it from the stored start transform in metres) brings the scene back bit for bit.
    sxsdk::mat4 start;
    /// The body hangs under a constraint joint (posed and restored through the joint) or has
    /// no dad; either way its part is not moved directly.
    bool not_moved_directly;
  };
  std::vector<moving_place> moving_places_;
};
