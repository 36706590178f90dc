#pragma once
// host::primitive_measure: the kind and size of a primitive, measured from its scene geometry
// the way the plug-in measures it (the geometry is the only place the size is kept): a closed
// line is a box, an open line of 3 points a cone and of 4 a capsule, a disk a cylinder, a
// sphere a sphere. The direction comes from the primitive's stream.
#include <array>
#include <string>

namespace host {

class shape_node;

/// The collision shape of a primitive, in metres, centred on the primitive's own origin.
struct primitive_shape {
  enum class kind { box, sphere, capsule, cylinder, cone };
  bool valid = false;  ///< false: not a shape the plug-in can read
  kind type = kind::sphere;
  int direction = 0;                            ///< axis of capsule, cylinder and cone: 0 Y, 1 X, 2 Z
  std::array<float, 3> size{0.1f, 0.1f, 0.1f};  ///< box: half extents; sphere: radius in x;
                                                ///< capsule: radius, middle height; cylinder:
                                                ///< radius, full height; cone: radius, height
  float margin = 0.04f;
};

/// "box", "sphere", "capsule", "cylinder" or "cone".
const char* primitive_kind_name(primitive_shape::kind k);

class primitive_measure {
 public:
  /// Measures `shape` (a primitive: a line, sphere or disk with a primitive stream).
  static primitive_shape measure(const shape_node& shape);
};

}  // namespace host
