#pragma once
// host::animation_keys: the keyframes of a scene, per part. A simple or surface part is keyed
// by its transformation (part_key: translation, rotation, scale); a joint part by its motion
// (joint_key: rotation and offset of a ball or bone joint, the value of a rotator, slider,
// scale or uniform scale joint). Other part kinds and other shapes take no keys.
//
// Keys are stored as translation / rotation / scale rather than matrices so that rotations
// interpolate by slerp without decomposing a matrix at every frame. Between two keys the
// translation, offset, scale and value are linear and the rotation is a slerp (shortest way);
// before the first key the first key holds, after the last key the last key holds.
//
// The scene owns one animation_keys (scene::keys()); the scene files save and load it, the
// player applies it. Parts are held by pointer: a removed part keeps its keys (the scene parks
// removed shapes) but keyed_parts() and apply() skip it.
#include <map>
#include <vector>

#include "sdk/mat4.hpp"
#include "sdk/quaternion_class.hpp"
#include "sx/core/vectors.hpp"

namespace host {

class part_shape;

/// The transformation of a part that is no joint at one frame:
/// scale(scale) x rotation x translate(translation) (row vectors: scale first).
struct part_key {
  float frame = 0;                   ///< sequence position, frames (fractional allowed)
  sx::vec<float, 3> translation;     ///< mm
  sxsdk::quaternion_class rotation;  ///< identity by default
  sx::vec<float, 3> scale{1, 1, 1};  ///< per axis, 1 = unscaled

  /// The part transformation this key stands for.
  sxsdk::mat4 matrix() const;
  /// A key that reproduces `m` at `frame` (translation from row 3, scale from the lengths of
  /// rows 0-2, rotation from the normalised rows). A shear, or a negative determinant, does not
  /// survive the decomposition.
  static part_key from_matrix(float frame, const sxsdk::mat4& m);
};

/// The motion of a joint part at one frame. Ball and bone joints use rotation and offset; the
/// rotator, slider, scale and uniform scale joints use value; the other fields are kept but
/// not applied.
struct joint_key {
  float frame = 0;                   ///< sequence position, frames (fractional allowed)
  sxsdk::quaternion_class rotation;  ///< ball / bone motion rotation
  sx::vec<float, 3> offset;          ///< ball / bone motion offset, mm
  float value = 0;                   ///< rotator degrees, slider mm, scale factor
};

/// The keys of one part, each list sorted by frame without two keys at the same frame. A part
/// has keys of one kind only: part keys for a part that is no joint, joint keys for a joint.
struct part_track {
  std::vector<part_key> part_keys;
  std::vector<joint_key> joint_keys;
};

class animation_keys {
 public:
  /// Adds a key, or replaces the key at the same frame. Throws std::logic_error for a joint
  /// part (use set_joint_key) or a removed part.
  void set_part_key(part_shape& part, const part_key& key);
  /// Adds a key, or replaces the key at the same frame. Throws std::logic_error for a part
  /// that is no ball, bone, rotator, slider, scale or uniform scale joint, or a removed part.
  void set_joint_key(part_shape& part, const joint_key& key);
  /// Removes the key at exactly `frame`; true when there was one.
  bool remove_key(const part_shape& part, float frame);
  /// Drops every key of a part.
  void clear(const part_shape& part);
  void clear() { tracks_.clear(); }
  bool empty() const { return tracks_.empty(); }

  /// The keys of a part, or null when it has none.
  const part_track* find(const part_shape& part) const;
  /// Every keyed part still in the scene, in index order (the order the scene files write).
  std::vector<part_shape*> keyed_parts() const;

  /// Poses every keyed part for `frame`: a part's transformation, or a joint's rotation and
  /// offset or value. Nothing else of the part changes.
  void apply(float frame) const;

 private:
  std::map<part_shape*, part_track> tracks_;
};

/// Spherical interpolation from a (t = 0) to b (t = 1) the shorter way round; both are taken
/// as rotations (normalised first). The result is normalised.
sxsdk::quaternion_class slerp(const sxsdk::quaternion_class& a, const sxsdk::quaternion_class& b, float t);

/// The pose of a track at `frame` (the track must not be empty).
part_key part_pose_at(const std::vector<part_key>& keys, float frame);
joint_key joint_pose_at(const std::vector<joint_key>& keys, float frame);

}  // namespace host
