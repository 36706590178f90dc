#pragma once
// host::vertex_trace_writer: the CSV trace of the cloth vertices of a playback. Header
// "frame,shape,vertex,x,y,z", then one row per frame, traced mesh and vertex: the mesh's path
// of names from the root joined by "/", the vertex number and its world position in
// millimetres (nine significant digits). The traced meshes are the soft body meshes below the
// active worlds and the projection mesh each of them links, found before the first frame.
#include <memory>
#include <string>
#include <vector>

#include "host/io/atomic_file.hpp"

namespace host {

class scene;
class polygon_mesh_shape;

class vertex_trace_writer {
 public:
  /// Starts a temporary file next to `path` and writes the header; throws cli_error naming
  /// the path when it cannot be written. `path` changes only at finish().
  vertex_trace_writer(const std::string& path, scene& s);

  /// Appends the rows of frame `frame`, read from the scene now.
  void write(int frame);
  /// Puts the file in place; throws cli_error when anything failed to reach the disk.
  void finish();

  /// The traced meshes, in the order their rows come.
  const std::vector<polygon_mesh_shape*>& meshes() const { return meshes_; }

 private:
  void write(const std::string& text);

  std::string path_;
  std::unique_ptr<atomic_file> out_;
  std::vector<polygon_mesh_shape*> meshes_;
  std::vector<std::string> names_;
};

}  // namespace host
