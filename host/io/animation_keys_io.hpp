#pragma once
// host::animation_keys_io: the "keys" list of a scene file, the keyframes of the scene's parts
// (host::animation_keys). One entry per keyed part, in index order: {"part": index, and either
// "part_keys" (transformation keys of a part that is no joint) or "joint_keys" (motion keys of
// a ball, bone, rotator, slider, scale or uniform scale joint)}, each list in frame order.
#include <vector>

#include <nlohmann/json.hpp>

#include "host/io/json_reader.hpp"

namespace host {

class scene;
class shape_node;

class animation_keys_io {
 public:
  /// The "keys" list of `s` (empty when nothing is keyed).
  static nlohmann::json write(scene& s);
  /// Reads a "keys" list into `s`, whose shapes by index number are `shapes`. Throws
  /// json_path_error: a part keyed twice, two keys at one frame, a frame that is not finite,
  /// keys of the wrong kind for the part.
  static void read(const json_reader& list, scene& s, const std::vector<shape_node*>& shapes);

 private:
  static void read_entry(const json_reader& item, scene& s, const std::vector<shape_node*>& shapes);
};

}  // namespace host
