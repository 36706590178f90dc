#pragma once
// The debug view's camera: the scene's current camera as it is when a world is built, taken
// into the world's record for every world (whether its view is on or not); the camera stays as
// taken while the world lives.
#include "engine/world_datas.hpp"

namespace sxsdk {
class scene_interface;
}

namespace view_camera {

/// Sets datas.view_eye and view_target (the camera's eye and target, mm → m) and view_angle,
/// the half angle of view of a 36 mm wide frame: arccos(f / sqrt(f² + 18²)) for the focal
/// length f in mm (18 mm: π/4). Leaves `datas` as it is without a scene or camera, or when
/// the host's camera calls throw.
void capture(sxsdk::scene_interface* scene, world_datas& datas);

}  // namespace view_camera
