// rigidbody_properties: the start pose between the scene (millimetres, row vectors) and the
// engine record (metres, column vectors).
#include "properties/rigidbody_properties.hpp"
#include "properties/role_hooks.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/sxsdk.hpp"

namespace {
constexpr float metres_per_millimetre = 0.001f;
constexpr float millimetres_per_metre = 1000.0f;
}  // namespace

btTransform rigidbody_properties::from_host_matrix(const sxsdk::mat4& m) {
  // Basis row i is column i of the host's upper 3 x 3.
  const btMatrix3x3 basis(m[0][0], m[1][0], m[2][0], m[0][1], m[1][1], m[2][1], m[0][2], m[1][2], m[2][2]);
  const btVector3 origin(m[3][0] * metres_per_millimetre, m[3][1] * metres_per_millimetre,
                         m[3][2] * metres_per_millimetre);
  return btTransform(basis, origin);
}

sxsdk::mat4 rigidbody_properties::to_host_matrix(const btTransform& transform) {
  const btMatrix3x3& b = transform.getBasis();
  const btVector3 o = transform.getOrigin() * millimetres_per_metre;
  return sxsdk::mat4(b[0][0], b[1][0], b[2][0], 0, b[0][1], b[1][1], b[2][1], 0, b[0][2], b[1][2], b[2][2], 0, o.x(),
                     o.y(), o.z(), 1);
}

void rigidbody_properties::get_transrate_data() {
  if (primitive_shape()) {
    transform = from_host_matrix(primitive_shape()->get_local_to_world_matrix());
  } else if (part()) {
    sxsdk::shape_class& body = *part();
    transform = from_host_matrix(body.get_part().get_axis_matrix() * body.get_local_to_world_matrix());
  }
}

void rigidbody_properties::reset_position() {
  if (!part()) return;
  sxsdk::shape_class* dad = part()->get_dad();
  if (dad && is_bullet_constraints_joint(*dad)) {
    role_hooks::reset_constraints_joint(*dad);
    return;
  }
  // A part's world-to-local matrix maps world coordinates into the frame its own
  // transformation is given in, so the pose times it is the transformation to set.
  part()->get_part().set_transformation(to_host_matrix(transform) * part()->get_world_to_local_matrix());
}
