#include "base/matrix_conversion.hpp"

#include "base/units.hpp"

namespace conversion {

using units::metres_per_millimetre;
using units::millimetres_per_metre;

btTransform host_to_engine(const sxsdk::mat4& m) {
  const btMatrix3x3 basis(m[0][0], m[1][0], m[2][0], m[0][1], m[1][1], m[2][1], m[0][2], m[1][2], m[2][2]);
  const btVector3 origin(m[3][0] * metres_per_millimetre, m[3][1] * metres_per_millimetre,
                         m[3][2] * metres_per_millimetre);
  return btTransform(basis, origin);
}

sxsdk::mat4 engine_to_host(const btTransform& t) {
  const btMatrix3x3& b = t.getBasis();
  const btVector3& o = t.getOrigin();
  return sxsdk::mat4(b[0][0], b[1][0], b[2][0], 0.0f, b[0][1], b[1][1], b[2][1], 0.0f, b[0][2], b[1][2], b[2][2], 0.0f,
                     o.x() * millimetres_per_metre, o.y() * millimetres_per_metre, o.z() * millimetres_per_metre, 1.0f);
}

}  // namespace conversion
