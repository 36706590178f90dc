#pragma once
// What the scene file reader and writer agree on: the format's name and version, the names of
// the kinds of shape, and the value a missing key stands for (the writer leaves out every key
// whose value equals it bit for bit; docs/scene-format.md lists them).
#include <cstddef>

#include "host/scene/joint_state.hpp"
#include "host/scene/scene.hpp"
#include "sdk/shape_types.hpp"

namespace host {
namespace scene_file_format {

inline constexpr const char* format_name = "physplug-scene";
inline constexpr int version = 1;

/// The "kind" text of a shape type code (sxsdk::shape_type), or null for none we keep.
inline const char* kind_name(int shape_type) {
  switch (shape_type) {
    case sxsdk::shape_type::part:
      return "part";
    case sxsdk::shape_type::polygon_mesh:
      return "polygon_mesh";
    case sxsdk::shape_type::line:
      return "line";
    case sxsdk::shape_type::sphere:
      return "sphere";
    case sxsdk::shape_type::disk:
      return "disk";
    case sxsdk::shape_type::light:
      return "light";
    default:
      return nullptr;
  }
}

/// How deep shapes may nest (the root is at depth 0, its sons at 1). Much of the host walks the
/// tree recursively, and a chain of parts tens of thousands deep overflows the stack; no real
/// scene comes near this, so a file is refused rather than crashing whatever reads it next.
inline constexpr int max_depth = 1000;

/// How many attribute streams one shape may hold in a file. A plug-in keeps one stream per
/// shape under its own UUID, so real shapes carry a few; the scene model finds a stream by
/// scanning the shape's list, which makes loading a shape with n streams cost n squared.
inline constexpr std::size_t max_streams = 1024;

/// The largest scene file read, in bytes. Reading takes about nine times the file's size in
/// memory (measured: a 90 MB file of mesh vertices peaks at 0.8 GB), so this bounds a load at
/// a few GB; the largest real scenes are tens of MB.
inline constexpr std::size_t max_file_bytes = std::size_t(256) << 20;

/// True for the part type codes the host knows (sxsdk::part_type).
inline bool known_part_type(int t) { return (t >= 0 && t <= 16) || (t >= 100 && t <= 105); }

// Defaults of the keys that may be left out.
inline constexpr int visible = 1;
inline constexpr bool render = true;
inline constexpr bool selected = false;
inline const sx::vec<float, 3> zero_vector{0, 0, 0};
inline const sx::vec<float, 3> sphere_radius{100, 100, 100};
inline constexpr float disk_radius = 100;
inline const joint_state joint{};
inline const camera_state camera{};
inline const animation_data animation{};

}  // namespace scene_file_format
}  // namespace host
