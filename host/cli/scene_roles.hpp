#pragma once
// host::scene_roles: what the physics plug-in makes of each shape, decided from the shape's kind
// and the streams it carries, the way the plug-in decides it: a simple part with a world stream
// is a world, with a modify stream a rigid body; a shape that is no part with a primitive stream
// is a primitive; a ball, bone, rotator or slider joint with a modify stream is a constraint
// joint; a polygon mesh with one is a soft body. The command line uses it to list a scene
// (`info`) and to know which bodies a playback moves (trace, glTF) without asking the plug-in.
#include <string>
#include <unordered_map>
#include <vector>

#include "host/cli/host_text.hpp"
#include "host/cli/stream_decoder.hpp"

namespace host {

class scene;
class shape_node;

enum class physics_role { none, world, rigid_body, primitive, joint, soft_body };

/// The role's name as people read it ("world", "rigid body", ...; none reads as "soft body").
host_text physics_role_text(physics_role role);

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

/// The two bodies of a constraint joint, as the plug-in reads them; null where there is none.
struct joint_bodies {
  shape_node* rigid0 = nullptr;
  shape_node* rigid1 = nullptr;
};

/// Which world a shape below a world part belongs to.
struct world_place {
  const shape_node* world = nullptr;  ///< the active world part it is simulated in, or null
  const shape_node* held = nullptr;   ///< without one: the held world part it lies in, or null
};

class scene_roles {
 public:
  /// The roles of one shape; a simple part may be both a world and a rigid body.
  static std::vector<physics_role> roles_of(const shape_node& shape);
  static bool has_role(const shape_node& shape, physics_role role);

  /// The bodies of a constraint joint. Version 2 keeps them as links: a linked shape at or after
  /// the joint in index order is Rigid1, one before it Rigid0 (a later link wins). Versions 0
  /// and 1 keep the bodies' index numbers in the stream.
  static joint_bodies bodies_of_joint(const shape_node& joint);

  /// Every rigid body below an active world part, depth first. Like the plug-in, a world part
  /// ends the search for worlds: a world nested in an active world adds its bodies to the
  /// outer one, and nothing below a held world is simulated. Bodies whose stream names a type
  /// other than move, kinematic or static are left out, as the plug-in leaves them out.
  static std::vector<simulated_body> bodies(scene& s);
  /// Every active world part, depth first, found as bodies() finds them.
  static std::vector<simulated_world> worlds(scene& s);
  /// The world of every shape below a world part (the world parts found as bodies() finds them;
  /// a world part itself is not below its world). Shapes below no world part are not listed.
  static std::unordered_map<const shape_node*, world_place> places(scene& s);
};

}  // namespace host
