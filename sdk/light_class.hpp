#pragma once
// A point light shape.
#include "sdk/shape_class.hpp"

namespace sxsdk {

class light_class : public shape_class {
 public:
  /// Position in the light's local coordinates, millimetres.
  virtual sx::vec<float, 3> get_position() const = 0;
  virtual void set_position(const sx::vec<float, 3>& position) = 0;

 protected:
  ~light_class() = default;
};

}  // namespace sxsdk
