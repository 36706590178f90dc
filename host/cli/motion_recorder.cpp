#include "host/cli/motion_recorder.hpp"

#include <cmath>

#include "host/scene/shape_node.hpp"

namespace host {
namespace {

bool finite(const sxsdk::mat4& m) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (!std::isfinite(m[r][c])) return false;
  return true;
}

}  // namespace

const motion_recorder::sample& motion_recorder::record(int frame) {
  sample s;
  s.frame = frame;
  s.poses.reserve(bodies_.size());
  last_finite_.resize(bodies_.size());
  is_lost_.resize(bodies_.size(), false);
  for (std::size_t i = 0; i < bodies_.size(); ++i) {
    if (!is_lost_[i]) {
      const sxsdk::mat4 m = bodies_[i].part->local_to_world();
      if (finite(m)) {
        last_finite_[i] = body_pose::from_matrix(m);
      } else {
        // NaN or infinity must reach neither the trace nor the glTF file: the body stays where
        // it last was from then on, and play reports it.
        is_lost_[i] = true;
        lost_.push_back({i, frame});
      }
    }
    s.poses.push_back(last_finite_[i]);
  }
  if (!keep_) samples_.clear();
  samples_.push_back(std::move(s));
  return samples_.back();
}

}  // namespace host
