#pragma once
// The browser and figure components reach the editor through the attribute component the host
// holds (not a private copy), so that playback state and the soft body list stay one.
namespace sxsdk {
class scene_interface;
}

namespace modify_attribute_access {

/// Calls ask_shape of the host's "Bullet Modify" attribute with the active shape and stores its
/// answer in `result`. False when the host holds no such attribute (result untouched).
bool ask_active_shape(sxsdk::scene_interface& scene, bool& result);

}  // namespace modify_attribute_access
