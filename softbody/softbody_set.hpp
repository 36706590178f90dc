#pragma once
// The soft bodies (cloth polygon meshes) of one scene-side world: registered below its world
// part, handed to the engine after every rigid body and joint, their nodes written into the
// meshes (and the projection meshes that follow them) after every step, and reset to their
// rest positions when the world is cleared.
//
// The same verbs as rigidbody_set and joint_set; sorvel_world calls the three in a fixed order.
// Until soft bodies are read from their streams no shape registers here, so every verb does
// nothing (and add_to_engine succeeds). The scene's shapes are borrowed.
namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk
class phygics_world;

class softbody_set {
 public:
  /// Registers `shape` when it is a soft body polygon mesh. True when it was one.
  [[nodiscard]] bool regist(sxsdk::shape_class& shape);

  /// Adds every soft body to `engine` (after all rigid bodies and joints). False on the first
  /// refusal, without a message; the engine is left as far as it got.
  [[nodiscard]] bool add_to_engine(phygics_world& engine, sxsdk::scene_interface* scene);

  /// After a step: writes the nodes into the mesh vertices; projection meshes follow.
  void write_back(phygics_world& engine, sxsdk::scene_interface* scene);
  /// Puts every soft body mesh and projection mesh back to its build-time vertices.
  void reset();
  /// Forgets every soft body.
  void clear();

  /// True when no soft body is registered: the world then needs no soft body support.
  bool empty() const { return count_ == 0; }

 private:
  int count_ = 0;  ///< registered soft body meshes
};
