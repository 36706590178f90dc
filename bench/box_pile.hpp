#pragma once
// The pile both benchmarks drop: boxes on a square grid of columns, layer above layer, a
// little apart and slightly turned so that the pile does not stay a stack. Metres.
#include <LinearMath/btQuaternion.h>
#include <LinearMath/btTransform.h>

#include <vector>

inline std::vector<btTransform> box_pile_start_poses(int count) {
  std::vector<btTransform> poses;
  const int side = 20;
  for (int i = 0; i < count; ++i) {
    const int layer = i / (side * side), row = (i / side) % side, column = i % side;
    const btVector3 origin(column * 0.3f - 3.0f, 1.0f + layer * 0.3f, row * 0.3f - 3.0f);
    poses.emplace_back(btQuaternion(btVector3(0.3f, 1.0f, 0.2f).normalized(), 0.1f * (i % 7)), origin);
  }
  return poses;
}
