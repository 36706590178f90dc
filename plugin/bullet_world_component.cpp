#include "plugin/bullet_world_component.hpp"

#include "base/handler_guard.hpp"
#include "base/texts.hpp"
#include "base/uuid_table.hpp"
#include "plugin/version.hpp"
#include "properties/world_properties.hpp"
#include "sdk/part_class.hpp"
#include "sdk/scene_interface.hpp"

namespace {

bool create_world_part(sxsdk::scene_interface& scene) {
  world_properties settings;
  if (!settings.modify_bullet_world_part(scene, nullptr)) return false;
  if (scene.is_sequence_mode()) scene.set_sequence_mode(false);
  sxsdk::part_class& part = scene.create_part("Bullet World");
  settings.shape = static_cast<sxsdk::shape_class*>(&part);
  (void)settings.get_properties();  // a new part has no stream yet: the dialog's values stay
  if (!settings.regist()) texts::show_unwritten(scene, "world settings", part.get_name());
  return true;
}

}  // namespace

bool bullet_world_component::create(sxsdk::scene_interface* scene, void*) {
  return handler_guard::guarded(scene, "World", false, [&] { return scene && create_world_part(*scene); });
}

sx::uuid_class bullet_world_component::get_uuid(void*) { return physplug_uuid; }

int bullet_world_component::get_sorvel_version() const { return physplug_version::sorvel_version; }
