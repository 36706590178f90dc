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
}

namespace editing_dispatcher {

/// Opens the editor for the scene's active shape; "No targets" (localised) when the shape has
/// no role. The caller leaves sequence mode first. Returns what ask_shape answers: true, unless a
/// soft body editor says otherwise. Host failures propagate.
bool edit_active_shape(sxsdk::scene_interface& scene);

/// The renewers of the joint and soft body streams, for "Renew inner parts" of the world editor.
stream_renewers renewers();

}  // namespace editing_dispatcher
