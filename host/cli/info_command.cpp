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

std::string world_text(const shape_node& shape, const host_texts& t) {
  const world_settings w = stream_decoder::world(shape.find_stream(physics_stream_ids::world)->bytes);
  std::string out =
      t.format(host_text::world_settings, t(w.active ? host_text::world_active : host_text::world_held), w.gravity,
               w.height, w.air_density, w.simulation_cycle, w.scale_factor, vec(w.boundary_min), vec(w.boundary_max));
  if (w.view_debug) out += t(host_text::world_debug_view);
  if (!w.valid) out += t(host_text::stream_damaged);
  return out;
}

std::string rigid_text(const shape_node& shape, const host_texts& t) {
  const auto& bytes = shape.find_stream(physics_stream_ids::modify)->bytes;
  const rigid_settings b = stream_decoder::rigid(bytes);
  static const host_text types[] = {host_text::body_move, host_text::body_kinematic, host_text::body_static};
  std::ostringstream mask;
  mask << std::hex << b.mask;
  std::string out =
      t.format(host_text::body_settings, t(b.type >= 0 && b.type <= 2 ? types[b.type] : host_text::body_unknown_type),
               b.mass, b.friction, b.restitution, b.linear_damping, b.angular_damping, b.group_index, mask.str(),
               vec(b.velocity), vec(b.origin));
  // Cut short: the plug-in refuses the body, so say which version and how much of it is there.
  if (!b.valid && bytes.size() < 4) out += t(host_text::stream_damaged);
  if (!b.valid && bytes.size() >= 4)
    out += t.format(host_text::stream_cut_short, b.version, bytes.size(), stream_decoder::rigid_bytes(b.version));
  return out;
}

// The sizes each kind uses, named (the geometry holds no others).
std::string primitive_sizes(const primitive_shape& p, const host_texts& t) {
  const auto& s = p.size;
  switch (p.type) {
    case primitive_shape::kind::box:
      return t.format(host_text::size_half_extents, vec(s));
    case primitive_shape::kind::sphere:
      return t.format(host_text::size_radius, s[0]);
    case primitive_shape::kind::capsule:
      return t.format(host_text::size_radius_middle_height, s[0], s[1]);
    case primitive_shape::kind::cylinder:
    case primitive_shape::kind::cone:
      return t.format(host_text::size_radius_height, s[0], s[1]);
  }
  return "";
}

host_text primitive_kind_text(primitive_shape::kind k) {
  switch (k) {
    case primitive_shape::kind::box:
      return host_text::primitive_box;
    case primitive_shape::kind::sphere:
      return host_text::primitive_sphere;
    case primitive_shape::kind::capsule:
      return host_text::primitive_capsule;
    case primitive_shape::kind::cylinder:
      return host_text::primitive_cylinder;
    case primitive_shape::kind::cone:
      break;
  }
  return host_text::primitive_cone;
}

std::string primitive_text(const shape_node& shape, const host_texts& t) {
  const primitive_shape p = primitive_measure::measure(shape);
  if (!p.valid) return t(host_text::unreadable_geometry);
  static const char* axes[] = {"Y", "X", "Z"};
  const std::string kind = t(primitive_kind_text(p.type));
  if (p.type == primitive_shape::kind::box || p.type == primitive_shape::kind::sphere)
    return t.format(host_text::primitive_settings, kind, primitive_sizes(p, t), p.margin);
  return t.format(host_text::primitive_settings_along, kind, axes[p.direction], primitive_sizes(p, t), p.margin);
}

std::string stream_version_text(const shape_node& shape, const host_texts& t) {
  int version = 0;
  const auto stream = shape.find_stream(physics_stream_ids::modify);
  if (!stream_decoder::version(stream->bytes, version)) return t(host_text::empty_stream);
  return t.format(host_text::stream_version, version, stream->bytes.size());
}

