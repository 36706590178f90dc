#pragma once
// A face of a polygon mesh: a loop of vertex indices.
#include <vector>

namespace sxsdk {

class face_class {
 public:
  virtual int get_number_of_vertices() const = 0;
  /// Vertex indices of the face, in order around it.
  virtual std::vector<int> get_vertex_indices() const = 0;

 protected:
  ~face_class() = default;
};

}  // namespace sxsdk
