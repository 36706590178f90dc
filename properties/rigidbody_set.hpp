#pragma once
// The rigid bodies of one scene-side world: registered from the scene, handed to the engine
// static, kinematic then moving (each after its primitive's collision shape), posed around
// every step, and put back when the world is cleared.
//
// The joint set (joints/) and the soft body set (softbody/) offer the same verbs; sorvel_world
// calls the three in a fixed order. The scene's shapes are borrowed: they must outlive the set
// or be cleared before they die.
#include <vector>

#include "engine/phygics_world.hpp"
#include "properties/rigidbody_properties.hpp"
#include "sdk/mat4.hpp"

namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk

class rigidbody_set {
 public:
  /// Registers `shape` when it is a rigid body part: read over the default record, then kept in
  /// the list of its type (an unknown type takes no part). True when it was a rigid body.
  [[nodiscard]] bool regist(sxsdk::shape_class& shape);

  /// Adds every body to `engine`, each after its primitive's collision shape: static, kinematic,
  /// then moving bodies, in registration order. False on the first refusal, after showing its
  /// English error text in `scene` (may be null); the engine is left as far as it got.
  [[nodiscard]] bool add_to_engine(phygics_world& engine, sxsdk::scene_interface* scene);

  /// Before a step: hands every kinematic body the current world pose of its primitive.
  void set_kinematic_transform(phygics_world& engine);
  /// After a step: moves every moving body's part to where the engine put it. Bodies hanging
  /// under a constraint joint are left to the joint set.
  void write_back(phygics_world& engine);
  /// Puts every moving body's part back to the exact transformation it had at registration
  /// (or when the user last moved it, start_moved). Bodies under a joint are left to the joints.
  void restore();
  /// Forgets every body.
  void clear();

  /// The user moved `body_part` during playback: restore puts it back where the user left it.
  void start_moved(sxsdk::shape_class& body_part);
  /// Negates the velocities of every moving body (the playing direction changed).
  void reverse_direction(phygics_world& engine);

  const std::vector<rigidbody_properties>& static_bodies() const { return static_bodies_; }
  const std::vector<rigidbody_properties>& moving_bodies() const { return moving_bodies_; }
  const std::vector<rigidbody_properties>& kinematic_bodies() const { return kinematic_bodies_; }

 private:
  /// What the write-back and restore need of each moving body, index for index with moving_bodies_.
  struct moving_place {
    /// The part's own transformation at registration: restoring it (rather than recomputing
    /// it from the stored start transform in metres) brings the scene back bit for bit.
    sxsdk::mat4 start;
    /// The body hangs under a constraint joint (posed and restored through the joint) or has
    /// no dad; either way its part is not moved directly.
    bool not_moved_directly;
  };

  std::vector<rigidbody_properties> static_bodies_;
  std::vector<rigidbody_properties> moving_bodies_;
  std::vector<rigidbody_properties> kinematic_bodies_;
  std::vector<moving_place> moving_places_;
};
