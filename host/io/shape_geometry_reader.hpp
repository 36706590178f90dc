#pragma once
// host::shape_geometry_reader: the keys of one shape's kind in a scene file (a part's type,
// matrices, joint and camera; a mesh's vertices, faces and selection; a line's control points;
// a sphere, disk or light), read into a shape just created. Missing keys keep the format's
// defaults; a bad value throws json_path_error at its JSON pointer.
#include "host/io/json_reader.hpp"

namespace host {

class shape_node;
class part_shape;
class polygon_mesh_shape;
class line_shape;
struct camera_state;
struct joint_state;

class shape_geometry_reader {
 public:
  /// Reads the keys of `node`'s kind from `o` (leaving the shared keys to the caller).
  static void read(json_reader::object& o, shape_node& node);
  /// A camera object ("eye", "target", "focal_length") over `camera`.
  static void camera(const json_reader& at, camera_state& camera);

 private:
  static void part(json_reader::object& o, part_shape& p);
  static void joint(const json_reader& at, joint_state& j);
  static void polygon_mesh(json_reader::object& o, polygon_mesh_shape& m);
  static void line(json_reader::object& o, line_shape& l);
};

}  // namespace host
