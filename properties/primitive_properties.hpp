#pragma once
// A primitive: the scene shape below a rigid body part that stands for its collision shape.
// primitive_properties is a collisionshape_datas with the operations that build or rebuild that
// shape, measure the record back from it, keep what the geometry cannot carry in the
// primitive's property stream (physplug_rigid_uuid), and show the "Primitive Properties" dialog.
// Kind and size live only in the geometry (millimetres in the scene, metres in the record):
//   box       closed line of 4 points, swept        size = half extents
//   sphere    sphere                                 size = (r, r, r)
//   capsule   open line of 4 points, revolved       size.x radius, size.y middle height
//   cylinder  disk, swept                            size.x = size.z radius, size.y height
//   cone      open line of 3 points, revolved       size.x radius, size.y height
//
// Stream, version 0, 12 bytes, little-endian:
//   int32 version (0) | float margin | int32 flags (bits 0-1 direction, the rest 0)
#include "engine/collisionshape_datas.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"

class primitive_properties : public collisionshape_datas {
 public:
  /// Defaults: sphere, direction Y, visible, margin 0.04, size 0.1 each, no shape.
  primitive_properties() = default;
  explicit primitive_properties(const collisionshape_datas& datas) : collisionshape_datas(datas) {}

  /// The primitive shape, or null (not built yet).
  sxsdk::shape_class* primitive_shape() const { return static_cast<sxsdk::shape_class*>(shape); }

  /// Reads margin and direction from the stream, then measures kind, size and visibility from
  /// the shape. False without a shape or stream, for a shape of no primitive kind, or when the
  /// stream is short or damaged (the geometry is still measured then).
  bool get_properties();

  /// Rewrites the stream with its label ("Primitive"). False without a shape or stream.
  [[nodiscard]] bool regist();

  /// The "Primitive Properties" dialog. With `primitive` set, edits that primitive (a new kind
  /// replaces the shape); with null, builds a new one at the current shape. False on cancel
  /// ("Terminated", the scene unchanged) or when nothing could be built.
  [[nodiscard]] bool modify_bullet_primitive_shape(sxsdk::scene_interface& scene, sxsdk::shape_class* primitive);

  /// Builds the shape of kind `kind` for this record, or rebuilds it in place when the record
  /// already has a shape of that kind, and writes the stream. False for a kind outside 0 to 4.
  [[nodiscard]] bool create_or_modify_sorvel_shape(sxsdk::scene_interface& scene,
                                                   collisionshape_datas::primitive_type kind);

  // Builders of one kind each (the sphere is built by create_or_modify_sorvel_shape). Each
  // modifies the record's shape in place when `type` equals `kind`, else makes a new shape next
  // to the old one, removes the old one and takes the new one as `shape`.
  bool create_or_modify_box_shape(sxsdk::scene_interface& scene, collisionshape_datas::primitive_type kind);
  bool create_or_modify_capsule_shape(sxsdk::scene_interface& scene, collisionshape_datas::primitive_type kind);
  bool create_or_modify_cylinder_shape(sxsdk::scene_interface& scene, collisionshape_datas::primitive_type kind);
  bool create_or_modify_cone_shape(sxsdk::scene_interface& scene, collisionshape_datas::primitive_type kind);
  bool create_or_modify_sphere_shape(sxsdk::scene_interface& scene, collisionshape_datas::primitive_type kind);

 private:
  bool measure(sxsdk::shape_class& s);
  bool measure_line(sxsdk::shape_class& s);
  bool in_place(collisionshape_datas::primitive_type kind) const;
  void take_new_shape(sxsdk::shape_class& made);
  void finish_shape();
};
