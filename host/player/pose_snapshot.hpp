#pragma once
// host::pose_snapshot: the poses of some parts (a part's transformation, a joint's whole joint
// state), taken before the player moves them by their keys and put back afterwards, so that
// playing a sequence and leaving it gives back the scene as it was.
#include <memory>
#include <vector>

#include "host/scene/joint_state.hpp"
#include "sdk/mat4.hpp"

namespace host {

class part_shape;

class pose_snapshot {
 public:
  pose_snapshot() = default;
  /// Records the poses of `parts` now (borrowed: they must stay in their scene, which parks
  /// removed shapes, so the pointers stay valid as long as the scene).
  explicit pose_snapshot(const std::vector<part_shape*>& parts);
  /// Puts every recorded pose back; a part removed since is left alone.
  void restore() const;
  bool empty() const { return poses_.empty(); }

 private:
  struct pose {
    part_shape* part;
    sxsdk::mat4 transformation;  // parts that are no joints
    joint_state joint;           // joint parts
  };
  std::vector<pose> poses_;
};

}  // namespace host
