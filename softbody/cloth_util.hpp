#pragma once
// Binds one point (a projection mesh vertex) to the soft body mesh: finds its nearest soft body
// vertices in a y-major index, keeps up to three and weighs them so that their weighted sum is
// the point's projection onto the triangle, segment or vertex they span; the offset is the
// point minus that sum. Everything in world millimetres.
//
// Thresholds (millimetres, squared millimetres): a point within squared distance 0.0002 of its
// nearest vertex is bound to it alone; "same side" compares against the plane x = 0 with a
// squared tolerance of 0.0002²; offset components below 0.0002 are stored as 0.
#include <cstdint>
#include <map>
#include <vector>

#include "sx/core/vectors.hpp"

namespace sxsdk {
class scene_interface;
}

/// Orders positions by y; equal y by z then x, both reversed for negative y. Exact comparisons:
/// no NaN may enter an index ordered by it.
struct ltvec3yzx {
  bool operator()(const sx::vec<float, 3>& a, const sx::vec<float, 3>& b) const;
};

/// Soft body vertex positions (mm) to their vertex indices.
using cloth_vertex_index = std::multimap<sx::vec<float, 3>, int, ltvec3yzx>;

class cloth_util {
 public:
  using vec3 = sx::vec<float, 3>;
  /// A search candidate: vertex index and its position minus the point.
  struct iw {
    std::int32_t index = -1;
    vec3 diff{0, 0, 0};
  };
  /// A kept vertex; `weight` holds the squared distance until the weights are computed.
  struct vw {
    std::int32_t index = -1;
    float weight = 0.0f;
    vec3 diff{0, 0, 0};
  };

  std::vector<vw> vws;   ///< the kept vertices, 0 to 3 after a build
  vec3 offset{0, 0, 0};  ///< the point minus the weighted sum of the last build

  /// The side rule: true when `same_side` is off, or `q` lies on the point's side of the plane
  /// x = 0 (or on it), or on that plane when the point is.
  static bool passes_side(const vec3& point, const vec3& q, bool same_side);
  /// |q - point|², computed as the walk computes it (searches must agree to the bit).
  static float distance2(const vec3& q, const vec3& point);

  /// The five nearest entries of `index` that pass the side rule, nearest first, ties in the
  /// order the walk met them. The walk of the binding rules; bench and tests use it as oracle.
  static std::multimap<float, iw> search(const vec3& point, const cloth_vertex_index& index, bool same_side);

  /// Builds `vws` and `offset` for `point`. `vertex` (the projection vertex) is only quoted in
  /// messages to `messages`. Returns true when a kept weight is negative or nothing was found
  /// (`vws` then untouched), false otherwise.
  bool make(const vec3& point, const cloth_vertex_index& index, bool same_side, sxsdk::scene_interface& messages,
            int vertex);
  /// make with candidates found elsewhere (the same five, in the same order, as search gives).
  bool make_from(const std::multimap<float, iw>& candidates, sxsdk::scene_interface& messages, int vertex);

  /// Weighs `vws` in place, may drop entries. 0 when every weight is non-negative, negative
  /// otherwise; -2 with "NO refarence point or BAD point[%i]!!" when `vws` is empty.
  float cal_weight(sxsdk::scene_interface& messages, int vertex);

  /// Cuts `vws` to three entries and returns minus the weighted sum of their differences, with
  /// components below 0.0002 in magnitude set to 0.
  vec3 get_offset();

 private:
  float segment(vw& e0, vw& e1);
};
