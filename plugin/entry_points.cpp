// The seven functions the host looks up in the library. They answer from component_table and
// never let an exception out: a failure answers as "nothing offered".
#include <cstdlib>
#include <string>

#include "engine/phygics_world.hpp"

#include "plugin/component_table.hpp"
#include "plugin/version.hpp"
#include "sdk/host_interface.hpp"
#include "sdk/plugin_entry.hpp"

#ifdef _WIN32
#define PHYSPLUG_EXPORT extern "C" __declspec(dllexport)
#else
#define PHYSPLUG_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {
/// get_name's answer stays valid until the next call.
std::string name_buffer;

constexpr int unknown_index = -1;  ///< create_interface for a known kind with an index it lacks

/// The threads every rigid-body world steps on, as the host chose them for this run
/// (PHYSPLUG_THREADS=N, 1..64; anything else or nothing: 1), read once when the library is
/// loaded. A choice of the host, stored in no scene; any number gives the same motion.
[[maybe_unused]] const bool step_threads_read = [] {
  const char* text = std::getenv("PHYSPLUG_THREADS");
  char* end = nullptr;
  const long threads = text ? std::strtol(text, &end, 10) : 1;
  const bool whole = text && *text && end && *end == '\0';
  phygics_world::set_step_threads(whole && threads >= 1 && threads <= bullet_world::max_step_threads ? int(threads)
                                                                                                     : 1);
  return true;
}();
}  // namespace

PHYSPLUG_EXPORT int create_interface(const sxsdk::IID& iid, int index, void** out, sxsdk::host_interface*, void*) {
  try {
    if (out) *out = nullptr;
    if (component_table::count(iid) == 0) return 0;
    // Nowhere to hand the reference to: make nothing rather than leak a component.
    if (!out || !component_table::name(iid, index)) return unknown_index;
    *out = component_table::create(iid, index);
    return *out ? 1 : unknown_index;
  } catch (...) {
    return 0;
  }
}

PHYSPLUG_EXPORT int has_interface(const sxsdk::IID& iid, sxsdk::host_interface*) { return component_table::count(iid); }

PHYSPLUG_EXPORT const char* get_name(const sxsdk::IID& iid, int index, sxsdk::host_interface* host) {
  const char* english = component_table::name(iid, index);
  if (!english) return nullptr;
  try {
    name_buffer = host ? host->get_text(english) : std::string(english);
    return name_buffer.c_str();
  } catch (...) {
    return english;  // the host's text lookup failed: the English name still names it
  }
}

PHYSPLUG_EXPORT void get_uuid(const sxsdk::IID& iid, int index, sx::uuid_class* out) {
  if (out) *out = component_table::uuid(iid, index);
}

PHYSPLUG_EXPORT const char* get_group_name(sxsdk::host_interface*) { return "Bullet"; }

PHYSPLUG_EXPORT bool is_resident(sxsdk::host_interface*) { return true; }

PHYSPLUG_EXPORT void get_info(sxsdk::plugin_info_record* info, sxsdk::host_interface*) {
  if (!info) return;
  info->major = physplug_version::major;
  info->minor = physplug_version::minor;
  info->micro = physplug_version::micro;
  info->build = physplug_version::build;
}
