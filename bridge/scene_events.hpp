#pragma once
// Keeps stored properties in step with edits the user makes to the scene outside the
// simulation: a moved rigid body gets its stored start transform refreshed, a changed
// primitive is reported (its shape must not be edited by hand).
#include <functional>

namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk

namespace scene_events {

/// `shape` was moved or modified; `top` is true for the shape the host named (its sons are
/// visited with false). Rigid bodies below it store their new start transform; a primitive
/// named directly shows "Bullet primitive can't be modified.Undo it"; the sons of constraint
/// joints are left to the joint work. `start_refreshed` (may be empty) hears of every rigid
/// body whose stored start was refreshed.
void shape_modified(sxsdk::scene_interface& scene, sxsdk::shape_class& shape, bool top,
                    const std::function<void(sxsdk::shape_class&)>& start_refreshed = {});

/// After the selection changed to `count` shapes: one rigid body part alone ends mesh editing.
void active_shapes_changed(sxsdk::scene_interface& scene, int count, sxsdk::shape_class* const* shapes);

}  // namespace scene_events
