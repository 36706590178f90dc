#pragma once
// The scene as the plug-in sees it: the shape tree, creation, dialogs, messages, the sequence,
// mesh editing state, joints, the camera and other plug-ins.
#include <string>
#include <vector>

#include "sdk/unknown_interface.hpp"
#include "sx/core/uuid.hpp"
#include "sx/core/vectors.hpp"

namespace sxsdk {

class shape_class;
class part_class;
class line_class;
class sphere_class;
class disk_class;
class dialog_interface;
class host_interface;
class animation_settings_interface;
class bone_joint_interface;
class camera_interface;
class plugin_interface;
class element_selection_interface;

class scene_interface : public unknown_interface {
 public:
  // --- shapes ---
  virtual shape_class& get_root() = 0;
  /// The active shape (the first of the active shapes; the root when none is active).
  virtual shape_class& get_active_shape() = 0;
  virtual int get_number_of_active_shapes() = 0;
  /// Active shape i (0 <= i < count); throws std::out_of_range otherwise.
  virtual shape_class& get_active_shape_at(int index) = 0;
  /// The shape with this index number, or null.
  virtual shape_class* get_shape_by_index(int index) = 0;

  // --- creation: new shapes go where the current shape says (shape_class::make_current) ---
  virtual void begin_creating() = 0;
  virtual void end_creating() = 0;
  /// A new simple part (part type 0).
  virtual part_class& create_part(const char* name) = 0;
  /// A new line through the given points (millimetres); handles start at their points.
  virtual line_class& create_line(const char* name, int count, const sx::vec<float, 3>* points, bool closed) = 0;
  virtual sphere_class& create_sphere(const char* name, const sx::vec<float, 3>& center, float radius) = 0;
  virtual disk_class& create_disk(const char* name, const sx::vec<float, 3>& center, float radius) = 0;

  // --- dialogs, texts, messages ---
  /// A new dialog (a new reference).
  virtual dialog_interface* create_dialog() = 0;
  /// A new dialog belonging to the plug-in component with this UUID (a new reference).
  virtual dialog_interface* create_dialog_for(const sx::uuid_class& uuid) = 0;
  /// The host application object (a new reference).
  virtual host_interface* get_host() = 0;
  /// A line in the host's message window (already localised by the caller).
  virtual void message(const char* text) = 0;
  /// An internal error line in the message window (English, unlocalised).
  virtual void show_error(const char* text) = 0;
  /// The host's version number.
  virtual int get_version() = 0;

  // --- the sequence ---
  virtual bool is_sequence_mode() = 0;
  virtual void set_sequence_mode(bool on) = 0;
  /// Sequence position in frames.
  virtual float get_sequence_value() = 0;
  virtual void set_sequence_value(float frame) = 0;
  /// True while the host renders an animation.
  virtual bool is_rendering() = 0;
  /// The animation settings (a new reference).
  virtual animation_settings_interface* get_animation_settings() = 0;

  // --- mesh element editing ---
  virtual bool is_mesh_edit_mode() = 0;
  virtual void end_mesh_edit_mode() = 0;
  /// sxsdk::selection_mode: 0 faces, 1 edges, 2 vertices.
  virtual int get_selection_mode() = 0;
  /// Indices of the selected vertices of the edited mesh, in the host's order.
  virtual std::vector<int> get_active_vertices() = 0;

  // --- joints and camera ---
  /// Whether a shape is a bone joint part.
  virtual bool is_bone_joint(shape_class& shape) = 0;
  /// The bone joint of a bone joint part (a new reference); throws for other shapes.
  virtual bone_joint_interface* get_bone_joint(shape_class& part) = 0;
  /// The current camera (a new reference).
  virtual camera_interface* get_camera() = 0;
  /// Which camera is current: -1 the scene's own camera, else the index number of a camera joint.
  virtual int get_camera_selection() = 0;
  virtual void set_camera_selection(int selection) = 0;

  // --- other plug-ins ---
  /// The interface of another (or this) plug-in's component as the host holds it, by its UUID
  /// (a new reference), or null when no such plug-in is loaded.
  virtual plugin_interface* get_plugin_interface(const sx::uuid_class& uuid) = 0;
  /// The host's element selection service (a new reference), or null.
  virtual element_selection_interface* get_element_selection_interface(const sx::uuid_class& uuid) = 0;
};

}  // namespace sxsdk
