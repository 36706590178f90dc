#pragma once
// Codes of shape.get_type and part.get_part_type.

namespace sxsdk {
namespace shape_type {
inline constexpr int sentinel = 0;
inline constexpr int dxf = 1;
inline constexpr int part = 2;
inline constexpr int light = 3;
inline constexpr int line = 4;
inline constexpr int sphere = 5;
inline constexpr int disk = 6;
inline constexpr int polygon_mesh = 7;
}  // namespace shape_type

namespace part_type {
inline constexpr int part = 0;
inline constexpr int surface = 1;
inline constexpr int rotator_joint = 2;
inline constexpr int slider_joint = 3;
inline constexpr int scale_joint = 4;
inline constexpr int uniscale_joint = 5;
inline constexpr int light_joint = 6;
inline constexpr int path_joint = 7;
inline constexpr int morph_joint = 8;
inline constexpr int custom_joint = 9;
inline constexpr int ball_joint = 10;
inline constexpr int camera_joint = 11;
inline constexpr int sound_joint = 12;
inline constexpr int switch_joint = 13;
inline constexpr int path_replicator = 14;
inline constexpr int surface_replicator = 15;
inline constexpr int bone_joint = 16;
inline constexpr int master_surface_part = 100;
inline constexpr int link_part = 101;
inline constexpr int master_image_part = 102;
inline constexpr int master_shape_part = 103;
inline constexpr int master_shape_part2 = 104;
inline constexpr int local_axis_part = 105;
}  // namespace part_type

namespace selection_mode {
inline constexpr int faces = 0;
inline constexpr int edges = 1;
inline constexpr int vertices = 2;
}  // namespace selection_mode
}  // namespace sxsdk
