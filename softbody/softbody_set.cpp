#include "softbody/softbody_set.hpp"

#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "engine/phygics_world.hpp"
#include "properties/property_stream.hpp"
#include "sdk/sxsdk.hpp"
#include "softbody/softbody_stream.hpp"

bool softbody_set::regist(sxsdk::shape_class& shape) {
  if (shape.get_type() != sxsdk::shape_type::polygon_mesh || !property_stream::open(shape, physplug_modify_uuid))
    return false;
  registered r;
  r.properties.shape = &shape;
  if (!r.properties.get_properties() || r.properties.datas.empty()) return true;
  r.mesh.take(shape);
  if (sxsdk::shape_class* projection = r.properties.projection_mesh()) r.projection.take(*projection);
  meshes_.push_back(std::move(r));
  return true;
}

bool softbody_set::add_to_engine(phygics_world& engine, sxsdk::scene_interface* scene) {
  for (registered& r : meshes_) {
    for (softbody_datas& record : r.properties.datas) {
      if (engine.addSoftBody(record, r.properties.shape)) continue;
      if (scene != nullptr) {
        const std::string why = softbody_stream::damage(record);
        texts::show_error(*scene, ("physplug: the soft body \"" + record.name + "\" of \"" + r.properties.mesh_name() +
                                   "\" cannot be simulated" + (why.empty() ? std::string() : " (" + why + ")"))
                                      .c_str());
      }
      return false;
    }
  }
  return true;
}

void softbody_set::write_back(phygics_world& engine, sxsdk::scene_interface*) {
  for (registered& r : meshes_) r.properties.write_back(engine);
}

void softbody_set::reset() {
  for (const registered& r : meshes_) {
    r.mesh.restore();
    r.projection.restore();
  }
}

std::vector<const softbody_properties*> softbody_set::meshes() const {
  std::vector<const softbody_properties*> out;
  for (const registered& r : meshes_) out.push_back(&r.properties);
  return out;
}
