#include "base/handler_guard.hpp"

#include <stdexcept>
#include <string>

#include "sdk/scene_interface.hpp"

namespace handler_guard {

namespace {

std::string reason_of(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (const char* text) {
    return text ? text : "unknown error";
  } catch (...) {
    return "unknown error";
  }
}

}  // namespace

void report(sxsdk::scene_interface* scene, const char* what, std::exception_ptr error) noexcept {
  try {
    const std::string text = std::string("physplug: ") + what + " failed: " + reason_of(error);
    if (scene) scene->show_error(text.c_str());
  } catch (...) {
    // The message window failed too: there is nowhere left to report to.
  }
}

}  // namespace handler_guard
