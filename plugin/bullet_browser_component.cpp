#include "plugin/bullet_browser_component.hpp"

#include "base/handler_guard.hpp"
#include "base/uuid_table.hpp"
#include "plugin/modify_attribute_access.hpp"
#include "plugin/version.hpp"

bool bullet_browser_component::do_browser(sxsdk::scene_interface* scene, void*) {
  return handler_guard::guarded(scene, "do_browser", false, [&] {
    bool result = false;
    return scene && modify_attribute_access::ask_active_shape(*scene, result) && result;
  });
}

sx::uuid_class bullet_browser_component::get_uuid(void*) { return physplug_browser_uuid; }

int bullet_browser_component::get_sorvel_version() const { return physplug_version::sorvel_version; }
