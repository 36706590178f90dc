#pragma once
// The soft body chooser of a polygon mesh that carries soft bodies, and what its choices do:
// edit a record, add one, or remove one. A mesh with one soft body that uses every vertex is
// offered "Selection/Edit/Remove", and removing it also removes the mesh's settings stream and
// its projection; any other is offered "Selection/New/Edit/Remove" with the records listed.
// The editing dispatcher decides when the chooser opens.
namespace sxsdk {
class scene_interface;
}  // namespace sxsdk
class softbody_properties;
class softbody_scene_list;

namespace softbody_editor {

/// Shows the chooser for `entry`, a mesh of `softs`, and acts on the choice; a cancel changes
/// nothing. A mesh left without soft bodies is dropped from `softs` (and `entry` with it).
void choose_and_act(sxsdk::scene_interface& scene, softbody_properties& entry, softbody_scene_list& softs);

}  // namespace softbody_editor
