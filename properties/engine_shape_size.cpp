#include "properties/engine_shape_size.hpp"

void to_engine_shape_size(collisionshape_datas& shape) {
  if (shape.type != collisionshape_datas::cylinder) return;
  const float radius = shape.size[0];
  const float half_height = shape.size[1] * 0.5f;
  const int axis = shape.direction == 1 ? 0 : shape.direction == 2 ? 2 : shape.direction == 0 ? 1 : -1;
  if (axis < 0) return;  // the engine refuses any other direction
  for (int i = 0; i < 3; ++i) shape.size[i] = i == axis ? half_height : radius;
}
