#pragma once
// A place where the frames of a debug view go: the Windows view window, or PNG files rendered
// offscreen. Each frame is one list of lines, drawn on the view's background colour.
#include <memory>
#include <string>

#include "debugview/debug_lines.hpp"

class debug_view {
 public:
  virtual ~debug_view() = default;
  /// Draws `lines` as one whole frame (the previous frame is cleared) and shows or stores it.
  virtual void draw_frame(const debug_line_list& lines) = 0;
};

namespace debug_views {

/// The view window of this platform (640 × 640 pixels of OpenGL 1 on Windows), or null where
/// there is none or when it cannot be opened (the simulation then runs without it).
std::unique_ptr<debug_view> open_window(const debug_camera& camera);

/// Frames rendered offscreen into `folder`, one PNG per frame named
/// "world<world>-<frame, five digits>.png" from frame 0 on; null when this build renders no
/// offscreen frames (frames_available) or the renderer cannot start.
std::unique_ptr<debug_view> open_frame_files(const debug_camera& camera, const std::string& folder, int world);

/// True when this build can render offscreen frames.
bool frames_available();

}  // namespace debug_views
