#pragma once
// The "Primitive/Rigid" creator: edits the active primitive master, or makes a rigid body
// (around the selected primitive, or with a new one). Its own get_uuid answers the world
// creator's UUID, as the host has always seen it; the entry points list it under
// physplug_rigid_uuid.
#include "sdk/plugin_interface.hpp"

class bullet_rigid_component : public sxsdk::creator_interface {
 public:
  /// Leaves sequence mode and mesh editing, then: the active shape a master shape part (part
  /// type 103): the primitive dialog for it; else the first active shape a primitive: the
  /// rigid body it belongs to; else a new rigid body with a new primitive. False on cancel.
  bool create(sxsdk::scene_interface* scene, void* = nullptr) override;
  sx::uuid_class get_uuid(void* = nullptr) override;
  bool undoable(void* = nullptr) const override { return true; }
  int get_sorvel_version() const override;

  /// The rigid body dialog from the default record: for the rigid body part that holds
  /// `primitive` (an error naming the primitive, and false, when no rigid body holds it), or
  /// with null for a new rigid body with a new primitive.
  bool create_rigid_body(sxsdk::scene_interface& scene, sxsdk::shape_class* primitive);
};
