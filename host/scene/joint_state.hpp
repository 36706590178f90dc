#pragma once
// The state of a joint part and of a camera, shared with the handles the plug-in holds (a
// handle stays safe after its part is removed: it then edits a detached state).
//
// Joint motion as the part's own transformation (row vectors, millimetres; p, o, q, c, a, v
// below are the fields of this struct; the coordinates are those the joint part is placed in):
//   ball:      rotation by q about p, then translation by o:  Tr(-p) R(q) Tr(p) Tr(o)
//   bone:      rotation by q, then translation to p + o:      R(q) Tr(p + o)
//              (the bone's sons are given relative to the bone's position)
//   rotator:   rotation by v degrees, right-handed about the axis a through c
//   slider:    translation by v millimetres along the direction from c to the end point a
//   scale:     scale by v along the direction of a, about c
//   uniscale:  uniform scale by v about c
//   camera and other part types: identity
#include "sdk/mat4.hpp"
#include "sdk/quaternion_class.hpp"
#include "sx/core/vectors.hpp"

namespace host {

struct joint_state {
  // Ball and bone joints.
  sx::vec<float, 3> position;        ///< centre, mm
  sx::vec<float, 3> offset;          ///< motion offset, mm
  sxsdk::quaternion_class rotation;  ///< motion rotation (identity)
  // Bone joints only.
  sxsdk::mat4 bone_matrix;                                    ///< rest frame (identity)
  sx::vec<float, 2> limits[3] = {{-1, 1}, {-1, 1}, {-1, 1}};  ///< per axis, half-turns
  bool limit_enabled = false;
  // Rotator, slider, scale and uniform scale joints.
  sx::vec<float, 3> center;           ///< mm
  sx::vec<float, 3> axis{0, 100, 0};  ///< axis vector, mm (a slider: its absolute end point)
  float value = 0;                    ///< rotator degrees, slider mm, scale factor
  float min = -180;                   ///< lower limit of value
  float max = 180;                    ///< upper limit of value

  /// The joint's motion for a part type (sxsdk::part_type), as listed above.
  sxsdk::mat4 motion(int part_type) const;
};

/// A camera: the scene's own camera or a camera joint's.
struct camera_state {
  sx::vec<float, 3> eye{0, 1000, -3000};  ///< world mm
  sx::vec<float, 3> target;               ///< world mm
  float focal_length = 50;                ///< mm of a 36 mm frame
};

/// Right-handed rotation of points by `radians` about the unit axis `u` (row vectors; about X
/// it equals sxsdk::mat4::rotate_x).
sxsdk::mat4 axis_rotation(const sx::vec<float, 3>& u, float radians);

}  // namespace host
