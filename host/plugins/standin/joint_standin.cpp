// A stand-in for one of the other plug-ins whose joints the physics plug-in poses before each
// step (aim constraints, follow joint, IK, multilead joint, surrogate dad joint). The real ones
// are not available to the headless host; this library answers under the same UUID with one
// attribute component that only records each current_joint_value_changed call as a message
// line "standin <name>: current_joint_value_changed <position> <part count>" in the calling
// scene's message window, which tests and the command line read back.
//
// Built once per plug-in with compile definitions: STANDIN_NAME (e.g. "follow") and
// STANDIN_UUID (the 36-character text form). STANDIN_INCOMPLETE leaves out get_info, so the
// library shows the host's error for a missing entry point.
//
// ask_shape throws a C string, as a plug-in with a fault might: the host must survive it.
#include <cstdio>
#include <string>

#include "sdk/host_interface.hpp"
#include "sdk/plugin_entry.hpp"
#include "sdk/plugin_interface.hpp"
#include "sdk/scene_interface.hpp"
#include "sx/core/uuid.hpp"

#ifndef STANDIN_NAME
#error "STANDIN_NAME must name the stand-in"
#endif
#ifndef STANDIN_UUID
#error "STANDIN_UUID must give the stand-in's UUID"
#endif

#ifdef _WIN32
#define STANDIN_EXPORT extern "C" __declspec(dllexport)
#else
#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

const sx::uuid_class standin_uuid(STANDIN_UUID);
const char* const standin_name = "standin " STANDIN_NAME;

class joint_standin final : public sxsdk::attribute_interface {
 public:
  sx::uuid_class get_uuid(void*) override { return standin_uuid; }
  int get_sorvel_version() const override { return 463042; }

  void current_joint_value_changed(bool&, sxsdk::scene_interface* scene, int count, sxsdk::part_class* const*,
                                   void*) override {
    if (!scene) return;
    char line[160];
    std::snprintf(line, sizeof line, "%s: current_joint_value_changed %g %d", standin_name,
                  static_cast<double>(scene->get_sequence_value()), count);
    scene->message(line);
  }

  bool ask_shape(sxsdk::shape_class&, void*) override { throw "the stand-in offers no editing"; }
};

bool is_attribute(const sxsdk::IID& iid) { return iid == sxsdk::attribute_iid; }

}  // namespace

STANDIN_EXPORT int create_interface(const sxsdk::IID& iid, int index, void** out, sxsdk::host_interface*, void*) {
  if (!is_attribute(iid)) return 0;
  if (index != 0 || !out) return -1;
  auto* made = new joint_standin();
  made->AddRef();
  *out = static_cast<sxsdk::attribute_interface*>(made);
  return 1;
}

STANDIN_EXPORT int has_interface(const sxsdk::IID& iid, sxsdk::host_interface*) { return is_attribute(iid) ? 1 : 0; }

STANDIN_EXPORT const char* get_name(const sxsdk::IID& iid, int index, sxsdk::host_interface*) {
  return is_attribute(iid) && index == 0 ? standin_name : nullptr;
}

STANDIN_EXPORT void get_uuid(const sxsdk::IID& iid, int index, sx::uuid_class* out) {
  if (out) *out = is_attribute(iid) && index == 0 ? standin_uuid : sx::uuid_class();
}

STANDIN_EXPORT const char* get_group_name(sxsdk::host_interface*) { return "standin"; }

STANDIN_EXPORT bool is_resident(sxsdk::host_interface*) { return false; }

#ifndef STANDIN_INCOMPLETE
STANDIN_EXPORT void get_info(sxsdk::plugin_info_record* info, sxsdk::host_interface*) {
  if (!info) return;
  info->major = 0, info->minor = 1, info->micro = 0, info->build = 1;
}
#endif
