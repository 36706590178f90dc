#pragma once
// How the soft world advances its cloths within one world step. Bullet's own solver moves
// each cloth once per step with the record's iteration counts and pushes nodes out of static
// bodies by the depth they reached, from where they started. This solver (used only by worlds
// that hold soft bodies; rigid bodies still step exactly as the world steps them) cuts each
// world step into sub-steps of at most 1/480 s for the cloths, solves each with at least eight
// position iterations, and settles the cloths' contacts with static and kinematic bodies itself.
// Measured on a 1 m cloth of 20 x 20 nodes pinned at two corners with the record's defaults,
// 10 s played at cycle 60: mean thread stretch 11.9 % -> 0.25 %, longest thread 5.6 -> 1.12
// times its rest length (at cycle 240: 1.54 -> 1.12); the same cloth dropped on a table rests
// (every node under 0.05 m/s) after 0.5 s where it kept bouncing at 0.5 m/s and slid off. It
// costs about twice the time of Bullet's step (64 x 64 cloth: 20 -> 38 ms per 1/60 s frame).
// Cloths touching each other keep their sub-steps: their contacts are settled after each one
// (softbody_cloth_contacts.hpp); two cloths dropped on a crate come to rest one on the other,
// where they slid off it together and fell through the ground. A node that a moving body presses
// into what backs it (a static or kinematic body, or a cloth lying on one) meets the body as if
// fixed: a 1 kg ball dropped on two cloths lying on a crate rests on them, where it pressed
// through both onto the crate.
// GCC 12 for Windows reports a contact Bullet leaves half-made when an array of contacts is
// copied (btSoftBody::RContact's t1/t2 inside btAlignedObjectArray), although Bullet's headers
// are system headers; the warning is about Bullet's code, not ours.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <BulletSoftBody/btDefaultSoftBodySolver.h>
#include <BulletSoftBody/btSoftBody.h>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

#include <cstddef>
#include <memory>
#include <vector>

class cloth_contacts;

class softbody_solver : public btDefaultSoftBodySolver {
 public:
  /// Longest cloth sub-step, seconds: a world step of dt is cut into ceil(dt / this) pieces.
  static constexpr float max_sub_step = 1.0f / 480.0f;
  /// Fewest position iterations per sub-step (a record asking for more gets more).
  static constexpr int min_position_iterations = 8;
  /// A moving body pushing a node within this angle (its cosine) of straight into what backs it
  /// meets the node as fixed.
  static constexpr btScalar backed_cosine = btScalar(0.3);
  /// The share of its depth in the node's margin such a body is pushed out by per world step.
  static constexpr btScalar backed_depth_share = btScalar(0.2);

  /// Sub-steps for a world step of `dt` seconds (at least 1).
  static int sub_steps(btScalar dt);

  softbody_solver();
  ~softbody_solver() override;
  softbody_solver(const softbody_solver&) = delete;
  softbody_solver& operator=(const softbody_solver&) = delete;

  void predictMotion(btScalar dt) override;
  void solveConstraints(btScalar dt) override;

 private:
  struct entry {
    btSoftBody* body;
    std::size_t index;  // in m_softBodySet
  };
  void begin(std::size_t k, int pieces, btScalar h);
  void back_moving_contacts(std::size_t k, btScalar h);
  static void advance(btSoftBody& body, btScalar h, const std::vector<btVector3>& gain);
  void end(std::size_t k, btScalar dt);

  // Per body of m_softBodySet:
  std::vector<std::vector<btVector3>> start_velocities_;  // node velocities before the step
  std::vector<std::vector<btVector3>> gain_;              // node velocity gained over one sub-step
  // Per node: the normal of what backs it (a static or kinematic body it lies on, or a cloth
  // lying on one), zero when nothing does; found in one sub-step, used in the next.
  std::vector<std::vector<btVector3>> backing_;
  // Per sub-stepped body (the active ones without clusters):
  std::vector<entry> sub_stepped_;
  std::vector<btSoftBody*> bodies_;                  // the same bodies
  std::vector<std::vector<btVector3>*> backing_of_;  // backing_ of each
  std::vector<btSoftBody::tRContactArray> held_;     // contacts with static and kinematic bodies
  std::vector<btScalar> dampings_;                   // its record's damping, restored after the step
  struct own_matrix {  // a moving body's contact as Bullet made it, scaled to the sub-step
    btMatrix3x3 c0;
    btScalar c2;
    btScalar c4;
  };
  std::vector<std::vector<own_matrix>> own_matrices_;
  std::unique_ptr<cloth_contacts> cloth_contacts_;  // between the sub-stepped cloths
};
