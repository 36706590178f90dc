#pragma once
// host::scene_roles: what the physics plug-in makes of each shape, decided from the shape's kind
// and the streams it carries, the way the plug-in decides it: a simple part with a world stream
// is a world, with a modify stream a rigid body; a shape that is no part with a primitive stream
// is a primitive; a ball, bone, rotator or slider joint with a modify stream is a constraint
// joint; a polygon mesh with one is a soft body. The command line uses it to list a scene
// (`info`) and to know which bodies a playback moves (trace, glTF) without asking the plug-in.
#include <string>
#include <vector>

#include "host/cli/stream_decoder.hpp"

namespace host {

class scene;
class shape_node;

enum class physics_role { none, world, rigid_body, primitive, joint, soft_body };

/// "world", "rigid body", "primitive", "joint", "soft body" or "" for none.
const char* physics_role_name(physics_role role);

/// One rigid body of an active world, as the plug-in will simulate it.
struct simulated_body {
  shape_node* part = nullptr;       ///< the rigid body part
  shape_node* primitive = nullptr;  ///< its first primitive son, or null (the plug-in refuses it)
  rigid_settings settings;          ///< decoded from the part's stream
  std::string path;                 ///< names from the root joined by "/"
};

/// One world part the plug-in will build a world for.
struct simulated_world {
  shape_node* part = nullptr;
  world_settings settings;  ///< decoded from the part's stream
  std::string path;
};

class scene_roles {
 public:
  /// The roles of one shape; a simple part may be both a world and a rigid body.
  static std::vector<physics_role> roles_of(const shape_node& shape);
  static bool has_role(const shape_node& shape, physics_role role);

  /// Every rigid body below an active world part, depth first. Like the plug-in, a world part
  /// ends the search for worlds: a world nested in an active world adds its bodies to the
  /// outer one, and nothing below a held world is simulated. Bodies whose stream names a type
  /// other than move, kinematic or static are left out, as the plug-in leaves them out.
  static std::vector<simulated_body> bodies(scene& s);
  /// Every active world part, depth first, found as bodies() finds them.
  static std::vector<simulated_world> worlds(scene& s);
};

}  // namespace host
