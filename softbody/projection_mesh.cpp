// softbody_properties: the projection mesh whose selected vertices follow this soft body mesh
// (binding stream and link under physplug_figure_uuid on this mesh, rest positions under
// physplug_browser_uuid on the projection mesh), and anchors from a vertex selection.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "properties/property_stream.hpp"
#include "sdk/sxsdk.hpp"
#include "softbody/cloth_search.hpp"
#include "softbody/cloth_util.hpp"
#include "softbody/mesh_points.hpp"
#include "softbody/softbody_properties.hpp"
#include "softbody/softbody_stream.hpp"

namespace {

using vec3 = sx::vec<float, 3>;

bool is_mesh(sxsdk::shape_class& s) { return s.get_type() == sxsdk::shape_type::polygon_mesh; }

// Every vertex of `mesh` in world millimetres; false when one cannot be read or is not finite.
bool world_positions(sxsdk::shape_class& mesh, std::vector<vec3>& out) {
  out.clear();
  mesh_points points(mesh);
  out.reserve(std::size_t(points.count()));
  for (int i = 0; i < points.count(); ++i) {
    vec3 p;
    if (!points.read(i, p)) return false;
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return false;
    out.push_back(p);
  }
  return true;
}

// The weighted sum of a binding's cloth vertices in entry order (an entry of -1 is skipped, the
// first used entry's term is taken as it is); false when no entry is used or one names a vertex
// outside the `count` vertices at `cloth`.
bool weighted_sum(const softbody_properties::proxcy_struct& b, const float4_ops::float4* cloth, std::size_t count,
                  float4_ops::float4& sum) {
  using float4_ops::splat;
  const std::int32_t* v = b.mesh_vertex;
  const float* w = b.weight;
  // One unsigned comparison per entry: a negative index turns into one of 2^31 or more.
  const std::uint32_t n = std::uint32_t(std::min<std::size_t>(count, INT32_MAX));
  // The usual binding: three entries, all on the cloth.
  if (std::uint32_t(v[0]) < n && std::uint32_t(v[1]) < n && std::uint32_t(v[2]) < n) {
    sum = (splat(w[0]) * cloth[v[0]] + splat(w[1]) * cloth[v[1]]) + splat(w[2]) * cloth[v[2]];
    return true;
  }
  bool any = false;
  for (int j = 0; j < 3; ++j) {
    if (v[j] < 0) continue;
    if (std::uint32_t(v[j]) >= n) return false;
    const float4_ops::float4 term = splat(w[j]) * cloth[v[j]];
    sum = any ? sum + term : term;
    any = true;
  }
  return any;
}

void refuse(sxsdk::scene_interface& scene, const std::string& why) {
  texts::show_error(scene, ("physplug: no projection mesh made: " + why).c_str());
}

}  // namespace

sxsdk::shape_class* softbody_properties::projection_mesh() const {
  if (shape == nullptr) return nullptr;
  try {
    if (shape->get_links(physplug_figure_uuid) != 1) return nullptr;
    sxsdk::shape_class* linked = nullptr;
    (void)shape->get_links(physplug_figure_uuid, &linked);
    return linked;
  } catch (...) {
    return nullptr;
  }
}

bool softbody_properties::create_proxcy_mesh(sxsdk::scene_interface* scene, sxsdk::shape_class& projection) {
  if (shape == nullptr || scene == nullptr) return false;
  if (!is_mesh(projection) || !is_mesh(*shape)) return false;
  if (projection.get_polygon_mesh().get_number_of_active_vertices() < 1) {
    delete_projection();
    return false;
  }
  if (&projection == shape) {
    refuse(*scene, "\"" + shape->get_name() + "\" cannot follow itself");
    return false;
  }
  const std::vector<int> selected = scene->get_active_vertices();
  std::vector<vec3> rest, cloth;
  if (!world_positions(projection, rest)) {
    refuse(*scene, "a vertex of \"" + projection.get_name() + "\" has no finite position");
    return false;
  }
  if (!world_positions(*shape, cloth) || cloth.empty()) {
    refuse(*scene, "a vertex of \"" + shape->get_name() + "\" has no finite position");
    return false;
  }
  {
    property_stream::stream_ref stream = property_stream::create(projection, physplug_browser_uuid);
    if (!stream) return false;
    for (const vec3& p : rest) stream->write_vec3(p);
  }
  const cloth_search search(cloth);
  std::vector<proxcy_struct> bindings = proxcys;
  for (int v : selected) {
    if (v < 0 || std::size_t(v) >= rest.size()) continue;
    cloth_util builder;
    (void)builder.make_from(search.find(rest[std::size_t(v)], true), *scene, v);
    if (builder.vws.empty()) continue;  // no candidate: the vertex stays where it is
    proxcy_struct b;
    b.vertex = v;
    for (std::size_t j = 0; j < builder.vws.size() && j < 3; ++j) {
      b.mesh_vertex[j] = builder.vws[j].index;
      b.weight[j] = builder.vws[j].weight;
    }
    b.offset = builder.offset;
    bindings.push_back(b);
  }
  proxcys = std::move(bindings);
  (void)shape->delete_attribute_stream(physplug_figure_uuid);
  if (const int links = shape->get_links(physplug_figure_uuid); links > 0) {
    std::vector<sxsdk::shape_class*> linked(std::size_t(links), nullptr);
    (void)shape->get_links(physplug_figure_uuid, linked.data());
    for (sxsdk::shape_class* l : linked)
      if (l != nullptr) (void)shape->remove_link(physplug_figure_uuid, *l);
  }
  if (proxcys.empty()) return true;
  if (property_stream::stream_ref stream = property_stream::create(*shape, physplug_figure_uuid)) {
    stream->set_label(("->" + projection.get_name()).c_str());
    softbody_stream::write_bindings(*stream, proxcys);
  }
  shape->add_link(physplug_figure_uuid, projection);
  return true;
}

