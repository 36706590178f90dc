#include "base/texts.hpp"

#include "sdk/host_ref.hpp"

namespace texts {

std::string get_text(sxsdk::scene_interface& scene, const char* id) {
  sxsdk::host_ref<sxsdk::host_interface> host(scene.get_host());
  if (!host) return id;
  return host->get_text(id);
}

void show_message(sxsdk::scene_interface& scene, const char* id) { scene.message(get_text(scene, id).c_str()); }

void show_error(sxsdk::scene_interface& scene, const char* text) { scene.show_error(text); }

void show_unwritten(sxsdk::scene_interface& scene, const char* what, const std::string& shape_name) {
  show_error(scene, ("physplug: could not write the " + std::string(what) + " of \"" + shape_name + "\"").c_str());
}

}  // namespace texts
