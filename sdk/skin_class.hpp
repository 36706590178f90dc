#pragma once
// The skin of a shape, vertex or control point: its binds to joints.
#include "sdk/mat4.hpp"

namespace sxsdk {

class skin_class {
 public:
  /// Number of joints the element is bound to (0: not skinned).
  virtual int get_number_of_binds() const = 0;
  /// The skin's local-to-world matrix; meaningful only with at least one bind.
  virtual mat4 get_skin_world_matrix() const = 0;

 protected:
  ~skin_class() = default;
};

}  // namespace sxsdk