void softbody_properties::delete_projection() {
  if (shape == nullptr) return;
  (void)shape->delete_attribute_stream(physplug_figure_uuid);
  const int count = shape->get_links(physplug_figure_uuid);
  if (count <= 0) return;
  std::vector<sxsdk::shape_class*> linked(std::size_t(count), nullptr);
  (void)shape->get_links(physplug_figure_uuid, linked.data());
  for (sxsdk::shape_class* l : linked) {
    if (l == nullptr) continue;
    (void)shape->remove_link(physplug_figure_uuid, *l);
    if (l->get_links(physplug_figure_uuid) == 0) (void)l->delete_attribute_stream(physplug_browser_uuid);
  }
}

void softbody_properties::set_related_shape_position() {
  if (shape == nullptr || shape->get_links(physplug_figure_uuid) != 1) return;
  std::vector<vec3> read;
  std::vector<float4_ops::float4> cloth;
  if (world_positions(*shape, read)) {
    cloth.reserve(read.size());
    for (const vec3& p : read) cloth.push_back(float4_ops::load(p));
  }
  set_related_shape_position(cloth);
}

void softbody_properties::set_related_shape_position(const std::vector<float4_ops::float4>& cloth) {
  if (shape == nullptr || shape->get_links(physplug_figure_uuid) != 1) return;
  sxsdk::shape_class* projection = projection_mesh();
  if (projection == nullptr) {
    sxsdk::host_ref<sxsdk::scene_interface> scene(shape->get_scene());
    if (scene) texts::show_error(*scene, "proxcy mesh error");
    return;
  }
  if (!is_mesh(*projection) || projection == shape || proxcys.empty() || cloth.empty()) return;
  mesh_points target(*projection);
  // Local copies: the vertex calls below could, for all the compiler knows, change the vector
  // and the matrix, which would make it load them again for every vertex.
  const mesh_points::rows to_local = target.world_to_local();
  const float4_ops::float4* const points = cloth.data();
  const std::size_t count = cloth.size();
  for (const proxcy_struct& b : proxcys) {
    float4_ops::float4 sum;
    if (!weighted_sum(b, points, count, sum)) continue;
    if (sxsdk::vertex_class* vertex = target.unbound(b.vertex)) {
      vertex->set_position(mesh_points::times(sum, to_local));
    } else {
      target.write_bound(b.vertex, float4_ops::store(sum));
    }
  }
}

void softbody_properties::reset_related_shape_position() {
  sxsdk::shape_class* projection = projection_mesh();
  if (projection == nullptr || !is_mesh(*projection) || projection == shape) return;
  mesh_points points(*projection);
  if (points.count() <= 0) return;
  property_stream::stream_ref stream = property_stream::open(*projection, physplug_browser_uuid);
  if (!stream) return;
  property_stream::reader in(*stream);
  for (int i = 0; i < points.count(); ++i) {
    float p[3];
    if (!in.read_vec3(p)) {
      if (in.failed()) break;  // the stream is shorter than the mesh: the rest stays
      continue;                // a refused (non-finite) vector leaves its vertex
    }
    points.write(i, {p[0], p[1], p[2]});
  }
}

void softbody_properties::assign_optional_anchor(sxsdk::scene_interface& scene, sxsdk::shape_class& rigid) {
  if (datas.empty()) return;
  softbody_datas& d = datas.front();
  const std::size_t nodes = d.vertices.size() / 3;
  std::vector<std::int32_t> selected;
  for (int v : scene.get_active_vertices())
    if (v >= 0 && std::size_t(v) < nodes) selected.push_back(v);
  auto& groups = d.anchors;
  const auto own = std::find_if(groups.begin(), groups.end(),
                                [&](const softbody_datas::anchor_struct& a) { return a.rigid == &rigid; });
  if (own != groups.end()) groups.erase(own);
  for (std::int32_t v : selected)
    for (softbody_datas::anchor_struct& g : groups) {
      const auto at = std::find(g.nodes.begin(), g.nodes.end(), v);
      if (at != g.nodes.end()) g.nodes.erase(at);
    }
  groups.erase(std::remove_if(groups.begin(), groups.end(),
                              [](const softbody_datas::anchor_struct& a) { return a.nodes.empty(); }),
               groups.end());
  if (!selected.empty()) groups.push_back({&rigid, selected});
}
