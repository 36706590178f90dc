#include "host/cli/plugin_settings.hpp"

#include <cstdlib>
#include <stdexcept>

#include "host/cli/cli_error.hpp"

namespace host::plugin_settings {
namespace {

void set_variable(const char* name, const std::string& value, const std::string& option) {
#ifdef _WIN32
  const bool set = _putenv_s(name, value.c_str()) == 0;
#else
  const bool set = setenv(name, value.c_str(), 1) == 0;
#endif
  if (!set) throw std::runtime_error(option + ": the setting cannot be handed to the plug-in");
}

}  // namespace

bool debug_frames_available() {
#ifdef PHYSPLUG_DEBUG_FRAMES_AVAILABLE
  return true;
#else
  return false;
#endif
}

void hand_over(const cli_arguments& args) {
  set_variable("PHYSPLUG_THREADS", std::to_string(args.threads), "--threads");
  std::string folder;
  if (!args.debug_frames.empty()) {
    if (!debug_frames_available())
      throw cli_error(
          "--debug-frames: not available: this program and its plug-in were built without EGL and "
          "OpenGL (install libegl-dev and libgl-dev, then build again)");
    std::error_code error;
    std::filesystem::create_directories(args.debug_frames, error);
    if (error || !std::filesystem::is_directory(args.debug_frames))
      throw cli_error("--debug-frames: " + args.debug_frames + ": " +
                      (error ? error.message() : std::string("is no folder")));
    folder = std::filesystem::absolute(args.debug_frames).string();
  }
  set_variable("PHYSPLUG_DEBUG_FRAMES", folder, "--debug-frames");
}

int frames_written(const std::string& folder, std::filesystem::file_time_type since) {
  int count = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    const bool frame = name.rfind("world", 0) == 0 && entry.path().extension() == ".png";
    std::error_code time_error;
    if (frame && entry.last_write_time(time_error) >= since && !time_error) ++count;
  }
  return count;
}

}  // namespace host::plugin_settings
