// softbody_properties: simulated nodes written into the mesh after a step, and the rest
// positions written back.
#include <algorithm>
#include <cmath>

#include "base/units.hpp"
#include "base/uuid_table.hpp"
#include "engine/phygics_world.hpp"
#include "sdk/sxsdk.hpp"
#include "softbody/mesh_points.hpp"
#include "softbody/softbody_properties.hpp"

void softbody_properties::write_back(phygics_world& engine) {
  if (shape == nullptr) return;
  mesh_points points(*shape);
  // With a projection, the vertices as they now read are kept while they are written, so that
  // the projection need not read the whole mesh back.
  const bool projected = shape->get_links(physplug_figure_uuid) == 1;
  std::vector<float4_ops::float4> now(projected ? std::size_t(points.count()) : 0);
  std::vector<char> known(now.size(), 0);
  std::vector<btVector3> nodes;
  // A vertex without skin binds is written here, inline: its position set to the node times the
  // world-to-local rows, and (with a projection) read as that times the local-to-world rows, as
  // mesh_points::write_and_read does; the others go through mesh_points.
  const mesh_points::rows to_local = points.world_to_local(), to_world = points.local_to_world();
  for (std::size_t k = 0; k < datas.size(); ++k) {
    if (!engine.get_softbody_positions(shape, int(k), nodes)) continue;  // a record the engine does not know
    const std::vector<std::int32_t>& vertices = datas[k].node_vertices;
    const std::size_t n = std::min(nodes.size(), vertices.size());
    for (std::size_t i = 0; i < n; ++i) {
      const btVector3 p = nodes[i] * units::millimetres_per_metre;
      const std::int32_t v = vertices[i];
      if (sxsdk::vertex_class* vertex = points.unbound(v)) {
        const sx::vec<float, 3> local = mesh_points::times(float4_ops::float4{p.x(), p.y(), p.z(), 0.0f}, to_local);
        vertex->set_position(local);
        if (projected) {
          known[std::size_t(v)] = 1;
          now[std::size_t(v)] = float4_ops::load(mesh_points::times(float4_ops::load(local), to_world));
        }
      } else if (!projected) {
        points.write_bound(v, {p.x(), p.y(), p.z()});
      } else if (v >= 0 && v < points.count()) {
        sx::vec<float, 3> read;
        known[std::size_t(v)] = points.write_and_read(v, {p.x(), p.y(), p.z()}, read) ? 1 : 0;
        now[std::size_t(v)] = float4_ops::load(read);
      }
    }
  }
  if (!projected) return;
  for (std::size_t v = 0; v < now.size(); ++v) {
    sx::vec<float, 3> p = float4_ops::store(now[v]);
    // A vertex that cannot be read, or is not finite, leaves the projection where it is.
    if ((!known[v] && !points.read(int(v), p)) || !std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
      now.clear();
      break;
    }
    now[v] = float4_ops::load(p);
  }
  set_related_shape_position(now);
}

void softbody_properties::reset_positions() {
  if (shape == nullptr) return;
  mesh_points points(*shape);
  for (const softbody_datas& record : datas) {
    for (std::size_t i = 0; i < record.node_vertices.size() && 3 * i + 2 < record.vertices.size(); ++i) {
      const float* rest = &record.vertices[3 * i];
      points.write(record.node_vertices[i],
                   {rest[0] * units::millimetres_per_metre, rest[1] * units::millimetres_per_metre,
                    rest[2] * units::millimetres_per_metre});
    }
  }
}
