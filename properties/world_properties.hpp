#pragma once
// The settings of one simulation world, kept in the world part's property stream
// (physplug_uuid): a world_datas with the operations that read and write the stream, show the
// "Setting Bullet World" dialog, and repair or renew what lies inside the world.
//
// Stream, version 0, 56 bytes, little-endian:
//   int32 version (0) | int32 flags (bit 0 active, bit 1 view_debug) | float gravity | float height
//   | float air_density | float simulation_cycle | 3 floats boundary_min | 3 floats boundary_max
//   | int32 reserved | float scale_factor
// The debug view camera fields are not stored.
#include <string>

#include "engine/world_datas.hpp"
#include "properties/stream_renewers.hpp"
#include "sdk/part_class.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"

class world_properties : public world_datas {
 public:
  /// Defaults of world_datas, no shape.
  world_properties() = default;

  /// The world part, or null (a new world not made yet).
  sxsdk::shape_class* part() const { return static_cast<sxsdk::shape_class*>(shape); }

  /// Reads the stream over the current values. False without a shape or stream, or when the
  /// stream is short or damaged; the fields read before that keep their new values, and a
  /// field holding a non-finite float keeps its old value.
  bool get_properties();

  /// Rewrites the stream (and its label "Active"/"Hold", ":", "*" with view_debug,
  /// "Bullet World"). Nothing without a shape. Host failures are swallowed: false.
  [[nodiscard]] bool regist();

  /// The stream label for the current values, texts localised through `scene`.
  std::string label(sxsdk::scene_interface& scene) const;

  /// The "Setting Bullet World" dialog. With `world_part` null, edits only this record (a world
  /// about to be made); with a world part, reads its stream first, then writes it and runs the
  /// repairs asked for; "Renew" rewrites joint and soft body streams through `renewers`.
  /// False when the user cancels ("Terminated" is shown, nothing written).
  [[nodiscard]] bool modify_bullet_world_part(sxsdk::scene_interface& scene, sxsdk::shape_class* world_part,
                                              const stream_renewers& renewers = {});

  /// Takes scale and shear out of the transformation of `part` and of every part below it,
  /// keeping the world positions of everything below. `names` becomes the name of the part
  /// repaired last at this level (parts found below a repaired part are not named).
  /// Returns whether `part` itself was repaired.
  static bool repair_matrix(sxsdk::scene_interface& scene, sxsdk::part_class& part, std::string& names);

  /// Rewrites the property streams of `shape` and of everything below it in the current formats:
  /// rigid bodies here, soft body meshes and constraint joints through `renewers` (left as they
  /// are without one). A stream the host refuses is named in `scene`'s message window.
  static void renew_parts(sxsdk::scene_interface& scene, sxsdk::shape_class& shape,
                          const stream_renewers& renewers = {});
};
