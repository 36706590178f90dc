#include "bridge/sorvel_world.hpp"

#include "bridge/engine_shape_size.hpp"
#include "bridge/scene_shapes.hpp"
#include "properties/primitive_properties.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/part_class.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"

sorvel_world::sorvel_world(sxsdk::shape_class& world_part) {
  world_.shape = &world_part;
  world_.get_properties();
  for (sxsdk::shape_class& son : sxsdk::sons(world_part)) regist_re(son);
}

void sorvel_world::regist_re(sxsdk::shape_class& shape) {
  // The first role that matches decides; the walk always goes on below the shape, so a body
  // inside another body, or a world part inside this world, adds its own bodies here.
  if (!register_joint(shape)) {
    if (is_bullet_rigidbody(shape))
      register_rigidbody(shape);
    else
      register_softbody(shape);
  }
  for (sxsdk::shape_class& son : sxsdk::sons(shape)) regist_re(son);
}

void sorvel_world::register_rigidbody(sxsdk::shape_class& shape) {
  rigidbody_properties body;
  body.shape = &shape;
  body.get_properties();
  switch (body.type) {
    case rigidbody_datas::static_body:
      static_bodies_.push_back(body);
      break;
    case rigidbody_datas::kinematic:
      kinematic_bodies_.push_back(body);
      break;
    case rigidbody_datas::move:
      moving_bodies_.push_back(body);
      moving_places_.push_back({shape.get_transformation(), !shape.get_dad() || bridge::hangs_under_joint(shape)});
      break;
    default:
      break;  // an unknown type takes no part in the simulation
  }
}

bool sorvel_world::create_bullet(sxsdk::scene_interface* scene) {
  if (!engine_.create_world(world_, has_softbodies())) return false;
  if (!add_bodies(scene, static_bodies_, "bad primitive shape", "error in add rigid")) return false;
  if (!add_bodies(scene, kinematic_bodies_, "error in add rigid", nullptr)) return false;
  if (!add_bodies(scene, moving_bodies_, "bad primitive shape", "error in add rigid")) return false;
  if (!add_joints_to_engine(scene)) return false;
  return add_softbodies_to_engine(scene);
}

bool sorvel_world::add_bodies(sxsdk::scene_interface* scene, std::vector<rigidbody_properties>& bodies,
                              const char* no_primitive_text, const char* refused_text) {
  for (rigidbody_properties& body : bodies)
    if (!add_body(scene, body, no_primitive_text, refused_text)) return false;
  return true;
}

bool sorvel_world::add_body(sxsdk::scene_interface* scene, rigidbody_properties& body, const char* no_primitive_text,
                            const char* refused_text) {
  if (!body.primitive) {
    bridge::show_error(scene, no_primitive_text);
    return false;
  }
  primitive_properties primitive;
  primitive.shape = body.primitive;
  primitive.type = collisionshape_datas::sphere;
  primitive.get_properties();  // a primitive without a readable stream keeps the defaults
  to_engine_shape_size(primitive);
  if (!engine_.addCollisionShape(primitive)) return false;
  if (engine_.addRigidBody(body)) return true;
  bridge::show_error(scene, refused_text);
  return false;
}

bool sorvel_world::clear() {
  restore_moving_bodies();
  reset_softbodies();
  restore_joints();
  static_bodies_.clear();
  moving_bodies_.clear();
  kinematic_bodies_.clear();
  moving_places_.clear();
  clear_joints_and_softbodies();
  return engine_.remove_world();
}

void sorvel_world::start_moved(sxsdk::shape_class& body_part) {
  for (std::size_t i = 0; i < moving_bodies_.size(); ++i)
    if (bridge::shape_of(moving_bodies_[i]) == &body_part) moving_places_[i].start = body_part.get_transformation();
}

void sorvel_world::restore_moving_bodies() {
  // The stored start transform (metres, float) would bring a part back only up to rounding;
  // the transformation taken at registration brings it back exactly.
  for (std::size_t i = 0; i < moving_bodies_.size(); ++i) {
    sxsdk::shape_class* shape = bridge::shape_of(moving_bodies_[i]);
    if (!shape || moving_places_[i].not_moved_directly) continue;  // a joint restores its own
    shape->get_part().set_transformation(moving_places_[i].start);
  }
}
