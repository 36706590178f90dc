#pragma once
// How the streams of constraint joints and soft bodies are rewritten in their current formats
// when a world is renewed. Those roles live above this folder; the editing layer hands their
// renewers in. An empty function leaves such shapes as they are.
#include <functional>

namespace sxsdk {
class shape_class;
}

struct stream_renewers {
  /// Rewrites the soft body stream of a polygon mesh that carries one.
  std::function<void(sxsdk::shape_class&)> softbody;
  /// Rewrites the constraint stream of a joint and renews its frames from it.
  std::function<void(sxsdk::shape_class&)> constraints_joint;
};
