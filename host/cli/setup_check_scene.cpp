// setup_check: what the plug-in repairs on its own: the frame rate when it enters sequence mode,
// and (when the user asks the world for it) the scale and shear of the parts in a world.
#include <sstream>

#include "host/cli/host_texts.hpp"
#include "host/cli/setup_check.hpp"
#include "host/scene/part_shape.hpp"
#include "host/scene/scene.hpp"
#include "sdk/shape_types.hpp"

namespace host {
namespace {

// The world's matrix repair works on parts of its own transformation (a joint's is its motion)
// and takes out a scale or shear farther than this (squared) from none.
constexpr float repair_tolerance = 4e-8f;

bool has_own_transformation(const shape_node& shape) {
  if (shape.type() != sxsdk::shape_type::part) return false;
  const int kind = static_cast<const part_shape&>(shape).get_part_type();
  return kind == sxsdk::part_type::part || kind == sxsdk::part_type::surface;
}

float squared(const sx::vec<float, 3>& v) { return v.x * v.x + v.y * v.y + v.z * v.z; }

std::string vec(const sx::vec<float, 3>& v) {
  std::ostringstream o;
  o << '(' << v.x << ", " << v.y << ", " << v.z << ')';
  return o.str();
}

}  // namespace

void setup_check::check_scene_settings() {
  const animation_data& a = scene_.animation();
  if (a.playback_option)
    add(nullptr, "frame_rate", texts_(host_text::problem_playback_option), texts_(host_text::fix_playback_option));
  else if (a.frame_rate != 30 && a.frame_rate != 60 && a.frame_rate != 120)
    add(nullptr, "frame_rate", texts_.format(host_text::problem_frame_rate, a.frame_rate),
        texts_(host_text::fix_frame_rate));
  for (const simulated_world& world : scene_roles::worlds(scene_)) check_scaled_parts(*world.part, *world.part);
}

// The parts of a world, the world part included, whose own transformation holds a scale or a
// shear; sons are searched below every part, as the repair searches them.
void setup_check::check_scaled_parts(const shape_node& part, const shape_node& world) {
  if (has_own_transformation(part)) {
    sx::vec<float, 3> scale, shear, angles, translation;
    part.own_transformation().unmatrix(scale, shear, angles, translation);
    if (squared(scale - sx::vec<float, 3>(1, 1, 1)) > repair_tolerance || squared(shear) > repair_tolerance)
      add(&part, "scaled_matrix", texts_.format(host_text::problem_scaled_matrix, vec(scale), vec(shear)),
          texts_.format(host_text::fix_scaled_matrix, world.path()));
  }
  for (const shape_node* son : part.sons())
    if (son->type() == sxsdk::shape_type::part) check_scaled_parts(*son, world);
}

}  // namespace host
