#pragma once
// A polygon mesh shape.
#include <vector>

#include "sdk/face_class.hpp"
#include "sdk/shape_class.hpp"
#include "sdk/vertex_class.hpp"

namespace sxsdk {

class polygon_mesh_class : public shape_class {
 public:
  virtual int get_number_of_vertices() const = 0;
  /// Vertex i (0 <= i < count); throws std::out_of_range otherwise.
  virtual vertex_class& vertex(int index) = 0;
  virtual int get_number_of_faces() const = 0;
  /// Face i (0 <= i < count); throws std::out_of_range otherwise.
  virtual face_class& face(int index) = 0;
  /// Number of selected vertices while the mesh is edited (0 outside mesh editing).
  virtual int get_number_of_active_vertices() const = 0;
  /// Indices of the selected faces while the mesh is edited, in increasing order.
  virtual std::vector<int> get_active_faces() const = 0;

 protected:
  ~polygon_mesh_class() = default;
};

}  // namespace sxsdk
