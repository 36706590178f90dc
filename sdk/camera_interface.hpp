#pragma once
// The scene's current camera (the camera joint selected with part_class::select_camera_joint).
#include "sdk/unknown_interface.hpp"
#include "sx/core/vectors.hpp"

namespace sxsdk {

class camera_interface : public unknown_interface {
 public:
  /// Eye and target positions, world millimetres.
  virtual sx::vec<float, 3> get_eye() = 0;
  virtual void set_eye(const sx::vec<float, 3>& eye) = 0;
  virtual sx::vec<float, 3> get_target() = 0;
  virtual void set_target(const sx::vec<float, 3>& target) = 0;
  /// Focal length in millimetres (of a 36 mm wide frame).
  virtual float get_focal_length() = 0;
};

}  // namespace sxsdk
