#pragma once
// A control point of a line: a position and four handles, millimetres, in the line's
// local coordinates.
#include "sx/core/vectors.hpp"

namespace sxsdk {

class skin_class;

class control_point_class {
 public:
  virtual sx::vec<float, 3> get_position() const = 0;
  virtual void set_position(const sx::vec<float, 3>& p) = 0;
  virtual sx::vec<float, 3> get_in_handle() const = 0;
  virtual void set_in_handle(const sx::vec<float, 3>& p) = 0;
  virtual sx::vec<float, 3> get_out_handle() const = 0;
  virtual void set_out_handle(const sx::vec<float, 3>& p) = 0;
  /// The fourth and fifth vectors of the point (the host's own handles; copied through).
  virtual sx::vec<float, 3> get_fourth_handle() const = 0;
  virtual void set_fourth_handle(const sx::vec<float, 3>& p) = 0;
  virtual sx::vec<float, 3> get_fifth_handle() const = 0;
  virtual void set_fifth_handle(const sx::vec<float, 3>& p) = 0;
  virtual skin_class& get_skin() = 0;

 protected:
  ~control_point_class() = default;
};

}  // namespace sxsdk
