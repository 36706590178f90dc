#pragma once
// The constraint joints of one scene-side world: registered below its world part, handed to the
// engine after every rigid body, turned after every step so that the body hanging from each
// joint follows, and put back when the world is cleared.
//
// The same verbs as rigidbody_set and softbody_set; sorvel_world calls the three in a fixed
// order. The scene's shapes are borrowed.
#include <vector>

#include "joints/constraints_properties.hpp"

namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk
class phygics_world;

class joint_set {
 public:
  /// Registers `shape` when it is a constraint joint: read over the default record and, when
  /// that succeeded, framed from the scene. A joint whose stream cannot be read is kept too (the
  /// build then refuses it). True when it was a constraint joint: no other role is tried for it.
  [[nodiscard]] bool regist(sxsdk::shape_class& shape);

  /// Adds every joint to `engine` in registration order (after all rigid bodies). A joint that
  /// cannot be built is refused before Bullet sees it, with an English error naming the joint
  /// shown in `scene` (may be null): its settings unreadable, no second body, a body that is no
  /// rigid body of this world, or one body on both ends. False on the first refusal.
  [[nodiscard]] bool add_to_engine(phygics_world& engine, sxsdk::scene_interface* scene);

  /// After a step: turns each joint so that the body hanging from it takes the engine's pose
  /// ("Can't get rigidbody(%s) transform" when the engine does not know that body).
  void write_back(phygics_world& engine, sxsdk::scene_interface* scene);
  /// Puts every framed joint back to the offset and rotation it had at registration, bit for bit
  /// (and with it the body hanging from it).
  void restore();
  /// Forgets every joint.
  void clear() {
    joints_.clear();
    readable_.clear();
  }

  bool empty() const { return joints_.empty(); }
  const std::vector<constraints_properties>& joints() const { return joints_; }

 private:
  std::vector<constraints_properties> joints_;
  std::vector<bool> readable_;  ///< index for index with joints_: the stream was read whole
};
