#include "plugin/bullet_modify_component.hpp"

#include "base/handler_guard.hpp"
#include "base/uuid_table.hpp"
#include "bridge/scene_events.hpp"
#include "plugin/version.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"

using handler_guard::guarded;

sx::uuid_class bullet_modify_component::get_uuid(void*) { return physplug_modify_uuid; }

int bullet_modify_component::get_sorvel_version() const { return physplug_version::sorvel_version; }

void bullet_modify_component::sequence_mode_changed(bool&, sxsdk::scene_interface* scene, bool on, void*) {
  guarded(scene, "sequence_mode_changed", [&] {
    if (scene) playback_.sequence_mode_changed(*scene, on);
  });
}

void bullet_modify_component::sequence_changed(bool& flag, float position, sxsdk::scene_interface* scene, int count,
                                               sxsdk::part_class* const* parts, void*) {
  guarded(scene, "sequence_changed", [&] {
    if (scene) playback_.sequence_changed(flag, position, *scene, count, parts);
  });
}

void bullet_modify_component::idle_task(bool&, sxsdk::scene_interface* scene, void*) {
  guarded(scene, "idle_task", [&] {
    if (idle_countdown_ <= 0 || --idle_countdown_ > 0 || !scene) return;
    playback_.others().reset();
    check_ex_joint(scene, scene->get_root());
    softs_.rebuild(scene->get_root());
  });
}

void bullet_modify_component::active_scene_changed(bool&, sxsdk::scene_interface*, void*) { idle_countdown_ = 3; }

void bullet_modify_component::scene_opened(bool&, sxsdk::scene_interface* scene, void*) {
  guarded(scene, "scene_opened", [&] {
    if (!scene || !scene->is_sequence_mode()) return;
    scene->set_sequence_mode(false);
    playback_.clear_worlds();  // whether or not the host tells us of the mode it left
  });
}

void bullet_modify_component::active_shapes_changed(bool&, sxsdk::scene_interface* scene, int,
                                                    sxsdk::shape_class* const*, int count,
                                                    sxsdk::shape_class* const* shapes, void*) {
  guarded(scene, "active_shapes_changed", [&] {
    if (scene) scene_events::active_shapes_changed(*scene, count, shapes);
  });
}

void bullet_modify_component::shapes_moved(bool&, sxsdk::scene_interface* scene, int count,
                                           sxsdk::shape_class* const* shapes, const sxsdk::mat4&, void*) {
  guarded(scene, "shapes_moved", [&] {
    if (scene) modified_shapes(*scene, count, shapes);
  });
}

void bullet_modify_component::shapes_modified(bool&, sxsdk::scene_interface* scene, int count,
                                              sxsdk::shape_class* const* shapes, void*) {
  guarded(scene, "shapes_modified", [&] {
    if (scene) modified_shapes(*scene, count, shapes);
  });
}

void bullet_modify_component::modified_shapes(sxsdk::scene_interface& scene, int count,
                                              sxsdk::shape_class* const* shapes) {
  if (!shapes) return;
  for (int i = 0; i < count; ++i)
    if (shapes[i]) shape_modified(&scene, *shapes[i], true);
}

void bullet_modify_component::browser_updated(bool&, sxsdk::scene_interface* scene, void*) {
  guarded(scene, "browser_updated", [&] {
    if (scene) softs_.browser_updated(*scene);
  });
}

void bullet_modify_component::shape_modified(sxsdk::scene_interface* scene, sxsdk::shape_class& shape, bool top) {
  if (!scene) return;
  // A body the user moves during playback gets a new start; leaving must not undo the move.
  scene_events::shape_modified(*scene, shape, top,
                               [this](sxsdk::shape_class& body) { playback_.worlds().start_moved(body); });
}

void bullet_modify_component::check_ex_joint(sxsdk::scene_interface* scene, sxsdk::shape_class& shape) {
  if (scene) playback_.others().check_ex_joint(*scene, shape);
}
