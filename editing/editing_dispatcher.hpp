#pragma once
// The editor for a shape: the role of the scene's active shape decides which dialog opens
// (world, primitive, rigid body, constraint joint or joint chain builder, soft body), and each
// editor reads the shape's stream over the default record it starts from. Used by the modify
// attribute's ask_shape, which the browser and figure components reach through the host.
//
// This layer sits above the joint and soft body folders so that it can reach every editor and
// hand the world editor the joint and soft body stream renewers.
#include "properties/stream_renewers.hpp"

namespace sxsdk {
class scene_interface;
class shape_class;
}  // namespace sxsdk
class softbody_scene_list;

namespace editing_dispatcher {

/// Opens the editor for the scene's active shape, trying in order: world, primitive, rigid
/// body, ball or bone joint (constraint dialog, or the joint chain builder for a joint without
/// settings that heads a chain), polygon mesh (softbody_gestures); "No targets" (localised) for
/// any other shape. In mesh element editing a polygon mesh `asked` (the shape ask_shape was
/// called for, the mesh being edited) is the shape edited instead, and the active shapes are
/// the partners of its vertex gestures. `softs` (may be null) is the component's list of soft
/// body meshes, kept current. The caller leaves sequence mode first. Returns what ask_shape
/// answers: true, unless the mesh branch says otherwise. Host failures propagate.
bool edit_active_shape(sxsdk::scene_interface& scene, sxsdk::shape_class* asked = nullptr,
                       softbody_scene_list* softs = nullptr);

/// The renewers of the joint and soft body streams, for "Renew inner parts" of the world editor.
stream_renewers renewers();

}  // namespace editing_dispatcher
