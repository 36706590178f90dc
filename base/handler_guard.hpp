#pragma once
// Nothing may cross back into the host as an exception: every entry point and component
// handler runs its body through guarded(), which catches whatever was thrown (standard
// exceptions, the SDK's C-string throws, anything else), shows it in the message window when
// a scene is at hand, and answers the given fallback.
#include <exception>
#include <utility>

namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk

namespace handler_guard {

/// Shows "physplug: <what> failed: <reason>" with show_error; never throws (a null scene, or
/// a scene that fails itself, shows nothing).
void report(sxsdk::scene_interface* scene, const char* what, std::exception_ptr error) noexcept;

/// Runs `body`; on any exception reports it and returns `fallback`.
template <typename R, typename F>
R guarded(sxsdk::scene_interface* scene, const char* what, R fallback, F&& body) noexcept {
  try {
    return std::forward<F>(body)();
  } catch (...) {
    report(scene, what, std::current_exception());
    return fallback;
  }
}

/// As above for handlers without a result.
template <typename F>
void guarded(sxsdk::scene_interface* scene, const char* what, F&& body) noexcept {
  try {
    std::forward<F>(body)();
  } catch (...) {
    report(scene, what, std::current_exception());
  }
}

}  // namespace handler_guard
