// softbody_properties: simulated nodes written into the mesh after a step, and the rest
// positions written back.
#include "base/units.hpp"
#include "engine/phygics_world.hpp"
#include "geometry/shape_position_class.hpp"
#include "sdk/sxsdk.hpp"
#include "softbody/mesh_frame.hpp"
#include "softbody/softbody_properties.hpp"

void softbody_properties::write_back(phygics_world& engine) {
  if (shape == nullptr) return;
  shape_position_class position;
  (void)position.set_shape(*shape);
  position.world = true;
  const mesh_frame frame(*shape);
  sxsdk::polygon_mesh_class& mesh = shape->get_polygon_mesh();
  const int count = mesh.get_number_of_vertices();
  std::vector<btVector3> nodes;
  for (std::size_t k = 0; k < datas.size(); ++k) {
    if (!engine.get_softbody_positions(shape, int(k), nodes)) continue;  // a record the engine does not know
    const std::vector<std::int32_t>& vertices = datas[k].node_vertices;
    for (std::size_t i = 0; i < nodes.size() && i < vertices.size(); ++i) {
      const int v = vertices[i];
      if (v < 0 || v >= count) continue;
      const btVector3 p = nodes[i] * units::millimetres_per_metre;
      const sx::vec<float, 3> world{p.x(), p.y(), p.z()};
      if (!mesh_frame::bound(mesh, v)) {
        mesh.vertex(v).set_position(world * frame.wtol);
        continue;
      }
      if (position.set_index(v)) continue;
      position.positions.assign(1, world);
      (void)position.set(false);
    }
  }
  set_related_shape_position();
}

void softbody_properties::reset_positions() {
  if (shape == nullptr) return;
  shape_position_class position;
  (void)position.set_shape(*shape);
  position.world = true;
  for (const softbody_datas& record : datas) {
    for (std::size_t i = 0; i < record.node_vertices.size() && 3 * i + 2 < record.vertices.size(); ++i) {
      if (position.set_index(record.node_vertices[i])) continue;
      const float* rest = &record.vertices[3 * i];
      position.positions.assign(1, {rest[0] * units::millimetres_per_metre, rest[1] * units::millimetres_per_metre,
                                    rest[2] * units::millimetres_per_metre});
      (void)position.set(false);
    }
  }
}
