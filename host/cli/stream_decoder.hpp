#pragma once
// host::stream_decoder: reads the physics plug-in's property streams for display and for the
// command line's own bookkeeping (which bodies move, which primitive they use). The host does
// not need the plug-in for this: the layouts are fixed little-endian records (int32, float32,
// one-byte chars). Every read is checked and a failure is sticky: a short or damaged stream
// decodes as `valid` false with whatever fields came before the damage.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sx/core/uuid.hpp"

namespace host {

/// Stream keys of the physics plug-in (a world part, a primitive, and the rigid body /
/// constraint / soft body stream, told apart by the kind of shape that carries it).
struct physics_stream_ids {
  static const sx::uuid_class world;      ///< AFC29716-...: world part
  static const sx::uuid_class primitive;  ///< 042BC3E0-...: primitive (line, sphere or disk)
  static const sx::uuid_class modify;     ///< 10A768C2-...: rigid body, constraint joint, soft body
  static const sx::uuid_class figure;     ///< 7A9CA1E2-...: a soft body mesh's projection binding and link
};

/// World settings (56 bytes, version 0). Lengths in metres.
struct world_settings {
  bool valid = false;
  int version = 0;
  bool active = true;
  bool view_debug = false;
  float gravity = 9.8f, height = 0, air_density = 1.2f, simulation_cycle = 60;
  std::array<float, 3> boundary_min{-1000, -1000, -1000}, boundary_max{1000, 1000, 1000};
  std::int32_t reserved = 131072;
  float scale_factor = 1;
};

/// Primitive settings (12 bytes, version 0): the size lives in the geometry, not here.
struct primitive_settings {
  bool valid = false;
  int version = 0;
  float margin = 0.04f;
  int direction = 0;  ///< 0 Y, 1 X, 2 Z (low two bits of the flags)
};

/// Rigid body settings (93 bytes in version 1; version 0 stores a quaternion instead of the
/// basis, 73 bytes). Origin in metres; basis rows as Bullet holds them (column vectors).
struct rigid_settings {
  bool valid = false;
  int version = 0;
  int type = 0;  ///< 0 move, 1 kinematic, 2 static
  int group_index = 1;
  std::uint32_t mask = 0;
  float mass = 1, friction = 0.5f, restitution = 0, linear_damping = 0, angular_damping = 0;
  std::array<float, 3> velocity{0, 0, 0};
  std::array<std::array<float, 3>, 3> basis{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  std::array<float, 3> origin{0, 0, 0};
};

/// The soft bodies of a polygon mesh (soft body stream, version 4; an older version gives only
/// its version, the plug-in rewrites it when it reads it). `valid` is false also when a record's
/// lists disagree (rest positions not three per node, a triangle or anchor naming a node that
/// does not exist, a negative vertex): the plug-in refuses such a stream.
struct cloth_settings {
  /// One anchor group: the rigid body its nodes hang on, by the shape's index number (-1: none,
  /// the nodes are pinned), and how many nodes it holds.
  struct anchor {
    int body = -1;
    int nodes = 0;
  };
  struct record {
    std::string name;
    int nodes = 0, triangles = 0, anchor_groups = 0;
    std::vector<anchor> anchors;
  };
  bool valid = false;
  int version = 0;
  std::vector<record> records;
};

/// A constraint joint's settings: its type from the flags. Version 2 (104 bytes) keeps the bodies
/// as links, not bytes; versions 0 and 1 (read and rewritten by the plug-in) end with the bodies'
/// index numbers, as many as the flags' low bits say (0 none, 1 Rigid1, 2 or 3 Rigid1 and Rigid0).
struct joint_settings {
  bool header = false;  ///< the version and the flags were there
  bool valid = false;   ///< exactly the bytes the version holds
  int version = 0;
  int type = 0;                    ///< 0 6Dof, 1 6DofSpring, 2 ConeTwist (3: none of them)
  std::size_t expected_bytes = 0;  ///< what the version holds (known once the header is there)
  int rigid0 = -1, rigid1 = -1;    ///< versions 0 and 1: the bodies' index numbers, -1 none
};

class stream_decoder {
 public:
  /// Bytes of the fixed-length streams.
  static constexpr std::size_t world_bytes = 56;
  static constexpr std::size_t primitive_bytes = 12;
  static std::size_t rigid_bytes(int version) { return version == 0 ? 73 : 93; }

  static world_settings world(const std::vector<std::uint8_t>& bytes);
  static primitive_settings primitive(const std::vector<std::uint8_t>& bytes);
  static rigid_settings rigid(const std::vector<std::uint8_t>& bytes);

  static joint_settings joint(const std::vector<std::uint8_t>& bytes);
  static cloth_settings cloth(const std::vector<std::uint8_t>& bytes);
  /// The number of bindings of a projection binding stream; -1 when it is short or damaged.
  static int bindings(const std::vector<std::uint8_t>& bytes);

  /// The leading int32 (every property stream starts with its version); false when shorter.
  static bool version(const std::vector<std::uint8_t>& bytes, int& out);
};

}  // namespace host
