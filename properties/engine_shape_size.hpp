#pragma once
// The scene measures a cylinder as (radius, full height, radius) whatever its axis, the way
// the primitive dialog shows it; Bullet's cylinders take half extents with the height on their
// own axis (Y, X or Z). Without this step a simulated cylinder would be twice as tall as the
// drawn one, and one lying along X or Z would swap its radius and its length.
#include "engine/collisionshape_datas.hpp"

/// Rewrites `size` of a cylinder record into engine half extents for its `direction`
/// (0 Y, 1 X, 2 Z); any other kind is left as it is.
void to_engine_shape_size(collisionshape_datas& shape);
