#pragma once
// host::motion_recorder: the world pose of every simulated rigid body at every recorded frame,
// for the trace and the glTF animation. It reads the scene only (each body part's
// local-to-world matrix), so it sees exactly what the plug-in wrote back.
#include <vector>

#include "host/cli/body_pose.hpp"
#include "host/cli/scene_roles.hpp"

namespace host {

class motion_recorder {
 public:
  struct sample {
    int frame = 0;
    std::vector<body_pose> poses;  ///< one per body, in bodies() order
  };

  /// The bodies are borrowed by pointer: their shapes must outlive the recorder.
  explicit motion_recorder(std::vector<simulated_body> bodies, std::vector<simulated_world> worlds = {})
      : bodies_(std::move(bodies)), worlds_(std::move(worlds)) {}

  /// A body whose pose stopped being finite numbers, and the first frame it did.
  struct lost_body {
    std::size_t body = 0;  ///< index into bodies()
    int frame = 0;
  };

  /// Samples every body now, as frame `frame` (frames must come in increasing order). The
  /// sample stays valid until the next call. A body whose pose is not finite is recorded at its
  /// last finite pose (its start if it never had one) and listed in lost().
  const sample& record(int frame);
  /// Keep only the latest sample (a trace written row by row needs no history; a long
  /// playback without a glTF file then takes no memory per frame). Default: keep every one.
  void keep_history(bool keep) { keep_ = keep; }

  const std::vector<simulated_body>& bodies() const { return bodies_; }
  /// The active worlds of the playback (their ground planes are drawn).
  const std::vector<simulated_world>& worlds() const { return worlds_; }
  const std::vector<sample>& samples() const { return samples_; }
  /// Bodies that left the finite numbers, in the order they did.
  const std::vector<lost_body>& lost() const { return lost_; }

 private:
  std::vector<body_pose> last_finite_;
  std::vector<bool> is_lost_;  // by body: listed in lost_ (looked up for every body and frame)
  std::vector<lost_body> lost_;
  std::vector<simulated_body> bodies_;
  std::vector<simulated_world> worlds_;
  std::vector<sample> samples_;
  bool keep_ = true;
};

}  // namespace host
