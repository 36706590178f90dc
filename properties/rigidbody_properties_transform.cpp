// rigidbody_properties: the start pose between the scene (millimetres, row vectors) and the
// engine record (metres, column vectors).
#include "base/matrix_conversion.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/sxsdk.hpp"

void rigidbody_properties::get_transrate_data() {
  if (primitive_shape()) {
    transform = conversion::host_to_engine(primitive_shape()->get_local_to_world_matrix());
  } else if (part()) {
    sxsdk::shape_class& body = *part();
    transform = conversion::host_to_engine(body.get_part().get_axis_matrix() * body.get_local_to_world_matrix());
  }
}

void rigidbody_properties::reset_position() {
  if (!part()) return;
  // A body hanging under a constraint joint is posed through the joint; the joint set puts the
  // joint back, and with it the body.
  if (hangs_under_joint(*part())) return;
  // A part's world-to-local matrix maps world coordinates into the frame its own
  // transformation is given in, so the pose times it is the transformation to set.
  part()->get_part().set_transformation(conversion::engine_to_host(transform) * part()->get_world_to_local_matrix());
}
