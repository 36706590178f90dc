#pragma once
// The seven C entry points a plug-in library exports, as the host looks them up with dlsym.
#include <cstdint>

#include "sdk/iid.hpp"
#include "sx/core/uuid.hpp"

namespace sxsdk {
class host_interface;

/// The host's plug-in information record: a leading field that is the host's, then four
/// version numbers the plug-in fills.
struct plugin_info_record {
  std::uint64_t host_field;
  std::int32_t major;
  std::int32_t minor;
  std::int32_t micro;
  std::int32_t build;
};

namespace entry {
/// Creates component `index` of kind `iid` with one reference into *out; returns that count (1),
/// non-zero without creating for a known kind with an unknown index, 0 for an unknown kind.
using create_interface_fn = int (*)(const IID& iid, int index, void** out, host_interface* host, void* reserved);
/// Number of components of a kind.
using has_interface_fn = int (*)(const IID& iid, host_interface* host);
/// Localised name of a component (valid until the next call), or null.
using get_name_fn = const char* (*)(const IID& iid, int index, host_interface* host);
/// UUID of a component into *out (all zero when unknown).
using get_uuid_fn = void (*)(const IID& iid, int index, sx::uuid_class* out);
using get_group_name_fn = const char* (*)(host_interface* host);
using is_resident_fn = bool (*)(host_interface* host);
using get_info_fn = void (*)(plugin_info_record* info, host_interface* host);
}  // namespace entry
}  // namespace sxsdk
