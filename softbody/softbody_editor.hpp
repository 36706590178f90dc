#pragma once
// What editing a polygon mesh does: the chooser for a soft body mesh (edit, add, remove), the
// two vertex-selection gestures (anchor the selected vertices of a whole-mesh soft body to the
// active rigid body; bind the selected vertices of another mesh as its projection mesh), or a
// new soft body made from the mesh.
namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk
class softbody_scene_list;

namespace softbody_editor {

/// Edits `target` when it is a polygon mesh; false (nothing done) otherwise. `result` is what
/// the modify attribute answers: false after a removed projection or when the projection
/// gesture's active mesh is not a whole-mesh soft body. `softs` is rebuilt from the scene first
/// and kept current.
bool edit(sxsdk::scene_interface& scene, sxsdk::shape_class& target, softbody_scene_list& softs, bool& result);

}  // namespace softbody_editor
