#pragma once
// Reads and writes the points of one element of a scene shape: a mesh vertex, a line control
// point, the centre of a sphere, disk or light, or the characteristic points of a joint, in the
// element's local coordinates or in world coordinates.
//
// Typical use, one pass over a shape:
//   shape_position_class sp;
//   sp.set_shape(shape);
//   sp.set_index(i);                 // for meshes, lines and container parts
//   sp.world = true;  sp.get();      // read: sp.positions holds the points
//   sp.positions = ...; sp.set(false);  // write (exact point count of the element)
//
// Every operation that can fail answers true on FAILURE and false on success (the host
// SDK's habit); nothing is reported to the user and nothing is written on failure.
// The object owns only `positions`; the shapes it points to belong to the host and must stay
// in the scene while the object uses them.
//
// Elements and their points (all millimetres):
//   polygon mesh vertex  1: position            line control point  5: position, in, out,
//   disk, sphere         1: centre                                     fourth, fifth handle
//   light                1: position            ball, bone joint    1: centre / position
//   rotator joint        2: centre, centre + axis / 2
//   slider joint         2: first point, second point (both absolute)
//   scale joint          2: centre, centre + axis     uniform scale joint 1: centre
//   camera joint         2: eye, target
#include <cstddef>
#include <string>
#include <vector>

#include "sdk/sxsdk.hpp"

/// Beware: unlike the rest of the plug-in, the bool results of this class report FAILURE: true
/// means the operation failed (nothing selected, out of range, wrong kind), false that it
/// succeeded. Test them as `if (pos.get()) { /* failed */ }`.
class shape_position_class {
 public:
  using point = sx::vec<float, 3>;

  /// The element's points: what get_local/get read, or what the caller hands to set.
  std::vector<point> positions;
  /// A simple or surface part (part type 0 or 1) given to set_shape, whose point indices count
  /// through every line and polygon mesh below it; null otherwise. Not owned.
  sxsdk::shape_class* container_part = nullptr;
  /// The shape whose points are read and written; null when none is selected. Not owned.
  sxsdk::shape_class* substance_shape = nullptr;
  /// The index last given to set_index for a container part; -1 after set_shape.
  int requested_index = -1;
  /// The vertex or control point within substance_shape; -1 after set_shape and when no point
  /// is selected. After a failed container look-up: what was left of the index.
  int point_index = -1;
  /// True: positions are world coordinates; false (default): local coordinates of the element.
  /// Set directly before get, set or mov.
  bool world = false;

  /// Selects `shape` and clears the point selection. A part of part type 0 or 1 becomes the
  /// container_part, any other shape the substance_shape. Always false (success).
  bool set_shape(sxsdk::shape_class& shape);
  /// Selects point `index` (>= 0): within a container part counting through its lines and
  /// meshes, within a line or mesh its control point or vertex; other shapes ignore it.
  /// True on failure (negative or out of range, or no shape); the failed selection is cleared.
  [[nodiscard]] bool set_index(int index);
  /// Finds the line or mesh below `shape` that holds point_index, walking sons in order and
  /// subtracting each son's point count; sets substance_shape and the index within it.
  /// True when no son holds it (point_index keeps the remainder; set_index clears
  /// substance_shape before the walk, so nothing stays selected).
  [[nodiscard]] bool get_substance_shape(sxsdk::shape_class& shape);

  /// Fills positions with the element's points in local coordinates. True on failure (then
  /// positions is empty).
  [[nodiscard]] bool get_local();
  /// get_local, then, when world is true, the points in world coordinates. True on failure.
  [[nodiscard]] bool get();
  /// The element's local-to-world matrix (skin world matrix when the element is skinned);
  /// identity when nothing is selected.
  sxsdk::mat4 ltow();
  /// The element's world-to-local matrix; identity when nothing is selected.
  sxsdk::mat4 wtol();

  /// Writes positions back (world: through wtol). `update` brackets the edit with an update
  /// token of the geometry's owner. True on failure (wrong kind, wrong count, bad index).
  [[nodiscard]] bool set(bool update);
  /// Writes positions taken as local coordinates. True on failure, with nothing written.
  [[nodiscard]] bool set_local(bool update);
  /// Writes positions after transforming each by `world_to_local`. A bone's point is taken as
  /// get gives it, moved by the joint's motion offset, so the offset is not stored twice.
  /// True on failure.
  [[nodiscard]] bool set_world(const sxsdk::mat4& world_to_local, bool update);

  /// Translates the whole shape (the container part if any, else substance_shape) so that the
  /// element's first point comes to positions[0] (world or local as `world` says); positions
  /// then holds the element's new points. True on failure (empty positions, no points), with
  /// the shape untouched.
  [[nodiscard]] bool mov();
  /// mov in world mode with the given world-to-local matrix; fails unless world is true.
  [[nodiscard]] bool move_world(const sxsdk::mat4& world_to_local);
  /// mov in local mode; fails unless world is false.
  [[nodiscard]] bool move_local();

  /// The first son of `shape` that is a bone joint, or null.
  sxsdk::shape_class* get_son_bone(sxsdk::shape_class& shape);
  /// Name of the selected shape's kind ("polygon", "ball", "m_shape_part" ...): the shape type
  /// name, or for a part its part type name; "" when nothing is selected or the code is unknown.
  std::string get_type_name();

 private:
  enum class element_kind {
    none,
    polygon_mesh,
    line,
    disk,
    sphere,
    light,
    ball,
    bone,
    rotator,
    slider,
    scale,
    uniscale,
    camera
  };
  element_kind kind() const;
  bool index_in_range() const;
  bool read_points(element_kind k);
  bool read_joint_points(element_kind k);
  bool write_points(const std::vector<point>& points, bool update);
  bool write_joint_points(element_kind k, const std::vector<point>& points);
  bool take_off_bone_offset(point& moved);
  bool translate_shape(const point& target);
  static std::size_t point_count(element_kind k);
  sxsdk::skin_class* element_skin();
  sxsdk::shape_class* update_owner(element_kind k);
};
