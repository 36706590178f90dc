#include "host/cli/start_overlap.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "host/cli/primitive_measure.hpp"
#include "host/scene/shape_node.hpp"

namespace host {
namespace {

struct box {
  std::array<double, 3> lo, hi;  // metres, world axes
  bool moving = false;
  std::size_t body = 0;
  std::uint32_t group = 0, collides_with = 0;  // Bullet's collision filter of the body
};

// As the engine filters: group number n is the bit 1 << n (16 groups), and the stored mask
// lists the groups the body does not collide with.
void set_filter(const rigid_settings& s, box& out) {
  out.group = s.group_index >= 0 && s.group_index < 16 ? 1u << s.group_index : 0u;
  out.collides_with = ~s.mask;
}

bool filters_collide(const box& a, const box& b) {
  return (a.group & b.collides_with) != 0 && (b.group & a.collides_with) != 0;
}

// Half extents of the collision shape along its own axes (metres).
std::array<double, 3> half_extents(const primitive_shape& p) {
  const double r = p.size[0];
  if (p.type == primitive_shape::kind::box) return {p.size[0], p.size[1], p.size[2]};
  if (p.type == primitive_shape::kind::sphere) return {r, r, r};
  const double along = p.type == primitive_shape::kind::capsule ? r + p.size[1] / 2.0 : p.size[1] / 2.0;
  static const int axis_of_direction[] = {1, 0, 2};  // direction 0 Y, 1 X, 2 Z
  std::array<double, 3> h{r, r, r};
  h[axis_of_direction[p.direction >= 0 && p.direction <= 2 ? p.direction : 0]] = along;
  return h;
}

bool world_box(const simulated_body& b, std::size_t index, box& out) {
  if (!b.primitive) return false;
  const primitive_shape p = primitive_measure::measure(*b.primitive);
  if (!p.valid) return false;
  const std::array<double, 3> h = half_extents(p);
  const sxsdk::mat4 m = b.primitive->local_to_world();  // rows: the images of the axes, mm
  for (int k = 0; k < 3; ++k) {
    double e = 0;
    for (int j = 0; j < 3; ++j) e += std::fabs(double(m[j][k])) * h[j];
    const double centre = m[3][k] * 0.001;
    if (!std::isfinite(e) || !std::isfinite(centre)) return false;
    out.lo[k] = centre - e;
    out.hi[k] = centre + e;
  }
  out.moving = b.settings.type == 0;
  out.body = index;
  set_filter(b.settings, out);
  return true;
}

bool inside_each_other(const box& a, const box& b) {
  for (int k = 0; k < 3; ++k) {
    const double overlap = std::min(a.hi[k], b.hi[k]) - std::max(a.lo[k], b.lo[k]);
    const double smaller = std::min(a.hi[k] - a.lo[k], b.hi[k] - b.lo[k]);
    if (!(overlap >= smaller / 2)) return false;
  }
  return true;
}

}  // namespace

start_overlap start_overlap::count(const std::vector<simulated_body>& bodies) {
  std::vector<box> boxes;
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    box b;
    if (world_box(bodies[i], i, b)) boxes.push_back(b);
  }
  // Sweep along x: only boxes that start before another ends can overlap it.
  std::sort(boxes.begin(), boxes.end(), [](const box& a, const box& b) { return a.lo[0] < b.lo[0]; });
  start_overlap result;
  result.partner.assign(bodies.size(), npos);
  for (std::size_t i = 0; i < boxes.size() && result.pairs <= max_pairs; ++i) {
    for (std::size_t j = i + 1; j < boxes.size() && boxes[j].lo[0] <= boxes[i].hi[0]; ++j) {
      if (!(boxes[i].moving || boxes[j].moving) || !filters_collide(boxes[i], boxes[j]) ||
          !inside_each_other(boxes[i], boxes[j]))
        continue;
      const std::size_t a = boxes[i].body, b = boxes[j].body;
      if (result.partner[a] == npos) result.partner[a] = b;
      if (result.partner[b] == npos) result.partner[b] = a;
      if (++result.pairs > max_pairs) break;
    }
  }
  result.bodies =
      bodies.size() - static_cast<std::size_t>(std::count(result.partner.begin(), result.partner.end(), npos));
  return result;
}

}  // namespace host
