#include "plugin/bullet_figure_component.hpp"

#include "base/handler_guard.hpp"
#include "base/uuid_table.hpp"
#include "plugin/modify_attribute_access.hpp"
#include "plugin/version.hpp"

bool bullet_figure_component::do_figure(sxsdk::scene_interface* scene, void*) {
  return handler_guard::guarded(scene, "do_figure", true, [&] {
    bool result = true;
    if (scene) modify_attribute_access::ask_active_shape(*scene, result);
    return result;
  });
}

sx::uuid_class bullet_figure_component::get_uuid(void*) { return physplug_figure_uuid; }

int bullet_figure_component::get_sorvel_version() const { return physplug_version::sorvel_version; }
