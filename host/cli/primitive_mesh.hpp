#pragma once
// host::primitive_mesh: a triangle mesh of a primitive's collision shape, for the glTF file.
// Metres, centred on the primitive's origin, axis along Y, X or Z by the primitive's direction;
// outward unit normals; counter-clockwise triangles seen from outside.
#include <array>
#include <cstdint>
#include <vector>

#include "host/cli/primitive_measure.hpp"

namespace host {

struct primitive_mesh {
  std::vector<std::array<float, 3>> positions;
  std::vector<std::array<float, 3>> normals;
  std::vector<std::uint16_t> indices;  ///< three per triangle

  /// The mesh of `shape` (valid or not: an invalid one is drawn as measured). Box: half
  /// extents; sphere: radius x; capsule: radius x and middle height y; cylinder: radius x and
  /// half height y (as the engine builds it); cone: radius x and height y.
  static primitive_mesh of(const primitive_shape& shape);
};

}  // namespace host
