#pragma once
// The local vertex positions of a polygon mesh, kept exactly as they were so that a simulated
// mesh goes back bit for bit (a round trip through world metres would not).
#include <vector>

#include "sx/core/vectors.hpp"

namespace sxsdk {
class shape_class;
}

class mesh_snapshot {
 public:
  /// Keeps the vertices of `mesh` (nothing when it is no polygon mesh). The mesh is borrowed.
  void take(sxsdk::shape_class& mesh);
  /// Puts every kept vertex back (those the mesh still has).
  void restore() const;

 private:
  sxsdk::shape_class* mesh_ = nullptr;
  std::vector<sx::vec<float, 3>> local_;
};
