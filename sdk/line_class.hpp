#pragma once
// A line shape: control points joined by Bezier segments, open or closed.
#include "sdk/control_point_class.hpp"
#include "sdk/shape_class.hpp"

namespace sxsdk {

class line_class : public shape_class {
 public:
  virtual bool is_closed() const = 0;
  virtual void set_closed(bool closed) = 0;
  virtual int get_number_of_control_points() const = 0;
  /// The revolution axis set with set_revolution_axis (two points), or false when the line is
  /// no body of revolution.
  virtual bool get_revolution_axis(sx::vec<float, 3>& p0, sx::vec<float, 3>& p1) const = 0;

 protected:
  ~line_class() = default;
};

}  // namespace sxsdk
