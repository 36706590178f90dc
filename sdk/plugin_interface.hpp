#pragma once
// The interfaces a plug-in's components implement. Every method has a default; a component
// overrides what it handles. The numbered placeholders stand for host methods this plug-in
// does not use; calling one throws.
#include "sdk/mat4.hpp"
#include "sdk/unknown_interface.hpp"
#include "sx/core/uuid.hpp"

namespace sxsdk {

class scene_interface;
class shape_class;
class part_class;

class plugin_interface : public unknown_interface {
 public:
  virtual sx::uuid_class get_uuid(void* = nullptr) { return sx::uuid_class(); }
  /// The host version the component was built against.
  virtual int get_sorvel_version() const { return 0; }
  virtual int get_sorvel_build_number() const { return 463042; }
  virtual void plugin_interface_dummy1(void*) { throw "invalid interface plugin_interface"; }
  virtual void plugin_interface_dummy2(void*) { throw "invalid interface plugin_interface"; }
};

class creator_interface : public plugin_interface {
 public:
  /// Creates new shapes in the scene; false when nothing was made.
  virtual bool create(scene_interface*, void* = nullptr) { return false; }
  virtual bool undoable(void* = nullptr) const { return false; }
  virtual void creator_interface_dummy1(void*) { throw "invalid interface creator_interface"; }
  virtual void creator_interface_dummy2(void*) { throw "invalid interface creator_interface"; }
};

class attribute_interface : public plugin_interface {
 public:
  /// The user invokes the attribute on a shape; false when nothing was done.
  virtual bool ask_shape(shape_class&, void* = nullptr) { return false; }
  virtual void accepts_shape(bool&, void* = nullptr) {}
  virtual bool undoable(void* = nullptr) const { return false; }

  // Scene events. `b` is the host's per-event flag, passed on untouched.
  virtual void sequence_mode_changed(bool&, scene_interface*, bool, void* = nullptr) {}
  virtual void sequence_changed(bool&, float, scene_interface*, int, part_class* const*, void* = nullptr) {}
  virtual void current_joint_value_changed(bool&, scene_interface*, int, part_class* const*, void* = nullptr) {}
  virtual void idle_task(bool&, scene_interface*, void* = nullptr) {}
  virtual void active_scene_changed(bool&, scene_interface*, void* = nullptr) {}
  virtual void scene_opened(bool&, scene_interface*, void* = nullptr) {}
  virtual void active_shapes_changed(bool&, scene_interface*, int, shape_class* const*, int, shape_class* const*,
                                     void* = nullptr) {}
  virtual void shapes_moved(bool&, scene_interface*, int, shape_class* const*, const mat4&, void* = nullptr) {}
  virtual void shapes_modified(bool&, scene_interface*, int, shape_class* const*, void* = nullptr) {}
  virtual void browser_updated(bool&, scene_interface*, void* = nullptr) {}

  virtual void attribute_interface_dummy1(void*) { throw "invalid interface attribute_interface"; }
  virtual void attribute_interface_dummy2(void*) { throw "invalid interface attribute_interface"; }
};

class browser_interface : public plugin_interface {
 public:
  virtual bool do_browser(scene_interface*, void* = nullptr) { return false; }
  virtual void browser_interface_dummy1(void*) { throw "invalid interface browser_interface"; }
};

class figure_interface : public plugin_interface {
 public:
  virtual bool do_figure(scene_interface*, void* = nullptr) { return false; }
  virtual void figure_interface_dummy1(void*) { throw "invalid interface figure_interface"; }
};

}  // namespace sxsdk
