// sorvel_world: the places where constraint joints and soft bodies join the world. The joint
// work and the soft body work fill these in; until then no shape registers as either, so a
// world holds rigid bodies only and these steps do nothing.
#include "bridge/sorvel_world.hpp"

bool sorvel_world::register_joint(sxsdk::shape_class&) { return false; }

bool sorvel_world::register_softbody(sxsdk::shape_class&) { return false; }

bool sorvel_world::has_softbodies() const { return false; }

bool sorvel_world::add_joints_to_engine(sxsdk::scene_interface*) { return true; }

bool sorvel_world::add_softbodies_to_engine(sxsdk::scene_interface*) { return true; }

void sorvel_world::set_joint_positions(sxsdk::scene_interface*) {}

void sorvel_world::reset_softbodies() {}

void sorvel_world::restore_joints() {}

void sorvel_world::clear_joints_and_softbodies() {}
