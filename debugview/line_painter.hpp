#pragma once
// Paints one frame of debug lines with OpenGL 1 into the current context: the background, the
// camera's perspective and the lines in immediate mode. Shared by the view window and the
// offscreen frames, so both show the same picture.
#include "debugview/debug_lines.hpp"

namespace line_painter {

constexpr int view_size = 640;   ///< width and height of a frame, pixels
constexpr float aspect = 0.75f;  ///< width / height of the projection, as the window always had
constexpr float background[4] = {0.0f, 0.125f, 0.3f, 1.0f};

/// Viewport (0, 0, view_size, view_size); a projection of vertical angle 2 × half_angle,
/// aspect 0.75, near d × 0.2 and far d × 20 (d the scaled eye-target distance), looking from the
/// scaled eye at the scaled target with Y up; clears to the background and draws the lines.
void paint(const debug_camera& camera, const debug_line_list& lines);

}  // namespace line_painter
