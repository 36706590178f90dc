#pragma once
// One rigid body, kept in its part's property stream (physplug_modify_uuid): a rigidbody_datas
// with the operations that read and write the stream, show the "Setting Bullet RigidBody"
// dialog, find (and repair) the link to its primitive, and take its start pose from the scene
// or put the part back to it.
//
// Stream, version 1, 93 bytes, little-endian:
//   int32 version (1) | int32 type | byte group_index | int32 mask | float mass | float friction
//   | float restitution | float linear_damping | float angular_damping | 3 floats velocity
//   | 3 x 3 floats transform basis rows | 3 floats transform origin (metres)
// Version 0 (read only) holds the rotation as a quaternion w, x, y, z instead of the three rows.
#include <string>

#include "engine/rigidbody_datas.hpp"
#include "sdk/mat4.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"

class rigidbody_properties : public rigidbody_datas {
 public:
  /// Defaults of a fresh body: move, group index 1, mask 0, mass 1, friction 0.5, the rest 0,
  /// no shape and no primitive.
  rigidbody_properties() { group = 0; }

  /// The rigid body part, or null.
  sxsdk::shape_class* part() const { return static_cast<sxsdk::shape_class*>(shape); }
  /// The primitive son whose collision shape the body uses, or null.
  sxsdk::shape_class* primitive_shape() const { return static_cast<sxsdk::shape_class*>(primitive); }

  /// Reads the stream over the current values (versions 0 and 1), computes `group`, and links
  /// the first primitive son ("Can't get primitive shape. please repair." when there is none).
  /// False without a shape or stream, or when the stream is damaged (a group index above 15, a
  /// non-finite number, a degenerate version 0 quaternion): the fields read before keep their
  /// new values, a refused field its old one. A stream that ends early stops at the first
  /// missing field and links no primitive (the body cannot be built); any other damage still
  /// links it.
  bool get_properties();

  /// Bytes of a whole stream of `version`: 73 for version 0, 93 for the others.
  static int stream_size(std::int32_t version);
  /// True when the part's stream ends before its last field: `version` is then the stored
  /// version (-1 when even that is missing) and `length` the bytes it holds.
  bool stream_cut_short(std::int32_t& version, int& length) const;

  /// Rewrites the stream as version 1 with its label (group index, ":", "RigidBody").
  /// False without a shape, when the host gives no stream or fails.
  [[nodiscard]] bool regist();

  /// The stream label for the current values, texts localised through `scene`.
  std::string label(sxsdk::scene_interface& scene) const;

  /// Takes `body_part` as the body, reads it, and repairs a missing link to its primitive
  /// (writing the stream when it did). False when it cannot be read (an error names the body
  /// and what is wrong; the stream is kept) or has no primitive son.
  [[nodiscard]] bool set_rigid(sxsdk::scene_interface& scene, sxsdk::shape_class& body_part);

  /// The "Setting Bullet RigidBody" dialog: with `body_part`, edits that body; with null, makes
  /// a new rigid body part with a new primitive inside at the current shape. False on cancel
  /// ("Terminated", nothing written) or when an existing body cannot be edited.
  [[nodiscard]] bool modify_bullet_rigidbody(sxsdk::scene_interface& scene, sxsdk::shape_class* body_part);

  /// Sets `transform` (metres) from the scene: the primitive's local-to-world matrix, or the
  /// part's axis matrix times its local-to-world matrix when there is no primitive.
  void get_transrate_data();

  /// Puts the part back where `transform` says (relative to its dad). A body under a constraint
  /// joint is left alone: restoring its joint (joint_set::restore) puts it back.
  void reset_position();

 private:
  void find_primitive();
  void show_unreadable(sxsdk::scene_interface& scene) const;
};
