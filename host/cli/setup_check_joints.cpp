// setup_check: constraint joints. The engine builds a joint only between bodies of the joint's
// own world: without its second body (Rigid1) the whole world is refused; a first body (Rigid0)
// the world lacks is dropped silently and the joint holds Rigid1 to a fixed point instead.
#include "host/cli/host_texts.hpp"
#include "host/cli/setup_check.hpp"
#include "host/scene/scene.hpp"

namespace host {

void setup_check::check_joints() {
  for (const shape_node* shape : scene_.shapes_in_order()) {
    if (!scene_roles::has_role(*shape, physics_role::joint) || !check_in_world(*shape, host_text::role_joint)) continue;
    const joint_settings settings = stream_decoder::joint(shape->find_stream(physics_stream_ids::modify)->bytes);
    if (!settings.valid) continue;  // the stream's own finding says so
    if (settings.type == 3)
      add(shape, "joint_type", texts_.format(host_text::problem_joint_type, settings.type),
          texts_(host_text::fix_joint_type));
    const shape_node* world = world_of(*shape);
    const joint_bodies bodies = scene_roles::bodies_of_joint(*shape);
    if (!bodies.rigid1)
      add(shape, "joint_rigid1", texts_(host_text::problem_joint_no_rigid1), texts_(host_text::fix_joint_rigid1));
    else if (!is_body_of(bodies.rigid1, world))
      add(shape, "joint_rigid1", texts_.format(host_text::problem_joint_rigid1, bodies.rigid1->path()),
          texts_(host_text::fix_joint_rigid1));
    if (bodies.rigid0 && bodies.rigid0 == bodies.rigid1)
      add(shape, "joint_same_body", texts_.format(host_text::problem_joint_same_body, bodies.rigid0->path()),
          texts_(host_text::fix_joint_same_body));
    else if (bodies.rigid0 && !is_body_of(bodies.rigid0, world))
      add(shape, "joint_rigid0", texts_.format(host_text::problem_joint_rigid0, bodies.rigid0->path()),
          texts_(host_text::fix_joint_rigid0));
  }
}

}  // namespace host
