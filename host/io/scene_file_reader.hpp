#pragma once
// host::scene_file_reader: builds a new scene from the JSON document of a scene file (the
// layout is described in docs/scene-format.md). Every value is checked before it is used; the
// first problem throws json_path_error with its JSON pointer, and the half-built scene is
// released, so a caller never sees it.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/io/json_reader.hpp"
#include "sdk/host_ref.hpp"

namespace host {

class scene;
class scene_services;
class shape_node;

class scene_file_reader {
 public:
  /// A new scene built from `document`, bound to `services` (borrowed; may be null).
  static sxsdk::host_ref<scene> build(const nlohmann::json& document, scene_services* services);

 private:
  explicit scene_file_reader(scene& s) : scene_(s) {}
  void header(json_reader::object& doc);
  void shapes(const json_reader& list);
  void shape(const json_reader& item);
  shape_node& create(json_reader::object& o, const std::string& kind, const json_reader& kind_at);
  shape_node& dad_of(json_reader::object& o);
  void flags(json_reader::object& o, shape_node& node);
  void streams(const json_reader& list, shape_node& node);
  void links(const json_reader& list, shape_node& node);
  void scene_state(json_reader::object& doc);
  void edit(const json_reader& at);
  void camera_joint(const json_reader& at);
  void animation(const json_reader& at);
  /// The shape with the index number that `at` holds; `what` names it in messages.
  shape_node& shape_at(const json_reader& at, const char* what);

  scene& scene_;
  std::vector<shape_node*> nodes_;                          // by index number
  std::vector<int> open_;                                   // the last shape and its dads: where the next may hang
  std::vector<std::pair<shape_node*, json_reader>> links_;  // read once every shape exists
};

}  // namespace host
