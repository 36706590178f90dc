#pragma once
// The candidate search of the cloth builder over one soft body mesh's vertices: for a point,
// the five nearest vertices that pass the side rule, exactly as cloth_util::search's walk over
// the ltvec3yzx index finds them: the same vertices, and among equal distances the ones the
// walk meets first. A uniform grid finds them without walking a whole band of equal y (a flat
// cloth is one such band).
#include <cstdint>
#include <map>
#include <vector>

#include "softbody/cloth_util.hpp"

class cloth_search {
 public:
  using vec3 = sx::vec<float, 3>;
  /// Indexes `positions` (world millimetres, all finite); vertex i is positions[i].
  explicit cloth_search(const std::vector<vec3>& positions);

  /// The candidates for `point`, nearest first (equal distances in the walk's order).
  std::multimap<float, cloth_util::iw> find(const vec3& point, bool same_side) const;

 private:
  struct found {
    float d2;
    std::int32_t rank;  ///< when the walk would meet the vertex
    std::int32_t vertex;
  };
  int cell_of(int axis, float value) const;
  std::size_t cell_index(int x, int y, int z) const;
  void visit(int x, int y, int z, const vec3& point, bool same_side, int start, std::vector<found>& held) const;

  std::vector<vec3> positions_;
  std::vector<std::int32_t> sorted_;  ///< vertices in the walk index's order
  std::vector<std::int32_t> place_;   ///< each vertex's position in sorted_
  vec3 low_{0, 0, 0};
  float cell_[3] = {1, 1, 1};  ///< cell size per axis, mm
  int cells_[3] = {1, 1, 1};
  std::vector<std::int32_t> cell_start_;  ///< per cell: first entry in by_cell_ (one past the end last)
  std::vector<std::int32_t> by_cell_;     ///< vertices grouped by cell
};
