#pragma once
// One Bullet simulation world: owns every Bullet object it creates. Bullet's dynamics headers
// stay in engine/*.cpp; here the Bullet classes are only declared.

#include "engine/collisionshape_datas.hpp"
#include "engine/constraints_datas.hpp"
#include "engine/rigidbody_datas.hpp"
#include "engine/softbody_datas.hpp"
#include "engine/world_datas.hpp"

#include <LinearMath/btTransform.h>
#include <LinearMath/btVector3.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

class btBroadphaseInterface;
class btCollisionConfiguration;
class btCollisionDispatcher;
class btCollisionShape;
class btConstraintSolver;
class btDiscreteDynamicsWorld;
class btRigidBody;
class btSoftBody;
class btSoftRigidDynamicsWorld;
class softbody_solver;
class btStaticPlaneShape;
class GLDebugDrawer;
struct btSoftBodyWorldInfo;
class step_pool;

class bullet_world {
 public:
  /// True when `datas` can make a world: finite gravity and height, scale_factor > 0 and finite,
  /// and (with soft bodies) a finite boundary with min below max on every axis.
  [[nodiscard]] static bool accepts(const world_datas& datas, bool use_softbody);

  /// Builds the world; `datas` must pass accepts(). A positive gravity is negated in `datas`.
  /// `use_softbody`: a soft-rigid world with an axis-sweep broadphase over the boundary.
  bullet_world(world_datas& datas, bool use_softbody);
  ~bullet_world();
  bullet_world(const bullet_world&) = delete;
  bullet_world& operator=(const bullet_world&) = delete;

  /// Threads a rigid-body world built from now on steps with (1 .. max_step_threads; others are
  /// taken as 1). 1, the default, is Bullet's serial world. More share the narrow phase, the
  /// motion prediction and the island solving out, with the same result bit for bit. Worlds
  /// with soft bodies always step on one thread.
  static void set_step_threads(int threads);
  static int step_threads();
  static constexpr int max_step_threads = 64;

  /// Advances by `seconds` (elapsed time) in steps of 1/`cycle` s, at most 10·seconds·cycle of
  /// them; below one allowed step Bullet takes one step of exactly `seconds`. A world that holds
  /// a joint cuts each of these steps into joint_settings::steps_per_cycle(cycle) equal ones.
  /// Non-positive or non-finite values step nothing.
  void update(float seconds, float cycle);

  /// Objects (ground included) a world with soft bodies can hold: its axis-sweep broadphase has
  /// this many handles; rigid and soft bodies beyond it are refused.
  static constexpr int soft_world_capacity = 16384;

  // Rigid bodies (bullet_world_bodies.cpp). Keys are opaque and never dereferenced.
  /// True when a shape exists for datas.shape afterwards (the first record for a key wins).
  [[nodiscard]] bool addCollisionShape(collisionshape_datas& datas);
  /// True when the body was added; its primitive's shape must exist. Sets datas.mass to 0 for
  /// kinematic and static bodies.
  [[nodiscard]] bool addRigidBody(rigidbody_datas& datas);
  /// Negates linear and angular velocity of a moving body; false for other bodies.
  [[nodiscard]] bool reverse_direction(rigidbody_datas& datas);
  /// Hands a kinematic body its next pose (origin in metres); false for other bodies.
  [[nodiscard]] bool reposition(rigidbody_datas& datas, btTransform& transform);
  /// Current pose of the body, origin in metres; false (output untouched) for an unknown key.
  [[nodiscard]] bool get_transform(rigidbody_datas& datas, btTransform& transform);
  [[nodiscard]] bool get_transform(void* key, btTransform& transform);

  // Joints (bullet_world_joints.cpp).
  /// True when a constraint was created and added; needs the body of rigid1. From the first
  /// joint on, the world steps and treats its bodies as joint_settings says.
  [[nodiscard]] bool addJoint(constraints_datas& datas);
  bool holds_joints() const { return holds_joints_; }

  // Soft bodies (bullet_world_softbodies.cpp); the world must have been built with soft bodies.
  /// Builds one soft body under `key` (appended after earlier ones); false, adding nothing,
  /// for a type other than 0 or a malformed record.
  [[nodiscard]] bool addSoftBody(softbody_datas& datas, void* key);
  /// Node positions in metres of body `index` under `key`; false (output untouched) if absent.
  [[nodiscard]] bool get_softbody_positions(void* key, int index, std::vector<btVector3>& positions);

  /// Draws one frame of the world's debug views (Bullet's debug drawing of the world as it is
  /// now); nothing when the world has none. update() draws one after every step.
  void debug_draw();

  // For diagnostics and tests only: the Bullet objects behind the keys (null when absent).
  btDiscreteDynamicsWorld* dynamics_world() const { return world_.get(); }
  btRigidBody* find_rigid_body(void* key) const;
  btSoftBody* find_soft_body(void* key, int index) const;
  GLDebugDrawer* debug_drawer() const { return drawer_.get(); }

 private:
  void create_soft_world(const world_datas& datas);
  void create_discrete_world();
  void create_ground(float height);
  void destroy_objects();
  void attach_anchors(btSoftBody& body, const softbody_datas& datas);
  bool has_room() const;
  static void drop_additional_damping(btRigidBody& body);
  btVector3 scaled(const btVector3& v) const { return v * scale_; }
  btTransform scaled(const btTransform& t) const;

  std::unique_ptr<GLDebugDrawer> drawer_;  // the debug views, null without any; outlives world_
  std::unique_ptr<step_pool> pool_;        // threads of a multi-threaded world, else null
  std::unique_ptr<btSoftBodyWorldInfo> soft_info_;
  std::unique_ptr<btCollisionConfiguration> configuration_;
  std::unique_ptr<btCollisionDispatcher> dispatcher_;
  std::unique_ptr<btBroadphaseInterface> broadphase_;
  std::unique_ptr<btConstraintSolver> solver_;
  std::unique_ptr<softbody_solver> soft_solver_;    // the soft world's cloth solver, else null
  std::unique_ptr<btDiscreteDynamicsWorld> world_;  // the soft world, or the discrete one
  btSoftRigidDynamicsWorld* soft_world_ = nullptr;  // world_ when it holds soft bodies
  std::map<void*, btCollisionShape*> shapes_;       // by primitive key, owned by shape_pool_
  // One shape for all primitives of equal records (kind, direction, size and margin bits): a pile
  // of equal bodies then reads one shape, as a program written for Bullet alone would share it.
  std::map<std::array<std::uint32_t, 6>, std::unique_ptr<btCollisionShape>> shape_pool_;
  std::unordered_map<void*, btRigidBody*> bodies_;        // owned by world_'s object list; looked up every frame
  std::map<void*, std::vector<btSoftBody*>> softbodies_;  // owned by world_'s object list
  std::unique_ptr<btStaticPlaneShape> ground_shape_;
  btRigidBody* ground_body_ = nullptr;  // owned by world_'s object list
  float scale_ = 1.0f;
  bool holds_joints_ = false;  // a joint was added: joint_settings' stepping and bodies
};
