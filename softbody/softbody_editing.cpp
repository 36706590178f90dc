// softbody_properties: the settings dialog applied to a record, and the conversion of a mesh's
// faces into a record's nodes, rest positions, triangles and first anchor group.
#include <cmath>
#include <set>

#include "base/texts.hpp"
#include "base/units.hpp"
#include "base/uuid_table.hpp"
#include "geometry/shape_position_class.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/sxsdk.hpp"
#include "softbody/softbody_dialog.hpp"
#include "softbody/softbody_properties.hpp"

namespace {

std::vector<int> selected_vertices(sxsdk::scene_interface& scene, sxsdk::shape_class& mesh) {
  sxsdk::host_ref<sxsdk::element_selection_interface> service(
      scene.get_element_selection_interface(elements_preference_uuid));
  return service ? service->get_selected_vertices(mesh) : std::vector<int>();
}

bool face_editing(sxsdk::scene_interface& scene) {
  return scene.is_mesh_edit_mode() && scene.get_selection_mode() == sxsdk::selection_mode::faces;
}

void refuse(sxsdk::scene_interface& scene, sxsdk::shape_class& mesh, const std::string& why) {
  texts::show_error(scene, ("physplug: \"" + mesh.get_name() + "\" cannot be made a soft body: " + why).c_str());
}

// Cuts a face of m vertices into m - 2 triangles, alternately from both ends.
void cut_face(const std::vector<int>& c, std::vector<std::int32_t>& triangles) {
  const int m = int(c.size());
  for (int i = 0; i + 2 < m; ++i) {
    const int h = i / 2;
    const std::size_t a = std::size_t(i % 2 == 0 ? h : h + 1), b = std::size_t(i % 2 == 0 ? h + 1 : m - 2 - h),
                      e = std::size_t(m - 1 - h);
    triangles.insert(triangles.end(), {c[a], c[b], c[e]});
  }
}

// True when the triangle of nodes (a, b, c) spans an area: Bullet divides by its links'
// lengths and its face's area, so a face with a repeated or collinear corner would fill the
// cloth with NaN.
bool has_area(const std::vector<float>& v, std::int32_t a, std::int32_t b, std::int32_t c) {
  if (a == b || b == c || a == c) return false;
  auto at = [&](std::int32_t n) {
    return btVector3(v[3 * std::size_t(n)], v[3 * std::size_t(n) + 1], v[3 * std::size_t(n) + 2]);
  };
  return (at(b) - at(a)).cross(at(c) - at(a)).length2() > 1e-24f;
}

}  // namespace

bool softbody_properties::convert_mesh(sxsdk::scene_interface& scene, softbody_datas& record,
                                       const std::vector<int>& selected, sxsdk::shape_class* body) {
  const int points = shape->get_number_of_points();
  if (points <= 0) {
    texts::show_message(scene, "No faces polygon mesh");
    return false;
  }
  sxsdk::polygon_mesh_class& mesh = shape->get_polygon_mesh();
  std::vector<int> faces;
  if (face_editing(scene)) {
    faces = mesh.get_active_faces();
    if (faces.empty()) {
      texts::show_message(scene, "No faces selected");
      return false;
    }
  } else {
    for (int f = 0; f < mesh.get_number_of_faces(); ++f) faces.push_back(f);
  }
  std::vector<std::int32_t> triangles;
  triangles.reserve(6 * faces.size() + 100);
  std::set<int> used;
  for (int f : faces) {
    const std::vector<int> c = mesh.face(f).get_vertex_indices();
    for (int v : c) {
      if (v < 0 || v >= points) {
        refuse(scene, *shape,
               "face " + std::to_string(f) + " names vertex " + std::to_string(v) + ", which it does not have");
        return false;
      }
      used.insert(v);
    }
    cut_face(c, triangles);
  }
  std::vector<std::int32_t> map(std::size_t(points), -1);
  std::vector<std::int32_t> node_vertices;
  std::vector<float> vertices;
  vertices.reserve(3 * used.size());
  shape_position_class position;
  (void)position.set_shape(*shape);
  position.world = true;
  for (int v : used) {
    if (position.set_index(v) || position.get() || position.positions.empty()) {
      refuse(scene, *shape, "the position of vertex " + std::to_string(v) + " cannot be read");
      return false;
    }
    const sx::vec<float, 3> p = position.positions.front();
    const float x = p.x * units::metres_per_millimetre, y = p.y * units::metres_per_millimetre,
                z = p.z * units::metres_per_millimetre;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
      refuse(scene, *shape, "vertex " + std::to_string(v) + " has no finite position");
      return false;
    }
    map[std::size_t(v)] = std::int32_t(node_vertices.size());
    node_vertices.push_back(v);
    vertices.insert(vertices.end(), {x, y, z});
  }
  std::vector<std::int32_t> kept;
  kept.reserve(triangles.size());
  for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
    const std::int32_t a = map[std::size_t(triangles[t])], b = map[std::size_t(triangles[t + 1])],
                       c = map[std::size_t(triangles[t + 2])];
    if (has_area(vertices, a, b, c)) kept.insert(kept.end(), {a, b, c});
  }
  if (kept.empty()) {
    refuse(scene, *shape, "none of its faces has an area");
    return false;
  }
  if (kept.size() < triangles.size())
    texts::show_error(scene, ("physplug: " + std::to_string((triangles.size() - kept.size()) / 3) +
                              " triangles without area in \"" + shape->get_name() + "\" are left out of the soft body")
                                 .c_str());
  std::vector<std::int32_t> anchored;
  for (int v : selected)
    if (v >= 0 && v < points && map[std::size_t(v)] >= 0) anchored.push_back(map[std::size_t(v)]);
  record.node_vertices = std::move(node_vertices);
  record.vertices = std::move(vertices);
  record.triangles = std::move(kept);
  if (selected.empty()) {
    if (!record.anchors.empty()) record.anchors.erase(record.anchors.begin());
  } else if (record.anchors.empty()) {
    record.anchors.push_back({body, anchored});
  } else {
    record.anchors.front() = {body, anchored};
  }
  return true;
}

bool softbody_properties::modify_softbody_shape(sxsdk::scene_interface* scene, int index) {
  if (scene == nullptr || shape == nullptr || index < 0 || std::size_t(index) > datas.size()) return false;
  const bool fresh = std::size_t(index) == datas.size();
  softbody_datas record = fresh ? softbody_datas() : datas[std::size_t(index)];
  const std::vector<int> selected = selected_vertices(*scene, *shape);
  std::vector<sxsdk::shape_class*> bodies;
  if (sxsdk::shape_class* dad = shape->get_dad()) (void)get_sons_rigidbody_recursively(*dad, bodies);
  const softbody_dialog::settings_result answer =
      softbody_dialog::ask_settings(*scene, *shape, record, index, !fresh, bodies);
  if (!answer.confirmed) return false;
  if (!fresh && !answer.renew_vertices) {
    if (!record.anchors.empty()) record.anchors.front().rigid = answer.anchor_body;
  } else if (!convert_mesh(*scene, record, selected, answer.anchor_body)) {
    return false;
  }
  const std::vector<softbody_datas> before = datas;
  if (fresh)
    datas.push_back(std::move(record));
  else
    datas[std::size_t(index)] = std::move(record);
  if (regist()) return true;
  datas = before;
  texts::show_unwritten(*scene, "soft body settings", shape->get_name());
  return false;
}
