#pragma once
// Poses cross between the host and the engine here. The host's sxsdk::mat4 multiplies row
// vectors (rows 0-2 are the axis images, row 3 the translation, millimetres); btTransform
// multiplies column vectors and holds metres. The world's scale_factor is applied inside the
// engine, never here.
#include <LinearMath/btTransform.h>

#include "sdk/mat4.hpp"

namespace conversion {

/// Host matrix (mm) to engine transform (m): basis row i = host column i of the upper 3x3,
/// origin = host row 3 x 0.001. Column 3 of the host matrix is ignored.
btTransform host_to_engine(const sxsdk::mat4& m);

/// Engine transform (m) to host matrix (mm): upper 3x3 = transposed basis, row 3 = origin x 1000,
/// column 3 = (0, 0, 0, 1).
sxsdk::mat4 engine_to_host(const btTransform& t);

}  // namespace conversion
