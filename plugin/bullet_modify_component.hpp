#pragma once
// The "Bullet Modify" attribute: the scene-event handler that runs the simulation during
// playback (bridge/playback_driver), keeps stored properties in step with the user's edits,
// and opens the editor for the active shape (ask_shape). Created by the host through
// create_interface with one reference; deleted by the Release that brings the count to 0.
// Every handler catches what it throws and shows it in the message window.
#include "bridge/playback_driver.hpp"
#include "sdk/plugin_interface.hpp"
#include "softbody/softbody_scene_list.hpp"

class bullet_modify_component : public sxsdk::attribute_interface {
 public:
  sx::uuid_class get_uuid(void* = nullptr) override;
  int get_sorvel_version() const override;
  bool undoable(void* = nullptr) const override { return true; }
  /// The attribute accepts every shape.
  void accepts_shape(bool& accept, void* = nullptr) override { accept = true; }

  /// Leaves sequence mode, then opens the editor for the scene's active shape by its role
  /// (editing_dispatcher: world, primitive, rigid body, joint or joint chain, soft body with
  /// its vertex gestures); "No targets" for a shape without one. `shape` reaches the scene and,
  /// in mesh element editing, names the mesh being edited. False after a removed projection or
  /// a projection gesture that cannot apply; true otherwise.
  bool ask_shape(sxsdk::shape_class& shape, void* = nullptr) override;

  void sequence_mode_changed(bool& flag, sxsdk::scene_interface* scene, bool on, void* = nullptr) override;
  void sequence_changed(bool& flag, float position, sxsdk::scene_interface* scene, int count,
                        sxsdk::part_class* const* parts, void* = nullptr) override;
  /// Counts down the calls armed by active_scene_changed; at 0 surveys the scene for the other
  /// plug-ins' joints.
  void idle_task(bool& flag, sxsdk::scene_interface* scene, void* = nullptr) override;
  /// Arms a survey three idle calls later.
  void active_scene_changed(bool& flag, sxsdk::scene_interface* scene, void* = nullptr) override;
  /// A scene opened in sequence mode leaves it.
  void scene_opened(bool& flag, sxsdk::scene_interface* scene, void* = nullptr) override;
  /// The active shapes were `old_shapes` and are now `shapes` (the host passes the old list
  /// first). One rigid body part selected alone ends mesh element editing.
  void active_shapes_changed(bool& flag, sxsdk::scene_interface* scene, int old_count,
                             sxsdk::shape_class* const* old_shapes, int count, sxsdk::shape_class* const* shapes,
                             void* = nullptr) override;
  void shapes_moved(bool& flag, sxsdk::scene_interface* scene, int count, sxsdk::shape_class* const* shapes,
                    const sxsdk::mat4& m, void* = nullptr) override;
  void shapes_modified(bool& flag, sxsdk::scene_interface* scene, int count, sxsdk::shape_class* const* shapes,
                       void* = nullptr) override;
  /// Rewrites every soft body stream when the shapes were renumbered (anchor bodies are stored
  /// by index number).
  void browser_updated(bool& flag, sxsdk::scene_interface* scene, void* = nullptr) override;

  /// Refreshes stored properties of `shape` and below after a user edit (top: named by the host).
  void shape_modified(sxsdk::scene_interface* scene, sxsdk::shape_class& shape, bool top);
  /// Looks up the other plug-ins whose joints appear at or below `shape`.
  void check_ex_joint(sxsdk::scene_interface* scene, sxsdk::shape_class& shape);

  /// The playback state, for diagnostics and tests.
  playback_driver& playback() { return playback_; }

 private:
  void modified_shapes(sxsdk::scene_interface& scene, int count, sxsdk::shape_class* const* shapes);

  playback_driver playback_;
  softbody_scene_list softs_;  ///< every soft body mesh of the scene
  int idle_countdown_ = 0;     ///< idle calls left before the next survey
};
