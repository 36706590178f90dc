#include "host/player/pose_snapshot.hpp"

#include "host/scene/part_shape.hpp"

namespace host {

pose_snapshot::pose_snapshot(const std::vector<part_shape*>& parts) {
  for (part_shape* p : parts) poses_.push_back({p, p->own_transformation(), p->joint()});
}

void pose_snapshot::restore() const {
  for (const pose& p : poses_) {
    if (p.part->removed()) continue;
    if (p.part->is_joint())
      p.part->joint() = p.joint;
    else
      p.part->set_transformation(p.transformation);
  }
}

}  // namespace host
