#pragma once
// The polygon mesh branch of the editor, tried in this order:
//   1. a mesh with soft bodies opens their chooser; in vertex editing with a rigid body as the
//      first active shape, the selected vertices of a whole-mesh soft body are first anchored
//      to that body (the anchor gesture);
//   2. in vertex editing with a soft body mesh as the first active shape, the asked mesh
//      becomes (or stops being) that soft body's projection mesh (the projection gesture),
//      reported as "Create Projection Mesh:%s of [%s]" or "Remove Projection Mesh:%s of [%s]"
//      with the asked mesh's name first and the soft body mesh's second;
//   3. any other mesh becomes a new soft body: all its faces ("Use all meshes") unless the user
//      is in face editing, where the selected faces are taken.
namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk
class softbody_scene_list;

namespace softbody_gestures {

/// Edits the polygon mesh `mesh` as listed above. `softs`, the attribute's soft body meshes, is
/// rebuilt from the scene first (so it never names a removed mesh) and kept current. Returns
/// what ask_shape answers: false after a projection was removed, or when the projection
/// gesture's soft body does not use every vertex of its mesh (nothing is done then); true
/// otherwise. Host failures propagate.
bool edit_mesh(sxsdk::scene_interface& scene, sxsdk::shape_class& mesh, softbody_scene_list& softs);

}  // namespace softbody_gestures