// "Cloth: 289 nodes, 512 triangles, 1 anchor groups", one per soft body, and the projection
// mesh the mesh links, with its number of bound vertices.
std::string cloth_text(const shape_node& shape, const host_texts& t) {
  const cloth_settings c = stream_decoder::cloth(shape.find_stream(physics_stream_ids::modify)->bytes);
  if (c.version != 4) return stream_version_text(shape, t);
  std::string out;
  for (const cloth_settings::record& r : c.records)
    out += (out.empty() ? "" : "; ") +
           t.format(host_text::soft_body_record, r.name.empty() ? "*" : r.name, r.nodes, r.triangles, r.anchor_groups);
  const std::vector<shape_node*> linked = shape.links_of(physics_stream_ids::figure);
  if (linked.size() == 1) {
    const auto binding = shape.find_stream(physics_stream_ids::figure);
    out += t.format(host_text::projection_mesh, linked.front()->path(),
                    binding ? stream_decoder::bindings(binding->bytes) : 0);
  }
  if (!c.valid) out += t(host_text::stream_damaged);
  return out;
}

// A constraint joint: its kind and its two bodies. Older versions (read and rewritten by the
// plug-in) show their version and size.
std::string joint_text(const shape_node& shape, const host_texts& t) {
  const joint_settings j = stream_decoder::joint(shape.find_stream(physics_stream_ids::modify)->bytes);
  if (!j.header || j.version == 0 || j.version == 1) return stream_version_text(shape, t);
  static const char* kinds[] = {"6Dof", "6DofSpring", "ConeTwist", "?"};
  const joint_bodies bodies = scene_roles::bodies_of_joint(shape);
  const std::string none = t(host_text::joint_no_body);
  std::string out = t.format(host_text::joint_settings, kinds[j.type], bodies.rigid0 ? bodies.rigid0->name() : none,
                             bodies.rigid1 ? bodies.rigid1->name() : none);
  if (!j.valid) out += t(host_text::stream_damaged);
  return out;
}

std::string role_text(const shape_node& shape, physics_role role, const host_texts& t) {
  switch (role) {
    case physics_role::world:
      return world_text(shape, t);
    case physics_role::rigid_body:
      return rigid_text(shape, t);
    case physics_role::primitive:
      return primitive_text(shape, t);
    case physics_role::joint:
      return joint_text(shape, t);
    case physics_role::soft_body:
      return cloth_text(shape, t);
    case physics_role::none:
      break;
  }
  return "";
}

// The kind of a shape as people read it; "?" for a kind the scene format does not name.
std::string kind_text(const shape_node& shape, const host_texts& t) {
  static const std::pair<const char*, host_text> kinds[] = {
      {"part", host_text::kind_part}, {"polygon_mesh", host_text::kind_polygon_mesh},
      {"line", host_text::kind_line}, {"sphere", host_text::kind_sphere},
      {"disk", host_text::kind_disk}, {"light", host_text::kind_light}};
  const char* kind = scene_file_format::kind_name(shape.type());
  for (const auto& [name, text] : kinds)
    if (kind && std::string(kind) == name) return t(text);
  return kind ? kind : "?";
}

void describe_shape(const shape_node& shape, int depth, const host_texts& t, std::ostream& out) {
  out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << shape.name() << " (" << kind_text(shape, t) << ')';
  const auto roles = scene_roles::roles_of(shape);
  for (std::size_t i = 0; i < roles.size(); ++i)
    out << (i ? ";" : "") << " [" << t(physics_role_text(roles[i])) << "] " << role_text(shape, roles[i], t);
  out << '\n';
  for (const shape_node* son : shape.sons()) describe_shape(*son, depth + 1, t, out);
}

}  // namespace

void info_command::describe(scene& s, const host_texts& t, std::ostream& out) {
  const animation_data& a = s.animation();
  out << t.format(host_text::info_frames, a.start_frame, a.end_frame, a.frame_rate) << '\n';
  describe_shape(s.root(), 0, t, out);
  const std::size_t bodies = scene_roles::bodies(s).size();
  out << (bodies == 1 ? t(host_text::simulated_bodies_one) : t.format(host_text::simulated_bodies_many, bodies))
      << '\n';
}

int info_command::run(const cli_arguments& args) {
  cli_session session(args.scene, args.lang);
  describe(session.target(), session.texts(), std::cout);
  return 0;
}

}  // namespace host
