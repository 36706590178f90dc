#include "plugin/modify_attribute_access.hpp"

#include "base/uuid_table.hpp"
#include "sdk/host_ref.hpp"
#include "sdk/plugin_interface.hpp"
#include "sdk/scene_interface.hpp"

namespace modify_attribute_access {

bool ask_active_shape(sxsdk::scene_interface& scene, bool& result) {
  sxsdk::host_ref<sxsdk::plugin_interface> held(scene.get_plugin_interface(physplug_modify_uuid));
  auto* attribute = dynamic_cast<sxsdk::attribute_interface*>(held.get());
  if (!attribute) return false;
  result = attribute->ask_shape(scene.get_active_shape());
  return true;
}

}  // namespace modify_attribute_access
