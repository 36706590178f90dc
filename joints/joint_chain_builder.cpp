#include "joints/joint_chain_builder.hpp"

#include <cmath>

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "joints/alternative_bone_joint.hpp"
#include "joints/joint_kind.hpp"
#include "joints/joint_position_class.hpp"
#include "properties/property_stream.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/sxsdk.hpp"

namespace joint_chain_builder {

namespace {

using vec3 = sx::vec<float, 3>;

sxsdk::shape_class* first_joint_son(sxsdk::shape_class& shape) {
  for (sxsdk::shape_class& son : sxsdk::sons(shape))
    if (kind_of(son) != joint_kind::none) return &son;
  return nullptr;
}

// The starting rotation limits of the chosen joint: a bone joint's own ranges (half-turns), the
// bone-limit attribute of a ball joint; anything else keeps +-90.
void starting_limits(sxsdk::shape_class& shape, constraints_properties& joint) {
  try {
    if (kind_of(shape) == joint_kind::bone) {
      sxsdk::host_ref<sxsdk::scene_interface> scene(shape.get_scene());
      sxsdk::host_ref<sxsdk::bone_joint_interface> bone(scene->get_bone_joint(shape));
      for (int i = 0; i < 3; ++i) {
        const sx::vec<float, 2> range = bone->get_limit(i);
        joint.angular_lower_limit[i] = 180 * range.x;
        joint.angular_upper_limit[i] = 180 * range.y;
      }
    } else if (shape.is_ball_joint() && property_stream::open(shape, alternative_bone_joint_uuid)) {
      alternative_bone_joint bone;
      bone.shape = &shape;
      bone.set_datas();
      for (int i = 0; i < 3; ++i) {
        joint.angular_lower_limit[i] = bone.limit(i).x;
        joint.angular_upper_limit[i] = bone.limit(i).z;
      }
    }
  } catch (...) {
    // The limits stay +-90.
  }
}

// The eldest rigid-body brother before `upper` (the first of the "Rigid0" candidates), or null.
sxsdk::shape_class* body_before(sxsdk::shape_class& upper) {
  sxsdk::shape_class* dad = upper.get_dad();
  if (!dad) return nullptr;
  const int own = upper.get_index();
  for (sxsdk::shape_class& bro : sxsdk::sons(*dad)) {
    if (own > 0 && bro.get_index() > own) break;
    if (is_bullet_rigidbody(bro)) return &bro;
  }
  return nullptr;
}

// Rows 0 to 2 of the placement: the upper ball joint's attribute axes when they are its own;
// otherwise X along the link from a to b (so that a body laid along X lies along the link).
sxsdk::mat4 placement_axes(sxsdk::shape_class& upper, const vec3& a, const vec3& b) {
  if (upper.is_ball_joint()) {
    alternative_bone_joint bone;
    bone.shape = &upper;
    bone.set_datas();  // gives the joint a default attribute when it has none
    const sxsdk::mat4 axes = bone.axis_matrix();
    if (axes != sxsdk::mat4() && std::fabs(axes.determinant()) > 1e-6) return axes;
  }
  const vec3 d = b - a;
  if (sx::length_squared(d) == 0) return sxsdk::mat4();
  const vec3 x = sx::normalize(d);
  // Any unit vector not along x gives the other two axes.
  const vec3 helper = std::fabs(x.y) < 0.9f ? vec3{0, 1, 0} : vec3{1, 0, 0};
  const vec3 z = sx::normalize(
      vec3{x.y * helper.z - x.z * helper.y, x.z * helper.x - x.x * helper.z, x.x * helper.y - x.y * helper.x});
  const vec3 y{z.y * x.z - z.z * x.y, z.z * x.x - z.x * x.z, z.x * x.y - z.y * x.x};
  return sxsdk::mat4(x.x, x.y, x.z, 0, y.x, y.y, y.z, 0, z.x, z.y, z.z, 0, 0, 0, 0, 1);
}

vec3 position_of(sxsdk::shape_class& joint) {
  joint_position_class p;
  p.shape = &joint;
  p.local_position = p.get_local();
  p.world_position = p.get_world();
  return p.world_position;
}

}  // namespace

void get_shapes_layer(sxsdk::shape_class& shape, std::vector<sxsdk::shape_class*>& chain) {
  for (sxsdk::shape_class* s = &shape; s; s = first_joint_son(*s)) chain.push_back(s);
}

bool has_chain(sxsdk::shape_class& shape) { return first_joint_son(shape) != nullptr; }

bool one_joint_step(sxsdk::scene_interface* scene, sxsdk::shape_class& upper, sxsdk::shape_class& lower,
                    rigidbody_properties& body, primitive_properties& primitive, constraints_properties& joint,
                    int target) {
  const sxsdk::mat4 w = lower.get_world_to_local_matrix();
  const vec3 a = position_of(upper) * w;
  const vec3 b = position_of(lower) * w;
  const float length = sx::length(a - b);
  if (primitive.type == collisionshape_datas::sphere) {
    primitive.size[0] = primitive.size[1] = primitive.size[2] = 0.0002f * length;
  } else {
    primitive.size[0] = 0.0002f * length;  // radius or half width: a fifth of the length, metres
    primitive.size[1] = 0.001f * length;   // the length, metres
  }
  sxsdk::mat4 p = placement_axes(upper, a, b);
  const vec3 middle = (a + b) / 2.0f;
  p[3][0] = middle.x;
  p[3][1] = middle.y;
  p[3][2] = middle.z;
  // The new part is made as the elder brother of lower (the host puts new shapes before a
  // current joint), so that it is upper's son and the next joint finds it as its Rigid0.
  lower.make_current();
  body.type = target == 1 ? rigidbody_datas::kinematic : rigidbody_datas::move;
  sxsdk::part_class& made = scene->create_part(texts::get_text(*scene, "RigidBody").c_str());
  body.shape = static_cast<sxsdk::shape_class*>(&made);
  made.set_name((upper.get_name() + texts::get_text(*scene, "RigidBody")).c_str());
  made.set_transformation(p);
  made.make_current();
  primitive.shape = nullptr;
  if (!primitive.create_or_modify_sorvel_shape(*scene, primitive.type)) return false;
  body.primitive = primitive.shape;
  made.set_active();
  body.get_transrate_data();
  if (!body.regist()) texts::show_unwritten(*scene, "rigid body settings", made.get_name());
  if (target == 0) {
    joint.shape = &upper;
    joint.rigid1 = body.shape;
    joint.rigid0 = body_before(upper);
    (void)joint.adjust_limits();
    (void)joint.set_transrate_data_and_motion();
    if (!joint.regist()) texts::show_unwritten(*scene, "joint settings", upper.get_name());
  }
  return true;
}

bool create_bullet_constraints_or_rigidbody(sxsdk::scene_interface* scene, sxsdk::shape_class& shape) {
  if (!scene) return false;
  std::vector<sxsdk::shape_class*> chain;
  get_shapes_layer(shape, chain);
  if (chain.size() < 2) return false;
  rigidbody_properties body;  // move, group index 1, mask 0, mass 1, friction 0.5, the rest 0
  body.group = 2;
  primitive_properties primitive;
  primitive.margin = 0.04f;
  constraints_properties joint;
  joint.shape = &shape;
  starting_limits(shape, joint);
  int target = 0;
  const int layers = get_properties_dialog_for_constraints_joint(scene, body, primitive, joint,
                                                                 static_cast<int>(chain.size()) - 1, target);
  if (layers < 1) return false;
  for (int k = 0; k < layers; ++k)
    if (!one_joint_step(scene, *chain[static_cast<std::size_t>(k)], *chain[static_cast<std::size_t>(k) + 1], body,
                        primitive, joint, target))
      return false;
  return true;
}

}  // namespace joint_chain_builder
