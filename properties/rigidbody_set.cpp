#include "properties/rigidbody_set.hpp"

#include <string>

#include "base/matrix_conversion.hpp"
#include "base/texts.hpp"
#include "properties/engine_shape_size.hpp"
#include "properties/primitive_properties.hpp"
#include "properties/settings_limits.hpp"
#include "properties/shape_roles.hpp"
#include "sdk/part_class.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"

namespace {

// The English error texts of a refused body, per list; null shows nothing.
struct refusal_texts {
  const char* no_primitive;
  const char* refused;
};

void show_error(sxsdk::scene_interface* scene, const char* text) {
  if (scene && text) texts::show_error(*scene, text);
}

// Names a body whose stream was cut short, before the world's own refusal of it.
void show_cut_short(sxsdk::scene_interface* scene, const rigidbody_properties& body) {
  std::int32_t version = 0;
  int length = 0;
  if (!scene || !body.part() || !body.stream_cut_short(version, length)) return;
  const std::string stored = version < 0 ? "no version" : "version " + std::to_string(version);
  const std::string text = "physplug: the rigid body settings of \"" + settings_limits::path_of(*body.part()) +
                           "\" are damaged (" + stored + ", " + std::to_string(length) + " of " +
                           std::to_string(rigidbody_properties::stream_size(version)) + " bytes)";
  texts::show_error(*scene, text.c_str());
}

bool add_body(phygics_world& engine, sxsdk::scene_interface* scene, rigidbody_properties& body,
              const refusal_texts& texts) {
  if (!body.primitive) {
    show_cut_short(scene, body);
    show_error(scene, texts.no_primitive);
    return false;
  }
  const std::string problem = settings_limits::rigidbody_problem(body);
  if (!problem.empty()) {
    if (scene && body.part())
      texts::show_error(*scene, ("physplug: the rigid body \"" + settings_limits::path_of(*body.part()) +
                                 "\" cannot be simulated: " + problem)
                                    .c_str());
    return false;
  }
  primitive_properties primitive;  // the default record: a sphere unless the stream says otherwise
  primitive.shape = body.primitive;
  (void)primitive.get_properties();  // a primitive without a readable stream keeps the defaults
  to_engine_shape_size(primitive);
  if (!engine.addCollisionShape(primitive)) return false;
  if (engine.addRigidBody(body)) return true;
  show_error(scene, texts.refused);
  return false;
}

bool add_bodies(phygics_world& engine, sxsdk::scene_interface* scene, std::vector<rigidbody_properties>& bodies,
                const refusal_texts& texts) {
  for (rigidbody_properties& body : bodies)
    if (!add_body(engine, scene, body, texts)) return false;
  return true;
}

}  // namespace

bool rigidbody_set::regist(sxsdk::shape_class& shape) {
  if (!is_bullet_rigidbody(shape)) return false;
  rigidbody_properties body;
  body.shape = &shape;
  (void)body.get_properties();  // a missing or damaged stream leaves the defaults in place
  switch (body.type) {
    case rigidbody_datas::static_body:
      static_bodies_.push_back(body);
      break;
    case rigidbody_datas::kinematic:
      kinematic_bodies_.push_back(body);
      break;
    case rigidbody_datas::move:
      moving_bodies_.push_back(body);
      moving_places_.push_back({shape.get_transformation(), !shape.get_dad() || hangs_under_joint(shape)});
      break;
    default:
      break;  // an unknown type takes no part in the simulation
  }
  return true;
}

bool rigidbody_set::add_to_engine(phygics_world& engine, sxsdk::scene_interface* scene) {
  return add_bodies(engine, scene, static_bodies_, {"bad primitive shape", "error in add rigid"}) &&
         add_bodies(engine, scene, kinematic_bodies_, {"error in add rigid", nullptr}) &&
         add_bodies(engine, scene, moving_bodies_, {"bad primitive shape", "error in add rigid"});
}

void rigidbody_set::set_kinematic_transform(phygics_world& engine) {
  for (rigidbody_properties& body : kinematic_bodies_) {
    sxsdk::shape_class* primitive = body.primitive_shape();
    if (!primitive) continue;
    btTransform pose = conversion::host_to_engine(primitive->get_local_to_world_matrix());
    (void)engine.set_kinematic_new_transform(body, pose);  // a body the engine lacks is left alone
  }
}

void rigidbody_set::write_back(phygics_world& engine) {
  for (std::size_t i = 0; i < moving_bodies_.size(); ++i) {
    rigidbody_properties& body = moving_bodies_[i];
    sxsdk::shape_class* shape = body.part();
    // A body without a dad is never below a world part; one under a joint moves with it.
    if (!shape || moving_places_[i].not_moved_directly) continue;
    btTransform pose;
    if (!engine.get_rigidbody_transform(body, pose)) continue;
    // World pose in millimetres, then into the frame the part's transformation lives in: a
    // part's world-to-local matrix maps world coordinates into its dad's frame.
    const sxsdk::mat4 world = conversion::engine_to_host(pose);
    shape->get_part().set_transformation(world * shape->get_world_to_local_matrix());
  }
}

void rigidbody_set::restore() {
  // The stored start transform (metres, float) would bring a part back only up to rounding;
  // the transformation taken at registration brings it back exactly.
  for (std::size_t i = 0; i < moving_bodies_.size(); ++i) {
    sxsdk::shape_class* shape = moving_bodies_[i].part();
    if (!shape || moving_places_[i].not_moved_directly) continue;  // a joint restores its own
    shape->get_part().set_transformation(moving_places_[i].start);
  }
}

void rigidbody_set::clear() {
  static_bodies_.clear();
  moving_bodies_.clear();
  kinematic_bodies_.clear();
  moving_places_.clear();
}

void rigidbody_set::start_moved(sxsdk::shape_class& body_part) {
  for (std::size_t i = 0; i < moving_bodies_.size(); ++i)
    if (moving_bodies_[i].part() == &body_part) moving_places_[i].start = body_part.get_transformation();
}

void rigidbody_set::reverse_direction(phygics_world& engine) {
  for (rigidbody_properties& body : moving_bodies_) (void)engine.reverse_direction(body);
}
