#pragma once
// What a debug view draws: line segments in the engine world's coordinates (metres times the
// world's scale factor, as the engine holds its bodies), each in one colour, and the camera
// they are seen through. Plain values: the view knows nothing of the engine that made them.
#include <vector>

struct debug_line {
  float from[3];    ///< start point, world coordinates of the engine
  float to[3];      ///< end point
  float colour[3];  ///< red, green, blue, 0..1
};

using debug_line_list = std::vector<debug_line>;

struct debug_camera {
  float eye[3] = {0.0f, 0.0f, 0.0f};     ///< camera position, metres (unscaled)
  float target[3] = {0.0f, 0.0f, 0.0f};  ///< the point it looks at, metres (unscaled)
  float half_angle = 0.0f;               ///< half the vertical angle of view, radians
  float scale = 1.0f;                    ///< the world's scale factor: eye and target are multiplied by it
};
