#include "host/cli/motion_recorder.hpp"

#include "host/scene/shape_node.hpp"

namespace host {

const motion_recorder::sample& motion_recorder::record(int frame) {
  sample s;
  s.frame = frame;
  s.poses.reserve(bodies_.size());
  for (const simulated_body& b : bodies_) s.poses.push_back(body_pose::from_matrix(b.part->local_to_world()));
  if (!keep_) samples_.clear();
  samples_.push_back(std::move(s));
  return samples_.back();
}

}  // namespace host
