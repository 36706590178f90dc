#include "bridge/sorvel_world.hpp"

#include "base/texts.hpp"
#include "bridge/view_camera.hpp"
#include "properties/settings_limits.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"

sorvel_world::sorvel_world(sxsdk::shape_class& world_part) {
  world_.shape = &world_part;
  (void)world_.get_properties();  // a missing stream leaves the default settings
  for (sxsdk::shape_class& son : sxsdk::sons(world_part)) regist_re(son);
}

void sorvel_world::regist_re(sxsdk::shape_class& shape) {
  // The first role that matches decides; the walk always goes on below the shape, so a body
  // inside another body, or a world part inside this world, adds its own bodies here.
  if (!joints_.regist(shape) && !rigid_bodies_.regist(shape)) (void)softbodies_.regist(shape);
  for (sxsdk::shape_class& son : sxsdk::sons(shape)) regist_re(son);
}

bool sorvel_world::create_bullet(sxsdk::scene_interface* scene) {
  view_camera::capture(scene, world_);
  const std::string problem = settings_limits::world_problem(world_);
  if (!problem.empty() && scene && world_.part())
    texts::show_error(*scene, ("physplug: the world \"" + settings_limits::path_of(*world_.part()) +
                               "\" cannot be simulated: " + problem)
                                  .c_str());
  if (!problem.empty() || !engine_.create_world(world_, !softbodies_.empty())) return false;
  const bool filled = rigid_bodies_.add_to_engine(engine_, scene) && joints_.add_to_engine(engine_, scene) &&
                      softbodies_.add_to_engine(engine_, scene);
  if (filled) engine_.first_debug_draw();
  return filled;
}

bool sorvel_world::clear() {
  rigid_bodies_.restore();
  softbodies_.reset();
  joints_.restore();
  rigid_bodies_.clear();
  joints_.clear();
  softbodies_.clear();
  return engine_.remove_world();
}

void sorvel_world::set_kinematic_transform(sxsdk::scene_interface*) {
  if (engine_.engine()) rigid_bodies_.set_kinematic_transform(engine_);
}

void sorvel_world::set_rigidbody_positions(sxsdk::scene_interface* scene) {
  if (!engine_.engine()) return;
  rigid_bodies_.write_back(engine_);
  joints_.write_back(engine_, scene);
}

void sorvel_world::set_softbody_positions(sxsdk::scene_interface* scene) {
  if (engine_.engine()) softbodies_.write_back(engine_, scene);
}
