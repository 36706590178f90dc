#pragma once
// A vertex of a polygon mesh.
#include "sx/core/vectors.hpp"

namespace sxsdk {

class skin_class;

class vertex_class {
 public:
  /// Position in the mesh's local coordinates, millimetres.
  virtual sx::vec<float, 3> get_position() const = 0;
  virtual void set_position(const sx::vec<float, 3>& position) = 0;
  virtual skin_class& get_skin() = 0;

 protected:
  ~vertex_class() = default;
};

}  // namespace sxsdk
