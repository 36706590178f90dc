#pragma once
// The constraint joints of one scene-side world: registered below its world part, handed to the
// engine after every rigid body, turned after every step so that the body hanging from each
// joint follows, and put back when the world is cleared.
//
// The same verbs as rigidbody_set and softbody_set; sorvel_world calls the three in a fixed
// order. Until constraint joints are read from their streams no shape registers here, so every
// verb does nothing (and add_to_engine succeeds). The scene's shapes are borrowed.
namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk
class phygics_world;

class joint_set {
 public:
  /// Registers `shape` when it is a constraint joint. True when it was one: then no other role
  /// is tried for the shape.
  [[nodiscard]] bool regist(sxsdk::shape_class& shape);

  /// Adds every joint to `engine` (after all rigid bodies). False on the first refusal, without
  /// a message; the engine is left as far as it got.
  [[nodiscard]] bool add_to_engine(phygics_world& engine, sxsdk::scene_interface* scene);

  /// After a step: turns each joint so that the body hanging from it takes the engine's pose.
  void write_back(phygics_world& engine, sxsdk::scene_interface* scene);
  /// Puts every joint back to its build-time pose (and with it the body hanging from it).
  void restore();
  /// Forgets every joint.
  void clear();

  bool empty() const { return count_ == 0; }

 private:
  int count_ = 0;  ///< registered joints
};
