#pragma once
// The candidate search of the cloth builder over one soft body mesh's vertices: for a point,
// the five nearest vertices that pass the side rule, exactly as cloth_util::search's walk over
// the ltvec3yzx index finds them (same vertices, same order, ties included).
#include <map>
#include <vector>

#include "softbody/cloth_util.hpp"

class cloth_search {
 public:
  /// Indexes `positions` (world millimetres, all finite); vertex i is positions[i].
  explicit cloth_search(const std::vector<sx::vec<float, 3>>& positions);

  /// The candidates for `point`, nearest first.
  std::multimap<float, cloth_util::iw> find(const sx::vec<float, 3>& point, bool same_side) const;

 private:
  cloth_vertex_index index_;
};
