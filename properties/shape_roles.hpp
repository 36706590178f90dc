#pragma once
// The roles a scene shape takes in the simulation, told by the kind of shape and the property
// stream it carries:
//   world part       simple part (part type 0) with a physplug_uuid stream
//   rigid body       simple part with a physplug_modify_uuid stream (may also be a world part)
//   primitive        any shape that is not a part, with a physplug_rigid_uuid stream
//   constraint joint bone, ball, rotator or slider joint with a physplug_modify_uuid stream
// A host failure while the stream is looked up shows "attribute error delete it" (unlocalised)
// and the shape counts as having no role; the shape itself is never changed.
#include <vector>

#include "sdk/shape_class.hpp"

[[nodiscard]] bool is_bullet_world(sxsdk::shape_class& shape);
[[nodiscard]] bool is_bullet_rigidbody(sxsdk::shape_class& shape);
[[nodiscard]] bool is_bullet_primitive(sxsdk::shape_class& shape);
[[nodiscard]] bool is_bullet_constraints_joint(sxsdk::shape_class& shape);

/// True when the dad of `shape` is a constraint joint: a rigid body there is posed through the
/// joint (its rotation), never by moving its own part.
[[nodiscard]] bool hangs_under_joint(sxsdk::shape_class& shape);

/// Appends `shape` when it is a rigid body, then does the same for its sons in order, depth
/// first. Returns the new size of `bodies`. The shapes stay the scene's.
int get_sons_rigidbody_recursively(sxsdk::shape_class& shape, std::vector<sxsdk::shape_class*>& bodies);
