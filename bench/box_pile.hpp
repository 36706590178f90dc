#pragma once
// The pile the benchmarks drop: boxes on a square grid of columns, layer above layer, a little
// apart and slightly turned so that the pile does not stay a stack. Metres. Up to 4000 boxes
// the grid is 20 x 20 columns; larger piles widen it about the same centre (20 x
// ceil(sqrt(count / 4000)) columns a side), so that 16000 boxes lie 40 x 40, ten layers high.
#include <LinearMath/btQuaternion.h>
#include <LinearMath/btTransform.h>

#include <cmath>
#include <vector>

// `count` boxes on `side` x `side` columns centred on the origin, filled layer by layer.
inline std::vector<btTransform> box_pile_poses(int count, int side) {
  std::vector<btTransform> poses;
  const float edge = -1.5f * float(side) / 10.0f;  // exact: -3 m for 20 columns
  for (int i = 0; i < count; ++i) {
    const int layer = i / (side * side), row = (i / side) % side, column = i % side;
    const btVector3 origin(column * 0.3f + edge, 1.0f + layer * 0.3f, row * 0.3f + edge);
    poses.emplace_back(btQuaternion(btVector3(0.3f, 1.0f, 0.2f).normalized(), 0.1f * (i % 7)), origin);
  }
  return poses;
}

inline std::vector<btTransform> box_pile_start_poses(int count) {
  return box_pile_poses(count, 20 * int(std::ceil(std::sqrt(count > 4000 ? count / 4000.0 : 1.0))));
}
