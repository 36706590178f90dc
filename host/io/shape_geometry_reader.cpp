#include "host/io/shape_geometry_reader.hpp"

#include "host/io/scene_file_format.hpp"
#include "host/scene/scene.hpp"

namespace host {
namespace fmt = scene_file_format;
using vec3 = sx::vec<float, 3>;

namespace {

// An index into a list of `count` things called `what` (for messages).
int index_into(const json_reader& at, std::size_t count, const char* what) {
  const int i = at.as_int();
  if (i < 0 || std::size_t(i) >= count)
    at.fail(std::string(what) + " " + std::to_string(i) + " does not exist (there are " + std::to_string(count) + ")");
  return i;
}

std::vector<int> indices_into(const json_reader& list, std::size_t count, const char* what) {
  std::vector<int> out;
  for (const json_reader& item : list.items()) out.push_back(index_into(item, count, what));
  return out;
}

}  // namespace

void shape_geometry_reader::read(json_reader::object& o, shape_node& node) {
  if (auto* p = dynamic_cast<part_shape*>(&node)) return part(o, *p);
  if (auto* m = dynamic_cast<polygon_mesh_shape*>(&node)) return polygon_mesh(o, *m);
  if (auto* l = dynamic_cast<line_shape*>(&node)) return line(o, *l);
  if (auto* s = dynamic_cast<sphere_shape*>(&node)) {
    if (auto v = o.optional("center")) s->set_center(v->as_vec3());
    if (auto v = o.optional("radius")) s->set_radius(v->as_vec3());
    return;
  }
  if (auto* d = dynamic_cast<disk_shape*>(&node)) {
    d->set_matrix(sxsdk::mat4());  // the format's default, whatever a new disk starts with
    if (auto v = o.optional("center")) d->set_center(v->as_vec3());
    if (auto v = o.optional("radius")) d->set_radius(v->as_float());
    if (auto v = o.optional("matrix")) d->set_matrix(v->as_mat4());
    if (auto v = o.optional("sweep")) d->set_sweep(v->as_vec3());
    return;
  }
  // A light takes no part in a simulation: it may hold anything the writer wrote.
  if (auto* l = dynamic_cast<light_shape*>(&node))
    if (auto v = o.optional("position")) l->set_position(v->as_vec3(json_reader::numbers::any));
}

void shape_geometry_reader::part(json_reader::object& o, part_shape& p) {
  if (auto v = o.optional("transformation")) {
    if (p.is_joint()) v->fail("a joint has no transformation of its own: its joint state moves it");
    p.set_transformation(v->as_mat4());
  }
  if (auto v = o.optional("axis_matrix")) p.set_axis_matrix(v->as_mat4());
  if (auto v = o.optional("joint")) joint(*v, p.joint());
  if (auto v = o.optional("camera")) camera(*v, *p.camera());
}

void shape_geometry_reader::joint(const json_reader& at, joint_state& j) {
  json_reader::object o = at.members();
  if (auto v = o.optional("position")) j.position = v->as_vec3();
  if (auto v = o.optional("offset")) j.offset = v->as_vec3();
  if (auto v = o.optional("rotation")) j.rotation = v->as_quaternion();
  if (auto v = o.optional("bone_matrix")) j.bone_matrix = v->as_mat4();
  if (auto v = o.optional("limits")) {
    const auto axes = v->items(3);
    for (int i = 0; i < 3; ++i) j.limits[i] = axes[i].as_vec2();
  }
  if (auto v = o.optional("limit_enabled")) j.limit_enabled = v->as_bool();
  if (auto v = o.optional("center")) j.center = v->as_vec3();
  if (auto v = o.optional("axis")) j.axis = v->as_vec3();
  if (auto v = o.optional("value")) j.value = v->as_float();
  if (auto v = o.optional("min")) j.min = v->as_float();
  if (auto v = o.optional("max")) j.max = v->as_float();
  o.finish();
}

void shape_geometry_reader::camera(const json_reader& at, camera_state& c) {
  json_reader::object o = at.members();
  // A camera only looks at the scene: it may hold anything the writer wrote.
  constexpr auto any = json_reader::numbers::any;
  if (auto v = o.optional("eye")) c.eye = v->as_vec3(any);
  if (auto v = o.optional("target")) c.target = v->as_vec3(any);
  if (auto v = o.optional("focal_length")) c.focal_length = v->as_float(any);
  o.finish();
}

void shape_geometry_reader::polygon_mesh(json_reader::object& o, polygon_mesh_shape& m) {
  std::vector<vec3> vertices;
  if (auto v = o.optional("vertices"))
    for (const json_reader& item : v->items()) vertices.push_back(item.as_vec3());
  m.set_vertices(vertices);
  std::vector<std::vector<int>> faces;
  if (auto v = o.optional("faces"))
    for (const json_reader& face : v->items()) faces.push_back(indices_into(face, vertices.size(), "vertex"));
  m.set_faces(faces);
  if (auto v = o.optional("selected_vertices")) m.select_vertices(indices_into(*v, vertices.size(), "vertex"));
  if (auto v = o.optional("selected_faces")) m.select_faces(indices_into(*v, faces.size(), "face"));
}

void shape_geometry_reader::line(json_reader::object& o, line_shape& l) {
  std::vector<line_shape::point> points;
  if (auto v = o.optional("points"))
    for (const json_reader& item : v->items()) {
      json_reader::object p = item.members();
      line_shape::point point;
      if (auto q = p.optional("position")) point.position = q->as_vec3();
      // A handle left out sits on its point.
      auto handle = [&](const char* key) {
        auto q = p.optional(key);
        return q ? q->as_vec3() : point.position;
      };
      point.in_handle = handle("in_handle");
      point.out_handle = handle("out_handle");
      point.fourth_handle = handle("fourth_handle");
      point.fifth_handle = handle("fifth_handle");
      p.finish();
      points.push_back(point);
    }
  l.set_points(points);
  if (auto v = o.optional("closed")) l.set_closed(v->as_bool());
  if (auto v = o.optional("sweep")) l.set_sweep(v->as_vec3());
  if (auto v = o.optional("revolution_axis")) {
    const auto ends = v->items(2);
    l.set_revolution_axis(ends[0].as_vec3(), ends[1].as_vec3());
  }
}

}  // namespace host
