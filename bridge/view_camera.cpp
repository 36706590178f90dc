#include "bridge/view_camera.hpp"

#include <cmath>

#include "base/units.hpp"
#include "sdk/camera_interface.hpp"
#include "sdk/host_ref.hpp"
#include "sdk/scene_interface.hpp"

void view_camera::capture(sxsdk::scene_interface* scene, world_datas& datas) {
  if (!scene) return;
  try {
    const sxsdk::host_ref<sxsdk::camera_interface> camera(scene->get_camera());
    if (!camera.get()) return;
    const sx::vec<float, 3> eye = camera->get_eye(), target = camera->get_target();
    const float focal = camera->get_focal_length();
    for (int i = 0; i < 3; ++i) {
      datas.view_eye[i] = eye[i] / units::millimetres_per_metre;
      datas.view_target[i] = target[i] / units::millimetres_per_metre;
    }
    datas.view_angle = std::acos(focal / std::sqrt(focal * focal + 324.0f));
  } catch (...) {
    // The view is a diagnostic aid: without a camera it is drawn from the defaults.
  }
}
