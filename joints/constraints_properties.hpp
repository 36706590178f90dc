#pragma once
// One constraint joint: a ball or bone joint of the scene made a physics joint. The settings
// live on the joint shape itself (stream physplug_modify_uuid) and the two bodies are host links
// from the joint shape under the same UUID. Extends the engine record with what the scene side
// needs to frame the joint and to turn it after every step.
//
// Stream, version 2, 104 bytes, little-endian (rewritten whole):
//   int32 version (2) | int32 flags (2 | type << 2)
//   | linear lower | linear upper | angular lower (deg) | angular upper (deg)
//   | linear stiffness | angular stiffness | angular damping | linear damping   (3 floats each)
// Note the damping order: angular before linear. The bodies are links: rigid1 first, then rigid0.
// Version 1 (read only): the same eight vectors, then the body references (flags bits 0-1: 0 none,
// 1 rigid1, 2 or 3 rigid1 then rigid0). Version 0: the first six vectors (no damping), then the
// references. Both are rewritten as version 2 with links as soon as they are read whole.
#include <string>

#include "engine/constraints_datas.hpp"
#include "sdk/mat4.hpp"
#include "sdk/quaternion_class.hpp"
#include "sdk/shape_class.hpp"
#include "sx/core/vectors.hpp"

namespace sxsdk {
class scene_interface;
}

class constraints_properties : public constraints_datas {
 public:
  /// A fresh record: six_dof, no shape, no bodies, no linear freedom, +-90 degrees on every
  /// rotation axis, no springs, joint_rotation all zero.
  constraints_properties() = default;

  /// Offset of the ball or bone joint when the frame was taken, mm.
  sx::vec<float, 3> joint_offset{0, 0, 0};
  /// Rotation of the ball or bone joint when the frame was taken; the joint follows the
  /// simulation relative to it. All four components 0 until a frame is taken.
  sxsdk::quaternion_class joint_rotation{0, 0, 0, 0};
  /// Inverse of the second body's world matrix in the joint's placement space at set-up.
  sxsdk::mat4 base_mat;
  /// Inverse of a bone joint's own matrix (bone joints only).
  sxsdk::mat4 bone_inverse_mat;
  /// True once set_transrate_data_and_motion took the frame (and saved offset and rotation).
  bool framed = false;

  sxsdk::shape_class* joint() const { return static_cast<sxsdk::shape_class*>(shape); }
  sxsdk::shape_class* body0() const { return static_cast<sxsdk::shape_class*>(rigid0); }
  sxsdk::shape_class* body1() const { return static_cast<sxsdk::shape_class*>(rigid1); }

  // --- stream and links (constraints_properties.cpp) ---
  /// Reads the joint's stream over the current values. Versions 0 and 1 take their bodies from
  /// the stream, link them and are rewritten as version 2; version 2 (and any unknown version)
  /// takes them from the links: a linked shape whose index number is at least the joint's is
  /// rigid1, else rigid0 (a later link replaces an earlier one). False without a shape or stream,
  /// when a host call failed, or when the stream is short or holds a number that is not finite:
  /// then an old version is not rewritten and a refused vector keeps its old value.
  bool get_properties();
  /// Rewrites the stream as version 2 labelled with the localised "Constraints" and records the
  /// links afresh (rigid1, then rigid0, each only when set). False without a shape, when the host
  /// gives no stream or fails.
  [[nodiscard]] bool regist();
  /// Removes every link the joint shape holds under physplug_modify_uuid.
  void clear_related_shape();

  // --- the "Modify Bullet Joint" dialog (constraints_properties_dialog.cpp) ---
  /// Lets the user pick the bodies among the rigid-body brothers before the joint and its
  /// rigid-body sons, and edit the type, limits, springs and damping. True when confirmed
  /// (stored, or the stream deleted by "Delete Constraints"); false without a shape or when
  /// cancelled ("Terminated", nothing changes).
  bool modify_bullet_constraints(sxsdk::scene_interface* scene);

  // --- frames and limits (constraints_properties_frames.cpp) ---
  /// Takes the joint frame from the scene into `transform` (metres) and saves the joint's offset
  /// and rotation. False, record unchanged, when the shape is neither a bone nor a ball joint.
  bool set_transrate_data_and_motion();
  /// Prepares base_mat (and bone_inverse_mat) from the bodies' poses just before the joint goes
  /// to the engine. False when rigid1 is none.
  bool calculate_base_mat();
  /// Turns the joint so that the second body, hanging below it, takes `body_matrix` (its world
  /// matrix, mm). False only when rigid1 is none.
  bool rotate_constraints_joint(const sxsdk::mat4& body_matrix);
  /// Hands the rotation limits to the scene's joint (a bone joint's own limits, or the bone-limit
  /// attribute of a ball joint); a cone_twist record keeps its upper limits made non-negative.
  /// False when the shape is neither a bone nor a ball joint.
  bool adjust_limits();
  /// Puts the joint back to the offset and rotation saved by set_transrate_data_and_motion.
  /// False when there is no shape, it is no joint, or no frame was taken.
  bool restore_joint();
};
