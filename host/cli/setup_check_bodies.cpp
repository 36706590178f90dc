// setup_check: rigid bodies and their primitives, as the plug-in builds them.
#include <cmath>
#include <sstream>

#include "host/cli/host_texts.hpp"
#include "host/cli/primitive_measure.hpp"
#include "host/cli/setup_check.hpp"
#include "host/cli/start_overlap.hpp"
#include "host/scene/scene.hpp"

namespace host {
namespace {

// The sizes a kind of primitive uses (metres); a capsule's middle height may be 0 (a sphere).
std::vector<float> used_sizes(const primitive_shape& p) {
  switch (p.type) {
    case primitive_shape::kind::box:
      return {p.size[0], p.size[1], p.size[2]};
    case primitive_shape::kind::sphere:
      return {p.size[0]};
    case primitive_shape::kind::capsule:
    case primitive_shape::kind::cylinder:
    case primitive_shape::kind::cone:
      break;
  }
  return {p.size[0], p.size[1]};
}

bool sizes_usable(const primitive_shape& p) {
  const std::vector<float> sizes = used_sizes(p);
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const bool may_be_zero = p.type == primitive_shape::kind::capsule && i == 1;
    if (!std::isfinite(sizes[i]) || (sizes[i] == 0 && !may_be_zero)) return false;
  }
  return true;
}

std::string list(const std::vector<float>& values) {
  std::ostringstream o;
  if (values.size() > 1) o << '(';
  for (std::size_t i = 0; i < values.size(); ++i) o << (i ? ", " : "") << values[i];
  if (values.size() > 1) o << ')';
  return o.str();
}

}  // namespace

void setup_check::check_bodies() {
  for (const shape_node* shape : scene_.shapes_in_order()) {
    if (!scene_roles::has_role(*shape, physics_role::rigid_body) || !check_in_world(*shape, host_text::role_rigid_body))
      continue;
    const rigid_settings settings = stream_decoder::rigid(shape->find_stream(physics_stream_ids::modify)->bytes);
    if (settings.type < 0 || settings.type > 2)
      add(shape, "body_type", texts_.format(host_text::problem_body_type, settings.type),
          texts_(host_text::fix_body_type));
  }
  for (const simulated_body& body : bodies_) {
    if (!body.primitive) {
      add(body.part, "no_primitive", texts_(host_text::problem_no_primitive), texts_(host_text::fix_no_primitive));
    } else {
      const primitive_shape p = primitive_measure::measure(*body.primitive);
      if (!p.valid)
        add(body.primitive, "primitive_unreadable", texts_(host_text::problem_primitive_unreadable),
            texts_(host_text::fix_primitive_unreadable));
      else if (!sizes_usable(p))
        add(body.primitive, "primitive_size", texts_.format(host_text::problem_primitive_size, list(used_sizes(p))),
            texts_(host_text::fix_primitive_size));
    }
    if (body.settings.type == 0 && body.settings.mass == 0)
      add(body.part, "mass_zero", texts_(host_text::problem_mass_zero), texts_(host_text::fix_mass_zero));
  }
  check_start_overlap();
  check_unused_primitives();
}

// A primitive gives its rigid body part (its dad) the collision shape; the body takes its first
// primitive son and no other.
void setup_check::check_unused_primitives() {
  for (const shape_node* shape : scene_.shapes_in_order()) {
    if (!scene_roles::has_role(*shape, physics_role::primitive)) continue;
    const shape_node* dad = shape->dad();
    if (!dad || !scene_roles::has_role(*dad, physics_role::rigid_body)) {
      add(shape, "primitive_unused", texts_(host_text::problem_primitive_no_body),
          texts_(host_text::fix_primitive_no_body));
      continue;
    }
    for (const shape_node* son : dad->sons()) {
      if (son == shape) break;
      if (scene_roles::has_role(*son, physics_role::primitive)) {
        add(shape, "primitive_unused", texts_.format(host_text::problem_primitive_second, son->path()),
            texts_(host_text::fix_primitive_second));
        break;
      }
    }
  }
}

// Bodies of one world that start inside each other; bodies of two worlds never meet.
void setup_check::check_start_overlap() {
  std::unordered_map<const shape_node*, std::vector<simulated_body>> by_world;
  std::vector<const shape_node*> worlds;
  for (const simulated_body& body : bodies_) {
    auto& group = by_world[world_of(*body.part)];
    if (group.empty()) worlds.push_back(world_of(*body.part));
    group.push_back(body);
  }
  for (const shape_node* world : worlds) {
    const std::vector<simulated_body>& group = by_world[world];
    const start_overlap overlap = start_overlap::count(group);
    for (std::size_t i = 0; i < group.size(); ++i)
      if (overlap.partner[i] != start_overlap::npos)
        add(group[i].part, "start_overlap",
            texts_.format(host_text::problem_start_overlap, group[overlap.partner[i]].path),
            texts_(host_text::fix_start_overlap));
  }
}

}  // namespace host
