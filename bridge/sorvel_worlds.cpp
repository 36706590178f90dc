#include "bridge/sorvel_worlds.hpp"

#include "base/texts.hpp"
#include "properties/shape_roles.hpp"
#include "properties/world_properties.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"

void sorvel_worlds::create(sxsdk::scene_interface* scene, sxsdk::shape_class& shape) {
  if (!is_bullet_world(shape)) {
    for (sxsdk::shape_class& son : sxsdk::sons(shape)) create(scene, son);
    return;
  }
  world_properties settings;
  settings.shape = &shape;
  settings.get_properties();
  if (settings.active) worlds_.emplace_back(shape);
}

bool sorvel_worlds::create_bullets(sxsdk::scene_interface* scene, sxsdk::shape_class& root) {
  create(scene, root);
  if (worlds_.empty()) return false;
  for (sorvel_world& world : worlds_) {
    if (world.create_bullet(scene)) continue;
    if (scene) {
      const std::string name = world.settings().part()->get_name();
      scene->message(texts::format(texts::get_text(*scene, "Bullet world[%s] create ERROR"), name).c_str());
    }
    return false;
  }
  return true;
}

void sorvel_worlds::start_moved(sxsdk::shape_class& body_part) {
  for (sorvel_world& world : worlds_) world.start_moved(body_part);
}

void sorvel_worlds::clear() {
  for (sorvel_world& world : worlds_) world.clear();
  worlds_.clear();
}
