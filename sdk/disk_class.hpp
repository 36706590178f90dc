#pragma once
// A disk shape: a circle of a radius, placed by a centre and an orientation matrix whose first
// two rows span the disk's plane (scaled by the radius).
#include "sdk/shape_class.hpp"

namespace sxsdk {

class disk_class : public shape_class {
 public:
  virtual float get_radius() const = 0;
  virtual void set_radius(float radius) = 0;
  virtual sx::vec<float, 3> get_center() const = 0;
  virtual void set_center(const sx::vec<float, 3>& center) = 0;
  virtual mat4 get_matrix() const = 0;
  virtual void set_matrix(const mat4& m) = 0;

 protected:
  ~disk_class() = default;
};

}  // namespace sxsdk
