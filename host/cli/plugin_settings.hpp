#pragma once
// host::plugin_settings: the choices of one play run that the plug-in reads from its
// environment rather than from the scene (they are stored in no scene): the threads its worlds
// step on (PHYSPLUG_THREADS, read when the library is loaded) and the folder its debug views
// draw PNG frames into (PHYSPLUG_DEBUG_FRAMES, read when a world is built).
#include <filesystem>
#include <string>

#include "host/cli/cli_arguments.hpp"

namespace host::plugin_settings {

/// True when this program was built with the offscreen renderer of the debug frames (EGL and
/// OpenGL were found), and so was the plug-in built with it.
bool debug_frames_available();

/// Sets both variables for `args` (an absent --debug-frames clears the folder, so a value left
/// in the user's environment draws nothing); creates the --debug-frames folder. Throws
/// cli_error (exit 2) when --debug-frames is not available in this build or its folder cannot
/// be made, std::runtime_error when the environment refuses a value.
void hand_over(const cli_arguments& args);

/// The debug frames (world*-*.png) in `folder` written at or after `since`.
int frames_written(const std::string& folder, std::filesystem::file_time_type since);

}  // namespace host::plugin_settings
