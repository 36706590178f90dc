#include "host/cli/primitive_measure.hpp"

#include <cmath>

#include "host/cli/stream_decoder.hpp"
#include "host/scene/line_shape.hpp"
#include "host/scene/simple_shapes.hpp"
#include "sdk/shape_types.hpp"

namespace host {
namespace {

using vec3 = sx::vec<float, 3>;

// Radius and height of a capsule or cone from its second control point, by direction.
void measure_revolved(const vec3& p, int direction, primitive_shape& out) {
  if (direction == 1) {
    out.size[0] = p.z;
    out.size[1] = -2 * p.x;
  } else if (direction == 2) {
    out.size[0] = p.x;
    out.size[1] = -2 * p.z;
  } else {
    out.size[0] = p.x;
    out.size[1] = -2 * p.y;
  }
}

bool measure_line(const line_shape& line, primitive_shape& out) {
  const auto points = line.points();
  if (line.is_closed()) {
    if (points.empty()) return false;
    out.type = primitive_shape::kind::box;
    const vec3 p = points[0].position;
    out.size = {-p.x, -p.y, -p.z};
    return true;
  }
  if (points.size() != 3 && points.size() != 4) return false;
  out.type = points.size() == 3 ? primitive_shape::kind::cone : primitive_shape::kind::capsule;
  measure_revolved(points[1].position, out.direction, out);
  return true;
}

bool measure_disk(const disk_shape& disk, primitive_shape& out) {
  out.type = primitive_shape::kind::cylinder;
  const vec3 v = disk.get_sweep();
  out.size[1] = out.direction == 1 ? v.x : out.direction == 2 ? v.z : v.y;
  out.size[0] = out.size[2] = disk.get_radius();
  return true;
}

}  // namespace

const char* primitive_kind_name(primitive_shape::kind k) {
  switch (k) {
    case primitive_shape::kind::box:
      return "box";
    case primitive_shape::kind::sphere:
      return "sphere";
    case primitive_shape::kind::capsule:
      return "capsule";
    case primitive_shape::kind::cylinder:
      return "cylinder";
    case primitive_shape::kind::cone:
      return "cone";
  }
  return "?";
}

primitive_shape primitive_measure::measure(const shape_node& shape) {
  primitive_shape out;
  auto stream = shape.find_stream(physics_stream_ids::primitive);
  if (!stream) return out;
  const primitive_settings settings = stream_decoder::primitive(stream->bytes);
  out.direction = settings.direction;
  out.margin = settings.margin;
  // Sizes in the scene are millimetres (the capsule's middle measured from its second point).
  std::array<float, 3> mm = {100, 100, 100};
  out.size = mm;
  bool ok = false;
  if (auto* line = dynamic_cast<const line_shape*>(&shape))
    ok = measure_line(*line, out);
  else if (auto* disk = dynamic_cast<const disk_shape*>(&shape))
    ok = measure_disk(*disk, out);
  else if (auto* sphere = dynamic_cast<const sphere_shape*>(&shape)) {
    out.type = primitive_shape::kind::sphere;
    const float r = sphere->get_radius();
    out.size = {r, r, r};
    ok = true;
  }
  for (float& c : out.size) c = static_cast<float>(std::fabs(double(c) * 0.001));
  out.valid = ok && out.direction <= 2;
  return out;
}

}  // namespace host
