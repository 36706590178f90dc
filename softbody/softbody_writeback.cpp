// softbody_properties: simulated nodes written into the mesh after a step, and the rest
// positions written back.
#include "base/units.hpp"
#include "engine/phygics_world.hpp"
#include "sdk/sxsdk.hpp"
#include "softbody/mesh_points.hpp"
#include "softbody/softbody_properties.hpp"

void softbody_properties::write_back(phygics_world& engine) {
  if (shape == nullptr) return;
  mesh_points points(*shape);
  std::vector<btVector3> nodes;
  for (std::size_t k = 0; k < datas.size(); ++k) {
    if (!engine.get_softbody_positions(shape, int(k), nodes)) continue;  // a record the engine does not know
    const std::vector<std::int32_t>& vertices = datas[k].node_vertices;
    for (std::size_t i = 0; i < nodes.size() && i < vertices.size(); ++i) {
      const btVector3 p = nodes[i] * units::millimetres_per_metre;
      points.write(vertices[i], {p.x(), p.y(), p.z()});
    }
  }
  set_related_shape_position();
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
