// Builds without an offscreen OpenGL (no EGL found when configured) render no frame files.
#include "debugview/debug_view.hpp"

std::unique_ptr<debug_view> debug_views::open_frame_files(const debug_camera&, const std::string&, int) {
  return nullptr;
}

bool debug_views::frames_available() { return false; }
