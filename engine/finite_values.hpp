#pragma once
// Finiteness checks for the values the engine hands to Bullet: a NaN or an infinity in a size,
// mass, pose or velocity spreads through the whole solver island, so records carrying one
// are refused before anything is built.

#include <LinearMath/btTransform.h>
#include <LinearMath/btVector3.h>

#include <cmath>

namespace engine_checks {

inline bool finite(float v) { return std::isfinite(v); }

inline bool finite(const btVector3& v) { return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z()); }

inline bool finite(const btTransform& t) {
  const btMatrix3x3& b = t.getBasis();
  return finite(b[0]) && finite(b[1]) && finite(b[2]) && finite(t.getOrigin());
}

}  // namespace engine_checks
