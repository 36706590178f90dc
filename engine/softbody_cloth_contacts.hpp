#pragma once
// Contacts between cloths (a node of one against a face of another), settled after each cloth
// sub-step. Bullet finds them once per world step (nodes within the two margins of a face); its
// own solve then pulls the node to the margin along the direction from the face to wherever the
// node is, so a node that has sunk past the face's middle is pulled through it, and over the
// sub-steps stacked cloths were dragged into each other and thrown apart. Here a contact only
// pushes apart, along the face's normal, keeping the node on the side it was on before it came
// close: a node held within the two margins is put back on the margin, the push shared by the
// node and the face's nodes as their masses say, and their approach along the normal is taken
// out of their velocities (a push out of a margin gives no velocity of its own: two resting
// cloths stay at rest). A node that comes over a face already within the margins (it slid in
// from beside the face) is held where it is and let out to them at 0.1 m/s: thrown out at once,
// a corner of a cloth lying over another's edge snapped back at 1.9 m/s every nine frames. Each
// pair's side and distance carry over from step to step. Coulomb friction with the larger of the
// two cloths' kDF holds their slip.
// A node lying on a static or kinematic body is not moved by a cloth above it (the body holds it),
// so a cloth dropped on a cloth lying on a box stops on it and does not push it into the box; a
// node lying on such a cloth is backed by it in turn (for a moving body pressing on it).
#include "engine/softbody_solver.hpp"

#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

class cloth_contacts {
 public:
  /// Position passes over the contacts per sub-step.
  static constexpr int iterations = 4;

  /// Takes the contacts Bullet found this step out of the sub-stepped `bodies` (Bullet would solve
  /// them in its own iterations, once per sub-step) and keeps them for `settle`.
  void take(const std::vector<btSoftBody*>& bodies);
  bool empty() const { return contacts_.empty(); }

  /// Before a sub-step moves the nodes: learns the side of each node that now lies over its face.
  void begin_sub_step();
  /// Per body given to take(), per node: the normal of what backs it, zero for none.
  using backings = std::vector<std::vector<btVector3>*>;
  /// Settles the contacts after the sub-step. A node backed by a static or kinematic body is not
  /// moved; afterwards a node lying on a face of backed nodes is backed by it (its normal).
  void settle(btScalar h, const backings& backing);

 private:
  struct contact {
    btSoftBody::Node* node;
    btSoftBody::Node* face[3];
    const btSoftBody::Face* face_key;
    int node_body;  // index in the bodies given to take(), or -1 when not sub-stepped
    int face_body;
    int node_index;
    int face_index[3];
    btScalar margin;    // the two cloths' margins
    btScalar friction;  // the larger kDF
    btScalar hardness;  // kSHR of the node's cloth, 0..1
    btScalar side;      // +1 or -1 along the face's normal; 0 until known
    btScalar reach;     // the distance the node is held off the face, up to the margins
  };
  struct frame {        // a contact as it stands now
    btVector3 normal;   // the face's normal on the node's side
    btVector3 weights;  // where the node lies over the face
    btScalar gap;       // the node's distance from the face's plane along `normal`
    btScalar inverse_mass;
    btScalar node_im;
    btScalar face_im[3];
  };
  bool measure(const contact& c, const backings& backing, frame& f) const;
  static bool backed(const backings& backing, int body, int node);
  void push(const contact& c, const frame& f);
  static void stop_approach(const contact& c, const frame& f);

  std::vector<contact> contacts_;
  using pair = std::pair<const void*, const void*>;  // node, face
  struct pair_hash {
    std::size_t operator()(const pair& p) const;
  };
  struct learnt {
    btScalar side, reach;
  };
  std::unordered_map<pair, learnt, pair_hash> last_;
};
