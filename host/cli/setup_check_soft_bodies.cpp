// setup_check: soft bodies and their anchors. An anchor group names its rigid body by the
// shape's index number; a number that names no shape, or a shape that is no rigid body of the
// soft body's world, leaves the engine nothing to hang the nodes on, and it pins them in place.
#include "host/cli/host_texts.hpp"
#include "host/cli/setup_check.hpp"
#include "host/scene/scene.hpp"

namespace host {

void setup_check::check_soft_bodies() {
  for (const shape_node* shape : scene_.shapes_in_order()) {
    if (!scene_roles::has_role(*shape, physics_role::soft_body) || !check_in_world(*shape, host_text::role_soft_body))
      continue;
    const cloth_settings cloth = stream_decoder::cloth(shape->find_stream(physics_stream_ids::modify)->bytes);
    const shape_node* world = world_of(*shape);
    for (const cloth_settings::record& record : cloth.records) {
      const std::string name = record.name.empty() ? "*" : record.name;
      for (std::size_t g = 0; g < record.anchors.size(); ++g) {
        const cloth_settings::anchor& a = record.anchors[g];
        if (a.body < 0) continue;  // "None": pinned on purpose
        const shape_node* body = scene_.node_at(a.body);
        if (!body)
          add(shape, "soft_body_anchor", texts_.format(host_text::problem_anchor_missing, g + 1, name, a.body, a.nodes),
              texts_(host_text::fix_anchor));
        else if (!is_body_of(body, world))
          add(shape, "soft_body_anchor",
              texts_.format(host_text::problem_anchor_not_body, g + 1, name, body->path(), a.nodes),
              texts_(host_text::fix_anchor));
      }
    }
  }
}

}  // namespace host
