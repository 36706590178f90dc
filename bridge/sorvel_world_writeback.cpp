// sorvel_world: the exchange of poses between the scene and the engine around a step.
#include "bridge/matrix_conversion.hpp"
#include "bridge/scene_shapes.hpp"
#include "bridge/sorvel_world.hpp"
#include "sdk/part_class.hpp"
#include "sdk/shape_class.hpp"

void sorvel_world::set_kinematic_transform(sxsdk::scene_interface*) {
  if (!engine_.engine()) return;
  for (rigidbody_properties& body : kinematic_bodies_) {
    sxsdk::shape_class* primitive = bridge::primitive_of(body);
    if (!primitive) continue;
    btTransform pose = bridge::host_to_engine(primitive->get_local_to_world_matrix());
    engine_.set_kinematic_new_transform(body, pose);  // a body the engine lacks is left alone
  }
}

void sorvel_world::set_rigidbody_positions(sxsdk::scene_interface* scene) {
  if (!engine_.engine()) return;
  for (std::size_t i = 0; i < moving_bodies_.size(); ++i) {
    rigidbody_properties& body = moving_bodies_[i];
    sxsdk::shape_class* shape = bridge::shape_of(body);
    // A body without a dad is never below a world part; one under a joint moves with it.
    if (!shape || moving_places_[i].not_moved_directly) continue;
    btTransform pose;
    if (!engine_.get_rigidbody_transform(body, pose)) continue;
    // World pose in millimetres, then into the frame the part's transformation lives in: a
    // part's world-to-local matrix maps world coordinates into its dad's frame.
    const sxsdk::mat4 world = bridge::engine_to_host(pose);
    shape->get_part().set_transformation(world * shape->get_world_to_local_matrix());
  }
  set_joint_positions(scene);
}

void sorvel_world::set_softbody_positions(sxsdk::scene_interface*) {
  // Soft body meshes are written back by the soft body work; a world without them writes nothing.
}

void sorvel_world::reverse_direction() {
  for (rigidbody_properties& body : moving_bodies_) engine_.reverse_direction(body);
}

void sorvel_world::update(float seconds) { engine_.update(seconds, world_.simulation_cycle); }
