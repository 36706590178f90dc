#include "host/cli/setup_check.hpp"

#include <algorithm>

#include "host/cli/host_texts.hpp"
#include "host/scene/scene.hpp"

namespace host {

setup_check::setup_check(scene& s, const host_texts& texts)
    : scene_(s), texts_(texts), places_(scene_roles::places(s)), bodies_(scene_roles::bodies(s)) {}

std::vector<setup_finding> setup_check::run(scene& s, const host_texts& texts) {
  setup_check check(s, texts);
  check.check_scene_settings();
  check.check_streams();
  check.check_bodies();
  check.check_joints();
  check.check_soft_bodies();
  // The scene's own findings first, then in the order of the scene's shapes; the groups' order
  // within one shape.
  std::stable_sort(check.findings_.begin(), check.findings_.end(), [](const setup_finding& a, const setup_finding& b) {
    return (a.shape ? a.shape->index() : -1) < (b.shape ? b.shape->index() : -1);
  });
  return std::move(check.findings_);
}

void setup_check::add(const shape_node* shape, const char* code, std::string problem, std::string fix) {
  findings_.push_back({shape, shape ? shape->path() : "", code, std::move(problem), std::move(fix)});
}

const shape_node* setup_check::world_of(const shape_node& shape) const {
  const auto it = places_.find(&shape);
  return it == places_.end() ? nullptr : it->second.world;
}

bool setup_check::is_body_of(const shape_node* shape, const shape_node* world) const {
  if (!shape || !world || world_of(*shape) != world) return false;
  return std::any_of(bodies_.begin(), bodies_.end(), [&](const simulated_body& b) { return b.part == shape; });
}

bool setup_check::check_in_world(const shape_node& shape, host_text role) {
  const auto it = places_.find(&shape);
  if (it != places_.end() && it->second.world) return true;
  const shape_node* held = it == places_.end() ? nullptr : it->second.held;
  add(&shape, "not_in_world",
      held ? texts_.format(host_text::problem_in_held_world, texts_(role), held->path())
           : texts_.format(host_text::problem_not_in_world, texts_(role)),
      texts_(host_text::fix_not_in_world));
  return false;
}

}  // namespace host
