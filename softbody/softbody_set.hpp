#pragma once
// The soft bodies (cloth polygon meshes) of one scene-side world: registered below its world
// part, handed to the engine after every rigid body and joint, their nodes written into the
// meshes (and the projection meshes that follow them) after every step, and put back when the
// world is cleared.
//
// The same verbs as rigidbody_set and joint_set; sorvel_world calls the three in a fixed order.
// The scene's shapes are borrowed: they must outlive the set or be cleared before they die.
#include <vector>

#include "softbody/mesh_snapshot.hpp"
#include "softbody/softbody_properties.hpp"

namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk
class phygics_world;

class softbody_set {
 public:
  /// Registers `shape` when it is a polygon mesh with a soft body stream: its records are read,
  /// and its vertices and those of its projection mesh are kept as they are now. A damaged
  /// stream (reported by the read) registers nothing. True when the shape had the role.
  [[nodiscard]] bool regist(sxsdk::shape_class& shape);

  /// Adds every soft body to `engine` (after all rigid bodies and joints), keyed by its mesh.
  /// False on the first refusal, after an error naming the mesh and record in `scene` (may be
  /// null); the engine is left as far as it got.
  [[nodiscard]] bool add_to_engine(phygics_world& engine, sxsdk::scene_interface* scene);

  /// After a step: writes the nodes into the mesh vertices; projection meshes follow.
  void write_back(phygics_world& engine, sxsdk::scene_interface* scene);
  /// Puts every soft body mesh and projection mesh back to the exact vertices it had when it
  /// was registered.
  void reset();
  /// Forgets every soft body.
  void clear() { meshes_.clear(); }

  /// True when no soft body is registered: the world then needs no soft body support.
  bool empty() const { return meshes_.empty(); }
  /// The registered meshes, in registration order.
  std::vector<const softbody_properties*> meshes() const;

 private:
  struct registered {
    softbody_properties properties;
    mesh_snapshot mesh;        ///< the soft body mesh at registration
    mesh_snapshot projection;  ///< its projection mesh at registration (if any)
  };
  std::vector<registered> meshes_;
};
