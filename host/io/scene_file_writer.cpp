#include "host/io/scene_file_writer.hpp"

#include <vector>

#include "host/io/animation_keys_io.hpp"
#include "host/io/base64.hpp"
#include "host/io/json_values.hpp"
#include "host/io/scene_file_error.hpp"
#include "host/io/scene_file_format.hpp"
#include "host/scene/scene.hpp"

namespace host {
namespace fmt = scene_file_format;
using nlohmann::json;
using vec3 = sx::vec<float, 3>;

namespace {

using json_values::number;
using json_values::put;
using json_values::same;

void put_flag(json& object, const char* key, bool value, bool fallback) {
  if (value != fallback) object[key] = value;
}
void put_object(json& object, const char* key, json value) {
  if (!value.empty()) object[key] = std::move(value);
}

json joint(const joint_state& j) {
  const joint_state& d = fmt::joint;
  json out = json::object();
  put(out, "position", j.position, d.position);
  put(out, "offset", j.offset, d.offset);
  put(out, "rotation", j.rotation, d.rotation);
  put(out, "bone_matrix", j.bone_matrix, d.bone_matrix);
  if (!same(j.limits, d.limits))
    out["limits"] = json::array({number(j.limits[0]), number(j.limits[1]), number(j.limits[2])});
  put_flag(out, "limit_enabled", j.limit_enabled, d.limit_enabled);
  put(out, "center", j.center, d.center);
  put(out, "axis", j.axis, d.axis);
  put(out, "value", j.value, d.value);
  put(out, "min", j.min, d.min);
  put(out, "max", j.max, d.max);
  return out;
}

json camera(const camera_state& c) {
  json out = json::object();
  put(out, "eye", c.eye, fmt::camera.eye);
  put(out, "target", c.target, fmt::camera.target);
  put(out, "focal_length", c.focal_length, fmt::camera.focal_length);
  return out;
}

void part(json& out, const part_shape& p) {
  if (p.get_part_type() != sxsdk::part_type::part) out["part_type"] = p.get_part_type();
  if (!p.is_joint()) put(out, "transformation", p.own_transformation(), sxsdk::mat4());
  put(out, "axis_matrix", p.get_axis_matrix(), sxsdk::mat4());
  put_object(out, "joint", joint(p.joint()));
  put_object(out, "camera", camera(*p.camera()));
}

void polygon_mesh(json& out, const polygon_mesh_shape& m) {
  json vertices = json::array();
  for (const vec3& v : m.vertex_positions()) vertices.push_back(number(v));
  put_object(out, "vertices", std::move(vertices));
  put_object(out, "faces", m.face_indices());
  put_object(out, "selected_vertices", m.selected_vertices());
  put_object(out, "selected_faces", m.selected_faces());
}

json control_point(const line_shape::point& p) {
  json out = json::object();
  put(out, "position", p.position, fmt::zero_vector);
  // A handle that sits on its point (how new lines start) is left out.
  put(out, "in_handle", p.in_handle, p.position);
  put(out, "out_handle", p.out_handle, p.position);
  put(out, "fourth_handle", p.fourth_handle, p.position);
  put(out, "fifth_handle", p.fifth_handle, p.position);
  return out;
}

void line(json& out, const line_shape& l) {
  json points = json::array();
  for (const auto& p : l.points()) points.push_back(control_point(p));
  put_object(out, "points", std::move(points));
  put_flag(out, "closed", l.is_closed(), false);
  put(out, "sweep", l.get_sweep(), fmt::zero_vector);
  vec3 p0, p1;
  if (l.get_revolution_axis(p0, p1)) out["revolution_axis"] = json::array({number(p0), number(p1)});
}

void geometry(json& out, shape_node& node) {
  if (auto* p = dynamic_cast<part_shape*>(&node)) return part(out, *p);
  if (auto* m = dynamic_cast<polygon_mesh_shape*>(&node)) return polygon_mesh(out, *m);
  if (auto* l = dynamic_cast<line_shape*>(&node)) return line(out, *l);
  if (auto* s = dynamic_cast<sphere_shape*>(&node)) {
    put(out, "center", s->get_center(), fmt::zero_vector);
    return put(out, "radius", s->get_radius_vector(), fmt::sphere_radius);
  }
  if (auto* d = dynamic_cast<disk_shape*>(&node)) {
    put(out, "center", d->get_center(), fmt::zero_vector);
    put(out, "radius", d->get_radius(), fmt::disk_radius);
    put(out, "matrix", d->get_matrix(), sxsdk::mat4());
    return put(out, "sweep", d->get_sweep(), fmt::zero_vector);
  }
  if (auto* l = dynamic_cast<light_shape*>(&node)) return put(out, "position", l->get_position(), fmt::zero_vector);
}

json streams(const shape_node& node) {
  json out = json::array();
  for (const auto& s : node.streams()) {
    json stream = {{"uuid", s->uuid.to_string()}};
    if (!s->label.empty()) stream["label"] = s->label;
    if (!s->bytes.empty()) stream["bytes"] = base64::encode(s->bytes);
    out.push_back(std::move(stream));
  }
  return out;
}

json links(const shape_node& node, const std::string& path) {
  json out = json::array();
  for (const auto& l : node.links()) {
    // A removed shape, or one of another scene, has no index number in this file.
    const int target = l.target && &l.target->owner() == &node.owner() ? l.target->index() : -1;
    if (target < 0)
      throw json_path_error{path + "/links/" + std::to_string(out.size()), "the link's target is not in the scene"};
    out.push_back({{"uuid", l.uuid.to_string()}, {"target", target}});
  }
  return out;
}

}  // namespace

json scene_file_writer::document(scene& s) {
  json doc = scene_state(s);
  doc["format"] = fmt::format_name;
  doc["version"] = fmt::version;
  json shapes = json::array();
  std::vector<int> depth;  // by index number; a file deeper than the reader takes is refused here
  for (shape_node* node : s.shapes_in_order()) {
    const std::string path = "/shapes/" + std::to_string(shapes.size());
    depth.push_back(node->dad() ? depth[std::size_t(node->dad()->index())] + 1 : 0);
    if (depth.back() > fmt::max_depth)
      throw json_path_error{path, "shapes nest deeper than " + std::to_string(fmt::max_depth) + " levels"};
    shapes.push_back(shape(*node, path));
  }
  doc["shapes"] = std::move(shapes);
  return doc;
}

json scene_file_writer::shape(shape_node& node, const std::string& path) {
  const char* kind = fmt::kind_name(node.type());
  if (!kind) throw json_path_error{path, "a shape of type " + std::to_string(node.type()) + " cannot be saved"};
  json out = {{"kind", kind}, {"name", node.name()}};
  if (node.dad()) out["dad"] = node.dad()->index();
  if (node.visible != fmt::visible) out["visible"] = node.visible;
  put_flag(out, "render", node.render_flag, fmt::render);
  put_flag(out, "selected", node.selected, fmt::selected);
  json shape_geometry = json::object();
  geometry(shape_geometry, node);
  for (auto it = shape_geometry.begin(); it != shape_geometry.end(); ++it) {
    // A camera and a light take no part in a simulation; everything else must be finite.
    if (it.key() != "camera" && node.type() != sxsdk::shape_type::light)
      json_values::require_finite(it.value(), path + "/" + it.key());
    out[it.key()] = it.value();
  }
  if (node.streams().size() > fmt::max_streams)
    throw json_path_error{path + "/streams", std::to_string(node.streams().size()) + " streams on one shape (at most " +
                                                 std::to_string(fmt::max_streams) + ")"};
  put_object(out, "streams", streams(node));
  put_object(out, "links", links(node, path));
  return out;
}

json scene_file_writer::scene_state(scene& s) {
  json out = json::object();
  if (s.current_shape().index() != 0) out["current"] = s.current_shape().index();
  json active = json::array();
  for (const shape_node* a : s.active_shapes()) active.push_back(a->index());
  put_object(out, "active", std::move(active));
  if (const polygon_mesh_shape* m = s.edited_mesh())
    out["edit"] = {{"mesh", m->index()}, {"selection_mode", s.get_selection_mode()}};
  put_object(out, "camera", camera(s.scene_camera()));
  if (const part_shape* c = s.selected_camera_joint()) out["camera_joint"] = c->index();
  json animation = json::object();
  const animation_data& a = s.animation();
  if (a.frame_rate != fmt::animation.frame_rate) animation["frame_rate"] = a.frame_rate;
  put_flag(animation, "playback_option", a.playback_option, fmt::animation.playback_option);
  if (a.start_frame != fmt::animation.start_frame) animation["start_frame"] = a.start_frame;
  if (a.end_frame != fmt::animation.end_frame) animation["end_frame"] = a.end_frame;
  put_object(out, "animation", std::move(animation));
  put_object(out, "keys", animation_keys_io::write(s));
  return out;
}

}  // namespace host
