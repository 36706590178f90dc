#pragma once
// The engine facade the scene side holds: one optional bullet_world. Every operation answers
// with a bool; the facade never throws for a missing world.

#include "engine/bullet_world.hpp"

#include <memory>
#include <vector>

class phygics_world {
 public:
  /// Replaces the current world by a new one built from `datas` (a positive gravity is negated
  /// in `datas`). False, leaving no world, when the record cannot make one (non-finite values,
  /// scale_factor not above 0, an empty soft body boundary).
  [[nodiscard]] bool create_world(world_datas& datas, bool use_softbody);
  /// Threads the worlds created from now on step with (bullet_world::set_step_threads).
  static void set_step_threads(int threads) { bullet_world::set_step_threads(threads); }
  /// Destroys the world; false when there is none.
  bool remove_world();
  /// Steps the world by `seconds` of elapsed time at `cycle` steps per second; nothing without a world.
  void update(float seconds, float cycle);
  /// Draws the first frame of the world's debug views once the world is filled; nothing
  /// without a world or views (bullet_world::debug_draw).
  void first_debug_draw() {
    if (world_) world_->debug_draw();
  }

  // False without a world; otherwise bullet_world's operation of the same meaning.
  [[nodiscard]] bool addCollisionShape(collisionshape_datas& datas);
  [[nodiscard]] bool addRigidBody(rigidbody_datas& datas);
  [[nodiscard]] bool reverse_direction(rigidbody_datas& datas);
  [[nodiscard]] bool set_kinematic_new_transform(rigidbody_datas& datas, btTransform& transform);
  [[nodiscard]] bool addJoint(constraints_datas& datas);
  [[nodiscard]] bool addSoftBody(softbody_datas& datas, void* key);

  // True with the output untouched without a world; otherwise bullet_world's answer.
  [[nodiscard]] bool get_rigidbody_transform(rigidbody_datas& datas, btTransform& transform);
  [[nodiscard]] bool get_rigidbody_transform(void* key, btTransform& transform);
  [[nodiscard]] bool get_softbody_positions(void* key, int index, std::vector<btVector3>& positions);

  /// For diagnostics and tests only: the world behind the facade, or null.
  bullet_world* engine() const { return world_.get(); }

 private:
  std::unique_ptr<bullet_world> world_;
};
