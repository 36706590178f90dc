#include "softbody/cloth_search.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr std::size_t candidate_limit = 5;
constexpr int max_cells_per_axis = 1024;

}  // namespace

cloth_search::cloth_search(const std::vector<vec3>& positions) : positions_(positions) {
  const std::size_t n = positions_.size();
  sorted_.resize(n);
  std::iota(sorted_.begin(), sorted_.end(), 0);
  // Equal positions keep their insertion (vertex) order, as a multimap keeps them.
  std::stable_sort(sorted_.begin(), sorted_.end(),
                   [&](std::int32_t a, std::int32_t b) { return ltvec3yzx()(positions_[a], positions_[b]); });
  place_.resize(n);
  for (std::size_t k = 0; k < n; ++k) place_[std::size_t(sorted_[k])] = std::int32_t(k);
  if (n == 0) return;
  vec3 high = positions_[0];
  low_ = positions_[0];
  for (const vec3& p : positions_) {
    for (int a = 0; a < 3; ++a) {
      low_[a] = std::min(low_[a], p[a]);
      high[a] = std::max(high[a], p[a]);
    }
  }
  // About two vertices per cell over the axes the mesh spans (a flat cloth spans two).
  double volume = 1.0;
  int spanned = 0;
  for (int a = 0; a < 3; ++a)
    if (high[a] > low_[a]) {
      volume *= double(high[a]) - double(low_[a]);
      ++spanned;
    }
  const double size = spanned ? std::pow(volume / std::max(1.0, double(n) / 2.0), 1.0 / spanned) : 1.0;
  for (int a = 0; a < 3; ++a) {
    const double extent = double(high[a]) - double(low_[a]);
    cells_[a] = extent > 0 ? int(std::clamp(std::ceil(extent / size), 1.0, double(max_cells_per_axis))) : 1;
    cell_[a] = extent > 0 ? float(extent / cells_[a]) * 1.0001f : 1.0f;
  }
  const std::size_t cells = std::size_t(cells_[0]) * std::size_t(cells_[1]) * std::size_t(cells_[2]);
  std::vector<std::int32_t> count(cells + 1, 0);
  std::vector<std::size_t> cell(n);
  for (std::size_t i = 0; i < n; ++i) {
    const vec3& p = positions_[i];
    cell[i] = cell_index(cell_of(0, p.x), cell_of(1, p.y), cell_of(2, p.z));
    ++count[cell[i] + 1];
  }
  std::partial_sum(count.begin(), count.end(), count.begin());
  cell_start_ = count;
  by_cell_.resize(n);
  for (std::size_t i = 0; i < n; ++i) by_cell_[std::size_t(count[cell[i]]++)] = std::int32_t(i);
}

int cloth_search::cell_of(int axis, float value) const {
  const double c = std::floor((double(value) - double(low_[axis])) / double(cell_[axis]));
  return int(std::clamp(c, 0.0, double(cells_[axis] - 1)));
}

std::size_t cloth_search::cell_index(int x, int y, int z) const {
  return (std::size_t(z) * std::size_t(cells_[1]) + std::size_t(y)) * std::size_t(cells_[0]) + std::size_t(x);
}

void cloth_search::visit(int x, int y, int z, const vec3& point, bool same_side, int start,
                         std::vector<found>& held) const {
  const std::size_t c = cell_index(x, y, z);
  for (std::int32_t e = cell_start_[c]; e < cell_start_[c + 1]; ++e) {
    const std::int32_t v = by_cell_[std::size_t(e)];
    const vec3& q = positions_[std::size_t(v)];
    if (!cloth_util::passes_side(point, q, same_side)) continue;
    const float d2 = cloth_util::distance2(q, point);
    if (held.size() >= candidate_limit && d2 > held[candidate_limit - 1].d2) continue;
    const std::int32_t k = place_[std::size_t(v)];
    const found f{d2, k <= start ? start - k : k, v};
    held.insert(std::upper_bound(
                    held.begin(), held.end(), f,
                    [](const found& a, const found& b) { return a.d2 < b.d2 || (a.d2 == b.d2 && a.rank < b.rank); }),
                f);
    // Keep every entry that ties the fifth distance: which of them stay depends on their rank.
    while (held.size() > candidate_limit && held.back().d2 > held[candidate_limit - 1].d2) held.pop_back();
  }
}

std::multimap<float, cloth_util::iw> cloth_search::find(const vec3& point, bool same_side) const {
  const std::size_t n = positions_.size();
  std::multimap<float, cloth_util::iw> out;
  if (n == 0) return out;
  // Where the walk starts: the first entry ordered after the point, or the last one.
  const auto after = std::upper_bound(sorted_.begin(), sorted_.end(), point, [&](const vec3& p, std::int32_t v) {
    return ltvec3yzx()(p, positions_[std::size_t(v)]);
  });
  const int start = n < candidate_limit ? -1 : after != sorted_.end() ? int(after - sorted_.begin()) : int(n) - 1;
  // Fewer than five entries are met in index order (rank = place), as the walk takes them.
  std::vector<found> held;
  const int cx = cell_of(0, point.x), cy = cell_of(1, point.y), cz = cell_of(2, point.z);
  // Only axes with more than one cell bound the distance to cells not yet visited.
  double smallest = 0.0;
  for (int a = 0; a < 3; ++a)
    if (cells_[a] > 1) smallest = smallest > 0.0 ? std::min(smallest, double(cell_[a])) : double(cell_[a]);
  const int rings = std::max({cells_[0], cells_[1], cells_[2]});
  for (int r = 0; r < rings; ++r) {
    for (int z = std::max(0, cz - r); z <= std::min(cells_[2] - 1, cz + r); ++z)
      for (int y = std::max(0, cy - r); y <= std::min(cells_[1] - 1, cy + r); ++y) {
        const bool face = std::abs(z - cz) == r || std::abs(y - cy) == r;
        if (face) {
          for (int x = std::max(0, cx - r); x <= std::min(cells_[0] - 1, cx + r); ++x)
            visit(x, y, z, point, same_side, start, held);
        } else {
          if (cx - r >= 0) visit(cx - r, y, z, point, same_side, start, held);
          if (cx + r < cells_[0]) visit(cx + r, y, z, point, same_side, start, held);
        }
      }
    // Cells beyond this ring lie at least r whole cells away from the point.
    const double reach = double(r) * smallest * (1.0 - 1e-6);
    if (held.size() >= candidate_limit && smallest > 0.0 && reach * reach > double(held[candidate_limit - 1].d2)) break;
  }
  for (std::size_t i = 0; i < held.size() && i < candidate_limit; ++i) {
    const vec3& q = positions_[std::size_t(held[i].vertex)];
    out.emplace(held[i].d2, cloth_util::iw{held[i].vertex, {q.x - point.x, q.y - point.y, q.z - point.z}});
  }
  return out;
}
