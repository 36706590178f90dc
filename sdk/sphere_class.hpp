#pragma once
// A sphere shape (an ellipsoid in general: its radius is a vector).
#include "sdk/shape_class.hpp"

namespace sxsdk {

class sphere_class : public shape_class {
 public:
  /// Radius, millimetres (the x component of the radius vector).
  virtual float get_radius() const = 0;
  virtual sx::vec<float, 3> get_radius_vector() const = 0;
  virtual void set_radius(const sx::vec<float, 3>& radius) = 0;
  virtual sx::vec<float, 3> get_center() const = 0;
  virtual void set_center(const sx::vec<float, 3>& center) = 0;

 protected:
  ~sphere_class() = default;
};

}  // namespace sxsdk
