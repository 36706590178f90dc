#pragma once
// A headless scene for the joint tests: ball and bone joints, rigid body parts with their
// primitive, and the joint stream's bytes built from its format table (never by the writer).
#include <string>

#include "joints/constraints_properties.hpp"
#include "properties/primitive_properties.hpp"
#include "properties/properties_scene.hpp"
#include "properties/rigidbody_properties.hpp"

namespace joints_test {

using namespace properties_test;

/// The eight vectors of a joint stream, in stream order (angular damping before linear).
struct joint_vectors {
  vec3 linear_lower{-1, -2, -3}, linear_upper{1, 2, 3};
  vec3 angular_lower{-10, -20, -30}, angular_upper{40, 50, 60};
  vec3 linear_stiffness{5, 6, 7}, angular_stiffness{8, 9, 10};
  vec3 angular_damping{0.25f, 0.5f, 0.75f}, linear_damping{0.125f, 0.375f, 0.625f};
};

/// version | flags | the vectors of the version (six for version 0, eight otherwise).
inline le_bytes joint_stream(std::int32_t version, std::int32_t flags, const joint_vectors& v = {}) {
  le_bytes b;
  b.i32(version).i32(flags);
  for (const vec3* p : {&v.linear_lower, &v.linear_upper, &v.angular_lower, &v.angular_upper, &v.linear_stiffness,
                        &v.angular_stiffness})
    b.v3(p->x, p->y, p->z);
  if (version != 0)
    for (const vec3* p : {&v.angular_damping, &v.linear_damping}) b.v3(p->x, p->y, p->z);
  return b;
}

/// A rigid body part with a sphere primitive inside, stored, below `dad`.
inline host::part_shape& add_body(properties_scene& s, host::shape_node& dad, const std::string& name,
                                  const sxsdk::mat4& placement = sxsdk::mat4()) {
  host::part_shape& part = s.scene().add_part(dad, name);
  part.set_transformation(placement);
  part.make_current();
  primitive_properties ball;
  if (!ball.create_or_modify_sorvel_shape(s.sdk(), collisionshape_datas::sphere)) ADD_FAILURE() << "no primitive";
  rigidbody_properties b;
  b.shape = &part.sdk();
  b.primitive = ball.shape;
  b.get_transrate_data();
  (void)b.regist();
  return part;
}

inline host::part_shape& add_ball_joint(properties_scene& s, host::shape_node& dad, const std::string& name,
                                        const vec3& position = {0, 0, 0}) {
  host::part_shape& j = s.scene().add_part(dad, name, sxsdk::part_type::ball_joint);
  j.joint().position = position;
  return j;
}

inline host::part_shape& add_bone_joint(properties_scene& s, host::shape_node& dad, const std::string& name,
                                        const vec3& position = {0, 0, 0}) {
  host::part_shape& j = s.scene().add_part(dad, name, sxsdk::part_type::bone_joint);
  j.joint().position = position;
  return j;
}

inline constraints_properties joint_on(host::shape_node& joint) {
  constraints_properties c;
  c.shape = &joint.sdk();
  return c;
}

/// The shapes linked from `joint` under the joint stream's UUID, in link order.
inline std::vector<sxsdk::shape_class*> links_of(host::shape_node& joint) {
  const int n = joint.sdk().get_links(physplug_modify_uuid);
  std::vector<sxsdk::shape_class*> out(static_cast<std::size_t>(n));
  if (n > 0) joint.sdk().get_links(physplug_modify_uuid, out.data());
  return out;
}

}  // namespace joints_test
