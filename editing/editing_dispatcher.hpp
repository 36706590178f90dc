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

/// Opens the editor for the scene's active shape; "No targets" (localised) when the shape has
/// no role. In mesh element editing a polygon mesh `asked` (the shape ask_shape was called for)
/// is the mesh edited instead, so that the vertex-selection gestures can name two meshes.
/// `softs` (may be null) is the component's list of soft body meshes, kept current. The caller
/// leaves sequence mode first. Returns what ask_shape answers: true, unless a soft body editor
/// says otherwise. Host failures propagate.
bool edit_active_shape(sxsdk::scene_interface& scene, sxsdk::shape_class* asked = nullptr,
                       softbody_scene_list* softs = nullptr);

/// The renewers of the joint and soft body streams, for "Renew inner parts" of the world editor.
stream_renewers renewers();

}  // namespace editing_dispatcher
