#pragma once
// The "Bullet Modify" browser entry: opens the editor for the active shape through this
// plug-in's attribute component as the host holds it.
#include "sdk/plugin_interface.hpp"

class bullet_browser_component : public sxsdk::browser_interface {
 public:
  /// ask_shape of the host's "Bullet Modify" attribute for the active shape; false when the
  /// host does not hold it.
  bool do_browser(sxsdk::scene_interface* scene, void* = nullptr) override;
  sx::uuid_class get_uuid(void* = nullptr) override;
  int get_sorvel_version() const override;
};
