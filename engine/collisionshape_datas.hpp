#pragma once
// One collision shape (a primitive part) as the scene side hands it to the engine.

#include <cstdint>

struct collisionshape_datas {
  /// Kind of primitive; values 5 to 8 name no kind and are refused by the engine.
  enum primitive_type : std::int32_t { box = 0, sphere = 1, capsule = 2, cylinder = 3, cone = 4 };

  void* shape = nullptr;         ///< the primitive part: key of the shape in the engine, never dereferenced
  primitive_type type = sphere;  ///< kind, see primitive_type
  std::int32_t direction = 0;    ///< axis of capsules, cylinders and cones: 0 = Y, 1 = X, 2 = Z
  bool visible = true;           ///< the part's visibility; the engine does not read it
  float margin = 0.04f;          ///< Bullet collision margin, metres, not scaled
  std::int32_t reserved = 1;     ///< always 1; the engine does not read it
  /// Metres, non-negative. box, cylinder: half extents; sphere: x = radius;
  /// capsule: x = radius, y = height of the middle; cone: x = radius, y = height.
  float size[3] = {0.1f, 0.1f, 0.1f};
};
