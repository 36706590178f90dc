#pragma once
// One soft body (a cloth from a triangle mesh) as the scene side hands it to the engine.

#include <LinearMath/btVector3.h>

#include <cstdint>
#include <string>
#include <vector>

struct softbody_datas {
  /// A group of nodes that hang on one rigid body, or are pinned in place.
  struct anchor_struct {
    void* rigid = nullptr;            ///< key of a rigid body; null or unknown: the nodes are pinned
    std::vector<std::int32_t> nodes;  ///< node indices, each below the body's node count
  };

  std::int32_t type = 0;                      ///< 0 = triangle mesh, the only kind the engine builds
  std::string name;                           ///< the soft body's name
  std::uint8_t group_index = 2;               ///< collision group number 0..15
  std::int16_t group = 4;                     ///< 1 << group_index, widened with sign
  std::uint32_t mask = 0;                     ///< bit n set: no collision with group n (the engine uses ~mask)
  float mass = 1.0f;                          ///< total mass, kilograms, >= 0
  float margin = 0.04f;                       ///< collision margin, metres, not scaled
  btVector3 wind_velocity{0.0f, 0.0f, 0.0f};  ///< m/s, not scaled; applied only when not all zero
  std::int32_t cluster_count = 1;             ///< clusters to generate when use_clusters is set
  bool use_clusters = false;                  ///< cluster-based collision
  bool randomize = false;                     ///< randomize the constraint order once more
  // Bullet's soft body configuration, same names and order as btSoftBody::Config.
  float kVCF = 1.0f;
  float kDP = 0.0f;
  float kDG = 0.0f;
  float kLF = 0.0f;
  float kPR = 0.0f;
  float kVC = 0.0f;
  float kDF = 0.2f;
  float kMT = 0.0f;
  float kCHR = 1.0f;
  float kKHR = 1.0f;  ///< not Bullet's own 0.1
  float kSHR = 1.0f;
  float kAHR = 0.7f;
  float kSRHR_CL = 0.1f;  ///< the six *_CL fields are used only with clusters
  float kSKHR_CL = 1.0f;
  float kSSHR_CL = 0.5f;
  float kSR_SPLT_CL = 0.5f;
  float kSK_SPLT_CL = 0.5f;
  float kSS_SPLT_CL = 0.5f;
  std::int32_t viterations = 1;             ///< velocity solver iterations
  std::int32_t piterations = 4;             ///< position solver iterations
  std::int32_t diterations = 0;             ///< drift solver iterations
  std::int32_t bending_distance = 1;        ///< bending constraints are made for 2 and more
  float kLST = 1.0f;                        ///< bending material linear stiffness
  float kAST = 1.0f;                        ///< bending material angular stiffness
  float kVST = 1.0f;                        ///< bending material volume stiffness
  std::vector<std::int32_t> node_vertices;  ///< per node: the mesh vertex it came from (scene side only)
  std::vector<anchor_struct> anchors;       ///< anchor groups, applied in order
  std::vector<float> vertices;              ///< rest positions, x y z per node, metres
  std::vector<std::int32_t> triangles;      ///< three node indices per triangle
};
