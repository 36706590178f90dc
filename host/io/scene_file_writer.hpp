#pragma once
// host::scene_file_writer: a scene as the JSON document of its scene file (the layout is
// described in docs/scene-format.md). Keys whose value equals the format's default bit for bit
// are left out; floats that are not finite are written as the texts "inf", "-inf", "nan" and "-nan".
#include <nlohmann/json.hpp>

namespace host {

class scene;
class shape_node;

class scene_file_writer {
 public:
  /// The document of `s` (not changed; non-const only because the index order is cached).
  /// Throws json_path_error when something cannot be written (a link to a shape outside the
  /// tree).
  static nlohmann::json document(scene& s);

 private:
  static nlohmann::json shape(shape_node& node, const std::string& path);
  static nlohmann::json scene_state(scene& s);
};

}  // namespace host
