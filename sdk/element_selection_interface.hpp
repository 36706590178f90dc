#pragma once
// The host's element selection service: which vertices of a mesh are selected.
#include <vector>

#include "sdk/unknown_interface.hpp"

namespace sxsdk {

class shape_class;

class element_selection_interface : public unknown_interface {
 public:
  /// Indices of the selected vertices of a polygon mesh, in the host's order.
  virtual std::vector<int> get_selected_vertices(shape_class& mesh) = 0;
};

}  // namespace sxsdk
