#include "host/cli/vertex_trace_writer.hpp"

#include "host/cli/cli_error.hpp"
#include "host/cli/csv_text.hpp"
#include "host/cli/mesh_recorder.hpp"
#include "host/scene/scene.hpp"

namespace host {

vertex_trace_writer::vertex_trace_writer(const std::string& path, scene& s) : path_(path) {
  try {
    out_ = std::make_unique<atomic_file>(path);
  } catch (const atomic_file_error& e) {
    throw cli_error(path + ": cannot write the vertex trace file: " + e.what());
  }
  for (const mesh_recorder::cloth_mesh& m : mesh_recorder::cloth_meshes(s)) {
    meshes_.push_back(m.shape);
    names_.push_back(csv_text::field(m.shape->path()));
  }
  write("frame,shape,vertex,x,y,z\n");
}

void vertex_trace_writer::write(const std::string& text) {
  try {
    out_->write(text);
  } catch (const atomic_file_error& e) {
    throw cli_error(path_ + ": writing the vertex trace file failed: " + e.what());
  }
}

void vertex_trace_writer::write(int frame) {
  std::string rows;
  const std::string at = std::to_string(frame) + ',';
  for (std::size_t k = 0; k < meshes_.size(); ++k) {
    const sxsdk::mat4 m = meshes_[k]->local_to_world();
    const std::vector<sx::vec<float, 3>> points = meshes_[k]->vertex_positions();
    for (std::size_t i = 0; i < points.size(); ++i) {
      const sx::vec<float, 3> p = points[i] * m;
      rows += at + names_[k] + ',' + std::to_string(i) + ',' + csv_text::number(p.x) + ',' + csv_text::number(p.y) +
              ',' + csv_text::number(p.z) + '\n';
    }
  }
  write(rows);
}

void vertex_trace_writer::finish() {
  try {
    out_->commit();
  } catch (const atomic_file_error& e) {
    throw cli_error(path_ + ": writing the vertex trace file failed: " + e.what());
  }
}

}  // namespace host
