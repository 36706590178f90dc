#include "host/cli/trace_writer.hpp"

#include "host/cli/cli_error.hpp"
#include "host/cli/csv_text.hpp"

namespace host {

trace_writer::trace_writer(const std::string& path, const std::vector<simulated_body>& bodies) : path_(path) {
  try {
    out_ = std::make_unique<atomic_file>(path);
  } catch (const atomic_file_error& e) {
    throw cli_error(path + ": cannot write the trace file: " + e.what());
  }
  for (std::size_t i = 0; i < bodies.size(); ++i)
    if (bodies[i].settings.type == 0) {
      traced_.push_back(i);
      names_.push_back(csv_text::field(bodies[i].path));
    }
  write("frame,shape,x,y,z,qw,qx,qy,qz\n");
}

void trace_writer::write(const std::string& text) {
  try {
    out_->write(text);
  } catch (const atomic_file_error& e) {
    throw cli_error(path_ + ": writing the trace file failed: " + e.what());
  }
}

void trace_writer::write(const motion_recorder::sample& s) {
  std::string rows;
  for (std::size_t k = 0; k < traced_.size(); ++k) {
    const body_pose& p = s.poses[traced_[k]];
    rows += std::to_string(s.frame) + ',' + names_[k];
    // Positions come from float matrices; rotations are computed in double and kept to float
    // precision, which is all the scene holds.
    for (double v : p.position) rows += ',' + csv_text::number(static_cast<float>(v));
    for (double v : p.rotation) rows += ',' + csv_text::number(static_cast<float>(v));
    rows += '\n';
  }
  write(rows);
}

void trace_writer::finish() {
  try {
    out_->commit();
  } catch (const atomic_file_error& e) {
    throw cli_error(path_ + ": writing the trace file failed: " + e.what());
  }
}

}  // namespace host
