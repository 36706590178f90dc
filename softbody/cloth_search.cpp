#include "softbody/cloth_search.hpp"

cloth_search::cloth_search(const std::vector<sx::vec<float, 3>>& positions) {
  for (std::size_t i = 0; i < positions.size(); ++i) index_.emplace(positions[i], int(i));
}

std::multimap<float, cloth_util::iw> cloth_search::find(const sx::vec<float, 3>& point, bool same_side) const {
  return cloth_util::search(point, index_, same_side);
}
