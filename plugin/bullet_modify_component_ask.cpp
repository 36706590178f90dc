// bullet_modify_component: the modify attribute's editor entry; the editing dispatcher decides
// which editor opens.
#include "base/handler_guard.hpp"
#include "editing/editing_dispatcher.hpp"
#include "plugin/bullet_modify_component.hpp"
#include "sdk/host_ref.hpp"
#include "sdk/scene_interface.hpp"

bool bullet_modify_component::ask_shape(sxsdk::shape_class& shape, void*) {
  sxsdk::host_ref<sxsdk::scene_interface> scene;
  return handler_guard::guarded(nullptr, "ask_shape", false, [&] {
    scene.reset(shape.get_scene());
    if (!scene) return false;
    return handler_guard::guarded(scene.get(), "ask_shape", false, [&] {
      // Every edit happens on a scene without a running simulation.
      playback_.leave_sequence_mode(*scene);
      return editing_dispatcher::edit_active_shape(*scene, &shape, &softs_);
    });
  });
}
