#pragma once
// The "World" creator: asks for the world settings and makes a new world part ("Bullet World")
// carrying them. Host-owned through reference counting (create_interface gives one reference).
#include "sdk/plugin_interface.hpp"

class bullet_world_component : public sxsdk::creator_interface {
 public:
  /// Shows the world dialog for a new world; on confirmation leaves sequence mode, creates the
  /// part and stores the settings on it. False when the user cancels (nothing is made).
  bool create(sxsdk::scene_interface* scene, void* = nullptr) override;
  sx::uuid_class get_uuid(void* = nullptr) override;
  bool undoable(void* = nullptr) const override { return true; }
  int get_sorvel_version() const override;
};
