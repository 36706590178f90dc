// world_properties: repairing transformations and renewing the streams inside a world.
#include <cmath>

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "properties/property_stream.hpp"
#include "properties/rigidbody_properties.hpp"
#include "properties/shape_roles.hpp"
#include "properties/world_properties.hpp"
#include "sdk/sxsdk.hpp"

namespace {

constexpr float half_turn = 3.14159265358979f;
constexpr float repair_tolerance = 4e-8f;  // squared distance from unit scale / zero shear

float squared(const sx::vec<float, 3>& v) { return sx::length_squared(v); }

// Only parts that carry a transformation of their own are repaired; a joint's transformation is
// its motion (a scale joint exists to scale) and is left as the joint makes it.
bool has_own_transformation(const sxsdk::part_class& part) {
  const int kind = part.get_part_type();
  return kind == sxsdk::part_type::part || kind == sxsdk::part_type::surface;
}

bool needs_repair(const sx::vec<float, 3>& scale, const sx::vec<float, 3>& shear) {
  return squared(scale - sx::vec<float, 3>(1, 1, 1)) > repair_tolerance || squared(shear) > repair_tolerance;
}

// The transformation without scale and shear: the rotation by the decomposed angles, then the
// translation.
sxsdk::mat4 rigid_part_of(const sx::vec<float, 3>& scale, sx::vec<float, 3> angles, const sx::vec<float, 3>& t) {
  if (squared(scale) <= repair_tolerance) angles.x = angles.x > 0 ? angles.x - half_turn : angles.x + half_turn;
  const sxsdk::quaternion_class qx(std::cos(angles.x / 2), -std::sin(angles.x / 2), 0, 0);
  const sxsdk::quaternion_class qy(std::cos(angles.y / 2), 0, -std::sin(angles.y / 2), 0);
  const sxsdk::quaternion_class qz(std::cos(angles.z / 2), 0, 0, -std::sin(angles.z / 2));
  sxsdk::mat4 m = (qx * qy * qz).get_matrix();
  m[3][0] = t.x;
  m[3][1] = t.y;
  m[3][2] = t.z;
  m[3][3] = 1;
  return m;
}

}  // namespace

bool world_properties::repair_matrix(sxsdk::scene_interface& scene, sxsdk::part_class& part, std::string& names) {
  const sxsdk::mat4 t = part.get_transformation();
  sx::vec<float, 3> scale, shear, angles, translation;
  t.unmatrix(scale, shear, angles, translation);
  const bool repaired = has_own_transformation(part) && needs_repair(scale, shear);
  sxsdk::mat4 keep;  // what the sons take on so that their world matrices stay where they were
  if (repaired) {
    names = part.get_name();
    const sxsdk::mat4 m = rigid_part_of(scale, angles, translation);
    // The sons were placed under T; now they sit under M. T x inv(M) is the scale and shear
    // that T held, in this part's own frame: giving it to every son (part or geometry) keeps
    // each son's world matrix T_son x T x dads == T_son x (T x inv(M)) x M x dads.
    keep = t * m.inv();
    part.set_transformation(m);
  }
  for (sxsdk::shape_class& son : sxsdk::sons(part)) {
    if (repaired) son.apply_transformation(keep);
    if (son.get_type() != sxsdk::shape_type::part) continue;
    std::string scratch;
    repair_matrix(scene, son.get_part(), repaired ? scratch : names);
  }
  return repaired;
}

void world_properties::renew_parts(sxsdk::scene_interface& scene, sxsdk::shape_class& shape,
                                   const stream_renewers& renewers) {
  if (is_bullet_rigidbody(shape)) {
    rigidbody_properties body;
    body.shape = &shape;
    (void)body.get_properties();  // an unreadable stream is rewritten with the defaults
    if (!body.regist()) texts::show_unwritten(scene, "rigid body settings", shape.get_name());
  } else if (shape.get_type() == sxsdk::shape_type::polygon_mesh &&
             property_stream::open(shape, physplug_modify_uuid)) {
    if (renewers.softbody) renewers.softbody(shape);
  } else if (is_bullet_constraints_joint(shape)) {
    if (renewers.constraints_joint) renewers.constraints_joint(shape);
  }
  for (sxsdk::shape_class& son : sxsdk::sons(shape)) renew_parts(scene, son, renewers);
}
