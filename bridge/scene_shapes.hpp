#pragma once
// Small helpers the scene-side worlds share: from a record's opaque key back to its scene shape,
// the joint test of a body's dad, and null-safe error texts.
#include "engine/rigidbody_datas.hpp"
#include "sdk/scene_interface.hpp"
#include "sdk/shape_class.hpp"

namespace bridge {

/// The scene shape a record was registered with (records keep it as an opaque key), or null.
inline sxsdk::shape_class* shape_of(const rigidbody_datas& body) {
  return static_cast<sxsdk::shape_class*>(body.shape);
}
inline sxsdk::shape_class* primitive_of(const rigidbody_datas& body) {
  return static_cast<sxsdk::shape_class*>(body.primitive);
}

/// True when the dad of `shape` is a constraint joint: such a body is posed through its joint.
bool hangs_under_joint(sxsdk::shape_class& shape);

/// Shows an internal English error text; nothing for a null scene or a null text.
void show_error(sxsdk::scene_interface* scene, const char* text);

}  // namespace bridge
