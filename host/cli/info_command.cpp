#include "host/cli/info_command.hpp"

#include <iostream>
#include <sstream>

#include "host/cli/cli_session.hpp"
#include "host/cli/primitive_measure.hpp"
#include "host/cli/scene_roles.hpp"
#include "host/io/scene_file_format.hpp"

namespace host {
namespace {

std::string vec(const std::array<float, 3>& v) {
  std::ostringstream o;
  o << '(' << v[0] << ", " << v[1] << ", " << v[2] << ')';
  return o.str();
}

std::string world_text(const shape_node& shape) {
  const world_settings w = stream_decoder::world(shape.find_stream(physics_stream_ids::world)->bytes);
  std::ostringstream o;
  o << (w.active ? "active" : "held") << ", gravity " << w.gravity << " m/s2, ground height " << w.height
    << " m, air density " << w.air_density << ", cycle " << w.simulation_cycle << " /s, scale " << w.scale_factor
    << ", boundary " << vec(w.boundary_min) << " to " << vec(w.boundary_max) << " m";
  if (w.view_debug) o << ", debug view";
  if (!w.valid) o << " [stream damaged or short]";
  return o.str();
}

std::string rigid_text(const shape_node& shape) {
  const rigid_settings b = stream_decoder::rigid(shape.find_stream(physics_stream_ids::modify)->bytes);
  static const char* types[] = {"move", "kinematic", "static"};
  std::ostringstream o;
  o << (b.type >= 0 && b.type <= 2 ? types[b.type] : "unknown type") << ", mass " << b.mass << ", friction "
    << b.friction << ", restitution " << b.restitution << ", damping " << b.linear_damping << '/' << b.angular_damping
    << ", group " << b.group_index << ", mask 0x" << std::hex << b.mask << std::dec << ", velocity " << vec(b.velocity)
    << " m/s, start " << vec(b.origin) << " m";
  if (!b.valid) o << " [stream damaged or short]";
  return o.str();
}

// The sizes each kind uses, named (the geometry holds no others).
std::string primitive_sizes(const primitive_shape& p) {
  std::ostringstream o;
  const auto& s = p.size;
  switch (p.type) {
    case primitive_shape::kind::box:
      o << "half extents " << vec(s);
      break;
    case primitive_shape::kind::sphere:
      o << "radius " << s[0];
      break;
    case primitive_shape::kind::capsule:
      o << "radius " << s[0] << ", middle height " << s[1];
      break;
    case primitive_shape::kind::cylinder:
    case primitive_shape::kind::cone:
      o << "radius " << s[0] << ", height " << s[1];
      break;
  }
  return o.str();
}

std::string primitive_text(const shape_node& shape) {
  const primitive_shape p = primitive_measure::measure(shape);
  if (!p.valid) return "unreadable geometry";
  static const char* axes[] = {"Y", "X", "Z"};
  std::ostringstream o;
  o << primitive_kind_name(p.type);
  if (p.type != primitive_shape::kind::box && p.type != primitive_shape::kind::sphere)
    o << " along " << axes[p.direction];
  o << ", " << primitive_sizes(p) << " m, margin " << p.margin;
  return o.str();
}

std::string stream_version_text(const shape_node& shape) {
  int version = 0;
  const auto stream = shape.find_stream(physics_stream_ids::modify);
  if (!stream_decoder::version(stream->bytes, version)) return "empty stream";
  return "stream version " + std::to_string(version) + ", " + std::to_string(stream->bytes.size()) + " bytes";
}

std::string role_text(const shape_node& shape, physics_role role) {
  switch (role) {
    case physics_role::world:
      return world_text(shape);
    case physics_role::rigid_body:
      return rigid_text(shape);
    case physics_role::primitive:
      return primitive_text(shape);
    case physics_role::joint:
    case physics_role::soft_body:
      return stream_version_text(shape);
    case physics_role::none:
      break;
  }
  return "";
}

void describe_shape(const shape_node& shape, int depth, std::ostream& out) {
  const char* kind = scene_file_format::kind_name(shape.type());
  out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << shape.name() << " (" << (kind ? kind : "?") << ')';
  const auto roles = scene_roles::roles_of(shape);
  for (std::size_t i = 0; i < roles.size(); ++i)
    out << (i ? ";" : "") << " [" << physics_role_name(roles[i]) << "] " << role_text(shape, roles[i]);
  out << '\n';
  for (const shape_node* son : shape.sons()) describe_shape(*son, depth + 1, out);
}

}  // namespace

void info_command::describe(scene& s, std::ostream& out) {
  const animation_data& a = s.animation();
  out << "frames " << a.start_frame << ".." << a.end_frame << " at " << a.frame_rate << " fps\n";
  describe_shape(s.root(), 0, out);
  const auto bodies = scene_roles::bodies(s);
  out << bodies.size() << " simulated rigid bodies\n";
}

int info_command::run(const cli_arguments& args) {
  cli_session session(args.scene, args.lang);
  describe(session.target(), std::cout);
  return 0;
}

}  // namespace host
