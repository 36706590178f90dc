#pragma once
// The version numbers the plug-in reports to the host.

namespace physplug_version {
/// The host version the plug-in was built against (every component's get_sorvel_version).
inline constexpr int sorvel_version = 463042;
/// The plug-in's own version, written by get_info after the host's leading field.
inline constexpr int major = 1;
inline constexpr int minor = 1;
inline constexpr int micro = 0;
inline constexpr int build = 5;
}  // namespace physplug_version
